// The worksheet's cells: rows of 16-byte cells, texts interned in the workbook's shared strings, the
// cells read from the sheet's XML, what a written text becomes (number, text, formula), and what a cell
// shows.

#include "spreadsheet/formula.h"
#include "spreadsheet/number_format.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook_data.h"
#include "spreadsheet/worksheet_data.h"
#include "spreadsheet/xml_text.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace zorvel {

using namespace sheetdata;

namespace {

void appendDouble(std::string& out, double value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

std::string numberText(double value) {
    std::string out;
    appendDouble(out, value);
    return out;
}

// UTF-8 of a text into a reused buffer: texts are interned by their UTF-8 without an allocation each.
void toUtf8(const QString& text, std::string& out) {
    out.clear();
    const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* end = p + text.size();
    for (; p < end; ++p) {
        char32_t c = *p;
        if (c >= 0xD800 && c < 0xDC00 && p + 1 < end && p[1] >= 0xDC00 && p[1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (*++p - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD; // a lone surrogate
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

// A text a spreadsheet would take as a number: digits with one decimal point or comma, an optional sign
// and exponent, blanks around. More than 15 significant digits stay text.
bool parseNumber(const QString& text, double& value) {
    char s[48];
    size_t n = 0;
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    while (begin < end && begin->isSpace())
        ++begin;
    while (end > begin && (end - 1)->isSpace())
        --end;
    if (begin == end || end - begin > 40)
        return false;
    int digits = 0, points = 0;
    bool significant = false, exponent = false, expDigits = false, mantissaDigits = false;
    for (const QChar* q = begin; q < end; ++q) {
        char16_t c = q->unicode();
        if (c >= '0' && c <= '9') {
            if (exponent) {
                expDigits = true;
            } else {
                mantissaDigits = true;
                significant = significant || c != '0';
                if (significant)
                    ++digits;
            }
            s[n++] = char(c);
        } else if ((c == '.' || c == ',') && !exponent && points == 0) {
            ++points;
            s[n++] = '.';
        } else if ((c == '+' || c == '-') && (q == begin || (exponent && (q[-1] == u'e' || q[-1] == u'E')))) {
            if (c == '-')
                s[n++] = '-';
        } else if ((c == 'e' || c == 'E') && mantissaDigits && !exponent) {
            exponent = true;
            s[n++] = 'e';
        } else {
            return false;
        }
    }
    if (!mantissaDigits || (exponent && !expDigits) || digits > 15)
        return false;
    return readDouble(std::string_view(s, n), value);
}

// "K9" -> (9, 11) without allocating: sheets of a user's file may hold many cells.
bool parseReference(const char* text, int& row, int& column) {
    column = 0;
    const char* p = text;
    while (*p >= 'A' && *p <= 'Z' && column <= MaxColumns)
        column = column * 26 + (*p++ - 'A' + 1);
    row = 0;
    while (*p >= '0' && *p <= '9' && row <= MaxRows)
        row = row * 10 + (*p++ - '0');
    return *p == '\0' && row >= 1 && row <= MaxRows && column >= 1 && column <= MaxColumns;
}

} // namespace

bool Worksheet::Data::isTextFormat(uint32_t style) {
    if (style >= textFormats.size())
        textFormats.resize(size_t(style) + 1, -1);
    if (textFormats[style] < 0)
        textFormats[style] = book->styles->numberFormat(style) == u"@" ? 1 : 0;
    return textFormats[style] == 1;
}

uint32_t Worksheet::Data::intern(const QString& text) {
    toUtf8(text, utf8);
    return uint32_t(book->strings.indexOf(utf8));
}

Formula& Worksheet::Data::formulaOf(Cell& cell) {
    if (cell.type != CellType::Formula) {
        cell.type = CellType::Formula;
        cell.index = uint32_t(formulas.size());
        formulas.emplace_back();
    }
    Formula& formula = formulas[cell.index];
    formula.detail = noDetail;
    return formula;
}

const Row* Worksheet::Data::findRow(int row) const {
    return row >= 1 && size_t(row) <= rows.size() ? &rows[size_t(row - 1)] : nullptr;
}

Row& Worksheet::Data::rowAt(int row) {
    if (size_t(row) > rows.size()) {
        if (size_t(row) > rows.capacity())
            rows.reserve(std::max(size_t(row), rows.capacity() * 2));
        rows.resize(size_t(row));
    }
    return rows[size_t(row - 1)];
}

int Worksheet::Data::lastRow() const {
    for (size_t i = rows.size(); i > 0; --i)
        if (!rows[i - 1].cells.empty() || !rows[i - 1].attributes.empty())
            return int(i);
    return 0;
}

Cell* Worksheet::Data::find(int row, int column) {
    if (row < 1 || size_t(row) > rows.size())
        return nullptr;
    std::vector<Cell>& cells = rows[size_t(row - 1)].cells;
    auto it = std::lower_bound(cells.begin(), cells.end(), column,
                               [](const Cell& cell, int c) { return cell.column < c; });
    return it != cells.end() && it->column == column ? &*it : nullptr;
}

Cell& Worksheet::Data::touch(int row, int column) {
    if (row != lastTouchedRow) {
        if (const Row* last = findRow(lastTouchedRow); last && !last->cells.empty())
            rowWidthHint = last->cells.size();
        lastTouchedRow = row;
    }
    Row& r = rowAt(row);
    std::vector<Cell>& cells = r.cells;
    size_t at = cells.size();
    if (!cells.empty() && cells.back().column >= column) {
        auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                   [](const Cell& cell, int c) { return cell.column < c; });
        if (it->column == column)
            return *it;
        at = size_t(it - cells.begin());
    }
    if (cells.capacity() == 0)
        cells.reserve(rowWidthHint);
    Cell cell;
    cell.column = uint16_t(column);
    // A new cell takes the row's format, else the column's, as one typed into the sheet does.
    const std::string* custom = r.attributes.empty() ? nullptr : attributeOf(r, "customFormat");
    const std::string* style = custom ? attributeOf(r, "s") : nullptr;
    if (custom && style && (*custom == "1" || *custom == "true")) {
        cell.style = uint32_t(std::strtoul(style->c_str(), nullptr, 10));
    } else {
        for (const auto& [first, last, columnStyle] : columnStyles)
            if (column >= first && column <= last)
                cell.style = columnStyle;
    }
    return *cells.insert(cells.begin() + std::ptrdiff_t(at), cell);
}

// Read where the cells are kept: the reading of a large sheet is one call per cell into them.
void Worksheet::Data::load(pugi::xml_node sheetData) {
    struct Anchor {
        std::string formula;
        int row;
        int column;
    };
    std::unordered_map<int, Anchor> sharedFormulas;
    auto raw = [&](Cell& cell, CellType type, const char* value) {
        cell.type = type;
        cell.index = uint32_t(rawTexts.size());
        rawTexts.emplace_back(value);
    };
    int rowNumber = 0;
    for (pugi::xml_node rowNode : sheetData.children("row")) {
        pugi::xml_attribute r = rowNode.attribute("r");
        rowNumber = r ? r.as_int() : rowNumber + 1;
        if (rowNumber < 1 || rowNumber > MaxRows)
            throw SpreadsheetError(
                QStringLiteral("Книга повреждена: неверный номер строки %1").arg(rowNumber));
        {
            Row& row = rowAt(rowNumber);
            for (pugi::xml_attribute a : rowNode.attributes())
                if (std::strcmp(a.name(), "r") != 0 && std::strcmp(a.name(), "spans") != 0)
                    setAttribute(row, a.name(), a.value());
        }
        int columnNumber = 0;
        for (pugi::xml_node c : rowNode.children("c")) {
            int cellRow = rowNumber;
            if (pugi::xml_attribute ref = c.attribute("r")) {
                if (!parseReference(ref.value(), cellRow, columnNumber) || cellRow != rowNumber)
                    throw SpreadsheetError(QStringLiteral("Книга повреждена: неверный адрес ячейки %1")
                                               .arg(QString::fromUtf8(ref.value())));
            } else {
                ++columnNumber;
            }
            if (columnNumber > MaxColumns)
                throw SpreadsheetError(
                    QStringLiteral("Книга повреждена: лишняя ячейка в строке %1").arg(rowNumber));
            Cell& cell = touch(rowNumber, columnNumber);
            cell.style = c.attribute("s").as_uint();
            const char* type = c.attribute("t").value();
            pugi::xml_node v = c.child("v");
            const char* value = v.text().get();
            // The value as it would stand in a formula cell's cache.
            char kind = 0;
            std::string cached;
            cell.type = CellType::Empty;
            if (std::strcmp(type, "s") == 0) {
                int index = v.text().as_int(-1);
                if (v && index >= 0) {
                    cell.type = CellType::Shared;
                    cell.index = uint32_t(index);
                    kind = 's';
                    cached = value;
                }
            } else if (std::strcmp(type, "inlineStr") == 0) {
                cell.type = CellType::Shared;
                cell.index = uint32_t(book->strings.indexOf(xml::itemText(c.child("is"))));
            } else if (std::strcmp(type, "str") == 0) {
                // A formula's text result; kept as a text should the cell have no formula.
                if (v) {
                    kind = 't';
                    cached = xml::unescapeText(value);
                }
            } else if (std::strcmp(type, "b") == 0) {
                raw(cell, CellType::Boolean, value);
                kind = 'b';
                cached = value;
            } else if (std::strcmp(type, "e") == 0) {
                raw(cell, CellType::Error, value);
                kind = 'e';
                cached = value;
            } else if (std::strcmp(type, "d") == 0) {
                cell.type = CellType::Shared;
                cell.index = uint32_t(book->strings.indexOf(value));
            } else if (v) {
                double number = 0;
                if (readDouble(value, number)) {
                    cell.type = CellType::Number;
                    cell.number = number;
                } else {
                    raw(cell, CellType::RawNumber, value);
                }
                kind = 'n';
                cached = value;
            }
            pugi::xml_node f = c.child("f");
            std::string text, attributes;
            if (!f) {
            } else if (std::strcmp(f.attribute("t").value(), "shared") == 0) {
                // Shared formulas become plain ones: a cell written later cannot break a group.
                int group = f.attribute("si").as_int();
                if (*f.text().get()) {
                    text = f.text().get();
                    sharedFormulas[group] = {text, rowNumber, columnNumber};
                } else if (auto anchor = sharedFormulas.find(group); anchor != sharedFormulas.end()) {
                    text = shiftFormula(anchor->second.formula, rowNumber - anchor->second.row,
                                        columnNumber - anchor->second.column);
                }
            } else {
                text = f.text().get();
                for (pugi::xml_attribute a : f.attributes()) {
                    attributes += ' ';
                    attributes += a.name();
                    attributes += "=\"";
                    xml::appendEscaped(attributes, a.value());
                    attributes += '"';
                }
            }
            if (text.empty()) {
                if (kind == 't') {
                    cell.type = CellType::Shared;
                    cell.index = uint32_t(book->strings.indexOf(cached));
                }
                continue;
            }
            // The cached value moves into the formula's detail; the cell itself holds the formula.
            cell.type = CellType::Empty;
            Formula& formula = formulaOf(cell);
            formula.text = std::move(text);
            if (kind || !attributes.empty()) {
                formula.detail = uint32_t(formulaDetails.size());
                formulaDetails.push_back({std::move(attributes), kind, std::move(cached)});
            }
        }
    }
}

void Worksheet::setCell(int row, int column, const QString& text) {
    checkCell(row, column);
    if (text.size() > 1 && text.startsWith(u'=')) {
        toUtf8(text, d->utf8);
        // Completed and checked before the cell changes: a refused formula leaves the cell as it was.
        std::string formula = canonicalFormula(std::string_view(d->utf8));
        Cell& cell = d->touch(row, column);
        d->formulaOf(cell).text = std::move(formula);
        touched();
        return;
    }
    Cell& cell = d->touch(row, column);
    double number = 0;
    // A cell formatted as text ("@") keeps digits as typed, leading zeros included.
    if (parseNumber(text, number) && !d->isTextFormat(cell.style)) {
        cell.type = CellType::Number;
        cell.number = number;
    } else if (text.isEmpty()) {
        cell.type = CellType::Empty;
        cell.number = 0;
    } else {
        cell.index = d->intern(text);
        cell.type = CellType::Shared;
    }
    touched();
}

void Worksheet::setCell(int row, const QString& column, const QString& text) {
    setCell(row, columnNumber(column), text);
}

void Worksheet::setText(int row, int column, const QString& text) {
    checkCell(row, column);
    Cell& cell = d->touch(row, column);
    if (text.isEmpty()) {
        cell.type = CellType::Empty;
        cell.number = 0;
    } else {
        cell.index = d->intern(text);
        cell.type = CellType::Shared;
    }
    touched();
}

void Worksheet::setText(int row, const QString& column, const QString& text) {
    setText(row, columnNumber(column), text);
}

void Worksheet::setNumber(int row, int column, double value) {
    checkCell(row, column);
    if (!std::isfinite(value))
        throw SpreadsheetError(
            QStringLiteral("В ячейку %1 записывается не число").arg(cellName(row, column)));
    Cell& cell = d->touch(row, column);
    cell.type = CellType::Number;
    cell.number = value;
    touched();
}

QString Worksheet::cellText(int row, int column) const {
    checkCell(row, column);
    const Cell* cell = d->find(row, column);
    if (!cell)
        return {};
    const StyleSheet& styles = *d->book->styles;
    auto booleanText = [](const std::string& value) {
        return value == "1" || value == "true" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    };
    switch (cell->type) {
    case CellType::Empty:
        return {};
    case CellType::Number:
        return formatNumber(cell->number, styles.numberFormat(cell->style));
    case CellType::Shared:
        return formatText(QString::fromStdString(d->book->strings.text(int32_t(cell->index))),
                          styles.numberFormat(cell->style));
    case CellType::RawNumber:
    case CellType::Error:
        return QString::fromStdString(d->rawTexts[cell->index]);
    case CellType::Boolean:
        return booleanText(d->rawTexts[cell->index]);
    case CellType::Formula: {
        // A formula shows the value last computed, when the file has one.
        const FormulaDetail* detail = d->detailOf(*cell);
        if (!detail)
            return {};
        switch (detail->cachedKind) {
        case 'n': {
            double value = 0;
            return readDouble(detail->cachedValue, value)
                       ? formatNumber(value, styles.numberFormat(cell->style))
                       : QString::fromStdString(detail->cachedValue);
        }
        case 's':
            return formatText(QString::fromStdString(
                                  d->book->strings.text(int32_t(std::atoi(detail->cachedValue.c_str())))),
                              styles.numberFormat(cell->style));
        case 't':
            return formatText(QString::fromStdString(detail->cachedValue), styles.numberFormat(cell->style));
        case 'b':
            return booleanText(detail->cachedValue);
        case 'e':
            return QString::fromStdString(detail->cachedValue);
        default:
            return {};
        }
    }
    }
    return {};
}

QString Worksheet::cellText(int row, const QString& column) const {
    return cellText(row, columnNumber(column));
}

QString Worksheet::cellValue(int row, int column) const {
    checkCell(row, column);
    const Cell* cell = d->find(row, column);
    if (!cell)
        return {};
    switch (cell->type) {
    case CellType::Empty:
        return {};
    case CellType::Number:
        return QString::fromStdString(numberText(cell->number));
    case CellType::Shared:
        return QString::fromStdString(d->book->strings.text(int32_t(cell->index)));
    case CellType::RawNumber:
    case CellType::Error:
    case CellType::Boolean:
        return QString::fromStdString(d->rawTexts[cell->index]);
    case CellType::Formula: {
        const FormulaDetail* detail = d->detailOf(*cell);
        if (!detail)
            return {};
        if (detail->cachedKind == 's')
            return QString::fromStdString(
                d->book->strings.text(int32_t(std::atoi(detail->cachedValue.c_str()))));
        return QString::fromStdString(detail->cachedValue);
    }
    }
    return {};
}

QString Worksheet::cellFormula(int row, int column) const {
    checkCell(row, column);
    const Cell* cell = d->find(row, column);
    if (!cell || cell->type != CellType::Formula)
        return {};
    return u'=' + QString::fromStdString(d->formulas[cell->index].text);
}

CellStyle Worksheet::cellStyle(int row, int column) const {
    checkCell(row, column);
    const Cell* cell = d->find(row, column);
    const StyleSheet& styles = *d->book->styles;
    uint32_t id = cell ? cell->style : 0;
    pugi::xml_node xf = styles.xf(id);
    pugi::xml_node font = styles.font(xf.attribute("fontId").as_uint());
    pugi::xml_node border = styles.border(xf.attribute("borderId").as_uint());
    pugi::xml_node alignment = xf.child("alignment");
    CellStyle style;
    pugi::xml_node bold = font.child("b");
    style.bold = bold && bold.attribute("val").as_bool(true);
    style.fontSize = font.child("sz").attribute("val").as_double();
    style.wrapText = alignment.attribute("wrapText").as_bool();
    style.horizontal = QString::fromUtf8(alignment.attribute("horizontal").value());
    style.vertical = QString::fromUtf8(alignment.attribute("vertical").value());
    style.bordered = true;
    for (const char* side : {"left", "right", "top", "bottom"}) {
        const char* line = border.child(side).attribute("style").value();
        style.bordered = style.bordered && *line && std::strcmp(line, "none") != 0;
    }
    style.numberFormat = styles.numberFormat(id);
    return style;
}

RangePosition Worksheet::usedRange() const {
    RangePosition used;
    for (size_t i = 0; i < d->rows.size(); ++i) {
        const std::vector<Cell>& cells = d->rows[i].cells;
        if (cells.empty())
            continue;
        int number = int(i + 1);
        if (used.firstRow == 0) {
            used.firstRow = number;
            used.firstColumn = cells.front().column;
        }
        used.lastRow = number;
        used.firstColumn = std::min(used.firstColumn, int(cells.front().column));
        used.lastColumn = std::max(used.lastColumn, int(cells.back().column));
    }
    return used;
}

int Worksheet::usedRowCount() const {
    RangePosition used = usedRange();
    return used.firstRow == 0 ? 0 : used.lastRow - used.firstRow + 1;
}

void Worksheet::setRowHeight(int row, double points) {
    checkCell(row, 1);
    if (!(points >= 0 && points <= 409))
        throw SpreadsheetError(QStringLiteral("Недопустимая высота строки %1").arg(points));
    Row& r = d->rowAt(row);
    setAttribute(r, "ht", numberText(points));
    setAttribute(r, "customHeight", "1");
    touched();
}

double Worksheet::rowHeight(int row) const {
    const Row* r = d->findRow(row);
    if (!r)
        return 0;
    const std::string* height = attributeOf(*r, "ht");
    return height ? std::atof(height->c_str()) : 0;
}

size_t Worksheet::stringReferences(bool dropCachedValues) const {
    size_t references = 0;
    for (const Row& row : d->rows)
        for (const Cell& cell : row.cells)
            if (cell.type == CellType::Shared)
                ++references;
            else if (!dropCachedValues && cell.type == CellType::Formula)
                if (const FormulaDetail* detail = d->detailOf(cell); detail && detail->cachedKind == 's')
                    ++references;
    return references;
}

} // namespace zorvel
