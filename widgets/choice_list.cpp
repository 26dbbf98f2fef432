#include "widgets/choice_list.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace zorvel {

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

int itemOfValue(const QComboBox* list, const QString& value) {
    const QString wanted = withoutTrailingBlanks(value);
    for (int i = 0; i < list->count(); ++i)
        if (withoutTrailingBlanks(list->itemText(i)) == wanted)
            return i;
    return -1;
}

void showValue(QComboBox* list, const QString& value) {
    const QSignalBlocker blockList(list);
    QLineEdit* line = list->isEditable() ? list->lineEdit() : nullptr;
    const QSignalBlocker blockLine(line);
    const QString before = list->currentText();
    const int caret = line ? line->cursorPosition() : 0;
    const int item = itemOfValue(list, value);
    if (list->currentIndex() != item)
        list->setCurrentIndex(item); // an editable list takes the item's text, or none
    if (!line)
        return;
    if (withoutTrailingBlanks(list->currentText()) != withoutTrailingBlanks(value))
        list->setEditText(item >= 0 ? list->itemText(item) : value);
    line->setCursorPosition(list->currentText() == before ? caret : 0);
}

} // namespace zorvel
