// The statements of the stock reports, as the server receives them.

#include "consumables/stock_reports.h"

#include <gtest/gtest.h>

namespace zorvel {
namespace {

TEST(StockStatements, keepTheirTextsAndQuoteEveryValue) {
    const struct {
        QString built;
        const char* expected;
    } cases[] = {
        {stockSummaryStatement("05.03.2026"),
         "select kod1,name1,summ1,sum(kolo)  from klinz('05.03.2026')  group by kod1,name1,summ1"},
        {stockStatement("05.03.2026"), "select kod1,name1,nkol,rkol,summ1,kolo from klinz('05.03.2026')  "
                                       "group by kod1,name1,nkol,rkol,summ1,kolo"},
        {dentalStockStatement("01.03.2026"),
         "select kod1,name1,nkol,rkol,summ1,kolo from klinz('01.03.2026') where cast(kod1 as integer)>=973 "
         "and "
         "cast(kod1 as integer)<=981 group by kod1,name1,nkol,rkol,summ1,kolo"},
        {dentalServicesStatement("01.03.2026", "31.03.2026"),
         "select ndog,fam, nam, oth, data_usl, kodgvv, kol, summa from people where cast(kodgvv as "
         "integer)>=973 "
         "and cast(kodgvv as integer)<=981 and cast(data_usl as date)>='01.03.2026'and cast(data_usl as "
         "date)<='31.03.2026' group by ndog,fam, nam, oth, data_usl, kodgvv, kol, summa order by data_usl, "
         "ndog"},
        // No date text can close the literal early.
        {stockStatement("1' or '1'='1"),
         "select kod1,name1,nkol,rkol,summ1,kolo from klinz('1'' or ''1''=''1')  group by "
         "kod1,name1,nkol,rkol,summ1,kolo"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, QString::fromUtf8(c.expected));
}

} // namespace
} // namespace zorvel
