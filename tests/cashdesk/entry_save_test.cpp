#include "tests/cashdesk/entry_fixture.h"

#include "app/main_window.h"
#include "cashdesk/service_entry_tab.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/filter.h"
#include "widgets/data_grid.h"
#include "workstation/workstation.h"

#include <QPushButton>

namespace zorvel::test {
namespace {

const QString kAllColumns = QStringLiteral(
    "fam, nam, oth, kodgvv, name, kod, summa, data_usl, dataisp, time_us, fiov, otdelenie, tip_pom, kol, "
    "ndog, simv, medsestr, tehn, chopl, prover, nomnar, datnar, dopoln");

class EntrySaveTest : public EntryTest {
protected:
    // A patient with one service looked up, ready for the quantity.
    void fillVisit() {
        ASSERT_TRUE(focusField(edit("sEdit2")));
        // The kind of care stays "Поликлиника" and the technician empty.
        for (const char* text : {"Иванов", "Иван", "Иванович", "", "петров", "сидорова", "", "2", "30"}) {
            typeText(QString::fromUtf8(text));
            pressEnter();
        }
    }
    // Enter in the quantity field, as the cashier ends a line.
    void saveWithEnter(const QString& quantity = QStringLiteral("1")) {
        edit("sEdit5")->clear();
        typeInto("sEdit5", quantity);
        pressEnter();
    }
    DataSet& people() { return app().workstation().serviceRegister(); }
    DataGrid& registerGrid() { return *find<DataGrid>("DBGrid2"); }
};

TEST_F(EntrySaveTest, enterInTheQuantitySavesEveryFieldAndComesBackToTheServiceNumber) {
    fillVisit();
    edit("sEdit23")->setText("Н-15");
    edit("sDateEdit2")->setText("04.03.2026");
    combo("sComboBox10")->setCurrentIndex(1);
    saveWithEnter("2");
    const QString row =
        QStringLiteral("Иванов|Иван|Иванович|30|Перевязка|A03.030|700|05.03.2026|05.03.2026|09:07:03|Петров|"
                       "Кабинет хирурга|Поликлиника|2|1|Д|Сидорова|<NULL>|0|Нет|Н-15|04.03.2026|Да");
    EXPECT_EQ(savedRows(kAllColumns), QStringList{row});
    EXPECT_EQ(focused(), QStringLiteral("sEdit1"));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    // The register stands on the new row, and so does its grid.
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Иванов"));
    EXPECT_EQ(registerGrid().currentIndex().row(), people().currentRow());

    // The fields stay for the next line of the visit: the same save again is a second, equal row.
    saveWithEnter("2");
    EXPECT_EQ(savedRows(kAllColumns), (QStringList{row, row}));
    EXPECT_EQ(savedRows("ipeop").size(), 2);
    EXPECT_NE(savedRows("ipeop").value(0), savedRows("ipeop").value(1));
}

TEST_F(EntrySaveTest, aLookedUpSumAndNameOvertypedByTheCashierAreSavedAsTyped) {
    fillVisit();
    ASSERT_EQ(edit("sEdit8")->text(), QStringLiteral("700"));
    for (auto [field, typed] : {std::pair{"sEdit8", "650.5"}, {"sEdit6", "Перевязка большая"}}) {
        ASSERT_TRUE(focusField(edit(field)));
        edit(field)->selectAll();
        typeText(QString::fromUtf8(typed));
    }
    find<QPushButton>("sBitBtn1")->click();
    EXPECT_EQ(savedRows("kodgvv, name, kod, summa"), QStringList{"30|Перевязка большая|A03.030|650.5"});
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(EntrySaveTest, emptyFieldsSaveNullAndAnEmptyWorkOrderDateTheZeroDate) {
    // Before any code is typed the department name shows the departments' current row, the first one, and
    // the price symbol comes from the first price row: both are saved as shown.
    edit("sEdit20")->clear();
    combo("sComboBox2")->setCurrentText(QString());
    find<QPushButton>("sBitBtn1")->click();
    EXPECT_EQ(
        savedRows(kAllColumns),
        QStringList{
            "<NULL>|<NULL>|<NULL>|<NULL>|<NULL>|<NULL>|<NULL>|05.03.2026|05.03.2026|09:07:03|"
            "<NULL>|Кабинет гинеколога|<NULL>|<NULL>|<NULL>|П|<NULL>|<NULL>|0|Нет|<NULL>|30.12.1899|Нет"});
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(EntrySaveTest, aNameWithAnApostropheIsSavedAndFound) {
    typeInto("sEdit2", "Д'Артаньян");
    saveWithEnter();
    EXPECT_EQ(savedRows("fam"), QStringList{"Д'Артаньян"});
    people().setFilterText(equalsTerm("fam", "Д'Артаньян"));
    people().setFiltered(true);
    EXPECT_EQ(people().recordCount(), 1);
    EXPECT_EQ(people().fieldText("FAM"), QStringLiteral("Д'Артаньян"));
}

TEST_F(EntrySaveTest, complex972EntersItsSixServicesThenRepeatsTheLastSilently) {
    typeInto("sEdit2", "Петрова");
    choose("sComboBox9", "972");
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("29"));
    EXPECT_EQ(edit("sEdit6")->text(), QStringLiteral("Прием офтальмолога"));
    EXPECT_EQ(edit("sEdit5")->text(), QStringLiteral("1"));
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(messages.shown.empty()) << "before save " << i + 1;
        find<QPushButton>("sBitBtn1")->click();
        // The doctor is next, even after the completion message.
        EXPECT_EQ(focused(), QStringLiteral("sComboBox3")) << "after save " << i + 1;
    }
    EXPECT_EQ(savedRows("kodgvv, name, kol"),
              (QStringList{"29|Прием офтальмолога|1", "28|Тонометрия|1", "27|Острота зрения|1",
                           "32|Периметрия|1", "30|Перевязка|1", "998|Оформление документов|1"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Комплекс услуг \"972\" успешно сохранен"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Уведомление"));
    EXPECT_TRUE(combo("sComboBox9")->currentText().isEmpty());

    saveWithEnter();
    EXPECT_EQ(savedRows("kodgvv").mid(5), (QStringList{"998", "998"}));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(focused(), QStringLiteral("sEdit1"));
}

TEST_F(EntrySaveTest, complex971CompletesAndRestartsWhenChosenAgain) {
    choose("sComboBox9", "971");
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("29"));
    saveWithEnter();
    // Enter in the quantity field ends on the service number, over the complex's move to the doctor.
    EXPECT_EQ(focused(), QStringLiteral("sEdit1"));
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("30"));
    find<QPushButton>("sBitBtn1")->click();
    EXPECT_EQ(messages.texts(), QStringList{"Комплекс услуг \"971\" успешно сохранен"});
    EXPECT_EQ(focused(), QStringLiteral("sEdit2"));
    EXPECT_TRUE(combo("sComboBox9")->currentText().isEmpty());
    find<QPushButton>("sBitBtn1")->click(); // nothing chosen: a plain save
    EXPECT_EQ(messages.shown.size(), 1u);

    choose("sComboBox9", "971");
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("29"));
    saveWithEnter();
    EXPECT_EQ(savedRows("kodgvv"), (QStringList{"29", "30", "30", "29"}));
}

TEST_F(EntrySaveTest, aFailedCommitIsToldAndTheComplexWaitsWithoutASuccessNotice) {
    choose("sComboBox9", "971");
    typeInto("sEdit2", "Иванов");
    saveWithEnter();
    ASSERT_EQ(edit("sEdit1")->text(), QStringLiteral("30"));

    clock.time = clock.time.addSecs(5);
    app().mainWindow().tick();
    refuseWorkstationCommits(true);
    saveWithEnter();
    ASSERT_EQ(messages.shown.size(), 2u) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Нет данных для сохранения"));
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral(
                  "Строка записана в открытую транзакцию, но в базе еще не сохранена: она сохранится при "
                  "следующем удачном сохранении или при закрытии программы. Комплекс услуг \"971\" "
                  "остается на этой услуге."));
    for (const auto& m : messages.shown)
        EXPECT_EQ(m.caption, QStringLiteral("Ошибка"));
    // The complex stays on its last service, and nothing announces it done.
    EXPECT_EQ(combo("sComboBox9")->currentText(), QStringLiteral("971"));
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("30"));
    EXPECT_EQ(focused(), QStringLiteral("sEdit5"));
    // Other workstations see only the committed row; this one stands on its posted row.
    EXPECT_EQ(savedRows("kodgvv"), QStringList{"29"});
    EXPECT_EQ(people().recordCount(), 2);
    EXPECT_EQ(people().fieldText("KODGVV"), QStringLiteral("30"));

    // The next save that commits makes the posted row permanent with its own, and the complex ends.
    refuseWorkstationCommits(false);
    messages.shown.clear();
    pressEnter();
    EXPECT_EQ(savedRows("kodgvv"), (QStringList{"29", "30", "30"}));
    EXPECT_EQ(messages.texts(), QStringList{"Комплекс услуг \"971\" успешно сохранен"});
}

TEST_F(EntrySaveTest, aSaveTheServerRefusesIsShownAndLeavesNoRow) {
    // Another workstation holds an uncommitted row under the key the register will be given next; the
    // server refuses the insert with its own text at once rather than waiting for the other to finish.
    Connection other;
    other.connect(databasePath());
    other.startTransaction();
    other.executeImmediate(
        QStringLiteral("insert into people (ipeop, fam) select gen_id(gen_people_id, 0) + 1, "
                       "'Чужой' from rdb$database"));
    choose("sComboBox9", "971");
    typeInto("sEdit2", "Иванов");
    saveWithEnter();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("PRIMARY or UNIQUE KEY"))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    // Nothing is reported as saved: the complex stays on its first service, and no row is left pending.
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("29"));
    EXPECT_EQ(people().state(), DataSet::State::Browse);
    EXPECT_EQ(people().recordCount(), 0);
    EXPECT_EQ(focused(), QStringLiteral("sEdit5"));
    other.rollback();

    // Once the other workstation let go, the same save goes through.
    pressEnter();
    EXPECT_EQ(savedRows("fam, kodgvv"), QStringList{"Иванов|29"});
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(EntrySaveTest, aSaveMeetingAnotherWorkstationsLockShowsTheLockMessage) {
    // Another workstation holds the register for protected writing (as a maintenance run does); the
    // cashier's insert meets its lock at once.
    Connection other;
    other.connect(databasePath());
    const char table[] = "PEOPLE";
    std::string tpb = {isc_tpb_version3,
                       isc_tpb_write,
                       isc_tpb_read_committed,
                       isc_tpb_rec_version,
                       isc_tpb_nowait,
                       isc_tpb_lock_write,
                       static_cast<char>(sizeof table - 1)};
    tpb += table;
    tpb += static_cast<char>(isc_tpb_protected);
    ISC_STATUS_ARRAY status{};
    isc_tr_handle reserving = 0;
    isc_start_transaction(status, &reserving, 1, other.dbHandle(), static_cast<unsigned short>(tpb.size()),
                          tpb.data());
    ASSERT_NO_THROW(throwOnError(status));

    choose("sComboBox9", "972");
    saveWithEnter();
    ASSERT_EQ(messages.texts(), QStringList{"Данная запись редактируется, ее изменение Вам невозможно"});
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("29"));
    EXPECT_EQ(people().state(), DataSet::State::Browse);
    EXPECT_EQ(people().recordCount(), 0);
    isc_commit_transaction(status, &reserving);
    ASSERT_NO_THROW(throwOnError(status));

    pressEnter();
    EXPECT_EQ(savedRows("kodgvv"), QStringList{"29"});
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("28"));
}

TEST_F(EntrySaveTest, aQuantityThatIsNotAWholeNumberIsRefusedWithNoRowLeft) {
    typeInto("sEdit2", "Иванов");
    // Only a program could put it there: typing and pasting keep letters out of the field.
    edit("sEdit5")->setText("1.5");
    ASSERT_TRUE(focusField(edit("sEdit5")));
    pressEnter();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("'1.5' не является целым числом"));
    EXPECT_EQ(people().state(), DataSet::State::Browse);
    EXPECT_EQ(people().recordCount(), 0);
    EXPECT_TRUE(savedRows("fam").isEmpty());
}

TEST_F(EntrySaveTest, aWorkOrderDateTypedInPartStopsTheSave) {
    edit("sDateEdit2")->setText("04.03");
    find<QPushButton>("sBitBtn1")->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains("04.03")) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(savedRows("fam").isEmpty());
}

} // namespace
} // namespace zorvel::test
