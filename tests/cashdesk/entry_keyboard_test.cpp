#include "tests/cashdesk/entry_fixture.h"

#include "workstation/workstation.h"
#include "data/dataset.h"

#include <QApplication>
#include <QClipboard>
#include <QTableView>
#include <QTest>

namespace zorvel::test {
namespace {

using EntryKeyboardTest = EntryTest;

TEST_F(EntryKeyboardTest, enterMovesThroughTheFieldsInTheirOrder) {
    const char* order[][2] = {
        {"sEdit2", "sEdit3"},         {"sEdit3", "sEdit4"},         {"sEdit4", "sComboBox2"},
        {"sComboBox2", "sComboBox3"}, {"sComboBox3", "sComboBox7"}, {"sComboBox7", "sComboBox8"},
        {"sComboBox8", "sEdit18"},    {"sEdit18", "sEdit1"},        {"sEdit1", "sEdit8"},
        {"sEdit8", "sEdit5"},
    };
    for (const auto& [from, to] : order) {
        ASSERT_TRUE(focusField(find<QWidget>(from))) << from;
        pressEnter();
        EXPECT_EQ(focused(), QString::fromLatin1(to)) << "Enter in " << from;
    }
}

TEST_F(EntryKeyboardTest, eachFieldTakesTheCharactersOfItsRule) {
    struct Case {
        const char* field;
        const char* before; // the field's text, wholly selected, before typing
        const char* typed;
        const char* after;
    } cases[] = {
        {"sEdit2", "", "д'артаньян", "д'артаньян"}, // names of the patient keep what is typed
        {"sComboBox2", "Поликлиника", "стационар", "Стационар"},
        {"sComboBox3", "Иванов", "петров", "Петров"},
        {"sComboBox7", "", "ёлкина", "ёлкина"},
        {"sComboBox8", "", "sidorov", "Sidorov"},
        {"sEdit8", "", "1a5.0.0", "15.0.0"},
        {"sEdit18", "", "1b2", "12"},
        {"sEdit5", "", "3x4", "34"},
    };
    for (const Case& c : cases) {
        QWidget* field = find<QWidget>(c.field);
        QLineEdit* editor = qobject_cast<QComboBox*>(field) ? combo(c.field)->lineEdit() : edit(c.field);
        editor->setText(QString::fromUtf8(c.before));
        ASSERT_TRUE(focusField(field)) << c.field;
        editor->selectAll();
        typeText(QString::fromUtf8(c.typed));
        EXPECT_EQ(editor->text(), QString::fromUtf8(c.after)) << c.field << " typed " << c.typed;
    }
}

TEST_F(EntryKeyboardTest, pastedTextPassesTheRulesAndTheColumnWidth) {
    struct Case {
        const char* field;
        QString pasted;
        QString after;
    } cases[] = {
        {"sEdit5", "12a", ""},                              // letters are kept out of the quantity
        {"sEdit5", " 7\n", "7"},                            // a clean number goes in
        {"sEdit8", "1 234,50", ""},                         // not an amount this field takes
        {"sEdit6", QString(300, u'щ'), QString(200, u'щ')}, // NAME holds 200 characters
        {"sEdit2", QString(300, u'Ж'), QString(50, u'Ж')},  // FAM holds 50
        {"sEdit20", "12345678", "123456"},                  // NDOG holds 6
    };
    for (const Case& c : cases) {
        edit(c.field)->clear();
        QApplication::clipboard()->setText(c.pasted);
        ASSERT_TRUE(focusField(edit(c.field)));
        pressPaste();
        EXPECT_EQ(edit(c.field)->text(), c.after) << c.field;
    }
}

TEST_F(EntryKeyboardTest, thePriceLookUpUsesTheTextBeforeTheKeyAndEnterTakesTheNumber) {
    auto* priceGrid = find<QTableView>("DBGrid1");
    auto looked = [this] {
        return QStringList{edit("sEdit6")->text(), edit("sEdit7")->text(), edit("sEdit8")->text()};
    };
    typeInto("sEdit1", "3");
    // The key 3 looked up with the empty text: the first row of the list.
    EXPECT_EQ(looked(), (QStringList{"Прием терапевта", "A01.001", "450"}));
    typeText("0");
    // The key 0 looked up with the text 3: the first row whose number begins with 3.
    EXPECT_EQ(looked(), (QStringList{"Прием хирурга", "A02.003", "500"}));
    EXPECT_EQ(priceGrid->model()->rowCount(), 4); // 3, 30, 31 and 32
    pressEnter();
    EXPECT_EQ(looked(), (QStringList{"Перевязка", "A03.030", "700"}));
    EXPECT_EQ(priceGrid->model()->rowCount(), 1);
    EXPECT_EQ(focused(), QStringLiteral("sEdit8"));

    // Escape shows the whole list again and leaves the fields as they are.
    ASSERT_TRUE(focusField(edit("sEdit1")));
    pressEscape();
    EXPECT_EQ(priceGrid->model()->rowCount(), 9);
    EXPECT_EQ(looked(), (QStringList{"Перевязка", "A03.030", "700"}));
    EXPECT_EQ(edit("sEdit1")->text(), QStringLiteral("30"));

    // A number no row begins with empties the three fields.
    edit("sEdit1")->clear();
    typeText("77");
    pressEnter();
    EXPECT_EQ(looked(), (QStringList{"", "", ""}));
    EXPECT_EQ(priceGrid->model()->rowCount(), 0);
}

TEST_F(EntryKeyboardTest, theDepartmentNameFollowsTheCodeAndStaysWhenTheCodeIsCleared) {
    QLineEdit* name = edit("sDBEdit1");
    typeInto("sEdit18", "1");
    EXPECT_EQ(name->text(), QStringLiteral("Кабинет гинеколога"));
    typeText("2");
    EXPECT_EQ(name->text(), QStringLiteral("Рентгенологическое отделение"));
    pressBackspace();
    EXPECT_EQ(name->text(), QStringLiteral("Кабинет гинеколога"));
    pressBackspace();
    EXPECT_TRUE(edit("sEdit18")->text().isEmpty());
    EXPECT_EQ(name->text(), QStringLiteral("Кабинет гинеколога"));
    typeText("7");
    EXPECT_EQ(name->text(), QString()); // no department has the code 7
}

TEST_F(EntryKeyboardTest, aClickIntoTheContractNumberAddsOne) {
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {{"1", "2"}, {"099", "100"}, {"12a", "12a"}, {"", ""}, {"999999", "999999"}};
    QLineEdit* contract = edit("sEdit20");
    EXPECT_EQ(contract->text(), QStringLiteral("1")); // proposed at start on an empty register
    for (const Case& c : cases) {
        contract->setText(QString::fromLatin1(c.before));
        QTest::mouseClick(contract, Qt::LeftButton);
        EXPECT_EQ(contract->text(), QString::fromLatin1(c.after)) << c.before;
    }
}

} // namespace
} // namespace zorvel::test
