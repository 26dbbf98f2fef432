#include "spreadsheet/cell_reference.h"

#include "spreadsheet/spreadsheet_error.h"

#include <algorithm>

namespace zorvel {

namespace {

QString badAddress(QStringView address) {
    return QStringLiteral("Неверный адрес ячейки «%1»").arg(address.toString());
}

} // namespace

int columnNumber(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3)
        throw SpreadsheetError(QStringLiteral("Неверное имя столбца «%1»").arg(letters.toString()));
    int number = 0;
    for (QChar c : letters) {
        char16_t u = c.toUpper().unicode();
        if (u < 'A' || u > 'Z')
            throw SpreadsheetError(QStringLiteral("Неверное имя столбца «%1»").arg(letters.toString()));
        number = number * 26 + (u - 'A' + 1);
    }
    if (number > MaxColumns)
        throw SpreadsheetError(QStringLiteral("Столбец «%1» за пределами листа").arg(letters.toString()));
    return number;
}

QString columnLetters(int column) {
    if (column < 1 || column > MaxColumns)
        throw SpreadsheetError(QStringLiteral("Номер столбца %1 за пределами листа").arg(column));
    QString letters;
    while (column > 0) {
        int rest = (column - 1) % 26;
        letters.prepend(QChar(char16_t('A' + rest)));
        column = (column - 1) / 26;
    }
    return letters;
}

QString cellName(int row, int column) {
    return columnLetters(column) + QString::number(row);
}

void checkCell(int row, int column) {
    if (row < 1 || row > MaxRows)
        throw SpreadsheetError(QStringLiteral("Номер строки %1 за пределами листа").arg(row));
    if (column < 1 || column > MaxColumns)
        throw SpreadsheetError(QStringLiteral("Номер столбца %1 за пределами листа").arg(column));
}

CellPosition parseCell(QStringView address) {
    QStringView text = address.trimmed();
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'$')
        ++i;
    qsizetype lettersStart = i;
    while (i < text.size() && text[i].isLetter())
        ++i;
    QStringView letters = text.mid(lettersStart, i - lettersStart);
    if (i < text.size() && text[i] == u'$')
        ++i;
    QStringView digits = text.mid(i);
    bool ok = !letters.isEmpty() && !digits.isEmpty();
    for (QChar c : digits)
        ok = ok && c >= u'0' && c <= u'9';
    if (!ok || digits.size() > 7)
        throw SpreadsheetError(badAddress(address));
    CellPosition cell{digits.toInt(), columnNumber(letters)};
    checkCell(cell.row, cell.column);
    return cell;
}

RangePosition parseRange(QStringView address) {
    qsizetype colon = address.indexOf(u':');
    CellPosition first, last;
    try {
        first = parseCell(colon < 0 ? address : address.left(colon));
        last = colon < 0 ? first : parseCell(address.mid(colon + 1));
    } catch (const SpreadsheetError&) {
        throw SpreadsheetError(QStringLiteral("Неверный адрес диапазона «%1»").arg(address.toString()));
    }
    return {std::min(first.row, last.row), std::min(first.column, last.column), std::max(first.row, last.row),
            std::max(first.column, last.column)};
}

QString rangeName(const RangePosition& range) {
    QString first = cellName(range.firstRow, range.firstColumn);
    if (range.firstRow == range.lastRow && range.firstColumn == range.lastColumn)
        return first;
    return first + u':' + cellName(range.lastRow, range.lastColumn);
}

} // namespace zorvel
