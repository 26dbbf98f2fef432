// The consumables window on a real database: the balance panel of "Расходники", receipts, the balance
// report and the dental prosthetics room's journal read back from the workbooks the output was given.

#include "tests/support/keyboard.h"
#include "tests/support/workstation_fixture.h"

#include "app/main_window.h"
#include "consumables/consumables_window.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "spreadsheet/workbook.h"
#include "widgets/data_grid.h"
#include "workstation/workstation.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace zorvel::test {
namespace {

class ConsumablesTest : public WorkstationTest {
protected:
    // Receipts of two lenses (one code received twice), plaster and wax, and one lens outside the dental
    // room's codes; the register uses two of them.
    void prepareStock() {
        prepare({
            receipt("01.03.2026", "Линза IQ", "15000", 5, "973"),
            receipt("02.03.2026", "Линза IQ", "15000", 3, "973"),
            receipt("01.03.2026", "Гипс", "200", 10, "975"),
            receipt("10.03.2026", "Воск", "50", 4, "976"),
            receipt("01.03.2026", "Линза GOLD", "9000", 2, "1"),
            service("Иванов", "12", "03.03.2026", "973", 2, "15000"),
            service("Петров", "15", "04.03.2026", "975", 1, "200"),
            service("Сидоров", "16", "06.03.2026", "975", 1, "200"),
        });
    }
    static QString receipt(const char* date, const char* name, const char* price, int quantity,
                           const char* code) {
        return QStringLiteral("insert into prihod (datap, name, summa, kol, kod, nonakl, dnakl) values "
                              "('%1', '%2', '%3', %4, '%5', '7', '%1')")
            .arg(date, QString::fromUtf8(name), price)
            .arg(quantity)
            .arg(code);
    }
    static QString service(const char* surname, const char* contract, const char* date, const char* code,
                           int quantity, const char* price) {
        return QStringLiteral(
                   "insert into people (fam, nam, oth, ndog, data_usl, kodgvv, kol, summa, time_us) "
                   "values ('%1', 'Иван', 'Ильич', '%2', '%3', '%4', %5, '%6', '10:00:00')")
            .arg(QString::fromUtf8(surname), contract, date, code)
            .arg(quantity)
            .arg(price);
    }

    ConsumablesWindow* window() { return static_cast<ConsumablesWindow*>(app().window(12)); }
    QLineEdit* field(const char* name) { return find<QLineEdit>(name, 12); }
    QStringList row(const Worksheet& sheet, int r, int columns) {
        QStringList cells;
        for (int c = 1; c <= columns; ++c)
            cells << sheet.cellText(r, c);
        return cells;
    }
    int committedReceipts() {
        return committedRows(databasePath(), QStringLiteral("select count(*) from prihod")).value(0).toInt();
    }
    // The receipts another workstation sees: "DATAP|KOD|NAME|SUMMA|KOL" in the order they were stored.
    QStringList committedReceiptRows() {
        return committedRows(databasePath(),
                             QStringLiteral("select datap, kod, name, summa, kol from prihod order by idp"));
    }
};

TEST_F(ConsumablesTest, theMenuFillsTheBalancePanelAsOfTodayAndShowsTheWindow) {
    prepareStock();
    start();
    find<QAction>("N12")->trigger();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(find<QTextEdit>("sRichEdit1", 12)->toPlainText(),
              "Код: 1  Линза GOLD\n Цена: 9000 Остаток :2\n\n"
              "Код: 973  Линза IQ\n Цена: 15000 Остаток :6\n\n"
              "Код: 975  Гипс\n Цена: 200 Остаток :9\n\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConsumablesTest, withoutStockThePanelIsEmpty) {
    start();
    find<QAction>("N12")->trigger();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(find<QTextEdit>("sRichEdit1", 12)->toPlainText(), "");
}

TEST_F(ConsumablesTest, aReceiptIsCheckedSavedCommittedAndFoundAgain) {
    prepare({"insert into prais (simv, kod, name, summa, kodgvv) values ('Л', 'A16', 'Линза IQ SN60WF', "
             "'15000', '973')",
             "insert into prais (simv, kod, name, summa, kodgvv) values ('П', 'A01', 'Прием', '500', '29')"});
    start();
    window()->show();
    QLineEdit* code = field("sEdit2");
    ASSERT_TRUE(focusField(code));
    typeText("973");
    pressEnter();
    // The whole code looked up on Enter; the price list stays narrowed until Esc.
    EXPECT_EQ(field("sEdit3")->text(), "Линза IQ SN60WF");
    EXPECT_EQ(QApplication::focusWidget(), field("sEdit3"));
    EXPECT_EQ(app().workstation().prices().recordCount(), 1);
    ASSERT_TRUE(focusField(code));
    pressEscape();
    EXPECT_EQ(app().workstation().prices().recordCount(), 2);

    field("sEdit3")->setText("Линза 'Акри'");
    field("sEdit4")->setText("15000.50");
    field("sEdit1")->setText("12");
    DataSet& receipts = app().workstation().receipts();
    struct Refused {
        const char* date;
        const char* quantity;
        const char* waybillDate;
        const char* message;
    };
    for (const Refused& r :
         {Refused{"", "2", "", "Укажите дату получения"},
          Refused{"31.02.2026", "2", "", "Укажите дату получения"},
          Refused{"05.03.2026", "1.5", "", "Количество должно быть целым числом больше нуля"},
          Refused{"05.03.2026", "0", "", "Количество должно быть целым числом больше нуля"},
          Refused{"05.03.2026", "2", "05.03", "'05.03.____' не является правильной датой"}}) {
        messages.shown.clear();
        field("sDateEdit1")->setText(r.date);
        field("sEdit5")->setText(r.quantity);
        field("sDateEdit3")->setText(r.waybillDate);
        EXPECT_FALSE(window()->saveReceipt()) << r.date << ' ' << r.quantity;
        ASSERT_EQ(messages.texts(), QStringList{QString::fromUtf8(r.message)}) << r.date << ' ' << r.quantity;
        EXPECT_EQ(receipts.state(), DataSet::State::Browse);
        EXPECT_EQ(receipts.recordCount(), 0);
    }

    messages.shown.clear();
    field("sDateEdit1")->setText("05.03.2026");
    field("sEdit5")->setText("2");
    field("sDateEdit3")->setText("");
    find<QPushButton>("sBitBtn2", 12)->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(committedReceipts(), 1);
    ASSERT_EQ(receipts.recordCount(), 1);
    EXPECT_EQ(receipts.fieldText("DATAP"), "05.03.2026");
    EXPECT_EQ(receipts.fieldText("KOD"), "973");
    EXPECT_EQ(receipts.fieldText("NAME"), "Линза 'Акри'");
    EXPECT_EQ(receipts.fieldText("SUMMA"), "15000.50");
    EXPECT_EQ(receipts.fieldText("KOL"), "2");
    EXPECT_EQ(receipts.fieldText("NONAKL"), "12");
    EXPECT_EQ(receipts.fieldText("DNAKL"), "30.12.1899");
    EXPECT_EQ(receipts.fieldText("NOMU"), "");
    // The fields keep what was typed: a second press stores a second receipt.
    window()->saveReceipt();
    EXPECT_EQ(committedReceipts(), 2);
}

// Keys that only move the caret or the focus look nothing up, so a name corrected by hand stays; a price
// name longer than the name field holds is put in as far as it fits, and the cashier is told once.
TEST_F(ConsumablesTest, onlyTypingLooksTheCodeUpAndAnOverlongNameIsNotCutSilently) {
    const QString longName = QStringLiteral("Линза интраокулярная заднекамерная гидрофобная, "
                                            "асферическая, с желтым фильтром");
    ASSERT_GT(longName.size(), 50);
    prepare({"insert into prais (simv, kod, name, summa, kodgvv) values ('Л', 'A16', 'Линза IQ SN60WF', "
             "'15000', '973')",
             QStringLiteral("insert into prais (simv, kod, name, summa, kodgvv) values ('Л', 'A17', '%1', "
                            "'9000', '974')")
                 .arg(longName)});
    start();
    window()->show();
    QLineEdit* code = field("sEdit2");
    QLineEdit* name = field("sEdit3");
    ASSERT_TRUE(focusField(code));
    typeText("973");
    pressEnter();
    ASSERT_EQ(name->text(), "Линза IQ SN60WF");
    name->setText("Линза IQ SN60WF, правка");
    const std::pair<Qt::Key, Qt::KeyboardModifiers> moves[] = {
        {Qt::Key_Tab, Qt::NoModifier},   {Qt::Key_Backtab, Qt::ShiftModifier}, {Qt::Key_Left, Qt::NoModifier},
        {Qt::Key_Right, Qt::NoModifier}, {Qt::Key_Up, Qt::NoModifier},         {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_Shift, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier}};
    for (const auto& [key, modifiers] : moves) {
        ASSERT_TRUE(focusField(code));
        code->setText("974"); // a look-up now would find the other consumable
        pressKey(key, modifiers);
        EXPECT_EQ(name->text(), "Линза IQ SN60WF, правка") << key;
    }

    ASSERT_TRUE(focusField(code));
    code->setText("974");
    code->end(false);
    messages.shown.clear();
    pressEnter();
    EXPECT_EQ(name->text(), longName.left(50));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(
        messages.shown[0].text,
        QStringLiteral("Значение \"%1\" из прайса длиннее, чем вмещает поле (50 знаков): в поле вставлено "
                       "только его начало. Проверьте поле перед сохранением")
            .arg(longName));
    EXPECT_EQ(messages.shown[0].caption, "Уведомление");
    // The same name again is not told twice.
    ASSERT_TRUE(focusField(code));
    pressEnter();
    EXPECT_EQ(messages.shown.size(), 1u);
}

// "Просмотр": the grid edits receipts in place, the navigator adds and deletes them, and nothing of it is
// permanent before the commit button.
TEST_F(ConsumablesTest, receiptsAreEditedAddedAndDeletedInTheGridAndCommittedByTheButton) {
    prepare({receipt("01.03.2026", "Линза IQ", "15000", 5, "973"),
             receipt("01.03.2026", "Гипс", "200", 10, "975")});
    start();
    window()->show();
    find<QTabWidget>("sPageControl1", 12)->setCurrentIndex(1);
    auto* grid = find<DataGrid>("DBGrid1", 12);
    ASSERT_NE(grid, nullptr);
    QAbstractItemModel* model = grid->model();
    auto columnOf = [&](const char* title) {
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == QString::fromUtf8(title))
                return c;
        ADD_FAILURE() << title;
        return 0;
    };
    const int quantity = columnOf("Количество");
    DataSet& receipts = app().workstation().receipts();
    const QStringList before = committedReceiptRows();
    ASSERT_EQ(before, (QStringList{"01.03.2026|973|Линза IQ|15000|5", "01.03.2026|975|Гипс|200|10"}));

    // Typed over a cell as a cashier does: the first key opens the editor, Enter puts the text into the row,
    // the next row posts it.
    ASSERT_TRUE(focusField(grid));
    ASSERT_TRUE(receipts.locate(QStringLiteral("kod"), {QStringLiteral("975")}));
    const int plaster = receipts.currentRow();
    grid->setCurrentIndex(model->index(plaster, quantity));
    typeText(QStringLiteral("12"));
    pressEnter();
    // The editor hands its text over when the events run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return receipts.state() == DataSet::State::Edit; }, 5000));
    pressKey(plaster == 0 ? Qt::Key_Down : Qt::Key_Up);
    EXPECT_EQ(receipts.state(), DataSet::State::Browse);
    EXPECT_EQ(model->index(plaster, quantity).data().toString(), QStringLiteral("12"));

    // A new receipt through the navigator, its cells typed, posted by the navigator.
    auto* navigator = find<QWidget>("sDBNavigator1", 12);
    navigator->findChild<QToolButton*>(QStringLiteral("nbInsert"))->click();
    ASSERT_EQ(receipts.state(), DataSet::State::Insert);
    const int row = receipts.currentRow();
    const std::pair<const char*, const char*> cells[] = {{"Дата поставки", "04.03.2026"},
                                                         {"Код", "976"},
                                                         {"Наименование расходника", "Воск 'Мягкий'"},
                                                         {"Цена линзы", "50.5"},
                                                         {"Количество", "4"}};
    for (const auto& [title, text] : cells)
        EXPECT_TRUE(model->setData(model->index(row, columnOf(title)), QString::fromUtf8(text))) << title;
    navigator->findChild<QToolButton*>(QStringLiteral("nbPost"))->click();
    EXPECT_EQ(receipts.state(), DataSet::State::Browse);

    // The lens receipt deleted.
    ASSERT_TRUE(receipts.locate(QStringLiteral("kod"), {QStringLiteral("973")}));
    navigator->findChild<QToolButton*>(QStringLiteral("nbDelete"))->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();

    // Posted, not committed: another workstation still sees the receipts as they were.
    EXPECT_EQ(committedReceiptRows(), before);
    find<QPushButton>("sBitBtn3", 12)->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(committedReceiptRows(),
              (QStringList{"01.03.2026|975|Гипс|200|12", "04.03.2026|976|Воск 'Мягкий'|50.5|4"}));
    EXPECT_EQ(model->rowCount(), 2);
}

// The server refuses the commit of a receipt's save: the cashier is told, the receipt is not permanent
// and waits in the open transaction; "sBitBtn3" commits it once the server takes commits again.
TEST_F(ConsumablesTest, aRefusedCommitIsToldAndTheReceiptWaitsForTheNextCommit) {
    start();
    window()->show();
    field("sDateEdit1")->setText("05.03.2026");
    field("sEdit2")->setText("973");
    field("sEdit3")->setText("Линза IQ");
    field("sEdit5")->setText("2");
    refuseWorkstationCommits(true);
    find<QPushButton>("sBitBtn2", 12)->click();
    EXPECT_EQ(messages.texts(), QStringList{"Нет данных для сохранения"});
    EXPECT_EQ(committedReceipts(), 0);
    messages.shown.clear();
    find<QPushButton>("sBitBtn3", 12)->click();
    EXPECT_EQ(messages.texts(), QStringList{"Нет данных для сохранения"});
    EXPECT_EQ(committedReceipts(), 0);
    refuseWorkstationCommits(false);
    messages.shown.clear();
    find<QPushButton>("sBitBtn3", 12)->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(committedReceipts(), 1);
}

TEST_F(ConsumablesTest, theBalanceReportListsTheStockAsOfItsDateWithTotals) {
    prepareStock();
    start();
    field("sDateEdit2")->setText("05.03.2026");
    find<QPushButton>("sLabelFX8", 12)->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    ASSERT_EQ(spreadsheets.started(), QStringList{"linz.xls"});
    Workbook book = spreadsheets.lastShown();
    const Worksheet& sheet = book.sheet(1);
    EXPECT_EQ(sheet.cellText(1, 1), "На 05.03.2026");
    EXPECT_EQ(row(sheet, 2, 7), (QStringList{"№ п/п", "Код", "Наименование расходного материала", "Поступило",
                                             "Израсходовано", "Остаток", "Цена, руб."}));
    EXPECT_EQ(row(sheet, 3, 7), (QStringList{"1", "1", "Линза GOLD", "2", "0", "2", "9000"}));
    EXPECT_EQ(row(sheet, 4, 7), (QStringList{"2", "973", "Линза IQ", "8", "2", "6", "15000"}));
    EXPECT_EQ(row(sheet, 5, 7), (QStringList{"3", "975", "Гипс", "10", "1", "9", "200"}));
    EXPECT_EQ(sheet.cellText(6, 1), "ИТОГО:");
    EXPECT_EQ(sheet.cellFormula(6, 4), "=SUM(D2:D5)");
    EXPECT_EQ(sheet.cellFormula(6, 5), "=SUM(E2:E5)");
    EXPECT_EQ(sheet.cellFormula(6, 6), "=SUM(F2:F5)");
    EXPECT_EQ(sheet.cellText(6, 7), "");

    // A date before every receipt: the totals stand right under the headings, over row 2 alone.
    field("sDateEdit2")->setText("01.01.2020");
    find<QPushButton>("sLabelFX8", 12)->click();
    Workbook empty = spreadsheets.lastShown();
    EXPECT_EQ(empty.sheet(1).cellText(3, 1), "ИТОГО:");
    EXPECT_EQ(empty.sheet(1).cellFormula(3, 4), "=SUM(D2:D2)");
    EXPECT_EQ(empty.sheet(1).cellFormula(3, 6), "=SUM(F2:F2)");
    EXPECT_EQ(empty.sheet(1).cellText(4, 1), "");
}

TEST_F(ConsumablesTest, theDentalJournalHoldsTheOpeningBalanceTheServicesAndTheClosingBalance) {
    prepareStock();
    // Today is after the period and after every receipt and service: both balances are the chosen days'.
    clock.time = QDateTime(QDate(2026, 3, 20), QTime(9, 7, 3));
    start();
    field("sDateEdit4")->setText("02.03.2026");
    field("sDateEdit5")->setText("05.03.2026");
    find<QPushButton>("sLabelFX12", 12)->click();
    ASSERT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    ASSERT_EQ(spreadsheets.started(), QStringList{"rashzub.xls"});
    Workbook book = spreadsheets.lastShown();
    const Worksheet& sheet = book.sheet(1);
    const QStringList stockHeadings{"Код услуги", "Наименование", "Стоимость", "Остаток"};
    const struct {
        int row;
        QStringList cells;
    } expected[] = {
        {1, {"Остаток на 02.03.2026", "", "", ""}},
        {2, stockHeadings},
        {3, {"973", "Линза IQ", "15000", "8"}},
        {4, {"975", "Гипс", "200", "10"}},
        {5, {"", "", "", ""}},
        {6,
         {"№ п\\п", "№ договора", "Фамилия", "Имя", "Отчество", "Дата услуги", "Код услуги", "Количество",
          "Стоимость"}},
        {7, {"1", "12", "Иванов", "Иван", "Ильич", "03.03.2026", "973", "2", "15000"}},
        {8, {"2", "15", "Петров", "Иван", "Ильич", "04.03.2026", "975", "1", "200"}},
        {9, {"", "", "", ""}},
        {10, {"Остаток на 05.03.2026", "", "", ""}},
        {11, stockHeadings},
        {12, {"973", "Линза IQ", "15000", "6"}},
        {13, {"975", "Гипс", "200", "9"}},
        {14, {"", "", "", ""}},
    };
    for (const auto& e : expected)
        EXPECT_EQ(row(sheet, e.row, static_cast<int>(e.cells.size())), e.cells) << "row " << e.row;
    EXPECT_EQ(sheet.mergedRanges(), (QStringList{"A1:I1", "A10:I10"}));
    for (const auto& [r, c, bordered] :
         {std::tuple{2, 4, true}, std::tuple{4, 1, true}, std::tuple{4, 5, false}, std::tuple{5, 1, false},
          std::tuple{6, 9, true}, std::tuple{8, 9, true}, std::tuple{10, 1, false}, std::tuple{13, 4, true}})
        EXPECT_EQ(sheet.cellStyle(r, c).bordered, bordered) << r << ',' << c;
    for (int r : {1, 2, 6, 10, 11}) {
        EXPECT_TRUE(sheet.cellStyle(r, 1).bold) << r;
        EXPECT_EQ(sheet.cellStyle(r, 1).horizontal, "center") << r;
    }
    EXPECT_FALSE(sheet.cellStyle(3, 1).bold);
}

TEST_F(ConsumablesTest, aJournalThatCannotReadItsRowsSaysWhichAndShowsNoWorkbook) {
    prepareStock();
    start();
    field("sDateEdit4")->setText("02.03.2026");
    field("sDateEdit5")->setText("05.03.2026");
    Connection& connection = app().workstation().connection();
    // A code that is not a number stops the balance query before the workbook is started; a service number
    // that is not a number stops the services query after it was, and the workbook is dropped unshown.
    const struct {
        QString bad;
        QString repair;
        const char* message;
        int started;
    } cases[] = {
        {receipt("01.03.2026", "Линза", "1", 1, "X"), "delete from prihod where kod = 'X'",
         "Найдены пустые записи", 0},
        {service("Иванов", "1", "03.03.2026", "A1", 1, "1"), "delete from people where kodgvv = 'A1'",
         "Найдены пустые записи в таблице пациентов", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.shown.clear();
        const auto started = spreadsheets.started().size();
        const int closed = spreadsheets.closedCount();
        connection.executeImmediate(c.bad);
        EXPECT_FALSE(window()->writeDentalJournal());
        connection.executeImmediate(c.repair);
        ASSERT_EQ(messages.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(messages.shown[0].caption, "Ошибка");
        EXPECT_EQ(spreadsheets.started().size() - started, c.started);
        EXPECT_EQ(spreadsheets.closedCount() - closed, c.started);
        EXPECT_TRUE(spreadsheets.shown().isEmpty());
    }
    // Repaired, the journal is written.
    messages.shown.clear();
    EXPECT_TRUE(window()->writeDentalJournal());
    EXPECT_EQ(spreadsheets.shown().size(), 1);
}

TEST_F(ConsumablesTest, aReportWhoseTemplateCannotBeOpenedSaysSo) {
    prepareStock();
    start();
    spreadsheets.failStart();
    field("sDateEdit2")->setText("05.03.2026");
    EXPECT_FALSE(window()->writeBalanceReport());
    EXPECT_EQ(messages.texts(), QStringList{"Невозможно вывести в Excel "});
    EXPECT_TRUE(spreadsheets.shown().isEmpty());
}

} // namespace
} // namespace zorvel::test
