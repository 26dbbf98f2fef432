// The contract window on a real register: the listed contract, the marks, and the consent and contracts
// read back from the workbooks the output service was given.

#include "tests/documents/contract_support.h"

#include "data/dataset.h"
#include "documents/contract_window.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/template_directory.h"
#include "spreadsheet/workbook.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace zorvel::test {
namespace {

Service service(const char* name, const char* quantity, const char* price) {
    Service s;
    s.service = QString::fromUtf8(name);
    s.quantity = QString::fromUtf8(quantity);
    s.price = QString::fromUtf8(price);
    return s;
}

const char* const kDate = "\"5\" Марта 2026 г.";
const char* const kPassport = "Паспорт:   серия  4509 №  123456";
const char* const kIssuedBy = "Выдан:  ОВД Центрального района";
const char* const kAddress = "Место жительства:  ул. Ленина, 1";
const char* const kSignature = " ___________________________/__________________________/";
const char* const kSignatureCaption = "подпись                                    расшифровка";

QStringList fileNames(const QStringList& paths) {
    QStringList names;
    for (const QString& p : paths)
        names << QFileInfo(p).fileName();
    return names;
}

class ContractWindowTest : public ContractTest {
protected:
    // Иванов's contract 17 of four services, his contract 18 and Петров's contract 17 of the same day.
    void startWithPolyclinicContract() {
        Service first = service("Прием офтальмолога", "1", "500");
        first.department = QStringLiteral("Офтальмологический кабинет общий (врач)");
        Service second = service("Тонометрия", "2", "150.5");
        second.department.clear();
        second.doctor.clear();
        second.code = QStringLiteral("102");
        Service third = service("Периметрия", "3", "33.33");
        third.department = QStringLiteral("Кабинет глазной травмы");
        third.doctor = QStringLiteral("Петрова П.П.");
        Service fourth = service("Оптическая когерентная томография", "1", "1000");
        fourth.department.clear();
        fourth.doctor.clear();
        Service otherContract = service("Прием невролога", "1", "700");
        otherContract.contract = QStringLiteral("18");
        Service otherPatient = service("Прием хирурга", "1", "900");
        otherPatient.surname = QStringLiteral("Петров");
        insert({first, otherContract, second, otherPatient, third, fourth});
        start();
        standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Тонометрия"));
        requestContract();
    }

    void doubleClickRow(int gridRow) {
        QTableWidget* g = grid();
        const QPoint at = g->visualItemRect(g->item(gridRow - 1, 4)).center();
        // As a mouse sends it: the press marks the row, the double click toggles it.
        QTest::mousePress(g->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(g->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(g->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    QString gridText(int gridRow, int column) {
        QTableWidgetItem* item = grid()->item(gridRow - 1, column);
        return item ? item->text() : QString();
    }
};

TEST_F(ContractWindowTest, listsTheContractAndShowsTheConsentAndThePolyclinicContract) {
    startWithPolyclinicContract();
    ASSERT_TRUE(contractWindow().isVisible());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();

    QTableWidget* g = grid();
    const QStringList headings = {
        "№",          "Фамилия",   "Имя",         "Отчество",   "Наименование услуги",
        "Количество", "Стоимость", "Дата услуги", "№ договора", "Печать",
        "Сумма",      "№ услуги"};
    const int widths[] = {25, 90, 90, 90, 200, 65, 45, 60, 45, 45, 45, 64};
    ASSERT_EQ(g->columnCount(), 12);
    for (int c = 0; c < 12; ++c) {
        EXPECT_EQ(g->horizontalHeaderItem(c)->text(), headings[c]);
        EXPECT_EQ(g->columnWidth(c), widths[c]) << c;
    }
    ASSERT_EQ(g->rowCount(), 4);
    const QStringList first = {"1",   "Иванов", "Иван",       "Иванович", "Прием офтальмолога",
                               "1",   "500",    "05.03.2026", "17",       "Да",
                               "500", "101"};
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(gridText(1, c), first[c]) << c;
    EXPECT_EQ(gridText(2, 10), QStringLiteral("301"));
    EXPECT_EQ(gridText(3, 10), QStringLiteral("99.99"));
    EXPECT_EQ(gridText(4, 4), QStringLiteral("Оптическая когерентная томография"));
    // The last non-empty department and doctor of the contract win.
    EXPECT_EQ(find<QComboBox>("sComboBox1", 2)->currentText(), QStringLiteral("Поликлиника"));
    EXPECT_EQ(find<QComboBox>("sComboBox2", 2)->currentText(), QStringLiteral("Кабинет глазной травмы"));
    EXPECT_EQ(find<QComboBox>("sComboBox3", 2)->currentText(), QStringLiteral("Петрова П.П."));

    // The last service stays out of the documents; a second double click would bring it back.
    doubleClickRow(4);
    EXPECT_EQ(gridText(4, 9), QStringLiteral("Нет"));
    doubleClickRow(2);
    doubleClickRow(2);
    EXPECT_EQ(gridText(2, 9), QStringLiteral("Да"));

    chooseShowing();
    pressPrint();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
    ASSERT_EQ(fileNames(spreadsheets.shown()), (QStringList{"shown-1-soglas.xlsx", "shown-2-polikl.xlsx"}));

    Workbook consent = Workbook::open(spreadsheets.shown()[0]);
    expectCells(consent.sheet(1),
                {{"A2", kDate},
                 {"G5", kDate},
                 {"B7", "Иванов Иван Иванович"},
                 {"B20", "Иванов Иван Иванович"},
                 {"A15", "Прием офтальмолога, Тонометрия, Периметрия"},
                 {"B23", "Кабинет глазной травмы"},
                 {"F24", "Петрова П.П."}},
                "consent");

    Workbook contract = spreadsheets.lastShown();
    expectCells(contract.sheet(1),
                {{"A1", "Договор N__ 17__\nна оказание платных медицинских услуг"},
                 {"I2", kDate},
                 {"E4", "Иванов Иван Иванович"},
                 {"A9", "1"},
                 {"B9", "Прием офтальмолога"},
                 {"I9", "1"},
                 {"J9", "500"},
                 {"K9", "=I9*J9"},
                 {"A10", "2"},
                 {"B10", "Тонометрия"},
                 {"I10", "2"},
                 {"J10", "150.5"},
                 {"K10", "=I10*J10"},
                 {"A11", "3"},
                 {"B11", "Периметрия"},
                 {"I11", "3"},
                 {"J11", "33.33"},
                 {"K11", "=I11*J11"},
                 {"A12", "Итого"},
                 {"K12", "=SUM(K9:K11)"},
                 {"B12", ""},
                 {"A13", ""},
                 {"A38", "3.2. Стоимость медицинских услуг, указанных в разделе 1 настоящего договора "
                         "составляет Девятьсот рублей 99 копеек."},
                 {"G52", kPassport},
                 {"G53", kIssuedBy},
                 {"G54", kAddress},
                 {"G57", kSignature},
                 {"G58", kSignatureCaption}},
                "polyclinic contract");
}

// A spreadsheet program computes the total that the contract writes without its closing parenthesis.
TEST_F(ContractWindowTest, aSpreadsheetProgramComputesTheTotal) {
    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    startWithPolyclinicContract();
    doubleClickRow(4);
    chooseShowing();
    pressPrint();
    ASSERT_EQ(spreadsheets.shown().size(), 2);
    const ComputedSheet contract(spreadsheets.shown().value(1));
    // Row 12: "Итого" in A, the total of the three marked rows in K.
    EXPECT_EQ(contract.at("A12"), QStringLiteral("Итого"));
    EXPECT_EQ(contract.at("K12"), QStringLiteral("900.99"));
}

TEST_F(ContractWindowTest, printsTheHospitalContractOfAPatientWithAnApostrophe) {
    std::vector<Service> services;
    for (auto [name, quantity, price] : {std::tuple{"Койко-день", "10", "1200"},
                                         {"Инъекция", "2", "350.75"},
                                         {"Анализ крови", "1", "99.99"},
                                         {"Выписка", "1", "50"}}) {
        Service s = service(name, quantity, price);
        s.surname = QStringLiteral("Д'Артаньян");
        s.name = QStringLiteral("Шарль");
        s.patronymic = QStringLiteral("Батцевич");
        s.kindOfCare = QStringLiteral("Стационар");
        s.department = QStringLiteral("Терапевтическое отделение");
        s.contract = QStringLiteral("42");
        services.push_back(s);
    }
    services.back().date = QStringLiteral("06.03.2026"); // another day: another contract set
    insert(services);
    start();
    standOn(QStringLiteral("Д'Артаньян"), QStringLiteral("42"), QStringLiteral("Инъекция"));
    requestContract();
    ASSERT_EQ(grid()->rowCount(), 3);
    EXPECT_EQ(find<QComboBox>("sComboBox1", 2)->currentText(), QStringLiteral("Стационар"));

    pressPrint(); // "Печать" is chosen when the window opens
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(spreadsheets.shown().isEmpty());
    EXPECT_EQ(fileNames(spreadsheets.printed()),
              (QStringList{"printed-1-soglas.xlsx", "printed-2-stac.xlsx"}));
    // Printed workbooks are closed unsaved; the window stays for another print.
    EXPECT_EQ(spreadsheets.closedCount(), 2);
    EXPECT_TRUE(contractWindow().isVisible());

    expectCells(spreadsheets.lastPrinted().sheet(1),
                {{"A1", "Договор N__ 42__\nна оказание платных медицинских услуг"},
                 {"I2", kDate},
                 {"A6", "Д'Артаньян Шарль Батцевич"},
                 {"A13", "1"},
                 {"B13", "Койко-день"},
                 {"I13", "10"},
                 {"J13", "1200"},
                 {"K13", "=I13*J13"},
                 {"B14", "Инъекция"},
                 {"J14", "350.75"},
                 {"K14", "=I14*J14"},
                 {"A15", "3"},
                 {"B15", "Анализ крови"},
                 {"K15", "=I15*J15"},
                 {"A16", "Итого"},
                 {"K16", "=SUM(K13:K15)"},
                 {"A17", ""},
                 {"A41", "путем 100 % предоплаты в сумме (Двенадцать тысяч восемьсот один рубль 49 копеек)."},
                 {"G50", kPassport},
                 {"G51", kIssuedBy},
                 {"G52", kAddress},
                 {"G55", kSignature},
                 {"G56", kSignatureCaption}},
                "hospital contract");
}

TEST_F(ContractWindowTest, theDentalContractsTotalTheirServicesOnOneLine) {
    struct Case {
        const char* kindOfCare;
        std::vector<GoldenCell> cells;
        const char* consentServices;
    } cases[] = {
        // The dental contract counts every service, marked or not.
        {"Поликлиника",
         {{"A1", "Договор N__ 17__\nна оказание платных медицинских услуг"},
          {"I2", kDate},
          {"E4", "Иванов Иван Иванович"},
          {"A9", "1"},
          {"B9", "Зубопротезирование по наряду"},
          {"L9", "9800.5"},
          {"A10", "Итого"},
          {"L10", "=SUM(L9:L9)"},
          {"A38", "3.2. Стоимость медицинских услуг, указанных в разделе 1 настоящего договора составляет "
                  "Девять тысяч восемьсот рублей 50 копеек."},
          {"G52", kPassport},
          {"G58", kSignatureCaption}},
         "Коронка"},
        // In hospital care the dental department gets one line of the marked services.
        {"Стационар",
         {{"A13", "1"},
          {"B13", "Услуги зубопротезирования"},
          {"K13", "9000"},
          {"A14", "Итого"},
          {"K14", "=SUM(K13:K13)"},
          {"B14", ""},
          {"A41", "путем 100 % предоплаты в сумме (Девять тысяч рублей 00 копеек)."},
          {"G50", kPassport}},
         "Коронка"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kindOfCare);
        prepare({QStringLiteral("delete from people")});
        Service crown = service("Коронка", "2", "4500");
        Service cast = service("Слепок", "1", "800.5");
        for (Service* s : {&crown, &cast}) {
            s->kindOfCare = QString::fromUtf8(c.kindOfCare);
            s->department = QStringLiteral("Зубопротезный кабинет");
        }
        insert({crown, cast});
        start();
        standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Коронка"));
        requestContract();
        doubleClickRow(2);
        chooseShowing();
        const int before = static_cast<int>(spreadsheets.shown().size());
        pressPrint();
        EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
        ASSERT_EQ(spreadsheets.shown().size(), before + 2);
        Workbook consent = Workbook::open(spreadsheets.shown()[before]);
        EXPECT_EQ(consent.sheet(1).cellValue(15, 1), QString::fromUtf8(c.consentServices));
        expectCells(spreadsheets.lastShown().sheet(1), c.cells, c.kindOfCare);
    }
}

TEST_F(ContractWindowTest, closingTheWindowGivesTheWholeRegisterBack) {
    startWithPolyclinicContract();
    DataSet& reg = app().workstation().serviceRegister();
    EXPECT_TRUE(reg.isFiltered());
    EXPECT_EQ(reg.recordCount(), 4);
    find<QPushButton>("sBitBtn2", 2)->click();
    EXPECT_FALSE(contractWindow().isVisible());
    EXPECT_FALSE(reg.isFiltered());
    EXPECT_EQ(reg.recordCount(), 6);
    // Still on a record of the contract: the one the listing ended on.
    EXPECT_EQ(reg.fieldText("NAME"), QStringLiteral("Оптическая когерентная томография"));
}

TEST_F(ContractWindowTest, theWindowsChoicesAsTheCashierFindsThem) {
    start();
    auto* departments = find<QComboBox>("sComboBox2", 2);
    ASSERT_EQ(departments->count(), 63);
    EXPECT_EQ(departments->itemText(0), QStringLiteral("Кабинет гинеколога"));
    EXPECT_EQ(departments->itemText(34), QStringLiteral("ОТДЕЛЕНИЕ АНЕСТЕЗИОЛОГИИ-РЕАНИМАЦИИ (ОАР)\t"));
    EXPECT_EQ(departments->itemText(61), QStringLiteral("ОЛМХГ -ДСС "));
    EXPECT_EQ(departments->itemText(14), QStringLiteral("Зубопротезный кабинет"));
    EXPECT_EQ(departments->toolTip(), QStringLiteral("Отделение"));
    EXPECT_EQ(find<QComboBox>("sComboBox3", 2)->toolTip(), QStringLiteral("Лечащий доктор"));
    struct Radio {
        const char* name;
        const char* text;
        bool enabled;
        bool checked;
    } radios[] = {
        {"sRadioButton1", "Печать", true, true},
        {"sRadioButton2", "Вывод в EXCEL без сохранения", true, false},
        {"sRadioButton6", "Вывод в EXCEL с сохранением", false, false},
        {"sRadioButton3", "Договор и соглашение", true, true},
        {"sRadioButton4", "Только договор", false, false},
        {"sRadioButton5", "Только соглашение", false, false},
    };
    for (const Radio& r : radios) {
        auto* radio = find<QRadioButton>(r.name, 2);
        ASSERT_NE(radio, nullptr) << r.name;
        EXPECT_EQ(radio->text(), QString::fromUtf8(r.text));
        EXPECT_EQ(radio->isEnabled(), r.enabled) << r.name;
        EXPECT_EQ(radio->isChecked(), r.checked) << r.name;
    }
    EXPECT_FALSE(find<QPushButton>("sBitBtn4", 2)->isEnabled());
    EXPECT_EQ(find<QPushButton>("sBitBtn4", 2)->toolTip(), QStringLiteral("Редактирование данных"));
    EXPECT_TRUE(find<QPushButton>("sBitBtn1", 2)->isHidden());
    EXPECT_TRUE(find<QPushButton>("sBitBtn3", 2)->isHidden());
}

TEST_F(ContractWindowTest, anOutputThatCannotStartShowsOneMessagePerDocumentAndNothingElse) {
    startWithPolyclinicContract();
    chooseShowing();
    spreadsheets.failStart();
    pressPrint();
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& message : messages.shown) {
        EXPECT_EQ(message.text, QStringLiteral("Невозможно вывести в Excel "));
        EXPECT_EQ(message.caption, QStringLiteral("Ошибка"));
    }
    EXPECT_EQ(spreadsheets.started(), (QStringList{"soglas.xls", "polikl.xls"}));
    EXPECT_TRUE(spreadsheets.shown().isEmpty());
    EXPECT_TRUE(spreadsheets.printed().isEmpty());

    // A template missing from the program's folder reads the same.
    spreadsheets.succeedStart();
    messages.shown.clear();
    QTemporaryDir empty;
    setTemplateDirectory(empty.path());
    pressPrint();
    setTemplateDirectory({});
    EXPECT_EQ(messages.texts(), (QStringList{"Невозможно вывести в Excel ", "Невозможно вывести в Excel "}));
    EXPECT_TRUE(spreadsheets.shown().isEmpty());
}

TEST_F(ContractWindowTest, aConsentThatCannotBeOpenedLeavesTheContractToGoOut) {
    startWithPolyclinicContract();
    for (bool printing : {true, false}) {
        SCOPED_TRACE(printing ? "printing" : "showing");
        messages.shown.clear();
        if (!printing)
            chooseShowing();
        spreadsheets.failTemplate(QStringLiteral("soglas.xls"));
        const int printedBefore = spreadsheets.printed().size();
        const int shownBefore = spreadsheets.shown().size();
        pressPrint();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("Невозможно вывести в Excel "));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
        const QStringList& out = printing ? spreadsheets.printed() : spreadsheets.shown();
        ASSERT_EQ(out.size() - (printing ? printedBefore : shownBefore), 1);
        Workbook contract = Workbook::open(out.last());
        EXPECT_TRUE(QFileInfo(out.last()).fileName().endsWith("polikl.xlsx"));
        EXPECT_EQ(contract.sheet(1).cellText(4, 5), QStringLiteral("Иванов Иван Иванович"));
        EXPECT_EQ(spreadsheets.started().mid(spreadsheets.started().size() - 2),
                  (QStringList{"soglas.xls", "polikl.xls"}));
    }
}

TEST_F(ContractWindowTest, aPriceThatIsNotANumber) {
    Service good = service("Прием офтальмолога", "1", "500");
    Service bad = service("Тонометрия", "2", "сто");
    insert({good, bad});
    start();
    DataSet& reg = app().workstation().serviceRegister();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Прием офтальмолога"));

    // While listing: the message names the price and the quantity; the register is given back whole,
    // on the record it was on, since no window is there to widen it.
    requestContract();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Неверный формат числасто 2"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_FALSE(contractWindow().isVisible());
    EXPECT_FALSE(reg.isFiltered());
    EXPECT_EQ(reg.fieldText("NAME"), QStringLiteral("Прием офтальмолога"));

    // While building (the grid changed under the window): the consent goes out, the contract does not.
    prepare({QStringLiteral("update people set summa = '150' where name = 'Тонометрия'")});
    reg.close();
    reg.open();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Прием офтальмолога"));
    messages.shown.clear();
    requestContract();
    ASSERT_TRUE(contractWindow().isVisible());
    grid()->item(1, 6)->setText(QStringLiteral("сто"));
    chooseShowing();
    pressPrint();
    EXPECT_EQ(messages.texts(), QStringList{"неверное число"});
    EXPECT_EQ(fileNames(spreadsheets.shown()), QStringList{"shown-1-soglas.xlsx"});
}

} // namespace
} // namespace zorvel::test
