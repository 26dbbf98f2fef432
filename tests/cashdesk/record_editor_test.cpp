// The record editor (TForm6): the register's current record, look-ups by code and number, "Сохранить".

#include "tests/cashdesk/register_fixture.h"

#include "cashdesk/record_editor_window.h"
#include "data/dataset.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace zorvel::test {
namespace {

class RecordEditorTest : public RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        app().window(6)->show();
        standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Перевязка"));
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name, 6); }
    QComboBox* combo(const char* name) { return find<QComboBox>(name, 6); }
};

TEST_F(RecordEditorTest, theFieldsShowAndTakeTheCurrentRecord) {
    EXPECT_EQ(app().window(6)->windowTitle(), QStringLiteral("Редактирование"));
    EXPECT_EQ(edit("DBEdit1")->text(), QStringLiteral("Иванов"));
    EXPECT_EQ(edit("DBEdit6")->text(), QStringLiteral("Перевязка"));
    EXPECT_EQ(edit("DBEdit10")->text(), QStringLiteral("09:00:02"));
    EXPECT_EQ(combo("sDBComboBox1")->currentText(), QStringLiteral("Поликлиника"));
    EXPECT_EQ(edit("DBEdit1")->maxLength(), 50);
    standOn(QStringLiteral("Петров"), QStringLiteral("17"), QStringLiteral("Прием терапевта"));
    EXPECT_EQ(edit("DBEdit1")->text(), QStringLiteral("Петров"));

    // A letter typed at the start of a drop-down becomes capital; a typed name is saved with the record.
    ASSERT_TRUE(focusField(combo("sDBComboBox2")));
    typeText(QStringLiteral("сидоров"));
    EXPECT_EQ(combo("sDBComboBox2")->currentText(), QStringLiteral("Сидоров"));
    ASSERT_TRUE(focusField(edit("DBEdit9")));
    edit("DBEdit9")->selectAll();
    typeText(QStringLiteral("2"));
    find<QPushButton>("sBitBtn1", 6)->click();
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(committed("fiov, kol, time_us, dataisp").value(4),
              QStringLiteral("Прием терапевта|Сидоров|2|09:07:03|12.03.2026"));
    // The record is found by its new time.
    EXPECT_TRUE(people().locate(QStringLiteral("DATA_USL;TIME_US"), {"05.03.2026", "09:07:03"}));
    EXPECT_EQ(people().fieldText("NAME"), QStringLiteral("Прием терапевта"));
}

TEST_F(RecordEditorTest, theDepartmentCodeLooksUpAndPostsOnEveryDigit) {
    ASSERT_TRUE(focusField(edit("sEdit1")));
    typeText(QStringLiteral("1"));
    EXPECT_EQ(people().state(), DataSet::State::Browse);
    EXPECT_EQ(people().fieldText("OTDELENIE"), QStringLiteral("Кабинет гинеколога"));
    typeText(QStringLiteral("2x"));
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("12"));
    EXPECT_EQ(edit("DBEdit5")->text(), QStringLiteral("Рентгенологическое отделение"));
    // Escape gives the departments list back whole.
    EXPECT_TRUE(app().workstation().departments().isFiltered());
    pressEscape();
    EXPECT_FALSE(app().workstation().departments().isFiltered());
    app().workstation().commit();
    EXPECT_EQ(committed("otdelenie").value(1), QStringLiteral("Перевязка|Рентгенологическое отделение"));
}

TEST_F(RecordEditorTest, theServiceNumberTakesTheFirstPriceOfItsPrefix) {
    ASSERT_TRUE(focusField(edit("sEdit2")));
    typeText(QStringLiteral("3"));
    // "3" is the prefix of 3, 30 and 31: the first of the list, not posted yet.
    EXPECT_EQ(people().state(), DataSet::State::Edit);
    EXPECT_EQ(edit("DBEdit6")->text(), QStringLiteral("Прием хирурга"));
    EXPECT_EQ(edit("DBEdit8")->text(), QStringLiteral("500"));
    typeText(QStringLiteral("1"));
    EXPECT_EQ(edit("DBEdit6")->text(), QStringLiteral("Снятие швов"));
    EXPECT_EQ(edit("DBEdit11")->text(), QStringLiteral("A03.031"));
    pressEscape();
    EXPECT_FALSE(app().workstation().prices().isFiltered());
    // Choosing a kind of care posts the record at once.
    emit combo("sDBComboBox1")->activated(1);
    EXPECT_EQ(people().state(), DataSet::State::Browse);
    app().workstation().commit();
    EXPECT_EQ(committed("kodgvv, summa, tip_pom").value(1), QStringLiteral("Снятие швов|31|800|Стационар"));
}

// The server refuses the commit of "Сохранить": the cashier is told, and the change waits in the open
// transaction for the next commit.
TEST_F(RecordEditorTest, aRefusedCommitIsToldAndTheChangeWaitsForTheNextCommit) {
    const QStringList before = committed("kol, time_us, dataisp");
    ASSERT_TRUE(focusField(edit("DBEdit9")));
    edit("DBEdit9")->selectAll();
    typeText(QStringLiteral("2"));
    refuseWorkstationCommits(true);
    find<QPushButton>("sBitBtn1", 6)->click();
    EXPECT_EQ(messageTexts(), QStringList{"Нет данных для сохранения"});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(committed("kol, time_us, dataisp"), before);
    refuseWorkstationCommits(false);
    app().workstation().commit();
    EXPECT_EQ(committed("kol, time_us, dataisp").value(1), QStringLiteral("Перевязка|2|09:07:03|12.03.2026"));
}

} // namespace
} // namespace zorvel::test
