#pragma once

#include <QString>
#include <QStringView>

// Cell and range addresses: column letters and numbers, "K9", "A9:K12". Rows and columns count from 1.

namespace zorvel {

inline constexpr int MaxRows = 1048576;
inline constexpr int MaxColumns = 16384;

struct CellPosition {
    int row = 0;
    int column = 0;
};

struct RangePosition {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;
};

// "a" -> 1, "K" -> 11, "xfd" -> 16384; throws SpreadsheetError for anything else.
int columnNumber(QStringView letters);
// 11 -> "K"; throws SpreadsheetError outside 1..MaxColumns.
QString columnLetters(int column);
// (9, 11) -> "K9".
QString cellName(int row, int column);
// Throws SpreadsheetError when the row or the column lies outside the sheet.
void checkCell(int row, int column);
// "K9" or "$K$9", any letter case.
CellPosition parseCell(QStringView address);
// "A9:K12" or a single cell "K9"; the corners come back ordered (first <= last).
RangePosition parseRange(QStringView address);
// The A1 text of a range, a single cell without the colon.
QString rangeName(const RangePosition& range);

} // namespace zorvel
