// The "Касса" tab: the verification mark, editing in the grid, and the administrator's buttons.

#include "tests/cashdesk/register_fixture.h"

#include "app/main_window.h"
#include "cashdesk/register_tab.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "widgets/data_grid.h"
#include "widgets/data_navigator.h"
#include "widgets/patient_search_panel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace zorvel::test {
namespace {

class RegisterTabTest : public RegisterTest {
protected:
    QComboBox* mark() { return find<QComboBox>("sDBComboBox1"); }
    // Chooses an item of "Проверка" as the cashier does.
    void choose(const QString& item) {
        const int index = mark()->findText(item);
        ASSERT_GE(index, 0);
        mark()->setCurrentIndex(index);
        emit mark()->activated(index);
    }
    PatientSearchPanel* panel() { return app().mainWindow().registerTab().searchPanel(); }
};

TEST_F(RegisterTabTest, withNoSearchOnlyTheCurrentContractIsMarked) {
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Перевязка"));
    EXPECT_EQ(mark()->currentText(), QStringLiteral("Нет"));
    EXPECT_EQ(mark()->count(), 2);
    EXPECT_EQ(mark()->itemText(0), QStringLiteral("Да "));
    choose(QStringLiteral("Да "));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    const QString yes = storedYes();
    EXPECT_EQ(committed("prover"),
              (QStringList{"Прием хирурга|" + yes, "Перевязка|" + yes, "Снятие швов|" + yes, "Тонометрия|Нет",
                           "Прием терапевта|Нет"}));
    // The whole register is in view again, on the same record, whose mark the list shows.
    EXPECT_FALSE(people().isFiltered());
    EXPECT_EQ(people().recordCount(), 5);
    EXPECT_EQ(people().fieldText("NAME"), QStringLiteral("Перевязка"));
    EXPECT_EQ(mark()->currentText(), QStringLiteral("Да "));
}

TEST_F(RegisterTabTest, withASearchInForceTheRecordsFoundAreMarked) {
    panel()->checkBox(PatientSearchPanel::Surname)->setChecked(true);
    panel()->field(PatientSearchPanel::Surname)->setText(QStringLiteral("Иванов"));
    ASSERT_TRUE(panel()->apply());
    standOn(QStringLiteral("Иванов"), QStringLiteral("18"), QStringLiteral("Тонометрия"));
    choose(QStringLiteral("Да "));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    const QString yes = storedYes();
    EXPECT_EQ(committed("prover"),
              (QStringList{"Прием хирурга|" + yes, "Перевязка|" + yes, "Снятие швов|" + yes,
                           "Тонометрия|" + yes, "Прием терапевта|Нет"}));
    EXPECT_EQ(people().filterText(), QStringLiteral("fam= 'Иванов'"));
    EXPECT_EQ(people().fieldText("NAME"), QStringLiteral("Тонометрия"));
    choose(QStringLiteral("Нет"));
    EXPECT_EQ(committed("prover").filter(QStringLiteral("Да")), QStringList{});
}

// Another workstation holds the contract's second record: no record of the contract is marked.
TEST_F(RegisterTabTest, aLockedRecordLeavesTheWholeContractUnmarked) {
    Connection other;
    other.connect(databasePath());
    other.startTransaction();
    other.executeImmediate(QStringLiteral("update people set kod = 'x' where name = 'Перевязка'"));
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Снятие швов"));
    choose(QStringLiteral("Да "));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(kLockMessage));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    other.rollback();
    // Nothing of it waits in this workstation's transaction either.
    app().workstation().commit();
    EXPECT_EQ(committed("prover").filter(QStringLiteral("Да")), QStringList{});
    EXPECT_EQ(people().fieldText("NAME"), QStringLiteral("Снятие швов"));
    EXPECT_EQ(mark()->currentText(), QStringLiteral("Нет"));
}

TEST_F(RegisterTabTest, cellsAreEditedInPlaceAndPostedOnLeavingTheRow) {
    auto* tabs = find<QTabWidget>("sPageControl1");
    tabs->setCurrentIndex(1);
    auto* grid = find<DataGrid>("DBGrid2");
    ASSERT_NE(grid, nullptr);
    QAbstractItemModel* model = grid->model();
    auto columnOf = [&](const QString& title) {
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == title)
                return c;
        return -1;
    };
    const int surcharge = columnOf(QStringLiteral("Доплата"));
    const int surname = columnOf(QStringLiteral("Фамилия"));
    const int key = columnOf(QStringLiteral("№"));
    EXPECT_FALSE(model->flags(model->index(0, key)) & Qt::ItemIsEditable);
    ASSERT_TRUE(model->flags(model->index(0, surcharge)) & Qt::ItemIsEditable);

    // "Доплата" is chosen from its list.
    const QModelIndex cell = model->index(1, surcharge);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* list = grid->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(1), QStringLiteral("Да"));
    list->setCurrentIndex(1);
    grid->itemDelegate()->setModelData(list, model, cell);
    EXPECT_EQ(people().state(), DataSet::State::Edit);
    // A typed surname is as long as the column at most.
    const QModelIndex name = model->index(1, surname);
    EXPECT_TRUE(model->setData(name, QStringLiteral("Иванова")));
    grid->setCurrentIndex(model->index(2, surname));
    EXPECT_EQ(people().state(), DataSet::State::Browse);
    app().workstation().commit();
    EXPECT_EQ(committed("fam, dopoln").value(1), QStringLiteral("Перевязка|Иванова|Да"));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();

    grid->edit(model->index(2, surname));
    auto* line = grid->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->maxLength(), 50);
}

// A CHAR(3) mark comes back as "Да", a text column may keep a blank its item lacks: each list still shows
// the stored value's item, and the arrow keys go on from it.
TEST_F(RegisterTabTest, storedValuesShowTheirItemsWhateverTrailingBlanksTheirColumnsGive) {
    Record marked;
    marked.surname = QStringLiteral("Сидоров");
    marked.contract = QStringLiteral("20");
    marked.service = QStringLiteral("Осмотр");
    marked.time = QStringLiteral("09:00:06");
    marked.mark = QStringLiteral("Да ");
    marked.surcharge = QStringLiteral("Да ");
    insert({marked});
    prepare({QStringLiteral("update people set tip_pom = 'Стационар ' where fam = 'Сидоров'")});
    restart();
    standOn(QStringLiteral("Сидоров"), QStringLiteral("20"), QStringLiteral("Осмотр"));
    ASSERT_EQ(people().fieldText("PROVER"), storedYes());
    ASSERT_EQ(people().fieldText("DOPOLN"), QStringLiteral("Да "));
    EXPECT_EQ(mark()->currentText(), QStringLiteral("Да "));

    // "Доплата" opens on "Да".
    find<QTabWidget>("sPageControl1")->setCurrentIndex(1);
    auto* grid = find<DataGrid>("DBGrid2");
    QAbstractItemModel* model = grid->model();
    int surcharge = -1;
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString() == QStringLiteral("Доплата"))
            surcharge = c;
    const QModelIndex cell = model->index(people().currentRow(), surcharge);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* list = grid->findChild<QComboBox*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentText(), QStringLiteral("Да"));
    grid->itemDelegate()->setModelData(list, model, cell);
    EXPECT_EQ(people().state(), DataSet::State::Browse); // the same value: the record is not touched
    grid->closePersistentEditor(cell);

    // The record editor's kind of care: "Стационар " is the list's "Стационар", and Down picks the next.
    app().window(6)->show();
    auto* kind = find<QComboBox>("sDBComboBox1", 6);
    EXPECT_EQ(kind->currentIndex(), 1);
    ASSERT_TRUE(focusField(kind));
    pressKey(Qt::Key_Down);
    EXPECT_EQ(people().fieldText("TIP_POM"), QStringLiteral("Дневной стационар"));
    app().window(6)->hide();

    // "Да " chosen from the keyboard marks the contract and stays shown.
    standOn(QStringLiteral("Петров"), QStringLiteral("17"), QStringLiteral("Прием терапевта"));
    EXPECT_EQ(mark()->currentText(), QStringLiteral("Нет"));
    ASSERT_TRUE(focusField(mark()));
    pressKey(Qt::Key_Up);
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(committed("prover").filter(QStringLiteral("Прием терапевта")),
              QStringList{"Прием терапевта|" + storedYes()});
    EXPECT_EQ(people().fieldText("NAME"), QStringLiteral("Прием терапевта"));
    EXPECT_EQ(mark()->currentText(), QStringLiteral("Да "));
}

TEST_F(RegisterTabTest, theAdministratorOpensTheDebtsListAndTheRecordEditor) {
    for (const char* button : {"sBitBtn8", "sBitBtn12"})
        EXPECT_FALSE(find<QPushButton>(button)->isEnabled()) << button;
    stop();
    start(true);
    find<QPushButton>("sBitBtn12")->click();
    EXPECT_TRUE(app().window(10)->isVisible());
    find<QPushButton>("sBitBtn8")->click();
    EXPECT_TRUE(app().window(6)->isVisible());
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
}

} // namespace
} // namespace zorvel::test
