// Instalments of a contract (TForm9) and the debts list with its export (TForm10).

#include "tests/cashdesk/register_fixture.h"

#include "cashdesk/debts_window.h"
#include "cashdesk/partial_payment_window.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "spreadsheet/worksheet.h"
#include "tests/support/golden_cells.h"
#include "widgets/data_grid.h"
#include "widgets/patient_search_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace zorvel::test {
namespace {

class InstalmentTest : public RegisterTest {
protected:
    PartialPaymentWindow& window() { return *static_cast<PartialPaymentWindow*>(app().window(9)); }
    // "Частичная оплата" on the entry tab with the given record current.
    void open(const QString& service) {
        standOn(QStringLiteral("Иванов"), QStringLiteral("17"), service);
        find<QPushButton>("sBitBtn11")->click();
        ASSERT_TRUE(window().isVisible());
    }
    // Types the instalment and presses Enter, as the cashier does.
    void pay(const QString& amount) {
        QLineEdit* field = find<QLineEdit>("sEdit1", 9);
        field->clear();
        ASSERT_TRUE(focusField(field));
        typeText(amount);
        pressEnter();
    }
    QStringList paid() { return committed("chopl, dataisp"); }
};

TEST_F(InstalmentTest, instalmentsAddUpExactlyOnEveryRecordOfTheContract) {
    open(QStringLiteral("Перевязка"));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Частичная оплата услуг"));
    EXPECT_EQ(view(), (QStringList{"Прием хирурга", "Перевязка", "Снятие швов"}));
    EXPECT_EQ(find<QLineEdit>("sDBEdit1", 9)->text(), QStringLiteral("0"));
    pay(QStringLiteral("0.1"));
    pay(QStringLiteral("0.2"));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    const QStringList contract = {"Прием хирурга|0.3|12.03.2026", "Перевязка|0.3|12.03.2026",
                                  "Снятие швов|0.3|12.03.2026"};
    EXPECT_EQ(paid(), (contract + QStringList{"Тонометрия|0|01.03.2026", "Прием терапевта|0|01.03.2026"}));
    // Still on the contract, on the record that was current, showing the new total.
    EXPECT_EQ(people().fieldText("NAME"), QStringLiteral("Перевязка"));
    EXPECT_EQ(find<QLineEdit>("sDBEdit1", 9)->text(), QStringLiteral("0.3"));
    EXPECT_EQ(find<QLineEdit>("sEdit1", 9)->text(), QStringLiteral("0.2"));

    // A search that shows the patient's other contract too: the instalment still goes to one contract.
    PatientSearchPanel* search = window().searchPanel();
    search->checkBox(PatientSearchPanel::Surname)->setChecked(true);
    search->field(PatientSearchPanel::Surname)->setText(QStringLiteral("Иванов"));
    search->applyButton()->click();
    EXPECT_EQ(view().size(), 4);
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Снятие швов"));
    pay(QStringLiteral("1250,5"));
    EXPECT_EQ(paid().mid(0, 4), (QStringList{"Прием хирурга|1250.8|12.03.2026", "Перевязка|1250.8|12.03.2026",
                                             "Снятие швов|1250.8|12.03.2026", "Тонометрия|0|01.03.2026"}));
    EXPECT_EQ(view().size(), 4);
}

TEST_F(InstalmentTest, printPrintsTheCurrentContract) {
    open(QStringLiteral("Снятие швов"));
    find<QPushButton>("sBitBtn6", 9)->click();
    EXPECT_TRUE(app().window(2)->isVisible());
    EXPECT_EQ(app().window(2)->findChild<QTableWidget*>("StringGrid1")->rowCount(), 3);
}

TEST_F(InstalmentTest, anEmptyTotalTakesTheInstalmentAlone) {
    Record empty = standardRecords()[0];
    empty.surname = QStringLiteral("Сидоров");
    empty.paid.clear();
    insert({empty});
    restart();
    standOn(QStringLiteral("Сидоров"), QStringLiteral("17"), QStringLiteral("Прием хирурга"));
    find<QPushButton>("sBitBtn11")->click();
    pay(QStringLiteral("150"));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(paid().mid(5), QStringList{"Прием хирурга|150|12.03.2026"});
}

TEST_F(InstalmentTest, aBadNumberWritesNothing) {
    open(QStringLiteral("Прием хирурга"));
    const QStringList before = paid();
    for (const char* bad : {"12a", "", "1.2.3", "12345678901234567890", "99999999999"}) {
        messages.shown.clear();
        pay(QString::fromLatin1(bad));
        ASSERT_EQ(messages.shown.size(), 1u) << bad;
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("Неверный формат числа")) << bad;
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    }
    app().workstation().commit();
    EXPECT_EQ(paid(), before);
}

TEST_F(InstalmentTest, aLockedRecordLeavesTheWholeContractUnpaid) {
    open(QStringLiteral("Прием хирурга"));
    Connection other;
    other.connect(databasePath());
    other.startTransaction();
    other.executeImmediate(QStringLiteral("update people set kod = 'x' where name = 'Перевязка'"));
    pay(QStringLiteral("100"));
    EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8(kLockMessage)});
    other.rollback();
    app().workstation().commit();
    EXPECT_EQ(paid().filter(QStringLiteral("|100|")), QStringList{});
    EXPECT_EQ(people().fieldText("CHOPL"), QStringLiteral("0"));
}

class DebtsTest : public RegisterTest {
protected:
    DebtsWindow& window() { return *static_cast<DebtsWindow*>(app().window(10)); }
    Worksheet& exported() {
        window().findChild<QAction*>("N1")->trigger();
        EXPECT_EQ(spreadsheets.started(), QStringList{"dolg.xls"});
        book_ = spreadsheets.lastShown();
        return book_.sheet(1);
    }
    Workbook book_;
};

TEST_F(DebtsTest, threeContractsListedAndTotalled) {
    // Иванов 17 paid 300 of 1500 (three services of 500), Иванов 18 nothing of 500, Петров 17 all of 500;
    // Сидоров paid 200.5 of 500.
    Record sidorov = standardRecords()[0];
    sidorov.surname = QStringLiteral("Сидоров");
    sidorov.contract = QStringLiteral("19");
    sidorov.paid = QStringLiteral("200.5");
    insert({sidorov});
    prepare({QStringLiteral("update people set chopl = '300' where fam = 'Иванов' and ndog = '17'"),
             QStringLiteral("update people set chopl = '500' where fam = 'Петров'")});
    restart();
    window().loadDebts();
    EXPECT_TRUE(window().isVisible());
    // The statement as the debts list has always sent it, blanks included.
    EXPECT_EQ(app().workstation().debts().selectSql(),
              QStringLiteral(
                  "select dndog,dfam,dnam,doth,cast(dchopl as numeric(7,2)),cast(DSUMDOG as numeric(7,2)),"
                  "cast (DOST as numeric(7,2)),DDATAISP from dolg where  dost<>0   group by "
                  "dndog,dfam,dnam,doth,dchopl,DSUMDOG,DOST,DDATAISP"));
    QAbstractItemModel* model = window().grid()->model();
    const char* titles[] = {"№ договора",        "Фамилия",           "Имя",         "Отчество", "Оплачено",
                            "Сумма по договору", "Осталось к оплате", "Дата платежа"};
    const int widths[] = {65, 80, 80, 80, 96, 96, 99, 96};
    ASSERT_EQ(model->columnCount(), 8);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(titles[c]));
        EXPECT_EQ(window().grid()->columnWidth(c), widths[c]) << c;
    }
    ASSERT_EQ(model->rowCount(), 3);

    Worksheet& sheet = exported();
    expectCells(sheet,
                {
                    {"A2", "1"},          {"B2", "17"},          {"C2", "Иванов"},      {"D2", "Иван"},
                    {"E2", "Иванович"},   {"F2", "300"},         {"G2", "1500"},        {"H2", "1200"},
                    {"I2", "01.03.2026"}, {"A3", "2"},           {"B3", "18"},          {"F3", "0"},
                    {"G3", "500"},        {"H3", "500"},         {"A4", "3"},           {"B4", "19"},
                    {"C4", "Сидоров"},    {"F4", "200.5"},       {"H4", "299.5"},       {"A5", ""},
                    {"A6", "ИТОГО:"},     {"F6", "=SUM(F2:F5)"}, {"G6", "=SUM(G2:G5)"}, {"H6", "=SUM(H2:H5)"},
                },
                "dolg");
    EXPECT_TRUE(sheet.cellStyle(6, 1).bold);
    EXPECT_TRUE(sheet.cellStyle(6, 18).bold);
    EXPECT_FALSE(sheet.cellStyle(4, 1).bold);
    EXPECT_TRUE(sheet.cellStyle(2, 1).bordered);
    EXPECT_TRUE(sheet.cellStyle(6, 9).bordered);
    EXPECT_TRUE(sheet.cellStyle(5, 5).bordered);
    EXPECT_FALSE(sheet.cellStyle(6, 10).bordered);
    EXPECT_FALSE(sheet.cellStyle(7, 1).bordered);
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
}

TEST_F(DebtsTest, anEmptyListStillGetsItsTotalsRow) {
    prepare({QStringLiteral("update people set chopl = '1500'"),
             QStringLiteral("update people set chopl = '500' where ndog = '18' or fam = 'Петров'")});
    restart();
    window().loadDebts();
    EXPECT_EQ(window().grid()->model()->rowCount(), 0);
    Worksheet& sheet = exported();
    EXPECT_EQ(sheet.cellValue(3, 1), QStringLiteral("ИТОГО:"));
    EXPECT_EQ(sheet.cellFormula(3, 6), QStringLiteral("=SUM(F2:F2)"));
    EXPECT_TRUE(sheet.cellStyle(2, 1).bordered);
    EXPECT_TRUE(sheet.cellStyle(3, 9).bordered);
    EXPECT_FALSE(sheet.cellStyle(4, 1).bordered);
}

TEST_F(DebtsTest, noTemplateNoExport) {
    window().loadDebts();
    spreadsheets.failStart();
    window().findChild<QAction*>("N1")->trigger();
    EXPECT_EQ(messageTexts(), QStringList{"Невозможно вывести в Excel "});
    EXPECT_TRUE(spreadsheets.shown().isEmpty());
}

} // namespace
} // namespace zorvel::test
