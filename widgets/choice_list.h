#pragma once

#include <QString>

class QComboBox;

namespace zorvel {

// Lists whose items stand for stored values ("Проверка", "Доплата", the kind of care). A fixed-width
// column gives its text back without trailing blanks ("Да " of a CHAR(3) column reads "Да"), and a text
// column may keep trailing blanks that an item lacks: a stored value and an item are the same when they
// differ only in trailing blanks, as the server compares them.
QString withoutTrailingBlanks(const QString& text);

// The item that stands for a stored value, or -1.
int itemOfValue(const QComboBox* list, const QString& value);

// Shows a stored value in a list without emitting its signals. The value's item becomes current (a list
// that is not editable shows the item's own text, "Да " with its blank), so the popup and the arrow keys
// start from it. A value that no item stands for leaves no item current; an editable list shows it as
// it is, and keeps its caret when the text was already there (the value just typed into it).
void showValue(QComboBox* list, const QString& value);

} // namespace zorvel
