#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

// The keyboard rules of the entry screens, attached to a field by one call each. A field is a QLineEdit
// (with or without an input mask), an editable QComboBox or a date edit (QDateEdit takes the Enter rules;
// it checks its own characters). The rules live in one event filter owned by the field, so they die with
// it. A field holds one character rule and one Enter rule; attaching another of the same kind replaces
// the earlier one, and the order of attaching does not matter: Enter passes every character rule.
//
// Text that arrives other than by typing (Ctrl+V, Shift+Insert, the context menu, drag and drop, the
// X11 middle-button paste) passes the same character rule:
// - in a digits or amount field it is taken whole or not at all: surrounding blanks and line ends are
//   trimmed, and a text with any other character left ("12a3", "1 234,50") is refused, since dropping
//   the odd characters could silently turn it into another number;
// - in a first-letter field a text pasted at the start gets its first letter upper-cased.
// What an input method commits counts as typed, character by character.

namespace zorvel {

enum class CharacterRule {
    None,
    // A small Latin (a-z) or Cyrillic (а-я) letter typed with the caret or the selection at the start of
    // the field becomes capital; ё and everything else passes unchanged.
    FirstLetterUpper,
    // Only the digits 0-9 are typed. Escape, Ctrl+C and Ctrl+X are discarded; editing and moving keys
    // (Backspace, Delete, arrows, Home, End, Tab, Ctrl+A, undo) keep working, and Ctrl+V pastes by the
    // rule above.
    DigitsOnly,
    // As DigitsOnly, and the point "."; the number and place of the points are not checked.
    AmountDigits,
};

void attachCharacterRule(QWidget* field, CharacterRule rule);

// Enter moves the focus to the next field of the window in focus order (forward, only widgets that take
// the focus by Tab, wrapping from the last to the first). The key goes no further: the field does not
// see it and no default button or shortcut fires.
void attachEnterAdvances(QWidget* field);

// Enter reaches the field first (a line edit emits returnPressed, a combo box or date edit commits what
// was typed), then the action runs (save, search). The key stops at the field, so a default button of
// the window does not fire as well.
void attachEnterActs(QWidget* field, std::function<void()> action);

// Enter does nothing in this field: the field does not see it and no default button fires.
void attachEnterIgnored(QWidget* field);

// Whether a key types into a field (Backspace, Enter and Escape included), so that a look-up that follows
// the typed text runs; keys that only move the caret or the focus (Tab, Backtab, Delete, arrows) do not.
bool typesIntoField(const QKeyEvent* event);

// The field takes at most maxChars characters, typed or pasted: the width of the column it is saved to.
void limitLength(QWidget* field, int maxChars);

} // namespace zorvel
