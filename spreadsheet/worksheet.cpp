#include "spreadsheet/worksheet.h"

#include "spreadsheet/formula.h"
#include "spreadsheet/number_format.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook_data.h"
#include "spreadsheet/xml_text.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

namespace zorvel {

namespace {

const char* const worksheetOrder[] = {"sheetPr",
                                      "dimension",
                                      "sheetViews",
                                      "sheetFormatPr",
                                      "cols",
                                      "sheetData",
                                      "sheetCalcPr",
                                      "sheetProtection",
                                      "protectedRanges",
                                      "scenarios",
                                      "autoFilter",
                                      "sortState",
                                      "dataConsolidate",
                                      "customSheetViews",
                                      "mergeCells",
                                      "phoneticPr",
                                      "conditionalFormatting",
                                      "dataValidations",
                                      "hyperlinks",
                                      "printOptions",
                                      "pageMargins",
                                      "pageSetup",
                                      "headerFooter",
                                      "rowBreaks",
                                      "colBreaks",
                                      "customProperties",
                                      "cellWatches",
                                      "ignoredErrors",
                                      "smartTags",
                                      "drawing",
                                      "legacyDrawing",
                                      "legacyDrawingHF",
                                      "drawingHF",
                                      "picture",
                                      "oleObjects",
                                      "controls",
                                      "webPublishItems",
                                      "tableParts",
                                      "extLst",
                                      nullptr};
const char* const sheetPrOrder[] = {"tabColor", "outlinePr", "pageSetUpPr", nullptr};

const char* const sheetDataMark = "zorvel-sheet-data";

enum class CellType : uint8_t { Empty, Number, Shared, Text, Boolean, Error, FormulaText };

struct Cell {
    std::string value;             // a number as written, a text, "0"/"1", an error
    std::string formula;           // without "="; empty when none
    std::string formulaAttributes; // of an array or other special formula, as written
    int32_t shared = -1;
    uint32_t style = 0;
    CellType type = CellType::Empty;
};

struct Row {
    std::vector<std::pair<std::string, std::string>> attributes; // all but r and spans
    std::map<int, Cell> cells;
};

// "K9" -> (9, 11) without allocating: sheets of a user's file may hold many cells.
bool parseReference(const char* text, int& row, int& column) {
    column = 0;
    const char* p = text;
    while (*p >= 'A' && *p <= 'Z')
        column = column * 26 + (*p++ - 'A' + 1);
    row = 0;
    while (*p >= '0' && *p <= '9')
        row = row * 10 + (*p++ - '0');
    return *p == '\0' && row >= 1 && row <= MaxRows && column >= 1 && column <= MaxColumns;
}

void appendColumnLetters(std::string& out, int column) {
    char buffer[4];
    int n = 0;
    while (column > 0) {
        buffer[n++] = char('A' + (column - 1) % 26);
        column = (column - 1) / 26;
    }
    while (n > 0)
        out += buffer[--n];
}

void appendNumber(std::string& out, long long n) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    out.append(buffer, result.ptr);
}

std::string numberText(double value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// A text a spreadsheet would take as a number: digits with one decimal point or comma, an optional sign
// and exponent, blanks around. More than 15 significant digits stay text.
bool parseNumber(const QString& text, double& value) {
    QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 40)
        return false;
    std::string s;
    s.reserve(size_t(t.size()));
    int digits = 0, points = 0;
    bool significant = false, exponent = false, expDigits = false, mantissaDigits = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        char16_t c = t[i].unicode();
        if (c >= '0' && c <= '9') {
            if (exponent) {
                expDigits = true;
            } else {
                mantissaDigits = true;
                significant = significant || c != '0';
                if (significant)
                    ++digits;
            }
            s += char(c);
        } else if ((c == '.' || c == ',') && !exponent && points == 0) {
            ++points;
            s += '.';
        } else if ((c == '+' || c == '-') &&
                   (i == 0 || (exponent && (t[i - 1] == u'e' || t[i - 1] == u'E')))) {
            if (c == '-')
                s += '-';
        } else if ((c == 'e' || c == 'E') && mantissaDigits && !exponent) {
            exponent = true;
            s += 'e';
        } else {
            return false;
        }
    }
    if (!mantissaDigits || (exponent && !expDigits) || digits > 15)
        return false;
    auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    return result.ec == std::errc() && result.ptr == s.data() + s.size() && std::isfinite(value);
}

const std::string* attributeOf(const Row& row, const char* name) {
    for (const auto& [key, value] : row.attributes)
        if (key == name)
            return &value;
    return nullptr;
}

void setAttribute(Row& row, const char* name, const std::string& value) {
    for (auto& [key, existing] : row.attributes)
        if (key == name) {
            existing = value;
            return;
        }
    row.attributes.emplace_back(name, value);
}

} // namespace

const char* horizontalAlignmentName(int alignment) {
    switch (alignment) {
    case HAlignGeneral:
        return "general";
    case HAlignLeft:
    case -4131:
        return "left";
    case HAlignCenter:
    case -4108:
        return "center";
    case HAlignRight:
    case -4152:
        return "right";
    case HAlignFill:
        return "fill";
    case HAlignJustify:
    case -4130:
        return "justify";
    case HAlignCenterAcrossSelection:
        return "centerContinuous";
    case -4117:
        return "distributed";
    default:
        throw SpreadsheetError(QStringLiteral("Неизвестное горизонтальное выравнивание %1").arg(alignment));
    }
}

const char* verticalAlignmentName(int alignment) {
    switch (alignment) {
    case VAlignTop:
    case -4160:
        return "top";
    case VAlignCenter:
    case -4108:
        return "center";
    case VAlignBottom:
    case -4107:
        return "bottom";
    case VAlignJustify:
    case -4130:
        return "justify";
    case -4117:
        return "distributed";
    default:
        throw SpreadsheetError(QStringLiteral("Неизвестное вертикальное выравнивание %1").arg(alignment));
    }
}

namespace {

bool overlaps(const RangePosition& a, const RangePosition& b) {
    return a.firstRow <= b.lastRow && b.firstRow <= a.lastRow && a.firstColumn <= b.lastColumn &&
           b.firstColumn <= a.lastColumn;
}

} // namespace

struct Worksheet::Data {
    WorkbookData* book = nullptr;
    std::string partName;
    QString name;
    pugi::xml_document document;
    pugi::xml_node root;
    std::map<int, Row> rows;
    // The default styles of columns (<col style>), as (first, last, style).
    std::vector<std::tuple<int, int, uint32_t>> columnStyles;
    // The merged ranges by first row, so that merging finds the ranges a new one overlaps without
    // reading every <mergeCell> (documents merge thousands of ranges); rebuilt from the XML when
    // something else changed them.
    std::multimap<int, std::pair<RangePosition, pugi::xml_node>> mergeIndex;
    int tallestMerge = 0;
    bool mergeIndexValid = false;

    Cell* find(int row, int column);
    void indexMerges(pugi::xml_node merges);
    Cell& touch(int row, int column);
    void readColumnStyles();
    void load(pugi::xml_node sheetData);
    pugi::xml_node pageSetup();
};

pugi::xml_node Worksheet::Data::pageSetup() {
    pugi::xml_node margins = xml::orderedChild(root, "pageMargins", worksheetOrder);
    if (!margins.attribute("left")) {
        // pageMargins, when present, must carry all six margins.
        for (auto [name, value] : {std::pair{"left", "0.7"},
                                   {"right", "0.7"},
                                   {"top", "0.75"},
                                   {"bottom", "0.75"},
                                   {"header", "0.3"},
                                   {"footer", "0.3"}})
            margins.append_attribute(name) = value;
    }
    return xml::orderedChild(root, "pageSetup", worksheetOrder);
}

void Worksheet::Data::indexMerges(pugi::xml_node merges) {
    mergeIndex.clear();
    tallestMerge = 0;
    for (pugi::xml_node m : merges.children("mergeCell")) {
        const RangePosition range = parseRange(QString::fromUtf8(m.attribute("ref").value()));
        mergeIndex.emplace(range.firstRow, std::pair{range, m});
        tallestMerge = std::max(tallestMerge, range.lastRow - range.firstRow);
    }
    mergeIndexValid = true;
}

Cell* Worksheet::Data::find(int row, int column) {
    auto r = rows.find(row);
    if (r == rows.end())
        return nullptr;
    auto c = r->second.cells.find(column);
    return c == r->second.cells.end() ? nullptr : &c->second;
}

Cell& Worksheet::Data::touch(int row, int column) {
    Row& r = rows[row];
    auto [it, added] = r.cells.try_emplace(column);
    if (added) {
        // A new cell takes the row's format, else the column's, as one typed into the sheet does.
        const std::string* custom = attributeOf(r, "customFormat");
        const std::string* style = attributeOf(r, "s");
        if (custom && style && (*custom == "1" || *custom == "true")) {
            it->second.style = uint32_t(std::stoul(*style));
        } else {
            for (const auto& [first, last, columnStyle] : columnStyles)
                if (column >= first && column <= last)
                    it->second.style = columnStyle;
        }
    }
    return it->second;
}

void Worksheet::Data::readColumnStyles() {
    columnStyles.clear();
    for (pugi::xml_node col : root.child("cols").children("col"))
        if (pugi::xml_attribute style = col.attribute("style"))
            columnStyles.emplace_back(col.attribute("min").as_int(), col.attribute("max").as_int(),
                                      style.as_uint());
}

void Worksheet::Data::load(pugi::xml_node sheetData) {
    struct Anchor {
        std::string formula;
        int row;
        int column;
    };
    std::unordered_map<int, Anchor> sharedFormulas;
    int rowNumber = 0;
    for (pugi::xml_node rowNode : sheetData.children("row")) {
        pugi::xml_attribute r = rowNode.attribute("r");
        rowNumber = r ? r.as_int() : rowNumber + 1;
        if (rowNumber < 1 || rowNumber > MaxRows)
            throw SpreadsheetError(
                QStringLiteral("Книга повреждена: неверный номер строки %1").arg(rowNumber));
        Row& row = rows[rowNumber];
        for (pugi::xml_attribute a : rowNode.attributes())
            if (std::strcmp(a.name(), "r") != 0 && std::strcmp(a.name(), "spans") != 0)
                row.attributes.emplace_back(a.name(), a.value());
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
            Cell& cell = row.cells[columnNumber];
            cell.style = c.attribute("s").as_uint();
            const char* type = c.attribute("t").value();
            pugi::xml_node v = c.child("v");
            if (std::strcmp(type, "s") == 0) {
                cell.type = CellType::Shared;
                cell.shared = v.text().as_int(-1);
            } else if (std::strcmp(type, "inlineStr") == 0) {
                cell.type = CellType::Text;
                cell.value = xml::itemText(c.child("is"));
            } else if (std::strcmp(type, "str") == 0) {
                cell.type = v ? CellType::FormulaText : CellType::Empty;
                cell.value = xml::unescapeText(v.text().get());
            } else if (std::strcmp(type, "b") == 0) {
                cell.type = CellType::Boolean;
                cell.value = v.text().get();
            } else if (std::strcmp(type, "e") == 0) {
                cell.type = CellType::Error;
                cell.value = v.text().get();
            } else if (std::strcmp(type, "d") == 0) {
                cell.type = CellType::Text;
                cell.value = v.text().get();
            } else if (v) {
                cell.type = CellType::Number;
                cell.value = v.text().get();
            }
            if (pugi::xml_node f = c.child("f")) {
                if (std::strcmp(f.attribute("t").value(), "shared") == 0) {
                    // Shared formulas become plain ones: a cell written later cannot break a group.
                    int group = f.attribute("si").as_int();
                    if (*f.text().get()) {
                        cell.formula = f.text().get();
                        sharedFormulas[group] = {cell.formula, rowNumber, columnNumber};
                    } else if (auto anchor = sharedFormulas.find(group); anchor != sharedFormulas.end()) {
                        cell.formula = shiftFormula(anchor->second.formula, rowNumber - anchor->second.row,
                                                    columnNumber - anchor->second.column);
                    }
                } else {
                    cell.formula = f.text().get();
                    for (pugi::xml_attribute a : f.attributes()) {
                        cell.formulaAttributes += ' ';
                        cell.formulaAttributes += a.name();
                        cell.formulaAttributes += "=\"";
                        xml::appendEscaped(cell.formulaAttributes, a.value());
                        cell.formulaAttributes += '"';
                    }
                }
            }
        }
    }
}

Worksheet::Worksheet(WorkbookData* book, std::string partName, const std::string& xml, const QString& name)
    : d(std::make_unique<Data>()) {
    d->book = book;
    d->partName = std::move(partName);
    d->name = name;
    xml::parse(d->document, xml, d->partName);
    d->root = d->document.child("worksheet");
    if (!d->root)
        throw SpreadsheetError(QStringLiteral("Книга повреждена: лист «%1» не читается").arg(name));
    pugi::xml_node sheetData = xml::orderedChild(d->root, "sheetData", worksheetOrder);
    d->load(sheetData);
    // The cells live in `rows`; the element keeps only a mark where they are written back.
    while (pugi::xml_node child = sheetData.first_child())
        sheetData.remove_child(child);
    sheetData.append_child(pugi::node_comment).set_value(sheetDataMark);
    d->readColumnStyles();
}

Worksheet::~Worksheet() = default;

const std::string& Worksheet::partName() const {
    return d->partName;
}

WorkbookData* Worksheet::book() const {
    return d->book;
}

void Worksheet::touched() {
    d->book->modified = true;
}

QString Worksheet::name() const {
    return d->name;
}

void Worksheet::setName(const QString& name) {
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    bool ok = !name.isEmpty() && name.size() <= 31 && !name.startsWith(u'\'') && !name.endsWith(u'\'');
    for (QChar c : name)
        ok = ok && !forbidden.contains(c);
    if (!ok)
        throw SpreadsheetError(QStringLiteral("Недопустимое имя листа «%1»").arg(name));
    for (const auto& other : d->book->sheets)
        if (other.get() != this && other->name().compare(name, Qt::CaseInsensitive) == 0)
            throw SpreadsheetError(QStringLiteral("Лист «%1» уже есть в книге").arg(name));
    d->name = name;
    touched();
}

void Worksheet::setCell(int row, int column, const QString& text) {
    checkCell(row, column);
    std::string formula;
    double number = 0;
    bool isFormula = text.size() > 1 && text.startsWith(u'=');
    if (isFormula)
        formula = canonicalFormula(std::string_view(text.toStdString()));
    Cell& cell = d->touch(row, column);
    // A cell formatted as text ("@") keeps digits as typed, leading zeros included.
    bool isNumber =
        !isFormula && parseNumber(text, number) && d->book->styles->numberFormat(cell.style) != u"@";
    cell.formula = std::move(formula);
    cell.formulaAttributes.clear();
    cell.shared = -1;
    if (isFormula) {
        cell.type = CellType::Empty;
        cell.value.clear();
    } else if (isNumber) {
        cell.type = CellType::Number;
        cell.value = numberText(number);
    } else if (text.isEmpty()) {
        cell.type = CellType::Empty;
        cell.value.clear();
    } else {
        cell.type = CellType::Text;
        cell.value = text.toStdString();
    }
    touched();
}

void Worksheet::setCell(int row, const QString& column, const QString& text) {
    setCell(row, columnNumber(column), text);
}

void Worksheet::setText(int row, int column, const QString& text) {
    checkCell(row, column);
    Cell& cell = d->touch(row, column);
    cell.formula.clear();
    cell.formulaAttributes.clear();
    cell.shared = -1;
    cell.type = text.isEmpty() ? CellType::Empty : CellType::Text;
    cell.value = text.toStdString();
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
    cell.formula.clear();
    cell.formulaAttributes.clear();
    cell.type = CellType::Number;
    cell.value = numberText(value);
    touched();
}

QString Worksheet::cellText(int row, int column) const {
    checkCell(row, column);
    const Cell* cell = d->find(row, column);
    if (!cell)
        return {};
    switch (cell->type) {
    case CellType::Empty:
        return {};
    case CellType::Number: {
        double value = 0;
        std::from_chars(cell->value.data(), cell->value.data() + cell->value.size(), value);
        return formatNumber(value, d->book->styles->numberFormat(cell->style));
    }
    case CellType::Shared:
        return formatText(QString::fromStdString(d->book->strings.text(cell->shared)),
                          d->book->styles->numberFormat(cell->style));
    case CellType::Text:
    case CellType::FormulaText:
        return formatText(QString::fromStdString(cell->value), d->book->styles->numberFormat(cell->style));
    case CellType::Boolean:
        return cell->value == "1" || cell->value == "true" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case CellType::Error:
        return QString::fromStdString(cell->value);
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
    if (cell->type == CellType::Shared)
        return QString::fromStdString(d->book->strings.text(cell->shared));
    return QString::fromStdString(cell->value);
}

QString Worksheet::cellFormula(int row, int column) const {
    checkCell(row, column);
    const Cell* cell = d->find(row, column);
    if (!cell || cell->formula.empty())
        return {};
    return u'=' + QString::fromStdString(cell->formula);
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
    for (const auto& [number, row] : d->rows) {
        if (row.cells.empty())
            continue;
        if (used.firstRow == 0) {
            used.firstRow = number;
            used.firstColumn = row.cells.begin()->first;
        }
        used.lastRow = number;
        used.firstColumn = std::min(used.firstColumn, row.cells.begin()->first);
        used.lastColumn = std::max(used.lastColumn, row.cells.rbegin()->first);
    }
    return used;
}

int Worksheet::usedRowCount() const {
    RangePosition used = usedRange();
    return used.firstRow == 0 ? 0 : used.lastRow - used.firstRow + 1;
}

Range Worksheet::range(const QString& address) {
    return Range(*this, parseRange(address));
}

Range Worksheet::range(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    checkCell(firstRow, firstColumn);
    checkCell(lastRow, lastColumn);
    return Range(*this, {std::min(firstRow, lastRow), std::min(firstColumn, lastColumn),
                         std::max(firstRow, lastRow), std::max(firstColumn, lastColumn)});
}

void Worksheet::setColumnWidth(int column, double characters) {
    checkCell(1, column);
    if (!(characters >= 0 && characters <= 255))
        throw SpreadsheetError(QStringLiteral("Недопустимая ширина столбца %1").arg(characters));
    pugi::xml_node cols = xml::orderedChild(d->root, "cols", worksheetOrder);
    pugi::xml_node target;
    for (pugi::xml_node col : cols.children("col")) {
        int first = col.attribute("min").as_int(), last = col.attribute("max").as_int();
        if (column < first || column > last)
            continue;
        // Split a group of columns so that only this one changes.
        if (first < column) {
            pugi::xml_node before = cols.insert_copy_before(col, col);
            before.attribute("max").set_value(column - 1);
        }
        if (last > column) {
            pugi::xml_node after = cols.insert_copy_after(col, col);
            after.attribute("min").set_value(column + 1);
        }
        col.attribute("min").set_value(column);
        col.attribute("max").set_value(column);
        target = col;
        break;
    }
    if (!target) {
        pugi::xml_node next;
        for (pugi::xml_node col : cols.children("col"))
            if (col.attribute("min").as_int() > column) {
                next = col;
                break;
            }
        target = next ? cols.insert_child_before("col", next) : cols.append_child("col");
        target.append_attribute("min") = column;
        target.append_attribute("max") = column;
    }
    // Characters of the default font's digit (7 pixels) plus 5 pixels of padding, in 1/256 steps.
    double width = std::trunc((characters * 7 + 5) / 7 * 256) / 256;
    (target.attribute("width") ? target.attribute("width") : target.append_attribute("width"))
        .set_value(width);
    (target.attribute("customWidth") ? target.attribute("customWidth")
                                     : target.append_attribute("customWidth"))
        .set_value("1");
    d->readColumnStyles();
    touched();
}

void Worksheet::setColumnWidth(const QString& column, double characters) {
    setColumnWidth(columnNumber(column), characters);
}

double Worksheet::columnWidth(int column) const {
    for (pugi::xml_node col : d->root.child("cols").children("col"))
        if (column >= col.attribute("min").as_int() && column <= col.attribute("max").as_int())
            return col.attribute("width").as_double();
    return 0;
}

void Worksheet::setRowHeight(int row, double points) {
    checkCell(row, 1);
    if (!(points >= 0 && points <= 409))
        throw SpreadsheetError(QStringLiteral("Недопустимая высота строки %1").arg(points));
    Row& r = d->rows[row];
    setAttribute(r, "ht", numberText(points));
    setAttribute(r, "customHeight", "1");
    touched();
}

double Worksheet::rowHeight(int row) const {
    auto it = d->rows.find(row);
    if (it == d->rows.end())
        return 0;
    const std::string* height = attributeOf(it->second, "ht");
    return height ? std::atof(height->c_str()) : 0;
}

void Worksheet::addPageBreakBefore(int row) {
    checkCell(row, 1);
    if (row == 1)
        return; // nothing lies above the first row
    pugi::xml_node breaks = xml::orderedChild(d->root, "rowBreaks", worksheetOrder);
    pugi::xml_node next;
    for (pugi::xml_node brk : breaks.children("brk")) {
        int id = brk.attribute("id").as_int();
        if (id == row - 1)
            return;
        if (id > row - 1) {
            next = brk;
            break;
        }
    }
    pugi::xml_node brk = next ? breaks.insert_child_before("brk", next) : breaks.append_child("brk");
    brk.append_attribute("id") = row - 1;
    brk.append_attribute("max") = MaxColumns - 1;
    brk.append_attribute("man") = 1;
    int count = 0;
    for (pugi::xml_node b : breaks.children("brk"))
        count += b ? 1 : 0;
    for (const char* a : {"count", "manualBreakCount"})
        (breaks.attribute(a) ? breaks.attribute(a) : breaks.append_attribute(a)).set_value(count);
    touched();
}

QList<int> Worksheet::pageBreaks() const {
    QList<int> rows;
    for (pugi::xml_node brk : d->root.child("rowBreaks").children("brk"))
        rows << brk.attribute("id").as_int() + 1;
    return rows;
}

QStringList Worksheet::mergedRanges() const {
    QStringList ranges;
    for (pugi::xml_node m : d->root.child("mergeCells").children("mergeCell"))
        ranges << QString::fromUtf8(m.attribute("ref").value());
    return ranges;
}

namespace {

int rowAfterInsert(int row, int beforeRow, int count) {
    return row >= beforeRow ? std::min(MaxRows, row + count) : row;
}

// "B9:H9", or space-separated ranges as sqref holds them, moved by an insertion; a text that is not a
// range of cells (whole columns "A:A") stays as written.
std::string rangesAfterInsert(const char* text, int beforeRow, int count) {
    QStringList out;
    for (const QString& part : QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts)) {
        try {
            RangePosition range = parseRange(part);
            range.firstRow = rowAfterInsert(range.firstRow, beforeRow, count);
            range.lastRow = rowAfterInsert(range.lastRow, beforeRow, count);
            out << rangeName(range);
        } catch (const SpreadsheetError&) {
            out << part;
        }
    }
    return out.join(u' ').toStdString();
}

void moveRangeAttribute(pugi::xml_node node, const char* name, int beforeRow, int count) {
    if (pugi::xml_attribute a = node.attribute(name))
        a.set_value(rangesAfterInsert(a.value(), beforeRow, count).c_str());
}

void moveFormulaText(pugi::xml_node node, const QString& formulaSheet, const QString& insertedSheet,
                     int beforeRow, int count) {
    if (node && *node.text().get())
        node.text().set(
            formulaAfterRowInsert(node.text().get(), formulaSheet, insertedSheet, beforeRow, count).c_str());
}

} // namespace

void Worksheet::followRowInsert(const QString& insertedSheet, int beforeRow, int count) {
    const bool own = this->name().compare(insertedSheet, Qt::CaseInsensitive) == 0;
    for (auto& [number, row] : d->rows)
        for (auto& [column, cell] : row.cells) {
            if (cell.formula.empty())
                continue;
            cell.formula = formulaAfterRowInsert(cell.formula, d->name, insertedSheet, beforeRow, count);
            // An array formula's ref names the cells it fills on this sheet.
            size_t at = cell.formulaAttributes.find(" ref=\"");
            if (own && at != std::string::npos) {
                size_t start = at + 6, end = cell.formulaAttributes.find('"', start);
                std::string ref = cell.formulaAttributes.substr(start, end - start);
                cell.formulaAttributes.replace(start, end - start,
                                               rangesAfterInsert(ref.c_str(), beforeRow, count));
            }
        }
    for (pugi::xml_node format : d->root.children("conditionalFormatting"))
        for (pugi::xml_node rule : format.children("cfRule"))
            for (pugi::xml_node f : rule.children("formula"))
                moveFormulaText(f, d->name, insertedSheet, beforeRow, count);
    for (pugi::xml_node validation : d->root.child("dataValidations").children("dataValidation"))
        for (const char* f : {"formula1", "formula2"})
            moveFormulaText(validation.child(f), d->name, insertedSheet, beforeRow, count);
}

void Worksheet::insertRows(int beforeRow, int count, InsertedRows format) {
    checkCell(beforeRow, 1);
    if (count < 0)
        throw SpreadsheetError(QStringLiteral("Нельзя вставить %1 строк").arg(count));
    if (format == InsertedRows::LikeRowAbove && beforeRow == 1)
        throw SpreadsheetError(QStringLiteral("Над первой строкой нет строки, формат которой можно взять"));
    if (count == 0)
        return;
    int lastRow = d->rows.empty() ? 0 : d->rows.rbegin()->first;
    pugi::xml_node merges = d->root.child("mergeCells");
    d->mergeIndexValid = false; // the merged ranges move
    for (pugi::xml_node m : merges.children("mergeCell"))
        lastRow = std::max(lastRow, parseRange(QString::fromUtf8(m.attribute("ref").value())).lastRow);
    if (lastRow >= beforeRow && lastRow > MaxRows - count)
        throw SpreadsheetError(
            QStringLiteral("Нельзя вставить %1 строк: строки листа вышли бы за его последнюю строку")
                .arg(count));

    // Formulas first, while every sheet is still as the formulas were written for.
    for (const auto& sheet : d->book->sheets)
        sheet->followRowInsert(d->name, beforeRow, count);
    for (pugi::xml_node name :
         d->book->workbook.child("workbook").child("definedNames").children("definedName"))
        moveFormulaText(name, QString(), d->name, beforeRow, count);

    std::vector<std::pair<int, Row>> moved;
    for (auto it = d->rows.lower_bound(beforeRow); it != d->rows.end(); it = d->rows.erase(it))
        moved.emplace_back(it->first + count, std::move(it->second));
    for (auto& [number, row] : moved)
        d->rows.emplace(number, std::move(row));

    for (pugi::xml_node m : merges.children("mergeCell"))
        moveRangeAttribute(m, "ref", beforeRow, count);
    for (pugi::xml_node brk : d->root.child("rowBreaks").children("brk")) {
        // A break lies below the row `id`, above row id + 1.
        int id = brk.attribute("id").as_int();
        if (id + 1 >= beforeRow)
            brk.attribute("id").set_value(std::min(MaxRows - 1, id + count));
    }
    for (pugi::xml_node f : d->root.children("conditionalFormatting"))
        moveRangeAttribute(f, "sqref", beforeRow, count);
    for (pugi::xml_node v : d->root.child("dataValidations").children("dataValidation"))
        moveRangeAttribute(v, "sqref", beforeRow, count);
    for (pugi::xml_node link : d->root.child("hyperlinks").children("hyperlink"))
        moveRangeAttribute(link, "ref", beforeRow, count);
    moveRangeAttribute(d->root.child("autoFilter"), "ref", beforeRow, count);

    if (format == InsertedRows::LikeRowAbove) {
        const int above = beforeRow - 1;
        if (auto it = d->rows.find(above); it != d->rows.end()) {
            const Row source = it->second;
            for (int r = beforeRow; r < beforeRow + count; ++r) {
                Row& row = d->rows[r];
                row.attributes = source.attributes;
                for (const auto& [column, cell] : source.cells)
                    row.cells[column].style = cell.style;
            }
        }
        std::vector<RangePosition> lineMerges;
        for (pugi::xml_node m : merges.children("mergeCell")) {
            RangePosition range = parseRange(QString::fromUtf8(m.attribute("ref").value()));
            if (range.firstRow == above && range.lastRow == above)
                lineMerges.push_back(range);
        }
        for (int r = beforeRow; r < beforeRow + count; ++r)
            for (RangePosition range : lineMerges) {
                range.firstRow = range.lastRow = r;
                merges.append_child("mergeCell").append_attribute("ref") =
                    rangeName(range).toUtf8().constData();
            }
        if (!lineMerges.empty()) {
            int total = 0;
            for (pugi::xml_node m : merges.children("mergeCell"))
                total += m ? 1 : 0;
            merges.attribute("count").set_value(total);
        }
    }
    touched();
}

void Worksheet::setLandscape() {
    pugi::xml_node setup = d->pageSetup();
    (setup.attribute("orientation") ? setup.attribute("orientation") : setup.append_attribute("orientation"))
        .set_value("landscape");
    touched();
}

bool Worksheet::isLandscape() const {
    return std::strcmp(d->root.child("pageSetup").attribute("orientation").value(), "landscape") == 0;
}

void Worksheet::setFitToPageWidth() {
    pugi::xml_node sheetPr = xml::orderedChild(d->root, "sheetPr", worksheetOrder);
    pugi::xml_node pageSetUpPr = xml::orderedChild(sheetPr, "pageSetUpPr", sheetPrOrder);
    (pageSetUpPr.attribute("fitToPage") ? pageSetUpPr.attribute("fitToPage")
                                        : pageSetUpPr.append_attribute("fitToPage"))
        .set_value("1");
    pugi::xml_node setup = d->pageSetup();
    for (auto [name, value] : {std::pair{"fitToWidth", "1"}, {"fitToHeight", "0"}})
        (setup.attribute(name) ? setup.attribute(name) : setup.append_attribute(name)).set_value(value);
    touched();
}

bool Worksheet::fitsToPageWidth() const {
    return d->root.child("sheetPr").child("pageSetUpPr").attribute("fitToPage").as_bool() &&
           d->root.child("pageSetup").attribute("fitToWidth").as_int(1) == 1;
}

void Worksheet::restyle(const RangePosition& range, const std::function<uint32_t(uint32_t)>& derive) {
    std::unordered_map<uint32_t, uint32_t> derived;
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            Cell& cell = d->touch(row, column);
            auto it = derived.find(cell.style);
            if (it == derived.end())
                it = derived.emplace(cell.style, derive(cell.style)).first;
            cell.style = it->second;
        }
    touched();
}

void Worksheet::merge(const RangePosition& range) {
    pugi::xml_node merges = xml::orderedChild(d->root, "mergeCells", worksheetOrder);
    if (!d->mergeIndexValid)
        d->indexMerges(merges);
    auto& index = d->mergeIndex;
    for (auto it = index.lower_bound(range.firstRow - d->tallestMerge);
         it != index.end() && it->first <= range.lastRow;) {
        if (overlaps(it->second.first, range)) {
            merges.remove_child(it->second.second);
            it = index.erase(it);
        } else {
            ++it;
        }
    }
    if (range.firstRow != range.lastRow || range.firstColumn != range.lastColumn) {
        pugi::xml_node m = merges.append_child("mergeCell");
        m.append_attribute("ref") = rangeName(range).toUtf8().constData();
        index.emplace(range.firstRow, std::pair{range, m});
        d->tallestMerge = std::max(d->tallestMerge, range.lastRow - range.firstRow);
    }
    const int count = static_cast<int>(index.size());
    if (count == 0) {
        d->root.remove_child(merges);
        d->mergeIndexValid = false;
    } else {
        (merges.attribute("count") ? merges.attribute("count") : merges.append_attribute("count"))
            .set_value(count);
    }
    // The merged cell shows the top-left value only; the others are cleared as a spreadsheet does.
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column)
            if (row != range.firstRow || column != range.firstColumn)
                if (Cell* cell = d->find(row, column)) {
                    cell->type = CellType::Empty;
                    cell->value.clear();
                    cell->formula.clear();
                    cell->formulaAttributes.clear();
                }
    touched();
}

std::string Worksheet::toXml(bool dropCachedValues, size_t& stringReferences) {
    RangePosition used = usedRange();
    pugi::xml_node dimension = xml::orderedChild(d->root, "dimension", worksheetOrder);
    std::string ref = used.firstRow == 0 ? std::string("A1") : rangeName(used).toStdString();
    (dimension.attribute("ref") ? dimension.attribute("ref") : dimension.append_attribute("ref"))
        .set_value(ref.c_str());

    std::string cells;
    cells.reserve(d->rows.size() * 64);
    for (auto& [number, row] : d->rows) {
        if (row.cells.empty() && row.attributes.empty())
            continue;
        cells += "<row r=\"";
        appendNumber(cells, number);
        cells += '"';
        for (const auto& [key, value] : row.attributes) {
            cells += ' ';
            cells += key;
            cells += "=\"";
            xml::appendEscaped(cells, value);
            cells += '"';
        }
        if (row.cells.empty()) {
            cells += "/>";
            continue;
        }
        cells += '>';
        for (auto& [column, cell] : row.cells) {
            cells += "<c r=\"";
            appendColumnLetters(cells, column);
            appendNumber(cells, number);
            cells += '"';
            if (cell.style != 0) {
                cells += " s=\"";
                appendNumber(cells, cell.style);
                cells += '"';
            }
            bool hasFormula = !cell.formula.empty();
            CellType type = hasFormula && dropCachedValues ? CellType::Empty : cell.type;
            int32_t sharedIndex = -1;
            switch (type) {
            case CellType::Shared:
                sharedIndex = cell.shared;
                break;
            case CellType::Text:
                sharedIndex = d->book->strings.indexOf(cell.value);
                break;
            default:
                break;
            }
            const char* t = sharedIndex >= 0                ? " t=\"s\""
                            : type == CellType::Boolean     ? " t=\"b\""
                            : type == CellType::Error       ? " t=\"e\""
                            : type == CellType::FormulaText ? " t=\"str\""
                                                            : "";
            cells += t;
            if (type == CellType::Empty && !hasFormula) {
                cells += "/>";
                continue;
            }
            cells += '>';
            if (hasFormula) {
                cells += "<f";
                cells += cell.formulaAttributes;
                cells += '>';
                xml::appendEscaped(cells, cell.formula);
                cells += "</f>";
            }
            if (sharedIndex >= 0) {
                ++stringReferences;
                cells += "<v>";
                appendNumber(cells, sharedIndex);
                cells += "</v>";
            } else if (type != CellType::Empty) {
                cells += "<v>";
                xml::appendEscaped(cells, cell.value);
                cells += "</v>";
            }
            cells += "</c>";
        }
        cells += "</row>";
    }
    std::string text = xml::serialize(d->document);
    std::string mark = std::string("<!--") + sheetDataMark + "-->";
    size_t at = text.find(mark);
    text.replace(at, mark.size(), cells);
    return text;
}

} // namespace zorvel
