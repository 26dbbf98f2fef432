#include "spreadsheet/package.h"
#include "spreadsheet/workbook.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>

using namespace zorvel;

namespace {

class LargeSheetTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString file(const char* name) const { return QDir(dir.path()).filePath(QString::fromUtf8(name)); }
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }

    QTemporaryDir dir;
};

// A report of many rows: its sheet is written in many pieces, each text is stored once in the string
// table, and borders over the whole table add one cell format, not one per cell.
TEST_F(LargeSheetTest, ManyRowsSaveWholeWithTextsSharedAndOneFormatPerLook) {
    const int rows = 20000;
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    for (int r = 3; r < 3 + rows; ++r) {
        sheet.setNumber(r, 1, r - 2);
        sheet.setText(r, 2, r % 2 ? QStringLiteral("Иванов") : QStringLiteral("Д'Артаньян & <сын>"));
        sheet.setCell(r, 3, QString::number(r) + QStringLiteral(",25"));
        sheet.setCell(r, 4, QStringLiteral("=a%1*c%1").arg(r));
        sheet.setCell(r, 5, QStringLiteral("Услуга №%1").arg(r));
    }
    const int total = rows + 4;
    sheet.range(total, 1, total, 5).setBold();
    sheet.setCell(total, 4, QStringLiteral("=sum(d3:d%1").arg(rows + 3));
    sheet.range(2, 1, total, 5).setBorders();
    book.saveAs(file("large.xlsx"));

    const std::string xml = test::packagePart(file("large.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_GT(xml.size(), size_t(3) << 20);           // more than a few of the writer's pieces
    EXPECT_EQ(count(xml, "<row "), size_t(rows + 3)); // the bordered heading row to the totals

    EXPECT_EQ(xml.substr(xml.size() - 12), "</worksheet>");
    const std::string strings = test::packagePart(file("large.xlsx"), "xl/sharedStrings.xml");
    EXPECT_EQ(count(strings, "<si>"), size_t(2 + rows));
    EXPECT_NE(strings.find("count=\"" + std::to_string(2 * rows) + "\""), std::string::npos);
    // The default format, bold, bordered, bordered and bold.
    const std::string styles = test::packagePart(file("large.xlsx"), "xl/styles.xml");
    EXPECT_EQ(count(styles.substr(styles.find("<cellXfs")), "<xf "), size_t(4));

    // Parts written piece by piece still get plain zip entries (version 2.0, no Zip64 fields), as
    // some spreadsheet programs open nothing else.
    QFile zip(file("large.xlsx"));
    ASSERT_TRUE(zip.open(QIODevice::ReadOnly));
    const QByteArray bytes = zip.readAll();
    const QByteArray localHeader("PK\x03\x04", 4);
    int entries = 0;
    for (qsizetype at = bytes.indexOf(localHeader); at >= 0 && at + 30 <= bytes.size();
         at = bytes.indexOf(localHeader, at + 4)) {
        const auto u16 = [&](qsizetype i) {
            return int(uchar(bytes[at + i])) | int(uchar(bytes[at + i + 1])) << 8;
        };
        if (u16(26) > 255)
            continue; // bytes inside compressed data that happen to look like a header
        ++entries;
        EXPECT_EQ(u16(4), 20) << "entry " << entries;
        EXPECT_EQ(u16(28), 0) << "entry " << entries;
    }
    EXPECT_GE(entries, 6);

    Workbook back = Workbook::open(file("large.xlsx"));
    Worksheet& s = back.sheet(1);
    for (int r : {3, 4, 10000, rows + 2}) {
        SCOPED_TRACE(r);
        EXPECT_EQ(s.cellValue(r, 1), QString::number(r - 2));
        EXPECT_EQ(s.cellText(r, 2), r % 2 ? QStringLiteral("Иванов") : QStringLiteral("Д'Артаньян & <сын>"));
        EXPECT_EQ(s.cellValue(r, 3), QString::number(r) + QStringLiteral(".25"));
        EXPECT_EQ(s.cellFormula(r, 4), QStringLiteral("=A%1*C%1").arg(r));
        EXPECT_EQ(s.cellText(r, 5), QStringLiteral("Услуга №%1").arg(r));
        EXPECT_TRUE(s.cellStyle(r, 5).bordered);
    }
    EXPECT_EQ(s.cellFormula(total, 4), QStringLiteral("=SUM(D3:D%1)").arg(rows + 3));
    EXPECT_TRUE(s.cellStyle(total, 1).bold && s.cellStyle(total, 1).bordered);
    EXPECT_TRUE(s.cellStyle(rows + 3, 3).bordered); // the empty row above the totals
    EXPECT_EQ(s.usedRange().lastRow, total);
}

// One cell written over and over keeps only what was written last, through a row insertion too.
TEST_F(LargeSheetTest, ACellOverwrittenKeepsOnlyItsLastValue) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    struct Step {
        const char* written;
        const char* value;
        const char* formula;
    };
    const Step steps[] = {{"текст", "текст", ""}, {"=b1+1", "", "=B1+1"},
                          {"12,5", "12.5", ""},   {"=sum(b1:b3", "", "=SUM(B1:B3)"},
                          {"", "", ""},           {"другой", "другой", ""}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.written);
        sheet.setCell(5, 1, QString::fromUtf8(step.written));
        EXPECT_EQ(sheet.cellValue(5, 1), QString::fromUtf8(step.value));
        EXPECT_EQ(sheet.cellFormula(5, 1), QString::fromUtf8(step.formula));
    }
    sheet.setCell(6, 1, QStringLiteral("=a5&\"!\""));
    sheet.insertRows(2, 3);
    EXPECT_EQ(sheet.cellValue(8, 1), QStringLiteral("другой"));
    EXPECT_EQ(sheet.cellFormula(8, 1), QString());
    EXPECT_EQ(sheet.cellFormula(9, 1), QStringLiteral("=A8&\"!\""));
    sheet.range("A8:B9").merge();
    EXPECT_EQ(sheet.cellFormula(9, 1), QString());
    book.saveAs(file("overwritten.xlsx"));
    const std::string xml = test::packagePart(file("overwritten.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_EQ(xml.find("<f>"), std::string::npos) << xml;
    EXPECT_EQ(Workbook::open(file("overwritten.xlsx")).sheet(1).cellText(8, 1), QStringLiteral("другой"));
}

// A workbook opened and saved unchanged keeps what other programs stored: the values formulas last
// computed, booleans, errors.
TEST_F(LargeSheetTest, AnUnchangedWorkbookKeepsCachedValuesBooleansAndErrors) {
    Workbook::blank().saveAs(file("base.xlsx"));
    Package package = Package::read(file("base.xlsx"));
    package.setPart("xl/worksheets/sheet1.xml",
                    R"(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="e"><v>#DIV/0!</v></c><c r="C1" t="str"><f>"а"&amp;"б"</f><v>аб</v></c><c r="D1"><f>2*3</f><v>6</v></c></row>
</sheetData></worksheet>)");
    package.write(file("foreign.xlsx"));

    Workbook book = Workbook::open(file("foreign.xlsx"));
    Worksheet& sheet = book.sheet(1);
    EXPECT_EQ(sheet.cellText(1, 1), QStringLiteral("TRUE"));
    EXPECT_EQ(sheet.cellText(1, 2), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(sheet.cellText(1, 3), QStringLiteral("аб"));
    EXPECT_EQ(sheet.cellText(1, 4), QStringLiteral("6"));
    book.saveAs(file("same.xlsx"));
    const std::string xml = test::packagePart(file("same.xlsx"), "xl/worksheets/sheet1.xml");
    for (const char* kept : {"<c r=\"A1\" t=\"b\"><v>1</v></c>", "<c r=\"B1\" t=\"e\"><v>#DIV/0!</v></c>",
                             "<c r=\"C1\" t=\"str\"><f>&quot;а&quot;&amp;&quot;б&quot;</f><v>аб</v></c>",
                             "<c r=\"D1\"><f>2*3</f><v>6</v></c>"})
        EXPECT_NE(xml.find(kept), std::string::npos) << kept << "\n" << xml;
}

} // namespace
