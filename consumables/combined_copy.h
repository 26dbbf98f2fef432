#pragma once

#include <QString>
#include <vector>

namespace zorvel {

class DataSet;
class Worksheet;

// Copies every row of an open dataset into a sheet: the titles in row 1, the rows from row 2, each value
// typed (a number column's values as numbers, a text column's as texts even when they hold digits, NULL
// as an empty cell). Every column is copied, in the dataset's order.
void copyDataSetToSheet(DataSet& dataSet, const std::vector<QString>& titles, Worksheet& sheet);

} // namespace zorvel
