#include "reports/cash_report.h"

#include "reports/report_cells.h"
#include "spreadsheet/workbook.h"
#include "workstation/money.h"

namespace zorvel {

namespace {

constexpr int kFirstLine = 3;

QString narrowingConditions(const CashNarrowing& n) {
    QString text;
    const std::pair<const char*, const std::optional<QString>*> conditions[] = {
        {" and FIOV= ", &n.doctor},
        {" and OTDELENIE= ", &n.department},
        {" and kodgvv= ", &n.serviceNumber},
        {" and tip_pom= ", &n.kindOfCare},
    };
    for (const auto& [condition, value] : conditions)
        if (value->has_value())
            text += QString::fromLatin1(condition) + sqlText(**value);
    return text;
}

// The contract sum as the server gave it, in its shortest decimal form; the server's arithmetic on
// decimal texts may come back as a binary float.
QString exactSum(const QString& text) {
    const std::optional<qint64> amount = parseMoney(text);
    return amount ? moneyText(*amount) : text;
}

} // namespace

QString cashReportQuery(const ReportPeriod& period, const CashNarrowing& narrowing) {
    return QStringLiteral(" select * from people where  ") + periodCondition(period) +
           narrowingConditions(narrowing);
}

QString paymentsReportQuery(const ReportPeriod& period, const CashNarrowing& narrowing) {
    return QStringLiteral(
               "select fam, nam,oth,ndog,chopl,data_usl,sum( cast(summa as numeric (7,2))  *kol )  "
               "from people where  ") +
           periodCondition(period) + narrowingConditions(narrowing) +
           QStringLiteral(" group by fam, nam,oth,ndog,chopl,data_usl");
}

QString planningReportQuery(const ReportPeriod& period) {
    return QStringLiteral("select kodgvv,name,sum(kol) from people where  ") + periodCondition(period) +
           QStringLiteral(" group by kodgvv,name order by kodgvv, name");
}

void DepartmentCodes::add(const QString& name, const QString& code) {
    if (!codes_.contains(name))
        codes_.insert(name, code);
}

QString DepartmentCodes::codeOf(const QString& name) const {
    return name.isEmpty() ? QString() : codes_.value(name);
}

void writeCashLine(Worksheet& sheet, int k, const CashLine& line) {
    const int r = k + kFirstLine - 1;
    sheet.setNumber(r, 1, k);
    const QString* values[] = {&line.surname,        &line.name,       &line.patronymic, &line.contract,
                               &line.serviceNumber,  &line.service,    &line.mark,       &line.code,
                               &line.kindOfCare,     &line.doctor,     &line.nurse,      &line.technician,
                               &line.departmentCode, &line.department, &line.price,      &line.quantity};
    int column = 2;
    for (const QString* v : values)
        putValue(sheet, r, column++, *v);
    const QString row = QString::number(r);
    sheet.setCell(r, 18, QStringLiteral("=p") + row + QStringLiteral("*q") + row);
    putValue(sheet, r, 19, line.date);
    putValue(sheet, r, 20, line.time);
    putValue(sheet, r, 21, line.correctionDate);
    putValue(sheet, r, 22, line.verified);
}

void finishCashReport(Worksheet& sheet, int count) {
    const int t = count + 4;
    sheet.range(t, 1, t, 18).setBold();
    sheet.setCell(t, 1, QStringLiteral("ИТОГО:"));
    sheet.setCell(t, 18, QStringLiteral("=sum(r3:r") + QString::number(count + 3));
    sheet.range(2, 1, t, 21).setBorders();
}

void fillCashReport(Workbook& book, const std::vector<CashLine>& lines) {
    Worksheet& sheet = book.sheet(1);
    int k = 0;
    for (const CashLine& line : lines)
        writeCashLine(sheet, ++k, line);
    finishCashReport(sheet, k);
}

QString paidAmount(const PaymentLine& line) {
    const QString sum = exactSum(line.sum);
    if (line.paid == u"0" || line.paid == line.sum || line.paid == sum)
        return sum;
    const std::optional<qint64> paid = parseMoney(line.paid);
    const std::optional<qint64> whole = parseMoney(line.sum);
    if (paid && whole && *paid == *whole)
        return sum;
    return line.paid;
}

void writePaymentLine(Worksheet& sheet, int k, const PaymentLine& line) {
    const int r = k + kFirstLine - 1;
    sheet.setNumber(r, 1, k);
    putValue(sheet, r, 2, line.surname);
    putValue(sheet, r, 3, line.name);
    putValue(sheet, r, 4, line.patronymic);
    putValue(sheet, r, 5, line.date);
    putValue(sheet, r, 6, line.contract);
    putValue(sheet, r, 7, exactSum(line.sum));
    putValue(sheet, r, 8, paidAmount(line));
    const QString row = QString::number(r);
    sheet.setCell(r, 9, QStringLiteral("=g") + row + QStringLiteral("-h") + row);
}

void finishPaymentsReport(Worksheet& sheet, int count) {
    const int t = count + 4;
    const QString last = QString::number(count + 3);
    sheet.range(t, 1, t, 18).setBold();
    sheet.setCell(t, 1, QStringLiteral("ИТОГО:"));
    sheet.setCell(t, 7, QStringLiteral("=sum(g3:g") + last);
    sheet.setCell(t, 8, QStringLiteral("=sum(h3:h") + last);
    sheet.setCell(t, 9, QStringLiteral("=sum(i3:i") + last);
    sheet.range(2, 1, t, 9).setBorders();
}

void fillPaymentsReport(Workbook& book, const std::vector<PaymentLine>& lines) {
    Worksheet& sheet = book.sheet(1);
    int k = 0;
    for (const PaymentLine& line : lines)
        writePaymentLine(sheet, ++k, line);
    finishPaymentsReport(sheet, k);
}

void PriceByPrefix::add(const QString& serviceNumber, const QString& price) {
    for (qsizetype n = 0; n <= serviceNumber.size(); ++n) {
        const QString prefix = serviceNumber.left(n);
        if (!firstByPrefix_.contains(prefix))
            firstByPrefix_.insert(prefix, price);
    }
}

QString PriceByPrefix::priceOf(const QString& serviceNumber) const {
    return firstByPrefix_.value(serviceNumber);
}

void writePlanningTitle(Worksheet& sheet, const ReportPeriod& period) {
    sheet.setText(1, 1,
                  QStringLiteral("Используемые услуги с ") + period.startText() + QStringLiteral(" по ") +
                      period.endText());
}

void writePlanningLine(Worksheet& sheet, int k, const PlanningLine& line) {
    const int r = k + kFirstLine - 1;
    sheet.setNumber(r, 1, k);
    putValue(sheet, r, 2, line.serviceNumber);
    putValue(sheet, r, 3, line.service);
    putValue(sheet, r, 4, line.quantity);
    putValue(sheet, r, 5, line.price);
    const QString row = QString::number(r);
    sheet.setCell(r, 6, QStringLiteral("=d") + row + QStringLiteral("*e") + row);
}

void finishPlanningReport(Worksheet& sheet, int count) {
    const int t = count + 4;
    const QString last = QString::number(count + 3);
    sheet.setCell(t, 4, QStringLiteral("=sum(d3:d") + last + u')');
    sheet.setCell(t, 6, QStringLiteral("=sum(f3:f") + last + u')');
    sheet.range(t, 1, t, 6).setBold();
    sheet.range(2, 1, t, 6).setBorders();
}

void fillPlanningReport(Workbook& book, const ReportPeriod& period, const std::vector<PlanningLine>& lines) {
    Worksheet& sheet = book.sheet(1);
    writePlanningTitle(sheet, period);
    int k = 0;
    for (const PlanningLine& line : lines)
        writePlanningLine(sheet, ++k, line);
    finishPlanningReport(sheet, k);
}

} // namespace zorvel
