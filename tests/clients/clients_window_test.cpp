#include "tests/clients/clients_fixture.h"

#include "app/main_window.h"
#include "data/dataset.h"
#include "widgets/data_grid.h"
#include "workstation/site_config.h"
#include "workstation/workstation.h"

#include <QCheckBox>
#include <QTabWidget>

#include <functional>

namespace zorvel::test {
namespace {

const QString kAllColumns = QStringLiteral(
    "fam, nam, oth, kodgvv, name, kod, summa, data_usl, dataisp, time_us, fiov, otdelenie, tip_pom, kol, "
    "ndog, simv, medsestr, tehn, chopl, prover, nomnar, datanar, seria, nomer, vidan, adress, organis, "
    "nomnapr, datnapr, summao, datao");

class ClientsWindowTest : public ClientsTest {
protected:
    DataSet& clients() { return app().workstation().clientRegister(); }
    void viewTab() { field<QTabWidget>("sPageControl1")->setCurrentIndex(1); }
};

TEST_F(ClientsWindowTest, aLineTypedWithEnterThroughTheFieldsIsSavedWithEveryColumn) {
    app().mainWindow().tick(); // the entry time ticks with the main window's clock
    EXPECT_EQ(field("sEdit14")->text(), QStringLiteral("09:07:03"));
    EXPECT_EQ(field("sDateEdit1")->text(), QStringLiteral("05.03.2026")); // "Наряд от": today
    ASSERT_TRUE(focusField(field("sEdit2")));
    // No field of this window upper-cases its first letter; the department code and the service number
    // look up as they are typed, and Enter moves on.
    const std::pair<const char*, const char*> typed[] = {
        {"sEdit2", "Иванов"},     {"sEdit3", "Иван"},       {"sEdit4", "Иванович"},
        {"sComboBox2", ""},       {"sComboBox3", "петров"}, {"sComboBox7", "Сидорова"},
        {"sComboBox8", "Козлов"}, {"sEdit18", "12"},        {"sEdit1", "12"},
        {"sEdit8", ""},           {"sEdit5", "2"},          {"sEdit20", "154"},
        {"sEdit23", "Н-7"},       {"sDateEdit1", ""},       {"sEdit7", ""}};
    for (const auto& [name, text] : typed) {
        EXPECT_EQ(focused(), QString::fromLatin1(name));
        typeText(QString::fromUtf8(text));
        pressEnter();
    }
    EXPECT_EQ(focused(), QStringLiteral("sEdit14"));
    EXPECT_EQ(field("sDBEdit1")->text(), QStringLiteral("Рентгенологическое отделение"));
    // The look-up of Enter saw the whole number: 12, not 120 that the prefix also matches.
    EXPECT_EQ(field("sEdit15")->text(), QStringLiteral("Рентгенография"));
    EXPECT_EQ(field("sEdit7")->text(), QStringLiteral("A12.001"));
    EXPECT_EQ(field("sEdit8")->text(), QStringLiteral("1250.50"));
    field("sEdit16")->setText("1234");
    field("sEdit17")->setText("567890");
    field("sEdit19")->setText("ОВД");
    field("sEdit21")->setText("ул. Д'Артаньяна, 1");
    combo("sComboBox1")->setCurrentIndex(2);
    field("sEdit22")->setText("77");
    field("sDateEdit3")->setText("01.03.2026");
    field("sDateEdit4")->setText("04.03.2026");
    click("sBitBtn1");

    EXPECT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    const QString organisation = siteConfig().organisations[2];
    EXPECT_EQ(
        savedRows(kAllColumns),
        QStringList{QStringLiteral("Иванов|Иван|Иванович|12|Рентгенография|A12.001|1250.50|04.03.2026|"
                                   "05.03.2026|09:07:03|петров|Рентгенологическое отделение|Поликлиника|2|"
                                   "154|Д|Сидорова|Козлов|0|Нет|Н-7|05.03.2026|1234|567890|ОВД|"
                                   "ул. Д'Артаньяна, 1|") +
                    organisation + QStringLiteral("|77|01.03.2026|<NULL>|<NULL>")});
    // The register stands on the new line; the fields stay for the next one.
    EXPECT_EQ(clients().fieldText("FAM"), QStringLiteral("Иванов"));
    EXPECT_EQ(field("sEdit2")->text(), QStringLiteral("Иванов"));

    // Escape in the service number lets go of the price filter.
    ASSERT_TRUE(focusField(field("sEdit1")));
    EXPECT_TRUE(app().workstation().prices().isFiltered());
    pressEscape();
    EXPECT_FALSE(app().workstation().prices().isFiltered());
}

TEST_F(ClientsWindowTest, aServiceWithoutPriceRowSavesNullsAndTwoEqualSavesGiveTwoRows) {
    typeInto("sEdit1", "77");
    pressEnter();
    EXPECT_EQ(field("sEdit15")->text(), QString());
    EXPECT_EQ(field("sEdit7")->text(), QString());
    EXPECT_EQ(field("sEdit8")->text(), QString());
    field("sEdit5")->setText("1");
    field("sDateEdit4")->setText("04.03.2026");
    field("sDateEdit1")->clear(); // the work-order date keeps its rule: empty is the zero date
    click("sBitBtn1");
    click("sBitBtn1");
    EXPECT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    const QString row =
        QStringLiteral("77|<NULL>|<NULL>|<NULL>|<NULL>|04.03.2026|30.12.1899|30.12.1899|<NULL>");
    EXPECT_EQ(savedRows("kodgvv, name, kod, summa, simv, data_usl, dataisp, datanar, organis"),
              (QStringList{row, row}));
    const QStringList keys = savedRows("ipeop");
    ASSERT_EQ(keys.size(), 2);
    EXPECT_NE(keys[0], keys[1]);
}

TEST_F(ClientsWindowTest, aRefusedLineLeavesNothingPendingAndSaysWhy) {
    struct Case {
        const char* quantity;
        const char* serviceDate;
        const char* message; // the beginning of what is shown
    };
    const Case cases[] = {
        {"1.5", "04.03.2026", "'1.5' не является целым числом"},
        {"1", "", "Не указана дата услуги"},
        {"1", "31.02.2026", "Не указана дата услуги"},
        {"1", "4.3", "Не указана дата услуги"},
    };
    field("sEdit2")->setText("Петров");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quantity + std::string(" / ") + c.serviceDate);
        messages.shown.clear();
        field("sEdit5")->setText(QString::fromUtf8(c.quantity));
        field("sDateEdit4")->setText(QString::fromUtf8(c.serviceDate));
        click("sBitBtn1");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.startsWith(QString::fromUtf8(c.message)))
            << messages.shown[0].text.toStdString();
        EXPECT_EQ(clients().state(), DataSet::State::Browse);
        EXPECT_EQ(clients().recordCount(), 0);
    }
    // A commit by any screen finds nothing half-written to make permanent.
    app().workstation().commit();
    EXPECT_TRUE(savedRows("fam").isEmpty());

    // A name longer than the column is not cut but refused; typing stops at the column's width.
    messages.shown.clear();
    field("sEdit5")->setText("1");
    field("sDateEdit4")->setText("04.03.2026");
    const QString longName = QString(150, QChar(u'О')) + QStringLiteral("ООО-5");
    combo("sComboBox1")->addItem(longName);
    combo("sComboBox1")->setCurrentIndex(combo("sComboBox1")->count() - 1);
    EXPECT_EQ(combo("sComboBox1")->currentText(), longName);
    click("sBitBtn1");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("\"Организация\"")));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(savedRows("fam").isEmpty());
    field("sEdit2")->clear();
    typeInto("sEdit2", QString(55, QChar(u'я')));
    EXPECT_EQ(field("sEdit2")->text().size(), 50);
}

class ClientsViewTest : public ClientsWindowTest {
protected:
    QStringList registerRows() const override {
        return {clientRow("Д'Артаньян", "Завод", "01.03.2026"), clientRow("Иванов", "Завод", "02.03.2026"),
                clientRow("Иванов", "Порт", "03.03.2026")};
    }
    void SetUp() override {
        ClientsWindowTest::SetUp();
        viewTab();
    }
    int shownRows() { return field<DataGrid>("DBGrid1")->model()->rowCount(); }
};

TEST_F(ClientsViewTest, theFilterPanelNarrowsByTheVisibleFieldsAndOtmenaShowsAllAgain) {
    EXPECT_EQ(shownRows(), 3);
    EXPECT_TRUE(field("sEdit9")->isHidden());
    click("sCheckBox1");
    click("sCheckBox6");
    EXPECT_FALSE(field("sEdit9")->isHidden());
    field("sDateEdit2")->setText("03.03.2026");
    typeInto("sEdit9", "Иванов");
    pressEnter(); // Enter in the surname runs "Принять"
    EXPECT_EQ(shownRows(), 1);
    EXPECT_EQ(clients().fieldText("ORGANIS"), QStringLiteral("Порт"));

    // The date field hidden again: only the surname counts; an apostrophe is the name's own.
    click("sCheckBox6");
    field("sEdit9")->setText("Д'Артаньян");
    click("sBitBtn3");
    EXPECT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    EXPECT_EQ(shownRows(), 1);
    EXPECT_EQ(clients().fieldText("DATA_USL"), QStringLiteral("01.03.2026"));
    click("sBitBtn4");
    EXPECT_EQ(shownRows(), 3);
}

TEST_F(ClientsViewTest, theGridTakesThePaymentTypedIntoItsCell) {
    DataGrid* grid = field<DataGrid>("DBGrid1");
    clients().setCurrentRow(1);
    const QModelIndex cell = grid->model()->index(1, 12); // "Сумма оплаты"
    ASSERT_EQ(grid->model()->headerData(12, Qt::Horizontal).toString(), QStringLiteral("Сумма оплаты"));
    ASSERT_TRUE(grid->model()->setData(cell, QStringLiteral("1500")));
    // A quantity that is not a whole number is refused with the reason; the row keeps its own.
    EXPECT_FALSE(grid->model()->setData(grid->model()->index(1, 10), QStringLiteral("2,5")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("'2,5' не является целым числом"));
    EXPECT_EQ(clients().fieldText("KOL"), QStringLiteral("1"));
    messages.shown.clear();
    click("sBitBtn5");
    EXPECT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    EXPECT_EQ(savedRows("fam, summao"), (QStringList{"Д'Артаньян|<NULL>", "Иванов|1500", "Иванов|<NULL>"}));
}

TEST_F(ClientsViewTest, theEditingWindowChangesExactlyTheRecordTheGridStandsOn) {
    clients().setCurrentRow(2);
    click("sBitBtn6");
    QWidget* editor = app().window(13);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Редактирование договорников"));
    EXPECT_EQ(field("sDBEdit2", 13)->text(), QStringLiteral("Иванов"));
    EXPECT_EQ(combo("sDBComboBox5", 13)->currentText(), QStringLiteral("Порт"));

    // Escape puts back what is stored.
    typeInto("sDBEdit3", "н", 13);
    EXPECT_EQ(clients().state(), DataSet::State::Edit);
    pressEscape();
    EXPECT_EQ(clients().state(), DataSet::State::Browse);
    EXPECT_EQ(field("sDBEdit3", 13)->text(), QStringLiteral("Иван"));

    ASSERT_TRUE(focusField(field("sDBEdit2", 13)));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    typeText("Петров");
    typeInto("sEdit2", "29", 13); // the service look-up writes the price row into the record
    typeInto("sEdit1", "2", 13);  // the department look-up writes and posts
    click("sBitBtn1", 13);
    EXPECT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    EXPECT_EQ(savedRows("fam, organis, kodgvv, name, kod, summa, simv, otdelenie"),
              (QStringList{"Д'Артаньян|Завод|<NULL>|Прием терапевта|<NULL>|100|<NULL>|<NULL>",
                           "Иванов|Завод|<NULL>|Прием терапевта|<NULL>|100|<NULL>|<NULL>",
                           "Петров|Порт|29|Прием офтальмолога|A05.029|600|П|Кабинет хирурга"}));

    // A service number without a price row empties what the look-up copies; "Отмена" drops it unposted.
    field("sEdit2", 13)->clear();
    typeInto("sEdit2", "5", 13);
    EXPECT_EQ(clients().fieldText("NAME"), QString());
    click("sBitBtn2", 13);
    EXPECT_EQ(clients().state(), DataSet::State::Browse);
    app().workstation().commit();
    EXPECT_EQ(savedRows("name").value(2), QStringLiteral("Прием офтальмолога"));
}

// The server refuses the commit of the line's save, of the editing window's "Сохранить" and of the view
// tab's commit: each says so once, nothing becomes permanent, and the work waits in the open transaction
// for the next commit.
TEST_F(ClientsViewTest, aRefusedCommitIsToldAndTheWorkWaitsForTheNextCommit) {
    const struct {
        const char* name;
        std::function<void()> work;
        QStringList saved;
    } cases[] = {
        {"the line's save",
         [&] {
             field<QTabWidget>("sPageControl1")->setCurrentIndex(0);
             field("sEdit2")->setText("Сидоров");
             field("sEdit5")->setText("1");
             field("sDateEdit4")->setText("04.03.2026");
             click("sBitBtn1");
         },
         {"Д'Артаньян", "Иванов", "Иванов", "Сидоров"}},
        {"the editing window's save",
         [&] {
             clients().setCurrentRow(0);
             click("sBitBtn6");
             ASSERT_TRUE(focusField(field("sDBEdit2", 13)));
             pressKey(Qt::Key_A, Qt::ControlModifier);
             typeText("Петров");
             click("sBitBtn1", 13);
         },
         {"Петров", "Иванов", "Иванов", "Сидоров"}},
        {"the view tab's commit",
         [&] {
             viewTab();
             clients().setCurrentRow(1);
             clients().edit();
             clients().setFieldText("FAM", "Кузнецов");
             click("sBitBtn5");
         },
         {"Петров", "Кузнецов", "Иванов", "Сидоров"}},
    };
    QStringList saved = savedRows("fam");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        refuseWorkstationCommits(true);
        c.work();
        EXPECT_EQ(texts(), QStringList{"Нет данных для сохранения"});
        EXPECT_EQ(savedRows("fam"), saved);
        refuseWorkstationCommits(false);
        app().workstation().commit();
        saved = savedRows("fam");
        EXPECT_EQ(saved, c.saved);
    }
}

} // namespace
} // namespace zorvel::test
