#pragma once

#include <QString>

#include <vector>

namespace zorvel {

class Workbook;

// One line of the contract window's grid, as the documents read it: texts, as the grid shows them.
struct ServiceLine {
    QString number; // the grid's running number
    QString surname;
    QString name;
    QString patronymic;
    QString service;  // NAME
    QString quantity; // KOL
    QString price;    // SUMMA, the price of one service
    QString date;     // DATA_USL
    QString contractNumber;
    bool marked = true; // "Да" in the print column
};

// The passport block of the contract (SERIA, NOMER, VIDAN, ADRESS).
struct PassportData {
    QString series;
    QString number;
    QString issuedBy;
    QString address;
};

// What the contract and the consent are made of: the grid in its order and the window's choices.
struct ContractInput {
    std::vector<ServiceLine> lines;
    QString kindOfCare;
    QString department;
    QString doctor;
    PassportData passport;
};

enum class ContractKind { None, Dental, Polyclinic, Hospital };

// By the kind of care and the department as the combos show them; None for a kind of care the
// templates do not cover.
ContractKind contractKind(const QString& kindOfCare, const QString& department);
// "zub.xls", "polikl.xls", "stac.xls"; empty for None.
QString contractTemplate(ContractKind kind);

// The contract's first row: "Договор N__ " + number + "__", a line feed, "на оказание платных
// медицинских услуг".
QString contractHeading(const QString& contractNumber);

// Fills the contract of `kind` on the first sheet of a workbook started from its template. The dental
// contract takes every line, the others the marked lines only. Throws DocumentError for a quantity or
// price that is not a number, and the words' own errors for a date or a total they cannot read; the
// workbook is then half-filled and must not be shown.
void fillContract(Workbook& book, ContractKind kind, const ContractInput& input);

// Fills the consent ("soglas.xls") on the first sheet: dates, the patient, the marked services joined
// by ", ", the department and the doctor.
void fillConsent(Workbook& book, const ContractInput& input);

} // namespace zorvel
