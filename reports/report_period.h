#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace zorvel {

// The period of a report: the first and the last service date, both included.
struct ReportPeriod {
    QDate start;
    QDate end;

    // "05.03.2026", as the dates are stored and as the titles and the stored procedures take them.
    QString startText() const;
    QString endText() const;
};

// What a period's two date fields hold, read or refused with the message the user is shown.
struct PeriodInput {
    std::optional<ReportPeriod> period;
    QString error;
};

// Reads the texts of the "Начало" and "Окончание" fields (DD.MM.YYYY). An empty or half-typed date and a
// start after the end are refused with a message; nothing is asked of the server then.
PeriodInput readPeriod(const QString& startText, const QString& endText);

// The period condition on the services register: `DATA_USL` read as a date by the server lies from the
// first to the last day. The dates go in as ISO literals (YYYY-MM-DD), which the server reads the same
// whatever date style the workstation or the server is set to; the expression is the one an index on
// cast(DATA_USL as date) serves, so a month is found without reading the year.
QString periodCondition(const ReportPeriod& period);

// A typed value as an SQL text literal: in apostrophes, an apostrophe inside written twice.
QString sqlText(const QString& value);

} // namespace zorvel
