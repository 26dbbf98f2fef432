#pragma once

#include "reports/report_period.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace zorvel {

class Workbook;
class Worksheet;

// The in-patient query on the database's procedure econom, and the staff-share queries on econom_oft.
// The procedures take the period as two DD.MM.YYYY texts.
QString inPatientQuery(const ReportPeriod& period);
QString staffDoctorsQuery(const ReportPeriod& period);
QString staffNursesQuery(const ReportPeriod& period);
QString staffShareQuery(const ReportPeriod& period);

// One line of the in-patient report: a patient's contract in a department on a date, with the sums the
// procedure gives (texts as read).
struct InPatientLine {
    QString patient, contract, department, date;
    QString operation;   // sum(oper)
    QString contractSum; // sum(summadog)
    QString anaesthesia; // sum(anst)
    QString bedDays;     // sum(koik)
};

// Writes the in-patient report line by line: a block per department (its name, three heading rows,
// the lines numbered from 1, a totals row), one empty row between blocks. Column g, the salary base of
// the operation that the department's 24 % (i) and the operating block's 6 % (n) are taken from, is the
// operation's whole sum: =f of the same row, as p repeats o for the bed-days.
class InPatientReport {
public:
    explicit InPatientReport(Worksheet& sheet);
    void add(const InPatientLine& line);
    // The last block's totals. A period without lines gets one block of headings with an empty
    // department name, an empty line 5 and totals over it in row 6.
    void finish();

private:
    void writeHeader(int row, const QString& department);
    void writeTotals(int row, int first, int last);

    Worksheet& sheet_;
    int row_ = 0;
    int first_ = 0;
    int number_ = 0;
    QString previous_;
};

void fillInPatientReport(Workbook& book, const std::vector<InPatientLine>& lines);

// One line of the staff-share report.
struct StaffShareLine {
    QString date, contract, patient, doctor, nurse;
    QString contractSum; // sum(summadog)
    QString salaryFund;  // sum(zarpl)
    QString nurseShare;  // sum(dmed)
    QString doctorShare; // sum(ddoc)
};

// Writes the staff-share report: a pair of columns per person (the doctors first, then the nurses) from
// G/H on, and one empty pair after them; the lines from row 4; "ИТОГО:" one row below the last line with
// each pair's total; borders from A1 to two columns past the empty pair. There is a pair for everybody,
// however many people took part.
class StaffShareReport {
public:
    StaffShareReport(Worksheet& sheet, const QStringList& doctors, const QStringList& nurses);
    void add(const StaffShareLine& line);
    void finish();

    int slotCount() const { return int(slots_.size()); } // the people and the empty slot

private:
    Worksheet& sheet_;
    QStringList slots_;
    QHash<QString, std::vector<int>> slotsOf_;
    int row_ = 4;
};

void fillStaffShareReport(Workbook& book, const QStringList& doctors, const QStringList& nurses,
                          const std::vector<StaffShareLine>& lines);

} // namespace zorvel
