#include "tests/cashdesk/entry_fixture.h"

#include "widgets/data_grid.h"
#include "widgets/data_navigator.h"
#include "app/main_window.h"
#include "workstation/workstation.h"
#include "data/dataset.h"

#include <QAction>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace zorvel::test {
namespace {

QStringList titles(const QAbstractItemModel* model) {
    QStringList list;
    for (int c = 0; c < model->columnCount(); ++c)
        list << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return list;
}

class MainWindowTest : public EntryTest {
protected:
    // Three saved services of three patients, a second apart.
    void saveThree() {
        for (const char* surname : {"Антонов", "Борисов", "Власов"}) {
            clock.time = clock.time.addSecs(1);
            app().mainWindow().tick();
            edit("sEdit2")->setText(QString::fromUtf8(surname));
            find<QPushButton>("sBitBtn1")->click();
        }
        ASSERT_TRUE(messages.shown.empty());
    }
    DataSet& people() { return app().workstation().serviceRegister(); }
    QTabWidget* tabs() { return find<QTabWidget>("sPageControl1"); }
};

TEST_F(MainWindowTest, thePriceListAboveTheTabsAndTheRegisterOnTheCashTab) {
    auto* priceGrid = find<DataGrid>("DBGrid1");
    ASSERT_NE(priceGrid, nullptr);
    EXPECT_EQ(titles(priceGrid->model()),
              (QStringList{"№", "Символ", "Код", "Наименование услуги", "Код услуги", "Сумма"}));
    EXPECT_EQ(priceGrid->model()->rowCount(), 9);
    EXPECT_EQ(priceGrid->toolTip(), QStringLiteral("Прайс платных услуг"));

    auto* registerGrid = find<DataGrid>("DBGrid2");
    ASSERT_NE(registerGrid, nullptr);
    EXPECT_EQ(titles(registerGrid->model()), (QStringList{"№",
                                                          "№ договора",
                                                          "Фамилия",
                                                          "Имя",
                                                          "Отчество",
                                                          "Д\\м",
                                                          "№ услуги",
                                                          "Наименование операции",
                                                          "Код",
                                                          "Тип помощи",
                                                          "Доктор",
                                                          "Медсетра",
                                                          "Техник",
                                                          "Отделение",
                                                          "Стоимость",
                                                          "Количество",
                                                          "Дата",
                                                          "Время",
                                                          "Дата исправления",
                                                          "Серия",
                                                          "Номер",
                                                          "Выдан",
                                                          "Адрес",
                                                          "Частичная оплата",
                                                          "Проверка",
                                                          "№ наряда",
                                                          "Дата направления",
                                                          "Доплата"}));

    // The entry tab is active at start; the lens-cost tab is there but cannot be reached.
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Ввод данных для кассы"));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Касса"));
    EXPECT_EQ(tabs()->tabText(2), QStringLiteral("Стоимость линз"));
    EXPECT_TRUE(tabs()->isTabVisible(1));
    EXPECT_FALSE(tabs()->isTabVisible(2));
    EXPECT_EQ(find<QProgressBar>("pb1")->value(), 0);
}

TEST_F(MainWindowTest, openingTheCashTabHandsThePatientToTheLensCostTab) {
    ASSERT_TRUE(focusField(edit("sEdit2")));
    for (const char* text : {"Иванов", "Иван", "Иванович", "", "петров", "", "", "2"}) {
        typeText(QString::fromUtf8(text));
        pressEnter();
    }
    combo("sComboBox2")->setCurrentText("Стационар");
    tabs()->setCurrentIndex(1);
    const char* copied[][2] = {{"sEdit17", "Иванов"},    {"sEdit16", "Иван"},
                               {"sEdit15", "Иванович"},  {"sComboBox4", "Стационар"},
                               {"sComboBox5", "Петров"}, {"sComboBox6", "Кабинет хирурга"}};
    for (const auto& [name, text] : copied) {
        QWidget* w = find<QWidget>(name);
        ASSERT_NE(w, nullptr) << name;
        const QString shown = qobject_cast<QComboBox*>(w) ? combo(name)->currentText() : edit(name)->text();
        EXPECT_EQ(shown, QString::fromUtf8(text)) << name;
    }
}

TEST_F(MainWindowTest, theButtonsThatLeadToOtherWindows) {
    MainWindow& window = app().mainWindow();
    QSignalSpy partial(&window, &MainWindow::partialPaymentRequested);
    QSignalSpy print(&window, &MainWindow::contractPrintRequested);
    find<QPushButton>("sBitBtn11")->click();
    EXPECT_EQ(partial.count(), 1);
    for (const char* button : {"sBitBtn10", "sBitBtn6"})
        find<QPushButton>(button)->click();
    EXPECT_EQ(print.count(), 2);
    EXPECT_EQ(find<QPushButton>("sBitBtn10")->toolTip(), QStringLiteral("печать договора"));

    find<QPushButton>("sBitBtn9")->click();
    EXPECT_TRUE(app().window(7)->isVisible());
    for (const char* button : {"sBitBtn8", "sBitBtn12"})
        EXPECT_FALSE(find<QPushButton>(button)->isEnabled()) << button;

    find<QPushButton>("sBitBtn7")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, theRegisterGridAndItsDataSetStandOnTheSameRow) {
    saveThree();
    tabs()->setCurrentIndex(1);
    auto* grid = find<DataGrid>("DBGrid2");
    // The last save stands on its row.
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Власов"));
    EXPECT_EQ(grid->currentIndex().row(), people().currentRow());

    const QModelIndex first = grid->model()->index(0, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(first).center());
    EXPECT_EQ(people().currentRow(), 0);
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Антонов"));

    people().setCurrentRow(1);
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(MainWindowTest, theNavigatorMovesInsertsAndDeletes) {
    saveThree();
    auto* navigator = find<DataNavigator>("sDBNavigator1");
    ASSERT_NE(navigator, nullptr);
    auto press = [&](DataNavigator::Button b) { navigator->button(b)->click(); };
    press(DataNavigator::Button::First);
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Антонов"));
    press(DataNavigator::Button::Next);
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Борисов"));
    press(DataNavigator::Button::Last);
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Власов"));
    press(DataNavigator::Button::Prior);
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Борисов"));

    press(DataNavigator::Button::Insert);
    EXPECT_EQ(people().state(), DataSet::State::Insert);
    press(DataNavigator::Button::Cancel);
    EXPECT_EQ(people().recordCount(), 3);

    press(DataNavigator::Button::Delete);
    EXPECT_EQ(people().recordCount(), 2);
    app().workstation().commit();
    press(DataNavigator::Button::Refresh);
    EXPECT_EQ(savedRows("fam"), (QStringList{"Антонов", "Власов"}));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
}

using AdministratorTest = WorkstationTest;

TEST_F(AdministratorTest, onlyTheAdministratorBacksUpMaintainsThePriceListAndQueriesTheRegister) {
    for (bool administrator : {false, true}) {
        Application& app = start(administrator);
        auto action = [&](const char* name) { return app.mainWindow().findChild<QAction*>(name); };
        for (const char* name : {"N13", "N3", "excel1", "N11"})
            EXPECT_EQ(action(name)->isEnabled(), administrator)
                << name << " with administrator " << administrator;
        EXPECT_TRUE(action("N12")->isEnabled());
    }
    messages.shown.clear();
    app().mainWindow().findChild<QAction*>("N13")->trigger();
    EXPECT_EQ(messages.texts(), QStringList{"Спасибо за своевременное резервирование базы"});
    EXPECT_TRUE(QFile::exists(QDir(folder()).filePath("backup.fdb 05.03.2026")));
}

} // namespace
} // namespace zorvel::test
