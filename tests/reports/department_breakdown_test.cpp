// The department breakdown's rules without widgets: the in-patient blocks per department and the
// staff-share pairs per person, written into their templates from rows.

#include "tests/reports/report_support.h"

#include "reports/department_breakdown.h"
#include "reports/report_cells.h"
#include "spreadsheet/worksheet.h"

#include <gtest/gtest.h>

namespace zorvel::test {
namespace {

InPatientLine inPatient(const char* department, const char* patient, const char* operation,
                        const char* bedDays = "0", const char* anaesthesia = "0") {
    return {QString::fromUtf8(patient),     QStringLiteral("17"),         QString::fromUtf8(department),
            QStringLiteral("05.03.2026"),   QString::fromUtf8(operation), QStringLiteral("5000"),
            QString::fromUtf8(anaesthesia), QString::fromUtf8(bedDays)};
}

TEST(InPatientReportTest, aNewDepartmentClosesTheBlockAndStartsAnotherNumberedFromOne) {
    std::vector<InPatientLine> lines;
    for (const char* p : {"Андреев", "Борисов", "Васильев", "Григорьев", "Дмитриев"})
        lines.push_back(inPatient("Хирургия", p, "1000", "500", "200"));
    lines.push_back(inPatient("Терапия", "Егоров", "0", "1200.50"));
    Workbook book = reportTemplate(QStringLiteral("econom.xls"));
    fillInPatientReport(book, lines);
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet,
                {{"B1", "Хирургия"},
                 {"A2", "№"},
                 {"F2", "Операция"},
                 {"G3", "Сумма, с которой начисл. з/плата"},
                 {"J3", "Анаcтез."},
                 {"S3", "Cумма на з/плату отд."},
                 {"T3", "Cумма на з/плату анастез."},
                 {"U3", "Cумма на з/плату оперблоку"},
                 {"H4", "%"},
                 {"A5", "1"},
                 {"B5", "05.03.2026"},
                 {"C5", "17"},
                 {"D5", "Андреев"},
                 {"E5", "5000"},
                 {"F5", "1000"},
                 {"G5", "=F5"},
                 {"H5", "24"},
                 {"I5", "=G5* 24%"},
                 {"J5", "200"},
                 {"K5", "20"},
                 {"L5", "=J5* 20%"},
                 {"M5", "6"},
                 {"N5", "=G5* 6%"},
                 {"O5", "500"},
                 {"P5", "=O5"},
                 {"Q5", "20"},
                 {"R5", "=P5* 20%"},
                 {"S5", "=I5+R5"},
                 {"T5", "=L5"},
                 {"U5", "=N5"},
                 {"A9", "5"},
                 {"E10", "=SUM(E5:E9)"},
                 {"G10", "=SUM(G5:G9)"},
                 {"U10", "=SUM(U5:U9)"},
                 {"H10", ""},
                 {"A11", ""},
                 {"B12", "Терапия"},
                 {"A13", "№"},
                 {"A16", "1"},
                 {"D16", "Егоров"},
                 {"O16", "1200.5"},
                 {"E17", "=SUM(E16:E16)"},
                 {"S17", "=SUM(S16:S16)"}},
                "econom");
    // The Latin letters of the users' headings are kept.
    EXPECT_EQ(sheet.cellValue(3, 10).at(3), QChar(u'c'));
    EXPECT_EQ(sheet.cellValue(3, 19).at(0), QChar(u'C'));
    EXPECT_TRUE(sheet.mergedRanges().contains(QStringLiteral("B12:J12")));
    EXPECT_TRUE(sheet.mergedRanges().contains(QStringLiteral("F13:N13")));
    EXPECT_EQ(sheet.rowHeight(15), 51);
    EXPECT_TRUE(sheet.cellStyle(12, 1).bold);
    EXPECT_FALSE(sheet.cellStyle(12, 1).bordered);
    EXPECT_TRUE(sheet.cellStyle(13, 21).bordered);
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const ComputedSheet computed(book);
    EXPECT_EQ(computed.at("I5"), "240");   // 24 % of the operation
    EXPECT_EQ(computed.at("N5"), "60");    // 6 % to the operating block
    EXPECT_EQ(computed.at("L5"), "40");    // 20 % of the anaesthesia
    EXPECT_EQ(computed.at("S5"), "340");   // 240 + 20 % of 500 bed-days
    EXPECT_EQ(computed.at("S10"), "1700"); // the block's department salary
    EXPECT_EQ(computed.at("R16"), "240.1");
}

TEST(InPatientReportTest, anEmptyPeriodWritesHeadingsAndTotalsThatReferToNoRowZero) {
    Workbook book = reportTemplate(QStringLiteral("econom.xls"));
    fillInPatientReport(book, {});
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet, {{"B1", ""}, {"A2", "№"}, {"A5", ""}, {"E6", "=SUM(E5:E5)"}, {"U6", "=SUM(U5:U5)"}},
                "econom");
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    EXPECT_EQ(ComputedSheet(book).at("S6"), "0");
}

StaffShareLine staffLine(const char* doctor, const char* nurse, const char* sum, const char* nurseShare,
                         const char* doctorShare) {
    return {
        QStringLiteral("05.03.2026"), QStringLiteral("17"),          QStringLiteral("Иванов Иван Иванович"),
        QString::fromUtf8(doctor),    QString::fromUtf8(nurse),      QString::fromUtf8(sum),
        QStringLiteral("0"),          QString::fromUtf8(nurseShare), QString::fromUtf8(doctorShare)};
}

TEST(StaffShareReportTest, twoDoctorsAndANurseGetPairsWithTheirSharesAndTotals) {
    const QStringList doctors{QStringLiteral("Петров П.П."), QStringLiteral("Орлов О.О.")};
    const QStringList nurses{QString(), QStringLiteral("Сидорова А.А.")};
    Workbook book = reportTemplate(QStringLiteral("oftalmolog.xls"));
    fillStaffShareReport(book, doctors, nurses,
                         {staffLine("Петров П.П.", "Сидорова А.А.", "1000", "90", "210"),
                          staffLine("Орлов О.О.", "", "500", "0", "150"),
                          staffLine("", "Сидорова А.А.", "100", "30", "0")});
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet,
                {{"A1", "Распределение сумм на оплату труда по врачам и медицинским сестрам за оказанные "
                        "платные медицинские услуги"},
                 {"G2", "Петров П.П."},
                 {"G3", "%"},
                 {"H3", "сумма"},
                 {"I2", "Орлов О.О."},
                 {"K2", "Сидорова А.А."},
                 {"M2", ""},
                 {"M3", ""},
                 {"A4", "1"},
                 {"B4", "05.03.2026"},
                 {"C4", "17"},
                 {"D4", "Иванов Иван Иванович"},
                 {"E4", "1000"},
                 {"F4", "0"},
                 {"G4", "70%"},
                 {"H4", "210"},
                 {"K4", "30%"},
                 {"L4", "90"},
                 {"I4", ""},
                 {"I5", "100%"},
                 {"J5", "150"},
                 {"G5", ""},
                 {"K6", "100%"},
                 {"L6", "30"},
                 {"A7", ""},
                 {"A8", "ИТОГО:"},
                 {"H8", "=SUM(H3:H7)"},
                 {"J8", "=SUM(J3:J7)"},
                 {"L8", "=SUM(L3:L7)"},
                 {"N8", "=SUM(N3:N7)"},
                 {"P8", ""}},
                "oftalmolog");
    EXPECT_TRUE(sheet.mergedRanges().contains(QStringLiteral("M2:N2")));
    EXPECT_FALSE(sheet.mergedRanges().contains(QStringLiteral("O2:P2")));
    EXPECT_TRUE(sheet.cellStyle(8, 16).bordered);  // P8
    EXPECT_FALSE(sheet.cellStyle(8, 17).bordered); // Q8
    EXPECT_TRUE(sheet.cellStyle(1, 1).bordered);
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const ComputedSheet computed(book);
    EXPECT_EQ(computed.at("H8"), "210");
    EXPECT_EQ(computed.at("L8"), "120");
    EXPECT_EQ(computed.at("N8"), "0");
}

TEST(StaffShareReportTest, everyPersonGetsAPairBeyondNinetyNine) {
    QStringList doctors, nurses;
    for (int i = 1; i <= 100; ++i)
        doctors << QStringLiteral("Врач %1").arg(i, 3, 10, QLatin1Char('0'));
    for (int i = 1; i <= 50; ++i)
        nurses << QStringLiteral("Медсестра %1").arg(i, 3, 10, QLatin1Char('0'));
    Workbook book = reportTemplate(QStringLiteral("oftalmolog.xls"));
    StaffShareReport report(book.sheet(1), doctors, nurses);
    report.add(staffLine("Врач 100", "Медсестра 050", "100", "9", "21"));
    report.finish();
    EXPECT_EQ(report.slotCount(), 151);
    const Worksheet& sheet = book.sheet(1);
    // Slot 100 owns columns 205/206, the last nurse (slot 150) 305/306, past the two-letter columns.
    EXPECT_EQ(columnLetter(306), "KT");
    expectCells(sheet,
                {{"GW2", "Врач 100"},
                 {"GX4", "21"},
                 {"GW4", "70%"},
                 {"KS2", "Медсестра 050"},
                 {"KT4", "9"},
                 {"KS4", "30%"},
                 {"KU2", ""},
                 {"KT6", "=SUM(KT3:KT5)"},
                 {"KV6", "=SUM(KV3:KV5)"}},
                "oftalmolog");
    EXPECT_TRUE(sheet.cellStyle(6, 2 * 152 + 6).bordered);
    EXPECT_FALSE(sheet.cellStyle(6, 2 * 152 + 7).bordered);
}

TEST(StaffShareReportTest, anEmptyPeriodWritesTheTotalsRowFive) {
    Workbook book = reportTemplate(QStringLiteral("oftalmolog.xls"));
    fillStaffShareReport(book, {}, {}, {});
    expectCells(book.sheet(1), {{"A4", ""}, {"A5", "ИТОГО:"}, {"H5", "=SUM(H3:H4)"}}, "oftalmolog");
    EXPECT_TRUE(book.sheet(1).mergedRanges().contains(QStringLiteral("G2:H2")));
    EXPECT_TRUE(book.sheet(1).cellStyle(5, 10).bordered); // J5: two columns past the empty pair
}

} // namespace
} // namespace zorvel::test
