#include "widgets/input_rules.h"
#include "tests/support/keyboard.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDialog>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

using namespace zorvel;
namespace keys = zorvel::test;

namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

QString utf8(const char* s) {
    return QString::fromUtf8(s);
}

enum class FieldKind { LineEdit, ComboBox };

QWidget* addField(QWidget& window, FieldKind kind) {
    auto* layout = new QVBoxLayout(&window);
    QWidget* field = nullptr;
    if (kind == FieldKind::ComboBox) {
        auto* combo = new QComboBox;
        combo->setEditable(true);
        field = combo;
    } else {
        field = new QLineEdit;
    }
    layout->addWidget(field);
    return field;
}

QLineEdit* editorOf(QWidget* field) {
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(field);
}

// One thing the cashier does: type characters, or press one key.
struct Step {
    const char* typed = nullptr;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Step type(const char* characters) {
    return {characters};
}

Step press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return {nullptr, key, modifiers};
}

constexpr int wholeTextSelected = -1;

struct KeyCase {
    const char* what;
    FieldKind kind;
    CharacterRule rule;
    const char* before;
    int caret; // or wholeTextSelected
    std::vector<Step> steps;
    const char* after;
    const char* clipboard = "";
    const char* clipboardAfter = nullptr; // checked when given
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.what;
}

class KeyboardRuleTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyboardRuleTest, leavesTheTextACashierExpects) {
    const KeyCase& c = GetParam();
    QWidget window;
    QWidget* field = addField(window, c.kind);
    attachCharacterRule(field, c.rule);
    QLineEdit* editor = editorOf(field);
    ASSERT_TRUE(keys::focusField(field));
    editor->setText(utf8(c.before));
    if (c.caret == wholeTextSelected)
        editor->selectAll();
    else
        editor->setCursorPosition(c.caret);
    QApplication::clipboard()->setText(utf8(c.clipboard));

    for (const Step& step : c.steps) {
        if (step.typed)
            keys::typeText(utf8(step.typed));
        else
            keys::pressKey(step.key, step.modifiers);
    }

    EXPECT_EQ(text(editor->text()), c.after);
    if (c.clipboardAfter) {
        EXPECT_EQ(text(QApplication::clipboard()->text()), c.clipboardAfter);
    }
}

using enum CharacterRule;
using enum FieldKind;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Fields, KeyboardRuleTest,
    testing::Values(
        KeyCase{"small letters into an empty surname search field",
                LineEdit, FirstLetterUpper, "", 0, {type("абв")}, "Абв"},
        KeyCase{"Latin small letters into an empty field",
                LineEdit, FirstLetterUpper, "", 0, {type("ivanov")}, "Ivanov"},
        KeyCase{"small letter with the caret in the middle",
                LineEdit, FirstLetterUpper, "Смирнва", 5, {type("о")}, "Смирнова"},
        KeyCase{"whole text of a doctor field selected, then п",
                ComboBox, FirstLetterUpper, "Иванов", wholeTextSelected, {type("п")}, "П"},
        KeyCase{"ё at the start of an empty doctor field",
                ComboBox, FirstLetterUpper, "", 0, {type("ё")}, "ё"},
        KeyCase{"a digit at the start leaves the next letter small",
                LineEdit, FirstLetterUpper, "", 0, {type("1а")}, "1а"},
        KeyCase{"sum typed key by key",
                LineEdit, AmountDigits, "", 0, {type("1a5.0.0")}, "15.0.0"},
        KeyCase{"letters and point in a department code",
                LineEdit, DigitsOnly, "", 0, {type("1б2a.3")}, "123"},
        KeyCase{"editing keys in a department code",
                LineEdit, DigitsOnly, "123", 3,
                {press(Qt::Key_Left), press(Qt::Key_Backspace), type("9"), press(Qt::Key_Home),
                 press(Qt::Key_Delete)},
                "93"},
        KeyCase{"Escape, Ctrl+C and Ctrl+X in a quantity field",
                LineEdit, DigitsOnly, "123", wholeTextSelected,
                {press(Qt::Key_Escape), press(Qt::Key_C, Qt::ControlModifier),
                 press(Qt::Key_X, Qt::ControlModifier)},
                "123", "7", "7"},
        KeyCase{"Ctrl+V of 12a in the quantity field",
                LineEdit, DigitsOnly, "", 0, {press(Qt::Key_V, Qt::ControlModifier)}, "", "12a"},
        KeyCase{"Ctrl+V of a number copied from a spreadsheet cell",
                LineEdit, DigitsOnly, "1", 1, {press(Qt::Key_V, Qt::ControlModifier)}, "140", "40\n"},
        KeyCase{"Ctrl+V of an amount written with a blank and a comma",
                LineEdit, AmountDigits, "", 0, {press(Qt::Key_V, Qt::ControlModifier)}, "", "1 234,50"},
        KeyCase{"Ctrl+V of a small name at the start of a doctor field",
                ComboBox, FirstLetterUpper, "", 0, {press(Qt::Key_V, Qt::ControlModifier)}, "Петрова",
                "петрова"},
        KeyCase{"Ctrl+V in the middle of a name",
                LineEdit, FirstLetterUpper, "Анна", 4, {press(Qt::Key_V, Qt::ControlModifier)}, "Анна-мария",
                "-мария"}));
// clang-format on

// Every way text is pasted or dropped goes through the same rule as Ctrl+V.
enum class PastePath { CtrlV, ShiftInsert, ContextMenu, Drop };

void pasteBy(PastePath path, QLineEdit* editor) {
    switch (path) {
    case PastePath::CtrlV:
        keys::pressPaste();
        break;
    case PastePath::ShiftInsert:
        keys::pressKey(Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case PastePath::ContextMenu: {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                  editor->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(editor, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* item : menu->actions()) {
            if (item->text().startsWith(QStringLiteral("&Paste")))
                item->trigger();
        }
        menu->close();
        break;
    }
    case PastePath::Drop: {
        QMimeData dragged;
        dragged.setText(QApplication::clipboard()->text());
        // A drop goes to the widget that accepted the drag on entering.
        const QPoint end(editor->width() - 2, editor->height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor, &enter);
        QDropEvent drop(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor, &drop);
        break;
    }
    }
}

TEST(PastedText, passesTheRuleOfTheFieldOnEveryPath) {
    struct Case {
        CharacterRule rule;
        const char* before;
        const char* pasted;
        const char* after;
    };
    const Case cases[] = {
        {FirstLetterUpper, "", "иванов", "Иванов"},
        {FirstLetterUpper, "Анна", "-мария", "Анна-мария"},
        {DigitsOnly, "5", "12a3", "5"},
        {DigitsOnly, "5", " 40\n", "540"},
        {AmountDigits, "", "1 234,50", ""},
    };
    const std::pair<PastePath, const char*> paths[] = {{PastePath::CtrlV, "Ctrl+V"},
                                                       {PastePath::ShiftInsert, "Shift+Insert"},
                                                       {PastePath::ContextMenu, "context menu"},
                                                       {PastePath::Drop, "drag and drop"}};
    for (const auto& [path, pathName] : paths) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(pathName) + ": " + c.pasted);
            QWidget window;
            auto* field = static_cast<QLineEdit*>(addField(window, LineEdit));
            attachCharacterRule(field, c.rule);
            ASSERT_TRUE(keys::focusField(field));
            field->setText(utf8(c.before));
            QApplication::clipboard()->setText(utf8(c.pasted));

            pasteBy(path, field);

            EXPECT_EQ(text(field->text()), c.after);
        }
    }
}

TEST(InputMethodText, passesTheRuleAsTypedText) {
    struct Case {
        FieldKind kind;
        CharacterRule rule;
        const char* committed;
        const char* after;
    };
    const Case cases[] = {{ComboBox, FirstLetterUpper, "иван", "Иван"},
                          {LineEdit, AmountDigits, "1a2.5", "12.5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.committed);
        QWidget window;
        QWidget* field = addField(window, c.kind);
        attachCharacterRule(field, c.rule);
        ASSERT_TRUE(keys::focusField(field));

        QInputMethodEvent commit;
        commit.setCommitString(utf8(c.committed));
        QApplication::sendEvent(field, &commit);

        EXPECT_EQ(text(editorOf(field)->text()), c.after);
    }
}

TEST(FieldLength, stopsAPasteOf300CharactersAtTheColumnWidth) {
    struct Case {
        FieldKind kind;
        CharacterRule rule;
        int maxChars;
        QString pasted;
        QString after;
    };
    const Case cases[] = {
        {LineEdit, None, 40, QString(300, u'ж'), QString(40, u'ж')},
        {ComboBox, FirstLetterUpper, 40, QString(300, u'п'), QChar(u'П') + QString(39, u'п')},
        {LineEdit, DigitsOnly, 4, QStringLiteral("1234567890").repeated(30), QStringLiteral("1234")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(text(c.after));
        QWidget window;
        QWidget* field = addField(window, c.kind);
        attachCharacterRule(field, c.rule);
        limitLength(field, c.maxChars);
        ASSERT_TRUE(keys::focusField(field));
        QApplication::clipboard()->setText(c.pasted);

        keys::pressPaste();
        keys::typeText(QStringLiteral("5я"));

        EXPECT_EQ(text(editorOf(field)->text()), text(c.after));
    }
}

TEST(EnterAdvances, movesInTabOrderPastWhatTakesNoFocusAndWrapsAround) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* surname = new QLineEdit;
    auto* name = new QLineEdit;
    auto* disabled = new QLineEdit;
    auto* hidden = new QLineEdit;
    auto* doctor = new QComboBox;
    auto* nurse = new QComboBox;
    auto* date = new QDateEdit(QDate(2024, 3, 5));
    auto* sum = new QLineEdit;
    auto* save = new QPushButton(QStringLiteral("Сохранить"));
    disabled->setEnabled(false);
    hidden->setVisible(false);
    doctor->setEditable(true);
    nurse->setEditable(true);
    save->setDefault(true);
    save->setFocusPolicy(Qt::NoFocus);
    for (QWidget* w : std::initializer_list<QWidget*>{surname, name, disabled, hidden, new QLabel("Врач"),
                                                      doctor, nurse, date, sum, save})
        layout->addWidget(w);
    bool saved = false;
    QObject::connect(save, &QPushButton::clicked, [&] { saved = true; });

    for (QWidget* w : std::initializer_list<QWidget*>{surname, name, disabled, hidden, date})
        attachEnterAdvances(w);
    // The two orders of attaching the rules of one field.
    attachCharacterRule(doctor, FirstLetterUpper);
    attachEnterAdvances(doctor);
    attachEnterAdvances(nurse);
    attachCharacterRule(nurse, FirstLetterUpper);
    attachEnterAdvances(sum);
    attachCharacterRule(sum, AmountDigits);

    struct Entry {
        QWidget* field;
        const char* typed;
    };
    const Entry entries[] = {{surname, "иванов"}, {name, "пётр"}, {doctor, "п"},
                             {nurse, "с"},        {date, ""},     {sum, "1.5"}};
    ASSERT_TRUE(keys::focusField(surname));
    for (const Entry& entry : entries) {
        ASSERT_EQ(QApplication::focusWidget(), entry.field) << entry.typed;
        keys::typeText(utf8(entry.typed));
        keys::pressEnter();
    }

    EXPECT_EQ(QApplication::focusWidget(), surname);
    EXPECT_EQ(text(surname->text()), "иванов");
    EXPECT_EQ(text(doctor->currentText()), "П");
    EXPECT_EQ(text(nurse->currentText()), "С");
    EXPECT_EQ(text(sum->text()), "1.5");
    EXPECT_FALSE(saved);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(EnterActs, runsTheActionAfterTheFieldTookTheKeyAndNoDefaultButtonFires) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* quantity = new QLineEdit;
    auto* date = new QDateEdit(QDate(2024, 1, 1));
    auto* search = new QPushButton(QStringLiteral("Поиск"));
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date->setKeyboardTracking(false); // the typed date counts from Enter on
    search->setDefault(true);
    layout->addWidget(quantity);
    layout->addWidget(date);
    layout->addWidget(search);

    QStringList log;
    QObject::connect(search, &QPushButton::clicked, [&] { log << "default button"; });
    QObject::connect(quantity, &QLineEdit::returnPressed, [&] { log << "field took Enter"; });
    attachEnterActs(quantity, [&] { log << "save " + quantity->text(); });
    attachCharacterRule(quantity, DigitsOnly);
    attachEnterActs(date, [&] { log << "search " + date->date().toString(QStringLiteral("dd.MM.yyyy")); });

    ASSERT_TRUE(keys::focusField(quantity));
    keys::typeText(QStringLiteral("3"));
    keys::pressEnter();
    ASSERT_TRUE(keys::focusField(date)); // the day is selected
    keys::typeText(QStringLiteral("05"));
    keys::pressEnter();

    EXPECT_EQ(text(log.join(" | ")), "field took Enter | save 3 | search 05.01.2024");
    EXPECT_TRUE(dialog.isVisible());
}

TEST(SwallowedKeys, reachNeitherTheFieldNorTheWindow) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* departmentCode = new QLineEdit;
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    layout->addWidget(departmentCode);
    layout->addWidget(ok);
    QStringList log;
    QObject::connect(ok, &QPushButton::clicked, [&] { log << "default button"; });
    QObject::connect(departmentCode, &QLineEdit::returnPressed, [&] { log << "field took Enter"; });
    QObject::connect(&dialog, &QDialog::finished, [&] { log << "dialog closed"; });
    attachCharacterRule(departmentCode, DigitsOnly);
    attachEnterIgnored(departmentCode);

    ASSERT_TRUE(keys::focusField(departmentCode));
    keys::typeText(QStringLiteral("12"));
    keys::pressEnter();
    keys::pressEscape();

    EXPECT_EQ(text(log.join(" | ")), "");
    EXPECT_EQ(QApplication::focusWidget(), departmentCode);
    EXPECT_EQ(text(departmentCode->text()), "12");
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
