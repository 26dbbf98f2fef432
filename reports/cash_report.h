#pragma once

#include "reports/report_period.h"

#include <QHash>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace zorvel {

class Workbook;
class Worksheet;

// The cash report window's narrowing choices: a value for each ticked box, in the order doctor,
// department, service number, kind of care.
struct CashNarrowing {
    std::optional<QString> doctor;        // FIOV
    std::optional<QString> department;    // OTDELENIE
    std::optional<QString> serviceNumber; // KODGVV
    std::optional<QString> kindOfCare;    // TIP_POM
};

// The three queries on the services register. Typed values are quoted with their apostrophes doubled.
QString cashReportQuery(const ReportPeriod& period, const CashNarrowing& narrowing);
QString paymentsReportQuery(const ReportPeriod& period, const CashNarrowing& narrowing);
QString planningReportQuery(const ReportPeriod& period);

// One service of the cash report ("По договорам"), texts as the register holds them.
struct CashLine {
    QString surname, name, patronymic, contract, serviceNumber, service, mark, code, kindOfCare, doctor,
        nurse, technician, departmentCode, department, price, quantity, date, time, correctionDate, verified;
};

// The department code of a department name: KOD of the first OTDEL row of that name.
class DepartmentCodes {
public:
    void add(const QString& name, const QString& code);
    // Empty for an empty name or one no department has.
    QString codeOf(const QString& name) const;

private:
    QHash<QString, QString> codes_;
};

// Record k (from 1) on row k + 2, columns A to V.
void writeCashLine(Worksheet& sheet, int k, const CashLine& line);
// The bold "ИТОГО:" row two rows below the last record with the total of R, borders from A2 to U.
void finishCashReport(Worksheet& sheet, int count);
void fillCashReport(Workbook& book, const std::vector<CashLine>& lines);

// One group of the payments report ("По оплате"): a patient's contract on a date with its sum.
struct PaymentLine {
    QString surname, name, patronymic, contract, paid, date;
    QString sum; // the contract's sum as the server computed it
};

// What column H shows: the amount paid so far, or the whole sum for a contract without instalments
// (paid "0") or one paid up.
QString paidAmount(const PaymentLine& line);
void writePaymentLine(Worksheet& sheet, int k, const PaymentLine& line);
void finishPaymentsReport(Worksheet& sheet, int count);
void fillPaymentsReport(Workbook& book, const std::vector<PaymentLine>& lines);

// The price of a service number in the planning report: SUMMA of the first price-list row whose
// KODGVV begins with the number (12 takes 120's price when 120 comes first).
class PriceByPrefix {
public:
    // Price-list rows in the list's order.
    void add(const QString& serviceNumber, const QString& price);
    QString priceOf(const QString& serviceNumber) const;

private:
    QHash<QString, QString> firstByPrefix_;
};

// One group of the planning report: a service and how many times it was given.
struct PlanningLine {
    QString serviceNumber, service, quantity, price;
};

void writePlanningTitle(Worksheet& sheet, const ReportPeriod& period);
void writePlanningLine(Worksheet& sheet, int k, const PlanningLine& line);
void finishPlanningReport(Worksheet& sheet, int count);
void fillPlanningReport(Workbook& book, const ReportPeriod& period, const std::vector<PlanningLine>& lines);

} // namespace zorvel
