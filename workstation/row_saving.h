#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace zorvel {

class DataSet;

// The steps every entry screen saves a row by: the row written column by column as text and posted;
// after the commit, the dataset read again and standing on the saved row.

// Column names with their texts, in the order they are written.
using ColumnTexts = std::vector<std::pair<QString, QString>>;

// Inserts a row of `values` and posts it. A value the data layer or the server refuses (a quantity that
// is not a whole number) cancels the new row, so nothing is left pending, and the error travels on.
void insertRow(DataSet& dataSet, const ColumnTexts& values);

// Closes and opens a services register and stands on the row of the service date and time kept from the
// save (`data_usl;time_us`).
void reopenAt(DataSet& serviceRegister, const QString& date, const QString& time);

} // namespace zorvel
