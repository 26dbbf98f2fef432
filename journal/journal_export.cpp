#include "journal/journal_export.h"

#include "spreadsheet/worksheet.h"

namespace zorvel {

QString actionText(const QString& letter) {
    if (letter == QLatin1String("I"))
        return QStringLiteral("Добавлена");
    if (letter == QLatin1String("U"))
        return QStringLiteral("Изменена");
    if (letter == QLatin1String("D"))
        return QStringLiteral("Удалена");
    return letter;
}

void fillJournal(Worksheet& sheet, const std::vector<JournalEntry>& entries) {
    int row = 1;
    for (const JournalEntry& e : entries) {
        ++row;
        sheet.setText(row, QStringLiteral("A"), e.changedAt);
        sheet.setText(row, QStringLiteral("B"), e.user);
        sheet.setText(row, QStringLiteral("C"), e.address);
        sheet.setText(row, QStringLiteral("D"), e.table);
        sheet.setText(row, QStringLiteral("E"), e.rowKey);
        sheet.setText(row, QStringLiteral("F"), e.action);
        sheet.setText(row, QStringLiteral("G"), e.contract);
        sheet.setText(row, QStringLiteral("H"), e.changes);
    }
    sheet.range(QStringLiteral("A1:H") + QString::number(row)).setBorders(LineContinuous);
}

} // namespace zorvel
