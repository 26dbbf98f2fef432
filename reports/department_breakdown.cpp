#include "reports/department_breakdown.h"

#include "reports/report_cells.h"
#include "spreadsheet/workbook.h"
#include "workstation/money.h"

namespace zorvel {

namespace {

QString arguments(const ReportPeriod& period) {
    // The dates come from the date fields' digits, so they never carry an apostrophe.
    return sqlText(period.startText()) + u',' + sqlText(period.endText());
}

// A sum from a procedure in its exact shortest form; a text that is no number stays as it is.
QString exact(const QString& text) {
    const std::optional<qint64> amount = parseMoney(text);
    return amount ? moneyText(*amount) : text;
}

constexpr char kTotalled[] = "efgjlnoprstu";

// Rows are relative to the block's first row R (0 is R).
struct HeaderEntry {
    int firstRow;
    char firstColumn;
    int lastRow;
    char lastColumn;
    const char16_t* text;
};

const HeaderEntry kHeader[] = {
    {1, 'a', 3, 'a', u"№"},
    {1, 'b', 3, 'b', u"Дата"},
    {1, 'c', 3, 'c', u"№ по договору"},
    {1, 'd', 3, 'd', u"ФИО"},
    {1, 'e', 3, 'e', u"Сумма по договору"},
    {1, 'f', 1, 'n', u"Операция"},
    {2, 'f', 3, 'f', u"Всего сумма"},
    {2, 'g', 3, 'g', u"Сумма, с которой начисл. з/плата"},
    {2, 'h', 2, 'i', u"Отделение"},
    {3, 'h', 3, 'h', u"%"},
    {3, 'i', 3, 'i', u"сумма"},
    // The fourth letter is the Latin c, as the users' sheets have it.
    {2, 'j', 2, 'l', u"Анаcтез."},
    {3, 'j', 3, 'j', u"Сумма, с которой начисл. з/п"},
    {3, 'k', 3, 'k', u"%"},
    {3, 'l', 3, 'l', u"сумма"},
    {2, 'm', 2, 'n', u"Оперблок"},
    {3, 'm', 3, 'm', u"%"},
    {3, 'n', 3, 'n', u"сумма"},
    {1, 'o', 1, 'r', u"Койко-дни"},
    {2, 'o', 3, 'o', u"Всего сумма"},
    {2, 'p', 3, 'p', u"Сумма, с которой начисл. з/плата"},
    {2, 'q', 2, 'r', u"Отделение"},
    {3, 'q', 3, 'q', u"%"},
    {3, 'r', 3, 'r', u"сумма"},
    {1, 's', 1, 'u', u"Итого"},
    // The first letter of these three is the Latin C.
    {2, 's', 3, 's', u"Cумма на з/плату отд."},
    {2, 't', 3, 't', u"Cумма на з/плату анастез."},
    {2, 'u', 3, 'u', u"Cумма на з/плату оперблоку"},
};

int col(char letter) {
    return letter - 'a' + 1;
}

} // namespace

QString inPatientQuery(const ReportPeriod& period) {
    return QStringLiteral("select  fio, ndog1,otd_name, datU, sum(linz), sum(oper),sum(summadog),sum(anst),"
                          "sum(koik) from econom(") +
           arguments(period) +
           QStringLiteral(") group by fio, ndog1,otd_name, datU order by otd_name,fio,datU");
}

QString staffDoctorsQuery(const ReportPeriod& period) {
    return QStringLiteral("select doctor from econom_oft(") + arguments(period) +
           QStringLiteral(") group by doctor");
}

QString staffNursesQuery(const ReportPeriod& period) {
    return QStringLiteral("select medses from econom_oft(") + arguments(period) +
           QStringLiteral(") group by medses");
}

QString staffShareQuery(const ReportPeriod& period) {
    return QStringLiteral("select datu,ndog1,fio,doctor,medses,sum(summadog),sum(zarpl),sum(dmed),sum(ddoc) "
                          "from econom_oft(") +
           arguments(period) +
           QStringLiteral(") group by datu,ndog1,fio,doctor,medses order by datu,ndog1,doctor,medses");
}

InPatientReport::InPatientReport(Worksheet& sheet) : sheet_(sheet) {}

void InPatientReport::writeHeader(int r, const QString& department) {
    sheet_.range(r, col('b'), r, col('j')).merge();
    putValue(sheet_, r, col('b'), department);
    for (const HeaderEntry& e : kHeader) {
        const int first = r + e.firstRow, last = r + e.lastRow;
        if (first != last || e.firstColumn != e.lastColumn)
            sheet_.range(first, col(e.firstColumn), last, col(e.lastColumn)).merge().setWrapText();
        sheet_.setText(first, col(e.firstColumn), QString::fromUtf16(e.text));
    }
    sheet_.setRowHeight(r + 3, 51);
    sheet_.range(r, col('a'), r + 3, col('u')).setBold();
    sheet_.range(r + 1, col('a'), r + 3, col('u')).setBorders();
}

void InPatientReport::writeTotals(int row, int first, int last) {
    for (const char* x = kTotalled; *x; ++x) {
        const QString letter(QChar::fromLatin1(*x));
        sheet_.setCell(row, col(*x),
                       QStringLiteral("=sum(") + letter + QString::number(first) + u':' + letter +
                           QString::number(last));
    }
}

void InPatientReport::add(const InPatientLine& line) {
    ++row_;
    ++number_;
    if (row_ == 1) {
        writeHeader(1, line.department);
        row_ = 5;
        first_ = 5;
        number_ = 1;
        previous_ = line.department;
    }
    if (line.department != previous_) {
        writeTotals(row_, first_, row_ - 1);
        writeHeader(row_ + 2, line.department);
        row_ += 6;
        number_ = 1;
        first_ = row_;
    }
    const int r = row_;
    const QString n = QString::number(r);
    sheet_.setNumber(r, col('a'), number_);
    putValue(sheet_, r, col('b'), line.date);
    putValue(sheet_, r, col('c'), line.contract);
    putValue(sheet_, r, col('d'), line.patient);
    putValue(sheet_, r, col('e'), exact(line.contractSum));
    putValue(sheet_, r, col('f'), exact(line.operation));
    sheet_.setCell(r, col('g'), QStringLiteral("=f") + n);
    sheet_.setCell(r, col('h'), QStringLiteral("24.00"));
    putValue(sheet_, r, col('o'), exact(line.bedDays));
    sheet_.setCell(r, col('i'), QStringLiteral("=g") + n + QStringLiteral("* 24%"));
    sheet_.setCell(r, col('k'), QStringLiteral("20.00"));
    sheet_.setCell(r, col('l'), QStringLiteral("=j") + n + QStringLiteral("* 20%"));
    sheet_.setCell(r, col('m'), QStringLiteral("6.00"));
    sheet_.setCell(r, col('n'), QStringLiteral("=g") + n + QStringLiteral("* 6%"));
    putValue(sheet_, r, col('j'), exact(line.anaesthesia));
    sheet_.setCell(r, col('p'), QStringLiteral("=o") + n);
    sheet_.setCell(r, col('q'), QStringLiteral("20.00"));
    sheet_.setCell(r, col('r'), QStringLiteral("=p") + n + QStringLiteral("* 20%"));
    sheet_.setCell(r, col('s'), QStringLiteral("=i") + n + QStringLiteral("+r") + n);
    sheet_.setCell(r, col('t'), QStringLiteral("=l") + n);
    sheet_.setCell(r, col('u'), QStringLiteral("=n") + n);
    previous_ = line.department;
}

void InPatientReport::finish() {
    if (row_ == 0) {
        // Nothing in the period: the headings, an empty line and totals over it, never over row 0.
        writeHeader(1, QString());
        writeTotals(6, 5, 5);
        return;
    }
    writeTotals(row_ + 1, first_, row_);
}

void fillInPatientReport(Workbook& book, const std::vector<InPatientLine>& lines) {
    InPatientReport report(book.sheet(1));
    for (const InPatientLine& line : lines)
        report.add(line);
    report.finish();
}

StaffShareReport::StaffShareReport(Worksheet& sheet, const QStringList& doctors, const QStringList& nurses)
    : sheet_(sheet) {
    for (const QString& d : doctors)
        if (!d.isEmpty())
            slots_ << d;
    for (const QString& n : nurses)
        if (!n.isEmpty())
            slots_ << n;
    slots_ << QString(); // the empty slot after the people
    for (int f = 1; f <= int(slots_.size()); ++f) {
        const QString& name = slots_[f - 1];
        sheet_.range(2, 2 * f + 5, 2, 2 * f + 6).merge().setWrapText();
        if (name.isEmpty())
            continue;
        slotsOf_[name].push_back(f);
        putValue(sheet_, 2, 2 * f + 5, name);
        sheet_.setText(3, 2 * f + 5, QStringLiteral("%"));
        sheet_.setText(3, 2 * f + 6, QStringLiteral("сумма"));
    }
}

void StaffShareReport::add(const StaffShareLine& line) {
    const int r = row_;
    sheet_.setNumber(r, 1, r - 3);
    putValue(sheet_, r, 2, line.date);
    putValue(sheet_, r, 3, line.contract);
    putValue(sheet_, r, 4, line.patient);
    putValue(sheet_, r, 5, exact(line.contractSum));
    putValue(sheet_, r, 6, exact(line.salaryFund));
    // A slot of the nurse's name takes the nurse's share, then one of the doctor's name the doctor's,
    // so a slot whose name is both takes the doctor's.
    if (!line.nurse.isEmpty())
        for (int f : slotsOf_.value(line.nurse)) {
            putValue(sheet_, r, 2 * f + 6, exact(line.nurseShare));
            sheet_.setText(r, 2 * f + 5,
                           line.doctor.isEmpty() ? QStringLiteral("100%") : QStringLiteral("30%"));
        }
    if (!line.doctor.isEmpty())
        for (int f : slotsOf_.value(line.doctor)) {
            putValue(sheet_, r, 2 * f + 6, exact(line.doctorShare));
            sheet_.setText(r, 2 * f + 5,
                           line.nurse.isEmpty() ? QStringLiteral("100%") : QStringLiteral("70%"));
        }
    ++row_;
}

void StaffShareReport::finish() {
    const int row = row_ + 1;
    sheet_.setText(row, 1, QStringLiteral("ИТОГО:"));
    for (int f = 1; f <= int(slots_.size()); ++f) {
        const QString letter = columnLetter(2 * f + 6);
        sheet_.setCell(row, 2 * f + 6,
                       QStringLiteral("=sum(") + letter + QStringLiteral("3:") + letter +
                           QString::number(row - 1) + u')');
    }
    const int n = int(slots_.size()) - 1;
    sheet_.range(1, 1, row, 2 * (n + 2) + 6).setBorders();
}

void fillStaffShareReport(Workbook& book, const QStringList& doctors, const QStringList& nurses,
                          const std::vector<StaffShareLine>& lines) {
    StaffShareReport report(book.sheet(1), doctors, nurses);
    for (const StaffShareLine& line : lines)
        report.add(line);
    report.finish();
}

} // namespace zorvel
