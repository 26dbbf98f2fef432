#include "data/errors.h"
#include "data/filter.h"

#include <gtest/gtest.h>

namespace zorvel {
namespace {

TEST(ResultColumnNames, unnamedColumnsAreNumberedAndRepeatedNamesGetSuffixes) {
    struct Case {
        std::vector<QString> reported;
        std::vector<QString> named;
    } cases[] = {
        {{"", "", ""}, {"F_1", "F_2", "F_3"}},
        {{"SUM", "SUM", "SUM", "SUM", "SUM"}, {"SUM", "SUM1", "SUM2", "SUM3", "SUM4"}},
        {{"dndog", "", "DNDOG", ""}, {"DNDOG", "F_1", "DNDOG1", "F_2"}},
        {{QString(31, 'A'), QString(31, 'A')}, {QString(31, 'A'), QString(30, 'A') + "1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nameResultColumns(c.reported), c.named);
}

TEST(Filters, valuesWithApostrophesRoundTripAndMalformedTextsAreRefused) {
    QString text = equalsTerm("fam", "Д'Артаньян") + " and " + prefixTerm("kodgvv", "3");
    EXPECT_EQ(text, QStringLiteral("fam='Д''Артаньян' and kodgvv= '3*'"));
    auto terms = parseFilter(text);
    ASSERT_EQ(terms.size(), 2u);
    EXPECT_EQ(terms[0].value, QStringLiteral("Д'Артаньян"));
    EXPECT_FALSE(terms[0].prefix);
    EXPECT_EQ(terms[1].value, QStringLiteral("3"));
    EXPECT_TRUE(terms[1].prefix);
    EXPECT_TRUE(parseFilter("  ").empty());
    // A star typed at the end of a value is the value's own, not a prefix match.
    struct StarCase {
        QString text;
        QString value;
        bool prefix;
    } stars[] = {
        {equalsTerm("fam", "Звезда*"), "Звезда*", false},
        {prefixTerm("fam", "Звезда*"), "Звезда*", true},
        {prefixTerm("kodgvv", "3"), "3", true},
        {"fam='a**'", "a*", false},
    };
    for (const StarCase& c : stars) {
        auto t = parseFilter(c.text);
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].value, c.value) << c.text.toStdString();
        EXPECT_EQ(t[0].prefix, c.prefix) << c.text.toStdString();
    }
    for (const char* bad : {"fam=Иванов", "fam='Иванов", "fam='a' or nam='b'", "='a'", "fam='a' and"})
        EXPECT_THROW(parseFilter(QString::fromUtf8(bad)), DataError) << bad;
}

} // namespace
} // namespace zorvel
