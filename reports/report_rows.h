#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace zorvel {

class Connection;
class SqlStatement;

// A report's query read once from the first row to the last, on the workstation's connection and
// transaction. Rows are handed on one at a time and not kept, so a year's report takes no more memory
// than a day's. Columns are named as the datasets name them (F_1 for an unnamed one, SUM, SUM1 ... for
// repeated names). A server error (a DATA_USL that is not a date, a SUMMA that is not a number) is
// thrown as DbError from the call that met it.
class ReportRows {
public:
    ReportRows(Connection& connection, const QString& sql);
    ~ReportRows();

    // Moves to the next row; false after the last.
    bool next();
    // The column of that name (any case); throws DataError when the result has none.
    int column(const QString& name) const;
    // The current row's value as text; NULL reads as an empty text.
    QString text(int column) const;

private:
    std::unique_ptr<SqlStatement> statement_;
    std::vector<QString> names_;
};

} // namespace zorvel
