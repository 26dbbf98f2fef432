#include "spreadsheet/number_format.h"

#include <gtest/gtest.h>

using namespace zorvel;

namespace {

struct Shown {
    double value;
    const char* format;
    const char* text;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << s.value << " in " << s.format;
}

class DisplayedText : public testing::TestWithParam<Shown> {};

TEST_P(DisplayedText, FollowsTheNumberFormat) {
    EXPECT_EQ(formatNumber(GetParam().value, QString::fromUtf8(GetParam().format)),
              QString::fromUtf8(GetParam().text));
}

// The formats of price lists, registers and reports.
INSTANTIATE_TEST_SUITE_P(
    PriceList, DisplayedText,
    testing::Values(Shown{1234.5, "General", "1234.5"}, Shown{1234, "General", "1234"},
                    Shown{0.1 + 0.2, "General", "0.3"}, Shown{1.0 / 3, "General", "0.333333333"},
                    Shown{-12.75, "General", "-12.75"}, Shown{123456789012.0, "General", "1.23457E+11"},
                    Shown{1234.5, "#,##0.00", "1,234.50"}, Shown{1234567.891, "#,##0.00", "1,234,567.89"},
                    Shown{-1234.5, "#,##0.00", "-1,234.50"}, Shown{0, "#,##0.00", "0.00"},
                    Shown{0.5, "0.00", "0.50"}, Shown{2.675, "0.00", "2.68"}, Shown{1234.5, "#,##0", "1,235"},
                    Shown{7, "000", "007"}, Shown{0.24, "0%", "24%"}, Shown{0.125, "0.0%", "12.5%"},
                    Shown{1500, "#,##0.00\" р.\"", "1,500.00 р."},
                    Shown{1500, "#,##0.00 [$руб.-419]", "1,500.00 руб."},
                    Shown{-5, "#,##0.00;[Red]\\(#,##0.00\\)", "(5.00)"}, Shown{0, "0;-0;\"—\"", "—"},
                    Shown{1234567, "#,##0,\" тыс.\"", "1,235 тыс."}, Shown{12345, "0.00E+00", "1.23E+04"},
                    Shown{45292, "dd.mm.yyyy", "01.01.2024"}, Shown{45292, "d/m/yy", "1/1/24"},
                    Shown{45337.75, "dd.mm.yyyy hh:mm", "15.02.2024 18:00"}, Shown{0.5625, "h:mm", "13:30"},
                    Shown{45292, "d mmmm yyyy", "1 Январь 2024"}, Shown{59, "yyyy-mm-dd", "1900-02-28"},
                    Shown{61, "yyyy-mm-dd", "1900-03-01"}, Shown{0.005, "0.00", "0.01"},
                    Shown{0.096, "0.00", "0.10"}, Shown{999.995, "#,##0.00", "1,000.00"},
                    Shown{1.5, "[h]:mm", "36:00"}));

TEST(DisplayedText, TextCellsShowAsWrittenOrThroughTheTextSection) {
    EXPECT_EQ(formatText(QStringLiteral("Иванов"), QStringLiteral("General")), QStringLiteral("Иванов"));
    EXPECT_EQ(formatText(QStringLiteral("Иванов"), QStringLiteral("#,##0.00")), QStringLiteral("Иванов"));
    EXPECT_EQ(formatText(QStringLiteral("00123"), QStringLiteral("@")), QStringLiteral("00123"));
    EXPECT_EQ(formatText(QStringLiteral("x"), QStringLiteral("0;-0;0;\"код \"@")), QStringLiteral("код x"));
}

TEST(DisplayedText, BuiltInFormatsAreKnownByTheirIds) {
    EXPECT_EQ(builtinNumberFormat(4), QStringLiteral("#,##0.00"));
    EXPECT_EQ(formatNumber(45292, builtinNumberFormat(14)), QStringLiteral("01.01.2024"));
    EXPECT_TRUE(isDateFormat(builtinNumberFormat(14)));
    EXPECT_FALSE(isDateFormat(QStringLiteral("#,##0.00\" руб.\"")));
}

} // namespace
