#pragma once

#include <QString>
#include <vector>

namespace zorvel {

class Worksheet;

// One entry of the change journal as the window shows it.
struct JournalEntry {
    QString changedAt;
    QString user;
    QString address;
    QString table;
    QString rowKey;
    QString action; // "Добавлена", "Изменена", "Удалена"
    QString contract;
    QString changes;
};

// The entries on the sheet of "journal.xlsx": one row each from row 2, in the order given, as text (a
// contract number or a change stays what it was, whatever it begins with), with borders from the
// headings to the last entry.
void fillJournal(Worksheet& sheet, const std::vector<JournalEntry>& entries);

// The word for an action letter of CHANGE_LOG ('I', 'U', 'D').
QString actionText(const QString& letter);

} // namespace zorvel
