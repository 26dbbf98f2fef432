#pragma once

#include <QString>
#include <Qt>

class QWidget;

// Typing in widget tests the way a cashier types. QTest::keyClicks sends ASCII only; these send key
// events that carry their text, Cyrillic included, and the control characters a keyboard sends with
// Ctrl+letter, Enter, Escape and Backspace. The overloads without a widget send to the widget that has
// the keyboard focus (an open popup first), as a keyboard does, so a key that moves the focus sends the
// next key elsewhere. Failures are reported to GoogleTest.
//
// The offscreen platform moves the focus only inside the active window: call focusField() (or
// activateWindow()) before typing.

namespace zorvel::test {

// Shows the widget's window and makes it the active one; false if it did not become active.
bool activateWindow(QWidget* widget);

// Activates the field's window and puts the focus into the field; false if the field did not get it.
bool focusField(QWidget* field);

void typeText(const QString& text);
void typeText(QWidget* target, const QString& text);

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void pressKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

void pressEnter();
void pressEnter(QWidget* target);
void pressEscape();
void pressEscape(QWidget* target);
void pressBackspace();
void pressBackspace(QWidget* target);
// Ctrl+V
void pressPaste();
void pressPaste(QWidget* target);

} // namespace zorvel::test
