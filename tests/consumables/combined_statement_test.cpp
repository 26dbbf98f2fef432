// The combined table's statement as its three texts and the period make it.

#include "consumables/combined_statement.h"

#include <gtest/gtest.h>

namespace zorvel {
namespace {

const char* const kDefaultSelect =
    "select "
    "fam,nam,oth,SERIA,NOMER,VIDAN,ADRESS,NDOG,TIP_POM,OTDELENIE,FIOV,MEDSESTR,TEHN,DATNAR,NOMNAR,DATA_USL,"
    "TIME_US,DATAISP,KODGVV,KOD,SIMV,KOL,NAME,SUMMA,PROVER,CHOPL from people";
const char* const kDefaultGroup =
    "group by "
    "fam,nam,oth,SERIA,NOMER,VIDAN,ADRESS,NDOG,TIP_POM,OTDELENIE,FIOV,MEDSESTR,TEHN,DATNAR,NOMNAR,DATA_USL,"
    "TIME_US,DATAISP,KODGVV,KOD,SIMV,KOL,NAME,SUMMA,PROVER,CHOPL";

TEST(CombinedStatement, isBuiltFromItsTextsAndThePeriod) {
    const VisibleTexts nameAndSum = visibleTexts({"fam, ", "SUMMA, "});
    const VisibleTexts none = visibleTexts({});
    const struct {
        CombinedTexts texts;
        const char* from;
        const char* to;
        QString expected;
    } cases[] = {
        {{},
         "01.03.2026",
         "31.03.2026",
         QString::fromUtf8(kDefaultSelect) +
             " where  cast(data_usl as date)>='01.03.2026' and  cast(data_usl as date)<='31.03.2026' " +
             QString::fromUtf8(kDefaultGroup)},
        {{nameAndSum.select, nameAndSum.group, {}},
         "01.03.2026",
         "31.03.2026",
         "select fam, SUMMA, cast(summa as numeric (7,2))*sum(kol), sum(kol) from people where  "
         "cast(data_usl as "
         "date)>='01.03.2026' and  cast(data_usl as date)<='31.03.2026' group by fam, SUMMA"},
        {{none.select, none.group, {}},
         "01.03.2026",
         "01.03.2026",
         "select cast(summa as numeric (7,2))*sum(kol), sum(kol) from people where  cast(data_usl as "
         "date)>='01.03.2026' and  cast(data_usl as date)<='01.03.2026' group by "},
        {{{}, {}, conditionText({{"fam=", "Иванов"}, {"cast(DATNAR as date)=", "05.03.2026"}})},
         "01.03.2026",
         "31.03.2026",
         QString::fromUtf8(kDefaultSelect) +
             " where fam='Иванов' and cast(DATNAR as date)='05.03.2026' and cast(data_usl as "
             "date)>='01.03.2026' "
             "and  cast(data_usl as date)<='31.03.2026' " +
             QString::fromUtf8(kDefaultGroup)},
        // An apostrophe stays inside its value, wherever it is typed.
        {{{}, "group by fam", conditionText({{"fam=", "Д'Артаньян"}, {"NDOG=", "1' or '1'='1"}})},
         "01.03.2026",
         "3'1.03.2026",
         QString::fromUtf8(kDefaultSelect) + " where fam='Д''Артаньян' and NDOG='1'' or ''1''=''1' and "
                                             "cast(data_usl as date)>='01.03.2026' and  "
                                             "cast(data_usl as date)<='3''1.03.2026' group by fam"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(combinedStatement(c.texts, c.from, c.to), c.expected);
}

TEST(CombinedStatement, noConditionsMakeNoConditionText) {
    EXPECT_EQ(conditionText({}), "");
    EXPECT_EQ(conditionText({{"KOL=", ""}}), "where KOL=''");
}

TEST(CombinedStatement, sortsByNameOrForAComputedColumnByPosition) {
    const QString base = "select fam, sum(kol) from people group by fam\n";
    EXPECT_EQ(sortedStatement(base, "FAM", 1), base + "order by FAM");
    EXPECT_EQ(sortedStatement(base, "F_1", 2), base + "order by 2");
    EXPECT_EQ(sortedStatement(base, "SUM", 3), base + "order by 3");
}

TEST(CombinedStatement, titlesMatchTheNamesExactly) {
    const struct {
        const char* name;
        const char* title;
    } cases[] = {{"FAM", "Фамилия"}, {"NOMER", "№"}, {"SIMV", "Д/м"}, {"CHOPL", "Сколько оплачено"},
                 {"SUM", "Сумма"},   {"F_1", "F_1"}, {"fam", "fam"},  {"SUM1", "SUM1"}};
    for (const auto& c : cases)
        EXPECT_EQ(combinedColumnTitle(c.name), QString::fromUtf8(c.title)) << c.name;
}

} // namespace
} // namespace zorvel
