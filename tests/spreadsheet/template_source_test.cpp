#include "spreadsheet/workbook.h"
#include "templates/template_source.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace zorvel;

namespace {

TEST(TemplateSource, BuildsSheetsCellsAndFormatting) {
    Workbook book = buildTemplate(QStringLiteral("sheet Первый лист\n"
                                                 "# comment\n"
                                                 "\n"
                                                 "width B 20\r\n"
                                                 "width C:D 7,5\n"
                                                 "height 3 40\n"
                                                 "cell B2     Итого:  \n"
                                                 "cell c3 =sum(c1:c2\n"
                                                 "cell D3 1 234\n"
                                                 "cell A5 Строка\\nвторая\n"
                                                 "format D4:D5 # ##0.00 \"р.\"\n"
                                                 "align B2 right\n"
                                                 "align C3 center\n"
                                                 "size B2 8\n"
                                                 "sheet Второй\n"
                                                 "cell A1 42\n"),
                                  QStringLiteral("t.tpl"));
    ASSERT_EQ(book.sheetCount(), 2);
    Worksheet& first = book.sheet(1);
    EXPECT_EQ(first.name(), QStringLiteral("Первый лист"));
    EXPECT_EQ(first.cellText(2, 2), QStringLiteral("Итого:  "));
    EXPECT_EQ(first.cellFormula(3, 3), QStringLiteral("=SUM(C1:C2)"));
    EXPECT_EQ(first.cellText(3, 4), QStringLiteral("1 234")); // a blank inside keeps it text
    EXPECT_EQ(first.cellText(5, 1), QStringLiteral("Строка\nвторая"));
    EXPECT_EQ(first.cellStyle(5, 4).numberFormat, QStringLiteral("# ##0.00 \"р.\""));
    EXPECT_EQ(first.cellStyle(2, 2).horizontal, QStringLiteral("right"));
    EXPECT_DOUBLE_EQ(first.cellStyle(2, 2).fontSize, 8);
    EXPECT_EQ(first.cellStyle(3, 3).vertical, QStringLiteral("center"));
    EXPECT_DOUBLE_EQ(first.rowHeight(3), 40);
    EXPECT_GT(first.columnWidth(4), 7.5);
    EXPECT_EQ(first.columnWidth(5), 0);
    EXPECT_EQ(book.sheet(2).cellValue(1, 1), QStringLiteral("42"));
}

TEST(TemplateSource, ABadLineIsReportedWithItsNumber) {
    struct Case {
        const char* source;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"cell A1 x\n", 1, "first command must be"},
        {"sheet S\n\nwidth A\n", 3, "usage: width"},
        {"sheet S\ncell 1A x\n", 2, "1A"},
        {"sheet S\n# c\nbold A1:B\n", 3, "A1:B"},
        {"sheet S\nalign A1 middle\n", 2, "usage: align"},
        {"sheet S\ncell A1 =sum(a2))\n", 2, "скобка"},
        {"sheet S\nheight x 12\n", 2, "not a number"},
        {"sheet S\nlandscape now\n", 2, "usage: landscape"},
        {"sheet S\nitalic A1\n", 2, "unknown command «italic»"},
        {"sheet S\nsheet S\n", 2, "уже есть"},
    };
    for (const Case& c : cases) {
        try {
            buildTemplate(QString::fromUtf8(c.source), QStringLiteral("bad.tpl"));
            ADD_FAILURE() << c.source;
        } catch (const TemplateSourceError& e) {
            EXPECT_EQ(e.line(), c.line) << c.source;
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("bad.tpl:%1: ").arg(c.line))) << e.what();
            EXPECT_NE(e.message().indexOf(QString::fromUtf8(c.message)), -1) << e.what();
        }
    }
}

} // namespace
