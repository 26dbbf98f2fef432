#include "tests/support/keyboard.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace zorvel::test {

namespace {

QWidget* keyboardTarget(QWidget* target) {
    if (target)
        return target;
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}

// Qt names a letter key by its capital and any other printable key by its character.
Qt::Key keyOf(QChar c) {
    return Qt::Key(c.isLetter() ? c.toUpper().unicode() : c.unicode());
}

// The text a keyboard sends with a key, as the xcb platform delivers it.
QString textOf(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return {};
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        if (modifiers & Qt::ControlModifier)
            return QString(QChar(key - Qt::Key_A + 1));
        return QString(QChar(modifiers & Qt::ShiftModifier ? key : key - Qt::Key_A + 'a'));
    }
    if (modifiers & Qt::ControlModifier)
        return {};
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Delete:
        return QStringLiteral("\x7f");
    default:
        break;
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return QString(QChar(key));
    return {};
}

void click(QWidget* target, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
    QWidget* receiver = keyboardTarget(target);
    if (!receiver) {
        ADD_FAILURE() << "No widget has the keyboard focus: focus a field of an active window first";
        return;
    }
    QTest::sendKeyEvent(QTest::Click, receiver, key, text, modifiers);
}

} // namespace

bool activateWindow(QWidget* widget) {
    QWidget* window = widget->window();
    window->show();
    if (QApplication::activeWindow() == window)
        return true;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

bool focusField(QWidget* field) {
    if (!activateWindow(field))
        return false;
    field->setFocus(Qt::OtherFocusReason);
    return field->hasFocus();
}

void typeText(const QString& text) {
    typeText(nullptr, text);
}

void typeText(QWidget* target, const QString& text) {
    for (QChar c : text)
        click(target, keyOf(c), QString(c), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    pressKey(nullptr, key, modifiers);
}

void pressKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    click(target, key, textOf(key, modifiers), modifiers);
}

void pressEnter() {
    pressKey(Qt::Key_Return);
}

void pressEnter(QWidget* target) {
    pressKey(target, Qt::Key_Return);
}

void pressEscape() {
    pressKey(Qt::Key_Escape);
}

void pressEscape(QWidget* target) {
    pressKey(target, Qt::Key_Escape);
}

void pressBackspace() {
    pressKey(Qt::Key_Backspace);
}

void pressBackspace(QWidget* target) {
    pressKey(target, Qt::Key_Backspace);
}

void pressPaste() {
    pressKey(Qt::Key_V, Qt::ControlModifier);
}

void pressPaste(QWidget* target) {
    pressKey(target, Qt::Key_V, Qt::ControlModifier);
}

} // namespace zorvel::test
