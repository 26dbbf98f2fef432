// The two report windows on a fresh database, driven through their buttons; the reports are read back
// from the workbooks the output service was given.

#include "tests/reports/report_support.h"
#include "tests/support/keyboard.h"
#include "tests/support/test_database.h"
#include "tests/support/workstation_fixture.h"

#include "app/main_window.h"
#include "data/filter.h"
#include "reports/cash_report_window.h"
#include "spreadsheet/worksheet.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace zorvel::test {
namespace {

struct Service {
    QString surname = QStringLiteral("Иванов");
    QString date = QStringLiteral("05.03.2026");
    QString contract = QStringLiteral("17");
    QString number = QStringLiteral("29");
    QString service = QStringLiteral("Прием врача");
    QString price = QStringLiteral("600");
    QString quantity = QStringLiteral("1");
    QString doctor = QStringLiteral("Петров П.П.");
    QString nurse = QStringLiteral("Сидорова А.А.");
    QString department = QStringLiteral("Кабинет хирурга");
    QString kindOfCare = QStringLiteral("Поликлиника");
    QString paid = QStringLiteral("0");
};

QString literal(const QString& v) {
    return v.isEmpty() ? QStringLiteral("NULL") : quotedValue(v);
}

class ReportWindowsTest : public WorkstationTest {
protected:
    void insert(const std::vector<Service>& services, QStringList more = {}) {
        int n = 0;
        for (const Service& s : services)
            more << QStringLiteral(
                        "insert into people (ipeop, fam, nam, oth, data_usl, ndog, kodgvv, name, kod, "
                        "summa, kol, fiov, medsestr, otdelenie, tip_pom, time_us, dataisp, simv, "
                        "chopl, prover) values (null, %1, 'Иван', 'Иванович', %2, %3, %4, %5, "
                        "'A05.029', %6, %7, %8, %9, %10, %11, '09:00:%12', %2, 'П', %13, 'Нет')")
                        .arg(literal(s.surname), literal(s.date), literal(s.contract), literal(s.number),
                             literal(s.service), literal(s.price), s.quantity, literal(s.doctor),
                             literal(s.nurse))
                        .arg(literal(s.department), literal(s.kindOfCare),
                             QStringLiteral("%1").arg(n++ % 60, 2, 10, QLatin1Char('0')), literal(s.paid));
        prepare(more);
    }

    QWidget* window(int number) { return app().window(number); }
    template <typename T> T* child(int window, const char* name) {
        T* w = app().window(window)->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void setPeriod(int window, const char* start, const char* end) {
        child<QLineEdit>(window, "sDateEdit1")->setText(QString::fromUtf8(start));
        child<QLineEdit>(window, "sDateEdit2")->setText(QString::fromUtf8(end));
    }
    void narrow(const char* check, const char* combo, const QString& value) {
        child<QCheckBox>(4, check)->setChecked(true);
        child<QComboBox>(4, combo)->setEditText(value);
    }
    void click(int window, const char* button) { child<QPushButton>(window, button)->click(); }
    Workbook shown() { return spreadsheets.lastShown(); }
};

TEST_F(ReportWindowsTest, theCashReportWindowOffersItsChoices) {
    start();
    app().mainWindow().findChild<QAction*>(QStringLiteral("N8"))->trigger();
    EXPECT_TRUE(window(4)->isVisible());
    EXPECT_EQ(window(4)->windowTitle(), "Отчет по кассе");
    auto* departments = child<QComboBox>(4, "sComboBox2");
    auto* numbers = child<QComboBox>(4, "sComboBox3");
    auto* kinds = child<QComboBox>(4, "sComboBox4");
    EXPECT_FALSE(departments->isVisible());
    EXPECT_EQ(departments->count(), 64);
    EXPECT_EQ(departments->itemText(63), "");
    EXPECT_EQ(numbers->count(), 978);
    EXPECT_EQ(numbers->itemText(11), "12 ");
    EXPECT_EQ(numbers->itemText(14), "15 ");
    EXPECT_EQ(numbers->itemText(21), "22 ");
    EXPECT_EQ(numbers->findText(QStringLiteral("580")), -1);
    EXPECT_EQ(numbers->itemText(977), "981");
    EXPECT_EQ(kinds->currentText(), "Поликлиника");
    child<QCheckBox>(4, "sCheckBox2")->click();
    EXPECT_TRUE(departments->isVisible());
    child<QCheckBox>(4, "sCheckBox2")->click();
    EXPECT_FALSE(departments->isVisible());

    // The doctor's name gets its capital first letter as it is typed.
    child<QCheckBox>(4, "sCheckBox1")->click();
    auto* doctor = child<QComboBox>(4, "sComboBox1");
    ASSERT_TRUE(focusField(doctor));
    typeText(QStringLiteral("петров"));
    EXPECT_EQ(doctor->currentText(), "Петров");

    app().mainWindow().findChild<QAction*>(QStringLiteral("N10"))->trigger();
    EXPECT_TRUE(window(8)->isVisible());
    EXPECT_EQ(window(8)->windowTitle(), "По отделениям в разрезе");
    auto* breakdown = child<QComboBox>(8, "sComboBox1");
    EXPECT_EQ(breakdown->count(), 63);
    EXPECT_EQ(breakdown->findText(QStringLiteral("ВСПОМОГАТЕЛЬНЫЕ СЛУЖБЫ")), -1);
    EXPECT_EQ(breakdown->itemText(
                  breakdown->findText(QStringLiteral("Офтальмологический кабинет детский (врач)")) + 1),
              "ОПЕРБЛОК");
    EXPECT_NE(breakdown->findText(QStringLiteral("ОЛМХГ -ДСС")), -1);
}

TEST_F(ReportWindowsTest, theCashReportListsThePeriodNarrowedByADoctorWithAnApostrophe) {
    Service first;
    Service second;
    second.surname = QStringLiteral("Петров");
    second.price = QStringLiteral("150.5");
    second.quantity = QStringLiteral("2");
    second.doctor = QStringLiteral("Д'Артаньян");
    second.department = QStringLiteral("Терапевтическое отделение");
    Service april = second;
    april.date = QStringLiteral("01.04.2026");
    Service february = second;
    february.date = QStringLiteral("28.02.2026");
    insert({first, april, second, february},
           {QStringLiteral(
               "insert into otdel (id_o, name, kod) values (null, 'Терапевтическое отделение', '41')")});
    start();
    setPeriod(4, "01.03.2026", "31.03.2026");
    click(4, "sBitBtn1");
    ASSERT_EQ(spreadsheets.shown().size(), 1);
    {
        Workbook book = shown();
        const Worksheet& sheet = book.sheet(1);
        EXPECT_EQ(sheet.cellValue(3, 2) + sheet.cellValue(4, 2), "ИвановПетров");
        expectCells(sheet,
                    {{"N3", ""},
                     {"N4", "41"},
                     {"K4", "Д'Артаньян"},
                     {"P4", "150.5"},
                     {"Q4", "2"},
                     {"R4", "=P4*Q4"},
                     {"A5", ""},
                     {"A6", "ИТОГО:"},
                     {"R6", "=SUM(R3:R5)"}},
                    "kassa");
    }

    narrow("sCheckBox1", "sComboBox1", QStringLiteral("Д'Артаньян"));
    click(4, "sBitBtn1");
    ASSERT_EQ(spreadsheets.shown().size(), 2);
    Workbook narrowed = shown();
    expectCells(narrowed.sheet(1), {{"B3", "Петров"}, {"A4", ""}, {"A5", "ИТОГО:"}, {"R5", "=SUM(R3:R4)"}},
                "kassa");
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'\n').toStdString();
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    EXPECT_EQ(ComputedSheet(spreadsheets.shown().value(0)).at("R6"), "901");
}

TEST_F(ReportWindowsTest, badPeriodsAndOddNarrowingValuesNeverGiveAWrongReport) {
    insert({Service()});
    start();
    setPeriod(4, "", "31.03.2026");
    click(4, "sBitBtn1");
    setPeriod(4, "01.03.2026", "31.03");
    click(4, "sBitBtn3");
    setPeriod(4, "31.03.2026", "01.03.2026");
    click(4, "sBitBtn4");
    setPeriod(8, "01.03.2026", "3");
    click(8, "sBitBtn1");
    EXPECT_EQ(
        messages.texts(),
        QStringList({"'__.__.____' не является правильной датой", "'31.03.____' не является правильной датой",
                     "Начало периода позже его окончания", "'3_.__.____' не является правильной датой"}));
    for (const auto& m : messages.shown)
        EXPECT_EQ(m.caption, "Ошибка");
    EXPECT_TRUE(spreadsheets.started().isEmpty());

    // A value longer than any column, or full of apostrophes, narrows to nothing.
    messages.shown.clear();
    setPeriod(4, "01.03.2026", "31.03.2026");
    for (const QString& value :
         {QString(300, u'Ж'), QStringLiteral("' or ''='"), QStringLiteral("'; drop table people")}) {
        narrow("sCheckBox1", "sComboBox1", value);
        click(4, "sBitBtn1");
        click(4, "sBitBtn3");
        expectCells(shown().sheet(1), {{"A3", ""}, {"A4", "ИТОГО:"}, {"G4", "=SUM(G3:G3)"}}, "оplata");
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(spreadsheets.shown().size(), 6);
    expectCells(spreadsheets.lastShown().sheet(1), {{"A3", ""}}, "оplata");
    Workbook cash(Workbook::open(spreadsheets.shown().value(4)));
    expectCells(cash.sheet(1), {{"A3", ""}, {"R4", "=SUM(R3:R3)"}}, "kassa");
}

TEST_F(ReportWindowsTest, paymentsAndPlanningComeFromTheRegisterAndThePriceList) {
    Service paidInPart;
    paidInPart.price = QStringLiteral("750");
    paidInPart.quantity = QStringLiteral("2");
    paidInPart.paid = QStringLiteral("1000");
    Service paidInFull;
    paidInFull.surname = QStringLiteral("Петров");
    paidInFull.contract = QStringLiteral("18");
    paidInFull.number = QStringLiteral("12");
    paidInFull.service = QStringLiteral("Тонометрия");
    paidInFull.price = QStringLiteral("33.33");
    paidInFull.quantity = QStringLiteral("3");
    insert(
        {paidInPart, paidInFull},
        {QStringLiteral(
             "insert into prais (idp, kodgvv, name, summa) values (null, '120', 'Периметрия', '450')"),
         QStringLiteral(
             "insert into prais (idp, kodgvv, name, summa) values (null, '12', 'Тонометрия', '300')"),
         QStringLiteral("insert into prais (idp, kodgvv, name, summa) values (null, '29', 'Прием', '700')")});
    start();
    setPeriod(4, "01.03.2026", "31.03.2026");
    click(4, "sBitBtn3");
    click(4, "sBitBtn4");
    ASSERT_EQ(spreadsheets.shown().size(), 2) << messages.texts().join(u'\n').toStdString();
    Workbook payments(Workbook::open(spreadsheets.shown().value(0)));
    expectCells(payments.sheet(1),
                {{"B3", "Иванов"},
                 {"F3", "17"},
                 {"G3", "1500"},
                 {"H3", "1000"},
                 {"B4", "Петров"},
                 {"G4", "99.99"},
                 {"H4", "99.99"},
                 {"I6", "=SUM(I3:I5)"}},
                "оplata");
    Workbook plan = shown();
    expectCells(plan.sheet(1),
                {{"A1", "Используемые услуги с 01.03.2026 по 31.03.2026"},
                 {"B3", "12"},
                 {"C3", "Тонометрия"},
                 {"D3", "3"},
                 {"E3", "450"},
                 {"B4", "29"},
                 {"D4", "2"},
                 {"E4", "700"},
                 {"F6", "=SUM(F3:F5)"}},
                "plan");
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const ComputedSheet computed(spreadsheets.shown().value(0));
    EXPECT_EQ(computed.at("I6"), "500");
    EXPECT_EQ(ComputedSheet(spreadsheets.shown().value(1)).at("F6"), "2750");
}

// A hospital's register without our index may hold texts the server cannot read as a date or a number.
TEST_F(ReportWindowsTest, aDateOrSumTheServerCannotReadStopsTheReportWithItsMessage) {
    Service badDate;
    badDate.date = QStringLiteral("5 марта");
    badDate.kindOfCare = QStringLiteral("Стационар");
    Service badSum;
    badSum.surname = QStringLiteral("Петров");
    badSum.price = QStringLiteral("шестьсот");
    std::vector<Service> many(300);
    many.push_back(badSum);
    // The hospital's own schema never had the index.
    if (!legacySchema())
        prepare({QStringLiteral("drop index PEOPLE_SERVICE_DAY")});
    insert(many);
    start();
    setPeriod(4, "01.03.2026", "31.03.2026");
    click(4, "sBitBtn3");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("conversion error")))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(messages.shown[0].caption, "Ошибка");

    insert({badDate});
    click(4, "sBitBtn1");
    click(4, "sBitBtn4");
    setPeriod(8, "01.03.2026", "31.03.2026");
    click(8, "sBitBtn1");
    ASSERT_EQ(messages.shown.size(), 4u);
    for (const auto& m : messages.shown)
        EXPECT_TRUE(m.text.contains(QStringLiteral("conversion error"))) << m.text.toStdString();
    EXPECT_TRUE(spreadsheets.shown().isEmpty());
    EXPECT_EQ(spreadsheets.closedCount(), 4);
}

TEST_F(ReportWindowsTest, theDepartmentBreakdownReportsFromTheDatabasesProcedures) {
    Service surgery;
    surgery.kindOfCare = QStringLiteral("Стационар");
    surgery.department = QStringLiteral("Хирургическое отделение");
    surgery.service = QStringLiteral("Операция на глазу");
    surgery.price = QStringLiteral("10000");
    Service bed = surgery;
    bed.service = QStringLiteral("Койко-день");
    bed.price = QStringLiteral("1200.50");
    bed.quantity = QStringLiteral("2");
    Service therapy = bed;
    therapy.surname = QStringLiteral("Петров");
    therapy.department = QStringLiteral("Терапевтическое отделение");
    Service eyes;
    eyes.department = QStringLiteral("Офтальмологический кабинет общий (врач)");
    eyes.price = QStringLiteral("1000");
    Service eyesAlone = eyes;
    eyesAlone.surname = QStringLiteral("Орлов");
    eyesAlone.contract = QStringLiteral("18");
    eyesAlone.nurse.clear();
    insert({surgery, bed, therapy, eyes, eyesAlone});
    start();
    setPeriod(8, "01.03.2026", "31.03.2026");
    click(8, "sBitBtn1");
    click(8, "sBitBtn3");
    ASSERT_EQ(spreadsheets.shown().size(), 2) << messages.texts().join(u'\n').toStdString();
    Workbook inPatient(Workbook::open(spreadsheets.shown().value(0)));
    expectCells(inPatient.sheet(1),
                {{"B1", "Терапевтическое отделение"},
                 {"D5", "Петров Иван Иванович"},
                 {"O5", "2401"},
                 {"E6", "=SUM(E5:E5)"},
                 {"B8", "Хирургическое отделение"},
                 {"A12", "1"},
                 {"E12", "12401"},
                 {"F12", "10000"},
                 {"O12", "2401"},
                 {"E13", "=SUM(E12:E12)"}},
                "econom");
    Workbook staff = shown();
    expectCells(staff.sheet(1),
                {{"G2", "Петров П.П."},
                 {"I2", "Сидорова А.А."},
                 {"K2", ""},
                 {"D4", "Иванов Иван Иванович"},
                 {"G4", "70%"},
                 {"H4", "210"},
                 {"I4", "30%"},
                 {"J4", "90"},
                 {"D5", "Орлов Иван Иванович"},
                 {"G5", "100%"},
                 {"H5", "300"},
                 {"A7", "ИТОГО:"},
                 {"H7", "=SUM(H3:H6)"}},
                "oftalmolog");
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const ComputedSheet computed(spreadsheets.shown().value(0));
    EXPECT_EQ(computed.at("I12"), "2400"); // 24 % of the operation
    EXPECT_EQ(computed.at("R13"), "480.2");
    EXPECT_EQ(ComputedSheet(spreadsheets.shown().value(1)).at("H7"), "510");
}

TEST_F(ReportWindowsTest, aTemplateThatCannotBeStartedIsReportedForEveryReport) {
    start();
    setPeriod(4, "01.03.2026", "31.03.2026");
    setPeriod(8, "01.03.2026", "31.03.2026");
    spreadsheets.failStart();
    for (auto [window, button] :
         {std::pair{4, "sBitBtn1"}, {4, "sBitBtn3"}, {4, "sBitBtn4"}, {8, "sBitBtn1"}, {8, "sBitBtn3"}})
        click(window, button);
    ASSERT_EQ(messages.shown.size(), 5u);
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.text, "Невозможно вывести в Excel ");
        EXPECT_EQ(m.caption, "Ошибка");
    }
    EXPECT_TRUE(spreadsheets.shown().isEmpty());
}

TEST_F(ReportWindowsTest, anEmptyInPatientPeriodShowsHeadingsAndAZeroTotal) {
    start();
    setPeriod(8, "01.03.2026", "31.03.2026");
    click(8, "sBitBtn1");
    ASSERT_EQ(spreadsheets.shown().size(), 1) << messages.texts().join(u'\n').toStdString();
    expectCells(shown().sheet(1), {{"A2", "№"}, {"E6", "=SUM(E5:E5)"}}, "econom");
}

} // namespace
} // namespace zorvel::test
