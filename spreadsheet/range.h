#pragma once

#include "spreadsheet/cell_reference.h"

#include <QString>

namespace zorvel {

class Worksheet;

// Alignment codes as callers pass them (the classic spreadsheet automation numbers).
enum HorizontalAlignment : int {
    HAlignGeneral = 1,
    HAlignLeft = 2,
    HAlignCenter = 3,
    HAlignRight = 4,
    HAlignFill = 5,
    HAlignJustify = 6,
    HAlignCenterAcrossSelection = 7,
};
enum VerticalAlignment : int { VAlignTop = 1, VAlignCenter = 2, VAlignBottom = 3, VAlignJustify = 4 };
// Border line styles: continuous (a thin line) and none.
enum LineStyle : int { LineContinuous = 1, LineNone = -4142 };

// A rectangle of cells of one worksheet to format at once; it refers to the sheet, which must outlive it.
// Formatting reaches every cell of the rectangle, blank ones included. Calls chain:
// sheet.range("A9:K12").setBorders().setBold().
class Range {
public:
    Range(Worksheet& sheet, const RangePosition& position);

    const RangePosition& position() const { return position_; }
    QString address() const { return rangeName(position_); }

    // Merges into one cell showing the top-left value; the other values are cleared.
    Range& merge();
    Range& setWrapText(bool on = true);
    // 1 general, 2 left, 3 center, 4 right, 5 fill, 6 justify, 7 center across selection; the named
    // constants (-4131 left, -4108 center, -4152 right) are taken too. Others throw SpreadsheetError.
    Range& setHorizontalAlignment(int alignment);
    // 1 top, 2 center, 3 bottom, 4 justify; also -4160 top, -4108 center, -4107 bottom.
    Range& setVerticalAlignment(int alignment);
    Range& setBold(bool on = true);
    Range& setFontSize(double points);
    // Line style 1 draws a thin continuous line around every cell; -4142 removes the lines.
    Range& setBorders(int lineStyle = LineContinuous);
    Range& setNumberFormat(const QString& code);
    Range& setRowHeight(double points);

private:
    Worksheet* sheet_;
    RangePosition position_;
};

} // namespace zorvel
