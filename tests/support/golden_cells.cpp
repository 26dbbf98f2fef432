#include "tests/support/golden_cells.h"

#include "spreadsheet/cell_reference.h"
#include "spreadsheet/worksheet.h"

#include <gtest/gtest.h>

namespace zorvel::test {

void expectCells(const Worksheet& sheet, const std::vector<GoldenCell>& cells, const std::string& what,
                 CellText compared) {
    for (const GoldenCell& c : cells) {
        // Throws for a text that is not a cell: a mistyped table fails instead of checking nothing.
        const CellPosition at = parseCell(QString::fromLatin1(c.cell));
        const QString expected = QString::fromUtf8(c.text);
        const QString actual = expected.startsWith(u'=')         ? sheet.cellFormula(at.row, at.column)
                               : compared == CellText::Displayed ? sheet.cellText(at.row, at.column)
                                                                 : sheet.cellValue(at.row, at.column);
        EXPECT_EQ(actual, expected) << what << " " << c.cell;
    }
}

} // namespace zorvel::test
