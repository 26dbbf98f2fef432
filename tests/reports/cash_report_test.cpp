// The cash report's rules without widgets: the period and the narrowing as the server gets them, and
// the three reports written into their templates from rows.

#include "tests/reports/report_support.h"

#include "reports/cash_report.h"
#include "reports/report_cells.h"
#include "spreadsheet/worksheet.h"

#include <gtest/gtest.h>

namespace zorvel::test {
namespace {

const ReportPeriod kMarch{QDate(2026, 3, 1), QDate(2026, 3, 31)};

TEST(ReportPeriodTest, readsBothDatesOrSaysWhichIsNot) {
    struct Case {
        const char* start;
        const char* end;
        const char* error; // empty: read
    } cases[] = {
        {"01.03.2026", "31.03.2026", ""},
        {"05.03.2026", "05.03.2026", ""},
        {"__.__.____", "31.03.2026", "'__.__.____' не является правильной датой"},
        {"01.03.2026", "31.0_.____", "'31.0_.____' не является правильной датой"},
        {"31.02.2026", "31.03.2026", "'31.02.2026' не является правильной датой"},
        {"", "31.03.2026", "'' не является правильной датой"},
        {"01.04.2026", "31.03.2026", "Начало периода позже его окончания"},
    };
    for (const Case& c : cases) {
        const PeriodInput in = readPeriod(QString::fromUtf8(c.start), QString::fromUtf8(c.end));
        EXPECT_EQ(in.error.toStdString(), c.error) << c.start << " " << c.end;
        EXPECT_EQ(in.period.has_value(), *c.error == '\0') << c.start << " " << c.end;
    }
}

TEST(ReportPeriodTest, theServerGetsIsoDatesAndQuotedValues) {
    EXPECT_EQ(periodCondition(kMarch),
              "cast(data_usl as date)>='2026-03-01' and  cast(data_usl as date)<='2026-03-31'");
    EXPECT_EQ(kMarch.startText(), "01.03.2026");
    CashNarrowing n;
    n.doctor = QStringLiteral("Д'Артаньян");
    n.department = QString();
    n.kindOfCare = QStringLiteral("Стационар");
    EXPECT_EQ(cashReportQuery(kMarch, n),
              " select * from people where  cast(data_usl as date)>='2026-03-01' and  "
              "cast(data_usl as date)<='2026-03-31' and FIOV= 'Д''Артаньян' and OTDELENIE= '' and "
              "tip_pom= 'Стационар'");
    EXPECT_TRUE(paymentsReportQuery(kMarch, n).endsWith(
        "and tip_pom= 'Стационар' group by fam, nam,oth,ndog,chopl,data_usl"));
    EXPECT_TRUE(planningReportQuery(kMarch).endsWith("group by kodgvv,name order by kodgvv, name"));
}

TEST(ColumnLetterTest, oneTwoAndThreeLetters) {
    for (auto [n, letters] : {std::pair{1, "A"},
                              {26, "Z"},
                              {27, "AA"},
                              {52, "AZ"},
                              {53, "BA"},
                              {208, "GZ"},
                              {286, "JZ"},
                              {287, "KA"},
                              {702, "ZZ"},
                              {703, "AAA"}})
        EXPECT_EQ(columnLetter(n).toStdString(), letters) << n;
}

CashLine cashLine(const char* surname, const char* price, const char* quantity, const char* department) {
    CashLine l;
    l.surname = QString::fromUtf8(surname);
    l.name = QStringLiteral("Иван");
    l.patronymic = QStringLiteral("Иванович");
    l.contract = QStringLiteral("17");
    l.serviceNumber = QStringLiteral("29");
    l.service = QStringLiteral("Прием врача");
    l.mark = QStringLiteral("П");
    l.code = QStringLiteral("A05.029");
    l.kindOfCare = QStringLiteral("Поликлиника");
    l.doctor = QStringLiteral("Петров П.П.");
    l.nurse = QStringLiteral("Сидорова А.А.");
    l.technician = QStringLiteral("Техников Т.Т.");
    l.department = QString::fromUtf8(department);
    l.price = QString::fromUtf8(price);
    l.quantity = QString::fromUtf8(quantity);
    l.date = QStringLiteral("05.03.2026");
    l.time = QStringLiteral("09:07:03");
    l.correctionDate = QStringLiteral("05.03.2026");
    l.verified = QStringLiteral("Нет");
    return l;
}

TEST(CashReportTest, anEmptyPeriodWritesOnlyItsTotalsRow) {
    Workbook book = reportTemplate(QStringLiteral("kassa.xls"));
    fillCashReport(book, {});
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet, {{"A3", ""}, {"A4", "ИТОГО:"}, {"R4", "=SUM(R3:R3)"}, {"B2", "Фамилия"}}, "kassa");
    EXPECT_TRUE(sheet.cellStyle(4, 1).bold);
    EXPECT_TRUE(sheet.cellStyle(4, 18).bold);
    EXPECT_TRUE(sheet.cellStyle(4, 21).bordered);  // U4
    EXPECT_TRUE(sheet.cellStyle(3, 1).bordered);   // the empty row inside the borders
    EXPECT_FALSE(sheet.cellStyle(4, 22).bordered); // V stays outside
    EXPECT_FALSE(sheet.cellStyle(5, 1).bordered);
}

TEST(CashReportTest, everyColumnOfAServiceAndTheTotalAsASpreadsheetComputesIt) {
    DepartmentCodes codes;
    codes.add(QStringLiteral("Кабинет хирурга"), QStringLiteral("12"));
    codes.add(QStringLiteral("Кабинет хирурга"), QStringLiteral("99")); // the first of a name counts
    std::vector<CashLine> lines{cashLine("Иванов", "150", "2", "Кабинет хирурга"),
                                cashLine("=Петров", "33.33", "3", ""),
                                cashLine("Сидоров", "0.01", "1", "Нет такого")};
    for (CashLine& l : lines)
        l.departmentCode = codes.codeOf(l.department);
    Workbook book = reportTemplate(QStringLiteral("kassa.xls"));
    fillCashReport(book, lines);
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet,
                {{"A3", "1"},
                 {"B3", "Иванов"},
                 {"C3", "Иван"},
                 {"D3", "Иванович"},
                 {"E3", "17"},
                 {"F3", "29"},
                 {"G3", "Прием врача"},
                 {"H3", "П"},
                 {"I3", "A05.029"},
                 {"J3", "Поликлиника"},
                 {"K3", "Петров П.П."},
                 {"L3", "Сидорова А.А."},
                 {"M3", "Техников Т.Т."},
                 {"N3", "12"},
                 {"O3", "Кабинет хирурга"},
                 {"P3", "150"},
                 {"Q3", "2"},
                 {"R3", "=P3*Q3"},
                 {"S3", "05.03.2026"},
                 {"T3", "09:07:03"},
                 {"U3", "05.03.2026"},
                 {"V3", "Нет"},
                 {"N4", ""},
                 {"N5", ""},
                 {"A5", "3"},
                 {"R5", "=P5*Q5"},
                 {"A6", ""},
                 {"A7", "ИТОГО:"},
                 {"R7", "=SUM(R3:R6)"}},
                "kassa");
    // A name beginning with "=" stays a name.
    EXPECT_EQ(sheet.cellValue(4, 2), "=Петров");
    EXPECT_TRUE(sheet.cellFormula(4, 2).isEmpty());
    EXPECT_TRUE(sheet.cellStyle(7, 21).bordered);
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const ComputedSheet computed(book);
    EXPECT_EQ(computed.at("R4"), "99.99");
    EXPECT_EQ(computed.at("R7"), "400");
}

PaymentLine payment(const char* surname, const char* paid, const char* sum) {
    return {QString::fromUtf8(surname), QStringLiteral("Иван"),  QStringLiteral("Иванович"),
            QStringLiteral("17"),       QString::fromUtf8(paid), QStringLiteral("05.03.2026"),
            QString::fromUtf8(sum)};
}

TEST(PaymentsReportTest, instalmentsShowWhatIsPaidAndWhatIsLeft) {
    EXPECT_EQ(paidAmount(payment("А", "1000", "1500.00")), "1000");
    EXPECT_EQ(paidAmount(payment("А", "0", "1500.00")), "1500");
    EXPECT_EQ(paidAmount(payment("А", "1500", "1500.00")), "1500");
    EXPECT_EQ(paidAmount(payment("А", "700.5", "1500.0000000000002")), "700.5");

    Workbook book = reportTemplate(QString::fromUtf8("оplata.xls"));
    fillPaymentsReport(book, {payment("Иванов", "1000", "1500.00"), payment("Петров", "0", "99.990000001")});
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet,
                {{"A3", "1"},
                 {"B3", "Иванов"},
                 {"C3", "Иван"},
                 {"D3", "Иванович"},
                 {"E3", "05.03.2026"},
                 {"F3", "17"},
                 {"G3", "1500"},
                 {"H3", "1000"},
                 {"I3", "=G3-H3"},
                 {"G4", "99.99"},
                 {"H4", "99.99"},
                 {"A6", "ИТОГО:"},
                 {"G6", "=SUM(G3:G5)"},
                 {"H6", "=SUM(H3:H5)"},
                 {"I6", "=SUM(I3:I5)"}},
                "оplata");
    EXPECT_TRUE(sheet.cellStyle(6, 18).bold);
    EXPECT_TRUE(sheet.cellStyle(6, 9).bordered);
    EXPECT_FALSE(sheet.cellStyle(6, 10).bordered);
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const ComputedSheet computed(book);
    EXPECT_EQ(computed.at("I3"), "500");
    EXPECT_EQ(computed.at("I4"), "0");
    EXPECT_EQ(computed.at("G6"), "1599.99");
    EXPECT_EQ(computed.at("H6"), "1099.99");
    EXPECT_EQ(computed.at("I6"), "500");
}

TEST(PlanningReportTest, pricesByPrefixAndTotalsWithTheirParentheses) {
    PriceByPrefix prices;
    prices.add(QStringLiteral("120"), QStringLiteral("450"));
    prices.add(QStringLiteral("12"), QStringLiteral("300"));
    prices.add(QStringLiteral("3"), QStringLiteral("99.5"));
    EXPECT_EQ(prices.priceOf(QStringLiteral("12")), "450");
    EXPECT_EQ(prices.priceOf(QStringLiteral("120")), "450");
    EXPECT_EQ(prices.priceOf(QStringLiteral("13")), "");
    EXPECT_EQ(prices.priceOf(QString()), "450"); // an empty number matches every row: the first one

    Workbook book = reportTemplate(QStringLiteral("plan.xls"));
    fillPlanningReport(book, kMarch,
                       {{QStringLiteral("12"), QStringLiteral("Тонометрия"), QStringLiteral("3"),
                         prices.priceOf(QStringLiteral("12"))},
                        {QStringLiteral("3"), QStringLiteral("Периметрия"), QStringLiteral("2"),
                         prices.priceOf(QStringLiteral("3"))}});
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet,
                {{"A1", "Используемые услуги с 01.03.2026 по 31.03.2026"},
                 {"A3", "1"},
                 {"B3", "12"},
                 {"C3", "Тонометрия"},
                 {"D3", "3"},
                 {"E3", "450"},
                 {"F3", "=D3*E3"},
                 {"E4", "99.5"},
                 {"D6", "=SUM(D3:D5)"},
                 {"F6", "=SUM(F3:F5)"}},
                "plan");
    EXPECT_TRUE(sheet.cellStyle(6, 6).bold);
    EXPECT_TRUE(sheet.cellStyle(6, 6).bordered);
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const ComputedSheet computed(book);
    EXPECT_EQ(computed.at("D6"), "5");
    EXPECT_EQ(computed.at("F6"), "1549");
}

TEST(PlanningReportTest, anEmptyPeriodWritesItsTitleAndTotals) {
    Workbook book = reportTemplate(QStringLiteral("plan.xls"));
    fillPlanningReport(book, kMarch, {});
    expectCells(book.sheet(1),
                {{"A1", "Используемые услуги с 01.03.2026 по 31.03.2026"},
                 {"A3", ""},
                 {"D4", "=SUM(D3:D3)"},
                 {"F4", "=SUM(F3:F3)"}},
                "plan");
}

} // namespace
} // namespace zorvel::test
