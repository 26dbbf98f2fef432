#include "cashdesk/debts_export.h"

#include "spreadsheet/worksheet.h"

namespace zorvel {

void fillDebts(Worksheet& sheet, const std::vector<DebtLine>& lines) {
    int k = 0;
    for (const DebtLine& line : lines) {
        ++k;
        const int row = k + 1;
        sheet.setCell(row, QStringLiteral("A"), QString::number(k));
        sheet.setCell(row, QStringLiteral("B"), line.contract);
        // What people typed stays text, whatever it begins with.
        sheet.setText(row, QStringLiteral("C"), line.surname);
        sheet.setText(row, QStringLiteral("D"), line.name);
        sheet.setText(row, QStringLiteral("E"), line.patronymic);
        sheet.setCell(row, QStringLiteral("F"), line.paid);
        sheet.setCell(row, QStringLiteral("G"), line.contractSum);
        sheet.setCell(row, QStringLiteral("H"), line.remaining);
        sheet.setText(row, QStringLiteral("I"), line.paymentDate);
    }
    // One empty row between the list and its totals; the formulas are written open, as always.
    const int n = k + 3;
    const QString last = QString::number(k + 2);
    sheet.range(n, 1, n, 18).setBold();
    sheet.setCell(n, QStringLiteral("A"), QStringLiteral("ИТОГО:"));
    sheet.setCell(n, QStringLiteral("F"), QStringLiteral("=sum(f2:f") + last);
    sheet.setCell(n, QStringLiteral("G"), QStringLiteral("=sum(g2:g") + last);
    sheet.setCell(n, QStringLiteral("H"), QStringLiteral("=sum(h2:h") + last);
    sheet.range(QStringLiteral("a2:I") + QString::number(n)).setBorders(LineContinuous);
}

} // namespace zorvel
