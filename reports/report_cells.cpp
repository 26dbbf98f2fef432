#include "reports/report_cells.h"

#include "spreadsheet/worksheet.h"

namespace zorvel {

void putValue(Worksheet& sheet, int row, int column, const QString& text) {
    if (text.startsWith(u'='))
        sheet.setText(row, column, text);
    else
        sheet.setCell(row, column, text);
}

QString columnLetter(int column) {
    QString letters;
    while (column > 0) {
        letters.prepend(QChar(u'A' + (column - 1) % 26));
        column = (column - 1) / 26;
    }
    return letters;
}

} // namespace zorvel
