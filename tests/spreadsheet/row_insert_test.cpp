// Rows inserted into a sheet: what lies below moves down with everything that names it, in memory, after
// a save, and as a spreadsheet program computes it.

#include "spreadsheet/package.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace zorvel;

using test::CellText;
using test::expectCells;

namespace {

class RowInsertTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString file(const char* name) const { return QDir(dir.path()).filePath(QString::fromUtf8(name)); }

    // A table K9:K20 with its sum below, formulas above and below the insertion point, a second sheet
    // pointing into the first, merges, heights, page breaks and a print area; saved, as a template would be.
    QString tableWorkbook() {
        Workbook book = Workbook::blank();
        Worksheet& sheet = book.sheet(1);
        sheet.setName(QStringLiteral("Договор"));
        sheet.setCell(9, "k", QStringLiteral("1"));
        sheet.setCell(14, "k", QStringLiteral("2"));
        sheet.setCell(15, "k", QStringLiteral("3"));
        sheet.setCell(20, "k", QStringLiteral("4"));
        sheet.setCell(15, "b", QStringLiteral("Осмотр"));
        sheet.setCell(21, "a", QStringLiteral("Итого"));
        sheet.setCell(21, "k", QStringLiteral("=sum(k9:k20"));
        sheet.setCell(7, "b", QStringLiteral("=$K$20+K15"));
        sheet.setCell(8, "b", QStringLiteral("=K14*2"));
        sheet.setCell(22, "a", QStringLiteral("=SUM(15:16)"));
        sheet.range("B9:H9").merge();
        sheet.range("B15:H15").merge();
        sheet.range("A12:A16").merge();
        sheet.setRowHeight(14, 20);
        sheet.setRowHeight(15, 30);
        sheet.addPageBreakBefore(10);
        sheet.addPageBreakBefore(15);
        Worksheet& other = book.addSheet(QStringLiteral("Свод"));
        other.setCell(1, "a", QStringLiteral("='Договор'!K20"));
        other.setCell(2, "a", QStringLiteral("=Договор!K14+Договор!K15"));
        other.setCell(3, "a", QStringLiteral("=K20"));
        const QString path = file("table.xlsx");
        book.saveAs(path);
        // The engine writes no defined names; a print area as a template carries it.
        Package package = Package::read(path);
        std::string workbook = package.part("xl/workbook.xml");
        workbook.insert(workbook.find("</sheets>") + 9,
                        "<definedNames><definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">"
                        "'Договор'!$A$1:$L$22</definedName></definedNames>");
        package.setPart("xl/workbook.xml", workbook);
        package.write(path);
        return path;
    }

    QTemporaryDir dir;
};

// Three rows before row 15: row 15 and below move to 18 and below, references to them follow.
void expectInserted(const Workbook& book) {
    expectCells(book.sheet(1),
                {{"K9", "1"},
                 {"K14", "2"},
                 {"K15", ""},
                 {"K17", ""},
                 {"K18", "3"},
                 {"B18", "Осмотр"},
                 {"K23", "4"},
                 {"A24", "Итого"},
                 {"K24", "=SUM(K9:K23)"},
                 {"B7", "=$K$23+K18"},
                 {"B8", "=K14*2"},
                 {"A25", "=SUM(18:19)"}},
                "sheet 1", CellText::Displayed);
    expectCells(book.sheet(2), {{"A1", "='Договор'!K23"}, {"A2", "=Договор!K14+Договор!K18"}, {"A3", "=K20"}},
                "sheet 2", CellText::Displayed);
    const Worksheet& sheet = book.sheet(1);
    EXPECT_EQ(sheet.mergedRanges(), (QStringList{"B9:H9", "B18:H18", "A12:A19"}));
    EXPECT_EQ(sheet.rowHeight(14), 20);
    EXPECT_EQ(sheet.rowHeight(15), 0);
    EXPECT_EQ(sheet.rowHeight(18), 30);
    EXPECT_EQ(sheet.pageBreaks(), (QList<int>{10, 18}));
}

TEST_F(RowInsertTest, EverythingBelowMovesAndSurvivesASave) {
    Workbook book = Workbook::open(tableWorkbook());
    book.sheet(1).insertRows(15, 3);
    expectInserted(book);
    book.saveAs(file("inserted.xlsx"));

    Workbook reopened = Workbook::open(file("inserted.xlsx"));
    expectInserted(reopened);
    EXPECT_NE(test::packagePart(file("inserted.xlsx"), "xl/workbook.xml")
                  .find("<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">'Договор'!$A$1:$L$25<"),
              std::string::npos);
}

// New lines of a ruled table look like the line above them: height, borders, merges.
TEST_F(RowInsertTest, NewRowsTakeTheFormatOfTheRowAbove) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    sheet.range("A9:L10").setBorders();
    sheet.range("B9:H9").merge();
    sheet.range("K9:L9").merge();
    sheet.setRowHeight(9, 27);
    sheet.setCell(9, "b", QStringLiteral("Осмотр"));
    sheet.insertRows(10, 2, InsertedRows::LikeRowAbove);
    for (int row : {10, 11}) {
        EXPECT_EQ(sheet.rowHeight(row), 27) << row;
        EXPECT_TRUE(sheet.cellStyle(row, 12).bordered) << row;
        EXPECT_EQ(sheet.cellText(row, 2), QString()) << row;
    }
    EXPECT_TRUE(sheet.mergedRanges().contains(QStringLiteral("B11:H11")));
    EXPECT_TRUE(sheet.mergedRanges().contains(QStringLiteral("K10:L10")));
    EXPECT_TRUE(sheet.cellStyle(12, 1).bordered); // the old row 10
}

TEST_F(RowInsertTest, RefusesWhatCannotBeInserted) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    EXPECT_THROW(sheet.insertRows(0, 1), SpreadsheetError);
    EXPECT_THROW(sheet.insertRows(MaxRows + 1, 1), SpreadsheetError);
    EXPECT_THROW(sheet.insertRows(5, -1), SpreadsheetError);
    EXPECT_THROW(sheet.insertRows(1, 1, InsertedRows::LikeRowAbove), SpreadsheetError);
    sheet.setCell(MaxRows - 1, 1, QStringLiteral("x"));
    EXPECT_THROW(sheet.insertRows(10, 2), SpreadsheetError);
    EXPECT_EQ(sheet.cellText(MaxRows - 1, 1), QStringLiteral("x"));
}

// A spreadsheet program reads the moved table as we meant it: the grown sum and the moved references.
TEST_F(RowInsertTest, LibreOfficeComputesTheMovedSum) {
    if (!test::haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    Workbook book = Workbook::open(tableWorkbook());
    book.sheet(1).insertRows(15, 3);
    book.sheet(1).setCell(17, "k", QStringLiteral("10")); // a new row inside the table counts
    const test::ComputedSheet computed(book);
    ASSERT_GE(computed.rowCount(), 24);
    auto at = [&](int row, int column) { return computed.at(row, column); };
    EXPECT_EQ(at(24, 11), QStringLiteral("20")); // =SUM(K9:K23)
    EXPECT_EQ(at(7, 2), QStringLiteral("7"));    // =$K$23+K18
    EXPECT_EQ(at(8, 2), QStringLiteral("4"));    // =K14*2
}

} // namespace
