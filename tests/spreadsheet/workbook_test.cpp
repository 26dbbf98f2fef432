#include "spreadsheet/package.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace zorvel;

using test::CellText;
using test::expectCells;

namespace {

class WorkbookTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        templatePath = test::writeSampleTemplate(dir.path());
    }
    QString file(const char* name) const { return QDir(dir.path()).filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    QString templatePath;
};

TEST_F(WorkbookTest, WrittenCellsAndFormattingSurviveASave) {
    Workbook book = Workbook::fromTemplate(templatePath);
    Worksheet& sheet = book.sheet(1);
    sheet.setCell(9, "a", "1");
    sheet.setCell(9, "b", "Коронка металлокерамическая\nс напылением");
    sheet.setCell(9, 9, "2");
    sheet.setCell(9, "J", "1234,5");
    sheet.setCell(10, "b", "Д'Артаньян & <сын>");
    sheet.setCell(10, "j", "-0.75");
    sheet.setCell(11, "b", "_x0041_ как есть");
    sheet.setCell(12, 11, "=sum(k9:k11");
    sheet.setCell(13, "c", "12345678901234567890");
    sheet.setCell(13, "d", "01.02.2024");
    sheet.setNumber(13, 5, 0.1);
    sheet.range("A9:K12").setBorders();
    sheet.range(12, 1, 12, 10).merge();
    sheet.range("A12").setBold().setHorizontalAlignment(HAlignCenter).setVerticalAlignment(VAlignCenter);
    sheet.range("B9").setWrapText().setRowHeight(51);
    sheet.addPageBreakBefore(12);
    book.saveAs(file("filled.xlsx"));

    Workbook back = Workbook::open(file("filled.xlsx"));
    expectCells(back.sheet(1),
                {{"A1", "Договор №\nна оказание платных услуг"},
                 {"A9", "1"},
                 {"B9", "Коронка металлокерамическая\nс напылением"},
                 {"I9", "2"},
                 {"J9", "1,234.50"},
                 {"B10", "Д'Артаньян & <сын>"},
                 {"J10", "-0.75"},
                 {"B11", "_x0041_ как есть"},
                 {"K12", ""},
                 {"C13", "12345678901234567890"},
                 {"D13", "01.02.2024"},
                 {"E13", "0.1"},
                 {"A14", "Да "}},
                "sheet 1", CellText::Displayed);
    expectCells(back.sheet(2),
                {{"A1", "Вторая страница"}, {"A2", "00123"}, {"A3", "123"}, {"B3", "01.01.2024"}}, "sheet 2",
                CellText::Displayed);
    Worksheet& s = back.sheet(1);
    EXPECT_EQ(s.cellValue(9, 10), QStringLiteral("1234.5"));
    EXPECT_EQ(s.cellFormula(12, 11), QStringLiteral("=SUM(K9:K11)"));
    EXPECT_EQ(s.cellFormula(9, 11), QStringLiteral("=I9*J9"));
    EXPECT_EQ(s.cellFormula(5, 8), QStringLiteral("=G5* 24%"));
    EXPECT_EQ(s.mergedRanges(), QStringList({QStringLiteral("A1:K1"), QStringLiteral("A12:J12")}));
    EXPECT_EQ(s.pageBreaks(), QList<int>{12});
    EXPECT_DOUBLE_EQ(s.rowHeight(9), 51);
    EXPECT_DOUBLE_EQ(s.rowHeight(1), 30);
    EXPECT_GT(s.columnWidth(11), 14);
    EXPECT_GT(s.columnWidth(5), 9);
    EXPECT_TRUE(s.isLandscape());
    EXPECT_TRUE(s.fitsToPageWidth());
    EXPECT_EQ(s.usedRowCount(), 14);

    CellStyle total = s.cellStyle(12, 1);
    EXPECT_TRUE(total.bold);
    EXPECT_TRUE(total.bordered);
    EXPECT_EQ(total.horizontal, QStringLiteral("center"));
    EXPECT_EQ(total.vertical, QStringLiteral("center"));
    EXPECT_TRUE(s.cellStyle(9, 2).wrapText);
    EXPECT_FALSE(s.cellStyle(9, 2).bold);
    EXPECT_TRUE(s.cellStyle(10, 11).bordered);
    EXPECT_EQ(s.cellStyle(10, 11).numberFormat, QStringLiteral("#,##0.00"));
    EXPECT_FALSE(s.cellStyle(13, 11).bordered);
    CellStyle heading = s.cellStyle(1, 1);
    EXPECT_TRUE(heading.bold && heading.wrapText);
    EXPECT_DOUBLE_EQ(heading.fontSize, 14);
    EXPECT_EQ(heading.horizontal, QStringLiteral("center"));
}

TEST_F(WorkbookTest, FormulaCellsCarryNoCachedValueAndTheWorkbookAsksForRecalculation) {
    Workbook book = Workbook::fromTemplate(templatePath);
    book.sheet(1).setCell(12, 11, "=sum(k9:k11");
    book.saveAs(file("formula.xlsx"));
    std::string sheet = test::packagePart(file("formula.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("<c r=\"K12\" s="), std::string::npos);
    EXPECT_NE(sheet.find("><f>SUM(K9:K11)</f></c>"), std::string::npos) << sheet;
    EXPECT_NE(test::packagePart(file("formula.xlsx"), "xl/workbook.xml").find("fullCalcOnLoad=\"1\""),
              std::string::npos);
}

// A file as other programs write it: inline strings, shared formulas, cached values, a calculation chain.
TEST_F(WorkbookTest, ReadsInlineStringsAndSharedFormulasAndDropsStaleCachedValues) {
    Workbook::blank().saveAs(file("base.xlsx"));
    Package package = Package::read(file("base.xlsx"));
    package.setPart("xl/worksheets/sheet1.xml",
                    R"(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="inlineStr"><is><t>Цена</t></is></c><c r="B1" t="inlineStr"><is><r><t>Кол</t></r><r><t>-во</t></r></is></c></row>
<row r="2"><c r="A2"><v>10</v></c><c r="B2"><v>3</v></c><c r="C2"><f t="shared" ref="C2:C3" si="0">A2*B2</f><v>30</v></c></row>
<row r="3"><c r="A3"><v>5</v></c><c r="B3"><v>2</v></c><c r="C3"><f t="shared" si="0"/><v>10</v></c></row>
</sheetData></worksheet>)");
    package.write(file("foreign.xlsx"));

    Workbook book = Workbook::open(file("foreign.xlsx"));
    Worksheet& sheet = book.sheet(1);
    EXPECT_EQ(sheet.cellText(1, 1), QStringLiteral("Цена"));
    EXPECT_EQ(sheet.cellText(1, 2), QStringLiteral("Кол-во"));
    EXPECT_EQ(sheet.cellText(3, 3), QStringLiteral("10"));
    EXPECT_EQ(sheet.cellFormula(3, 3), QStringLiteral("=A3*B3"));
    sheet.setCell(3, 1, "7");
    book.saveAs(file("changed.xlsx"));
    std::string xml = test::packagePart(file("changed.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_NE(xml.find("<c r=\"C3\"><f>A3*B3</f></c>"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<v>30</v>"), std::string::npos) << xml;
}

TEST_F(WorkbookTest, KeepsWhatItDoesNotTouchAndAddsNoDuplicateStyles) {
    Workbook book = Workbook::fromTemplate(templatePath);
    book.sheet(1).range("A9:K9").setBorders().setBold();
    book.saveAs(file("once.xlsx"));
    Workbook again = Workbook::open(file("once.xlsx"));
    again.sheet(1).range("A9:K9").setBorders().setBold();
    again.sheet(1).range("A9:K9").setBold();
    again.saveAs(file("twice.xlsx"));
    EXPECT_EQ(test::packagePart(file("once.xlsx"), "xl/styles.xml"),
              test::packagePart(file("twice.xlsx"), "xl/styles.xml"));

    // The untouched sheet is byte for byte the template's sheet, print setup and widths included.
    for (const char* part : {"xl/worksheets/sheet2.xml"})
        EXPECT_EQ(test::packagePart(templatePath, part), test::packagePart(file("twice.xlsx"), part));
    Workbook back = Workbook::open(file("twice.xlsx"));
    EXPECT_EQ(back.sheetCount(), 2);
    EXPECT_EQ(back.sheet(2).name(), QStringLiteral("Справка"));
    EXPECT_EQ(back.sheet(1).mergedRanges(), QStringList{QStringLiteral("A1:K1")});
    EXPECT_TRUE(back.sheet(1).isLandscape());
}

TEST_F(WorkbookTest, RowsAndCellsStaySortedWhateverTheWritingOrder) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    sheet.setCell(30, "c", "3");
    sheet.setCell(2, "aa", "2");
    sheet.setCell(30, "a", "1");
    sheet.setCell(2, "b", "0");
    book.saveAs(file("order.xlsx"));
    std::string xml = test::packagePart(file("order.xlsx"), "xl/worksheets/sheet1.xml");
    size_t b2 = xml.find("r=\"B2\""), aa2 = xml.find("r=\"AA2\""), a30 = xml.find("r=\"A30\""),
           c30 = xml.find("r=\"C30\"");
    EXPECT_TRUE(b2 < aa2 && aa2 < a30 && a30 < c30) << xml;
    EXPECT_NE(xml.find("<dimension ref=\"A2:AA30\"/>"), std::string::npos) << xml;
    EXPECT_EQ(Workbook::open(file("order.xlsx")).sheet(1).usedRowCount(), 29);
}

TEST_F(WorkbookTest, BadInputGivesAClearErrorAndNoFile) {
    QFile text(file("note.xlsx"));
    text.open(QIODevice::WriteOnly);
    text.write("это не книга");
    text.close();
    Workbook::blank().saveAs(file("ok.xlsx"));
    Package notBook = Package::read(file("ok.xlsx"));
    notBook.removePart("xl/workbook.xml");
    notBook.write(file("hollow.xlsx"));

    struct Case {
        const char* what;
        std::function<void()> action;
        const char* message;
    };
    Workbook book = Workbook::fromTemplate(templatePath);
    const Case cases[] = {
        {"missing file", [&] { Workbook::open(file("nowhere.xlsx")); }, "не найден"},
        {"not a zip", [&] { Workbook::open(file("note.xlsx")); }, "повреждён"},
        {"zip without a workbook", [&] { Workbook::open(file("hollow.xlsx")); }, "не является книгой"},
        {"sheet beyond the workbook", [&] { book.sheet(3); }, "нет листа 3"},
        {"sheet 0", [&] { book.sheet(0); }, "нет листа 0"},
        {"row 0", [&] { book.sheet(1).setCell(0, 1, "x"); }, "строки 0"},
        {"row beyond the sheet", [&] { book.sheet(1).setCell(1048577, 1, "x"); }, "строки 1048577"},
        {"column beyond the sheet", [&] { book.sheet(1).setCell(1, 16385, "x"); }, "столбца 16385"},
        {"column letters", [&] { book.sheet(1).setCell(1, "ZZZZ", "x"); }, "ZZZZ"},
        {"range text", [&] { book.sheet(1).range("A1:K"); }, "A1:K"},
        {"extra parenthesis", [&] { book.sheet(1).setCell(12, 11, "=sum(k9:k11))"); }, "скобка"},
        {"alignment code", [&] { book.sheet(1).range("A1").setHorizontalAlignment(99); }, "99"},
        {"folder missing", [&] { book.saveAs(file("no/such/folder/out.xlsx")); }, "не существует"},
        {"closed workbook", [&] { Workbook().sheet(1); }, "закрыта"},
    };
    for (const Case& c : cases) {
        try {
            c.action();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const SpreadsheetError& e) {
            EXPECT_NE(e.message().indexOf(QString::fromUtf8(c.message)), -1) << c.what << ": " << e.what();
        }
    }
    // The refused formula left the cell as it was.
    EXPECT_EQ(book.sheet(1).cellFormula(12, 11), QString());
    // Saves leave only finished files behind.
    book.saveAs(file("ok.xlsx"));
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, QStringList({QStringLiteral("hollow.xlsx"), QStringLiteral("note.xlsx"),
                                  QStringLiteral("ok.xlsx"), QStringLiteral("sample.xlsx")}));
}

} // namespace

namespace {

// A merge replaces the merged ranges it overlaps, whether they were merged here, moved by an insertion of
// rows or read from the file.
TEST(Merges, ANewMergeReplacesExactlyTheRangesItOverlaps) {
    QTemporaryDir dir;
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    sheet.range("A1:C1").merge();
    sheet.range("A2:A5").merge();
    sheet.range("B3:D3").merge();
    sheet.range("A4:B4").merge();
    EXPECT_EQ(sheet.mergedRanges(), (QStringList{"A1:C1", "B3:D3", "A4:B4"}));
    sheet.insertRows(1, 2);
    sheet.range("A5:A6").merge();
    EXPECT_EQ(sheet.mergedRanges(), (QStringList{"A3:C3", "B5:D5", "A5:A6"}));
    const QString path = QDir(dir.path()).filePath("merges.xlsx");
    book.saveAs(path);
    Workbook read = Workbook::open(path);
    read.sheet(1).range("C3:C3").merge();
    EXPECT_EQ(read.sheet(1).mergedRanges(), (QStringList{"B5:D5", "A5:A6"}));
}

} // namespace
