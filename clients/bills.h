#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace zorvel {

class Workbook;
class Worksheet;

// What the invoicing run bills: one payer, a period (both ends inclusive, compared as dates by the
// database) and two optional narrowings. Texts as typed; the statements quote them.
struct BillSelection {
    QString payer;
    QString periodStart; // DD.MM.YYYY
    QString periodEnd;
    std::optional<QString> correctionDate; // DATAISP, compared as text
    std::optional<QString> surname;        // FAM, compared as text
};

// The statements of a run, grouped and explicitly ordered by the grouping columns, so the documents do
// not depend on the order in which a server happens to return groups.
QString billDetailQuery(const BillSelection& selection);
QString billWaybillQuery(const BillSelection& selection);
// The register of treated persons: every organisation of a period. Identical lines collapse into one
// whose quantity column SUM adds up theirs.
QString treatedRegisterQuery(const QString& periodStart, const QString& periodEnd);

// One row of the detail query: one distinct service line of a person.
struct BillLine {
    QString surname, firstName, patronymic;
    QString code;     // KOD
    QString service;  // NAME
    QString date;     // DATA_USL
    QString quantity; // the quantity of the line and of the identical lines collapsed into it
    QString price;    // SUMMA
    QString doctor, nurse;
    QString referral, referralDate; // NOMNAPR, DATNAPR
    QString fullName() const { return surname + ' ' + firstName + ' ' + patronymic; }
};

// One row of the waybill query: a service and its price with the quantity of all lines.
struct WaybillLine {
    QString service;
    QString quantity; // sum(kol)
    QString price;
};

// One row of the register of treated persons: identical lines listed once.
struct TreatedLine {
    QString surname, firstName, patronymic;
    QString referral, referralDate, date, symbol, code, service;
    QString price;         // SUMMA; empty when the service had no price
    QString totalQuantity; // the quantities of all identical lines together; empty without a quantity
    QString doctor, nurse;
    QString fullName() const { return surname + ' ' + firstName + ' ' + patronymic; }
};

// The window's texts that the documents print.
struct InvoiceTexts {
    QString payer;
    QString contractNumber;  // sEdit6
    QString invoiceNumber;   // sEdit7: the bill, the invoice, the acts and the register appendix
    QString waybillNumber;   // sEdit1
    QString head;            // sEdit5
    QString chiefAccountant; // sEdit4
    QString economist;       // sEdit2
    QString telephone;       // sEdit3
    QString address;         // sEdit8
    QString taxNumbers;      // sEdit9
    QString bank;            // sEdit13
    QString account;         // sEdit10
    QString okpo;            // sEdit11
    QString personalAccount; // sEdit12
    // The fixed signature texts end with these (configuration).
    QString headSignature;
    QString economistSignature;
    QString today; // DD.MM.YYYY
};

// Two consecutive lines belong to one person unless at least two of the three name parts differ.
bool startsNewPerson(const BillLine& previousPerson, const BillLine& line);

// The grand total of the register appendix over the persons' subtotal rows: "=k9+k14+k20", or, when
// that would pass what a spreadsheet formula may hold, the same sum over the subtotal rows by their
// "ИТОГО:" mark, so any number of persons is covered.
QString grandTotalFormula(const std::vector<int>& subtotalRows, int firstLineRow, int lastRow);

// The total the bill, the invoice and the waybill print: quantity × price of every waybill line, exact.
// Throws DocumentError when a quantity or price is not a number.
qint64 billTotal(const std::vector<WaybillLine>& lines);

// The five documents on the sheets of a workbook started from "schet.xls": the register appendix (5), the
// acts (4), the waybill (3), the bill (1) and the invoice (2). The prices and quantities of every line
// are checked first: one that is not a number stops the run with "Проверьте правильность написание сумм
// или колиичества услуг" (DocumentError, caption "Ошибка") before anything is written.
void fillInvoiceDocuments(Workbook& book, const std::vector<BillLine>& lines,
                          const std::vector<WaybillLine>& waybill, const InvoiceTexts& texts);

// Each document on its own sheet (the sheet already picked).
void fillRegisterAppendix(Worksheet& sheet, const std::vector<BillLine>& lines, const InvoiceTexts& texts);
void fillActs(Worksheet& sheet, const std::vector<BillLine>& lines, const InvoiceTexts& texts);
void fillWaybill(Worksheet& sheet, const std::vector<WaybillLine>& lines, qint64 total,
                 const InvoiceTexts& texts);
void fillBill(Worksheet& sheet, qint64 total, const InvoiceTexts& texts);
void fillInvoice(Worksheet& sheet, qint64 total, const InvoiceTexts& texts);

// The register of treated persons on the first sheet of a workbook started from "dreestr.xls". A line
// without a price or quantity (a service number the price list did not know is saved without a price) is
// listed with those cells and its cost empty; column L holds the quantity of the identical lines together,
// so that L × K = M on every row. A price or quantity that is not a number throws DocumentError naming the
// line (person, date, service) before anything is written.
void fillTreatedRegister(Worksheet& sheet, const std::vector<TreatedLine>& lines);

} // namespace zorvel
