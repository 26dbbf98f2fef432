// Refunds (TForm7): the services found move whole from the register to the refunded services.

#include "tests/cashdesk/register_fixture.h"

#include "cashdesk/refund_window.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "widgets/data_grid.h"
#include "widgets/patient_search_panel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace zorvel::test {
namespace {

class RefundTest : public RegisterTest {
protected:
    RefundWindow& window() { return *static_cast<RefundWindow*>(app().window(7)); }
    // Opens the window from the register tab and searches by surname.
    void searchSurname(const QString& surname) {
        find<QPushButton>("sBitBtn9")->click();
        ASSERT_TRUE(window().isVisible());
        PatientSearchPanel* panel = window().searchPanel();
        panel->checkBox(PatientSearchPanel::Surname)->setChecked(true);
        panel->field(PatientSearchPanel::Surname)->setText(surname);
    }
    void pressRefund() { find<QPushButton>("sBitBtn9", 7)->click(); }
    // n services of one patient, a second apart.
    void addServices(const QString& surname, int n) {
        std::vector<Record> records;
        for (int i = 0; i < n; ++i) {
            Record r;
            r.surname = surname;
            r.contract = QStringLiteral("30");
            r.service = QStringLiteral("Услуга %1").arg(i + 1);
            r.time = QStringLiteral("11:%1:00").arg(i, 2, 10, QChar(u'0'));
            records.push_back(r);
        }
        insert(records);
    }
    static constexpr const char* kAllColumns =
        "fam, nam, oth, kodgvv, data_usl, summa, time_us, kol, ndog, dataisp, chopl, prover";
};

TEST_F(RefundTest, theRecordsFoundMoveWithEveryValueButTheSurcharge) {
    prepare(
        {QStringLiteral("update people set chopl = '250.5', prover = 'Да ', dopoln = 'Да', tehn = 'Техник', "
                        "seria = '4509', nomer = '1', vidan = 'ОВД', adress = 'ул. Ленина', medsestr = 'М', "
                        "nomnar = '7', datnar = '02.03.2026', fiov = 'Врач', otdelenie = 'Отд', simv = 'П', "
                        "kod = 'A1' where fam = 'Иванов'")});
    restart();
    const QStringList before = committed(kAllColumns).mid(0, 4);
    const QStringList extra = committed("tehn, seria, nomer, vidan, adress, medsestr, nomnar, datnar, fiov, "
                                        "otdelenie, simv, kod, tip_pom, name")
                                  .mid(0, 4);
    searchSurname(QStringLiteral("Иванов"));
    pressRefund();
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(committed("fam"), QStringList{"Прием терапевта|Петров"});
    EXPECT_EQ(committed(kAllColumns, QStringLiteral("peoplev")), before);
    EXPECT_EQ(committed("tehn, seria, nomer, vidan, adress, medsestr, nomnar, datnar, fiov, otdelenie, simv, "
                        "kod, tip_pom, name",
                        QStringLiteral("peoplev")),
              extra);
    // The search view is empty; the lower grid shows the moved services.
    EXPECT_EQ(find<DataGrid>("DBGrid1", 7)->model()->rowCount(), 0);
    EXPECT_EQ(find<DataGrid>("DBGrid2", 7)->model()->rowCount(), 4);
    EXPECT_EQ(find<DataGrid>("DBGrid2", 7)->model()->headerData(19, Qt::Horizontal).toString(),
              QStringLiteral("выдан"));
    window().close();
    EXPECT_FALSE(people().isFiltered());
    EXPECT_EQ(people().recordCount(), 1);
}

TEST_F(RefundTest, fifteenMoveAndSixteenBringTheNotice) {
    addServices(QStringLiteral("Пятнадцатов"), 15);
    addServices(QStringLiteral("Шестнадцатов"), 16);
    restart();
    searchSurname(QStringLiteral("Шестнадцатов"));
    pressRefund();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Выберите необходимую услуги или человека! Убрать в "
                                                     "возвращенные можно не более 15 услуг одновременно"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Уведомление"));
    EXPECT_EQ(committed("fam", QStringLiteral("peoplev")), QStringList{});

    messages.shown.clear();
    window().searchPanel()->field(PatientSearchPanel::Surname)->setText(QStringLiteral("Пятнадцатов"));
    EXPECT_EQ(window().refund(), 15);
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(committed("fam", QStringLiteral("peoplev")).size(), 15);
    EXPECT_EQ(committed("fam").filter(QStringLiteral("Пятнадцатов")), QStringList{});
    EXPECT_EQ(committed("fam").size(), 5 + 16);

    // No field shown: the whole register, which only brings the notice.
    window().searchPanel()->checkBox(PatientSearchPanel::Surname)->setChecked(false);
    EXPECT_EQ(window().refund(), 0);
    EXPECT_EQ(messages.shown.size(), 1u);
}

// Another workstation holds the second record: the first is moved, the second stays whole in the
// register with no copy among the refunded, and the refund stops there.
TEST_F(RefundTest, aRecordThatCannotBeDeletedStaysWithNoCopyAndTheRefundStops) {
    Connection other;
    other.connect(databasePath());
    other.startTransaction();
    other.executeImmediate(QStringLiteral("update people set kod = 'x' where name = 'Перевязка'"));
    searchSurname(QStringLiteral("Иванов"));
    EXPECT_EQ(window().refund(), 1);
    EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8(kLockMessage)});
    other.rollback();
    app().workstation().commit();
    EXPECT_EQ(committed("fam", QStringLiteral("peoplev")), QStringList{"Прием хирурга|Иванов"});
    EXPECT_EQ(committed("fam"), (QStringList{"Перевязка|Иванов", "Снятие швов|Иванов", "Тонометрия|Иванов",
                                             "Прием терапевта|Петров"}));
    EXPECT_EQ(view(), (QStringList{"Перевязка", "Снятие швов", "Тонометрия"}));
}

// The server refuses the commit of the first record moved: the cashier is told once and the refund stops
// there, instead of moving the other records under commits that fail. The moved record waits, whole, in
// the open transaction for the next commit.
TEST_F(RefundTest, aRefusedCommitStopsTheRefundAtTheRecordMoved) {
    searchSurname(QStringLiteral("Иванов"));
    refuseWorkstationCommits(true);
    EXPECT_EQ(window().refund(), 1);
    EXPECT_EQ(messageTexts(), QStringList{"Нет данных для сохранения"});
    EXPECT_EQ(committed("fam", QStringLiteral("peoplev")), QStringList{});
    EXPECT_EQ(committed("fam").size(), 5);
    refuseWorkstationCommits(false);
    app().workstation().commit();
    EXPECT_EQ(committed("fam", QStringLiteral("peoplev")), QStringList{"Прием хирурга|Иванов"});
    EXPECT_EQ(committed("fam"), (QStringList{"Перевязка|Иванов", "Снятие швов|Иванов", "Тонометрия|Иванов",
                                             "Прием терапевта|Петров"}));
}

} // namespace
} // namespace zorvel::test
