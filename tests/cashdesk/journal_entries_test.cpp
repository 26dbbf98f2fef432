// What the change journal holds after each of the cashier's and the administrator's changes: one entry per
// changed row, with the values before and after, written by the database in the same transaction.
#include "tests/cashdesk/register_fixture.h"

#include "app/main_window.h"
#include "cashdesk/partial_payment_window.h"
#include "cashdesk/price_list.h"
#include "cashdesk/refund_window.h"
#include "cashdesk/service_entry_tab.h"
#include "data/connection.h"
#include "data/database_upgrade.h"
#include "data/dataset.h"
#include "spreadsheet/workbook.h"
#include "spreadsheet/worksheet.h"
#include "tests/support/test_database.h"
#include "widgets/data_grid.h"
#include "widgets/patient_search_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <functional>

namespace zorvel::test {
namespace {

class JournalEntriesTest : public RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        // The long-lived database keeps the journal once zorvel-upgrade has run.
        if (legacySchema()) {
            stop();
            upgradeDatabase(databasePath());
            restart();
        }
    }
    // The committed entries after `afterId`: "TABLE|ACTION|CONTRACT|CHANGES", oldest first.
    QStringList entriesAfter(int afterId) {
        Connection other;
        other.connect(databasePath());
        DataSet log(other, QStringLiteral("log"));
        log.replaceSelect(
            QStringLiteral("select table_name || '|' || action || '|' || coalesce(contract, '') || '|' || "
                           "coalesce(changes, '') from change_log where id > %1 order by id")
                .arg(afterId));
        QStringList list;
        for (; !log.atEnd(); log.next())
            list << log.text(log.currentRow(), 0);
        return list;
    }
    int lastId() {
        Connection other;
        other.connect(databasePath());
        DataSet log(other, QStringLiteral("log"));
        log.replaceSelect(QStringLiteral("select coalesce(max(id), 0) from change_log"));
        return log.text(0, 0).toInt();
    }
    void editSumInPlace(const QString& service, const QString& sum) {
        find<QTabWidget>("sPageControl1")->setCurrentIndex(1);
        auto* grid = find<DataGrid>("DBGrid2");
        QAbstractItemModel* model = grid->model();
        int column = -1;
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == QStringLiteral("Стоимость"))
                column = c;
        ASSERT_GE(column, 0);
        standOn(QStringLiteral("Иванов"), QStringLiteral("17"), service);
        const int row = people().currentRow();
        ASSERT_TRUE(model->setData(model->index(row, column), sum));
        // Leaving the row posts it; the save commits.
        grid->setCurrentIndex(model->index(row == 0 ? 1 : 0, column));
        app().workstation().commit();
    }
};

TEST_F(JournalEntriesTest, eachChangeLeavesExactlyItsEntriesWithTheValuesBeforeAndAfter) {
    // The save and the instalment take the date and time of the workstation's clock.
    const QString today = dateText(clock.time.date());
    const QString now = timeText(clock.time.time());
    struct Case {
        const char* what;
        std::function<void()> change;
        QStringList entries;
    } cases[] = {
        {"a save on the entry tab",
         [&] {
             ServiceEntryTab& entry = app().mainWindow().entryTab();
             entry.surnameEdit()->setText(QStringLiteral("Д'Артаньян"));
             entry.firstNameEdit()->setText(QStringLiteral("Шарль"));
             entry.findChild<QLineEdit*>("sEdit8")->setText(QStringLiteral("300"));
             entry.findChild<QLineEdit*>("sEdit5")->setText(QStringLiteral("2"));
             entry.contractNumberEdit()->setText(QStringLiteral("19"));
             ASSERT_TRUE(entry.save());
         },
         {"PEOPLE|I|19|FAM: Д'Артаньян; NAM: Шарль; DATA_USL: " + today + "; SUMMA: 300; TIME_US: " + now +
          "; KOL: 2; CHOPL: 0"}},
        {"an in-place sum edit",
         [&] { editSumInPlace(QStringLiteral("Перевязка"), QStringLiteral("750")); },
         {"PEOPLE|U|17|SUMMA: 500 -> 750"}},
        {"an instalment",
         [&] {
             standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Перевязка"));
             auto& window = *static_cast<PartialPaymentWindow*>(app().window(9));
             window.openForCurrentContract();
             window.findChild<QLineEdit*>("sEdit1")->setText(QStringLiteral("100"));
             ASSERT_TRUE(window.recordInstalment());
             window.close();
         },
         {"PEOPLE|U|17|DATAISP: 01.03.2026 -> " + today + "; CHOPL: 0 -> 100",
          "PEOPLE|U|17|DATAISP: 01.03.2026 -> " + today + "; CHOPL: 0 -> 100",
          "PEOPLE|U|17|DATAISP: 01.03.2026 -> " + today + "; CHOPL: 0 -> 100"}},
        // The instalment left the register on the contract: the mark goes to its three records.
        {"the verification mark",
         [&] {
             standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Снятие швов"));
             auto* mark = find<QComboBox>("sDBComboBox1");
             const int index = mark->findText(QStringLiteral("Да "));
             mark->setCurrentIndex(index);
             emit mark->activated(index);
         },
         {"PEOPLE|U|17|PROVER: Нет -> Да", "PEOPLE|U|17|PROVER: Нет -> Да", "PEOPLE|U|17|PROVER: Нет -> Да"}},
        {"a refund",
         [&] {
             find<QPushButton>("sBitBtn9")->click();
             auto& window = *static_cast<RefundWindow*>(app().window(7));
             PatientSearchPanel* panel = window.searchPanel();
             panel->checkBox(PatientSearchPanel::Surname)->setChecked(true);
             panel->field(PatientSearchPanel::Surname)->setText(QStringLiteral("Петров"));
             find<QPushButton>("sBitBtn9", 7)->click();
             window.close();
         },
         {"PEOPLEV|I|17|FAM: Петров; NAM: Иван; OTH: Иванович; KODGVV: 3; DATA_USL: 05.03.2026; "
          "NAME: Прием терапевта; SUMMA: 500; TIME_US: 09:00:05; KOL: 1; CHOPL: 0",
          "PEOPLE|D|17|FAM: Петров; NAM: Иван; OTH: Иванович; KODGVV: 3; DATA_USL: 05.03.2026; "
          "NAME: Прием терапевта; SUMMA: 500; TIME_US: 09:00:05; KOL: 1; CHOPL: 0"}},
        {"a price import",
         [&] {
             Workbook book = Workbook::blank();
             Worksheet& sheet = book.sheet(1);
             sheet.setCell(1, 1, QStringLiteral("П"));
             sheet.setCell(1, 2, QStringLiteral("A09.001"));
             sheet.setText(1, 3, QStringLiteral("Анализ 'общий'"));
             sheet.setCell(1, 7, QStringLiteral("120"));
             sheet.setCell(1, 8, QStringLiteral("90"));
             ASSERT_EQ(importPriceList(app().workstation(), book), 1);
         },
         {"PRAIS|I||KOD: A09.001; NAME: Анализ 'общий'; KODGVV: 90; SUMMA: 120"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        const int before = lastId();
        c.change();
        EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
        EXPECT_EQ(entriesAfter(before), c.entries);
    }
}

TEST_F(JournalEntriesTest, aBatchTheServerRefusesHalfwayLeavesNoEntry) {
    // Another workstation holds the contract's last record: the instalment writes none of the three, and
    // the journal holds nothing of the two it wrote before the lock.
    Connection other;
    other.connect(databasePath());
    other.startTransaction();
    other.executeImmediate(QStringLiteral("update people set kol = kol where name = 'Снятие швов'"));
    const int before = lastId();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Перевязка"));
    auto& window = *static_cast<PartialPaymentWindow*>(app().window(9));
    window.openForCurrentContract();
    window.findChild<QLineEdit*>("sEdit1")->setText(QStringLiteral("100"));
    EXPECT_FALSE(window.recordInstalment());
    other.rollback();
    app().workstation().commit();
    EXPECT_EQ(entriesAfter(before), QStringList{});
    EXPECT_EQ(committed("chopl").mid(0, 3), (QStringList{"Прием хирурга|0", "Перевязка|0", "Снятие швов|0"}));
}

} // namespace
} // namespace zorvel::test
