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
#include <deque>
#include <memory>
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

// What a cell holds. Texts live in the workbook's shared string table and a cell keeps their index;
// formulas live in the sheet's formula list; the rare raw values (errors, booleans as written, numbers
// that do not read as numbers) in its raw text list.
enum class CellType : uint8_t { Empty, Number, Shared, Boolean, Error, RawNumber, Formula };

// One cell in 16 bytes: a sheet of millions of cells must fit in memory many times over.
struct Cell {
    union {
        double number;
        uint32_t index; // of the shared string, formula or raw text
    };
    uint32_t style = 0;
    uint16_t column = 0;
    CellType type = CellType::Empty;

    Cell() : number(0) {}
};
static_assert(sizeof(Cell) == 16);

const uint32_t noDetail = UINT32_MAX;

// What a formula read from a file carries beside its text: the attributes of an array or other special
// formula, and the value last computed.
struct FormulaDetail {
    std::string attributes; // as written, each with its leading blank
    char cachedKind = 0;    // 0 none, 'n' number, 's' shared string, 'b' boolean, 'e' error, 't' text
    std::string cachedValue;
};

struct Formula {
    std::string text; // without "="
    uint32_t detail = noDetail;
};

struct Row {
    std::vector<Cell> cells;                                     // ascending by column
    std::vector<std::pair<std::string, std::string>> attributes; // all but r and spans
};

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

void appendNumber(std::string& out, long long n) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    out.append(buffer, result.ptr);
}

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

bool readDouble(std::string_view text, double& value) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(value);
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
    // Row n at index n - 1; rows beyond the last one written are absent.
    std::vector<Row> rows;
    std::deque<Formula> formulas; // a deque grows without copying what it holds
    std::vector<FormulaDetail> formulaDetails;
    std::vector<std::string> rawTexts;
    // The default styles of columns (<col style>), as (first, last, style).
    std::vector<std::tuple<int, int, uint32_t>> columnStyles;
    // Whether a cell format shows its number as text ("@"): 1 yes, 0 no, -1 not looked up yet.
    std::vector<int8_t> textFormats;
    // A new row reserves room for as many cells as the row written before it held.
    int lastTouchedRow = 0;
    size_t rowWidthHint = 1;
    std::string utf8; // reused for interning texts

    // The merged ranges by first row, so that merging finds the ranges a new one overlaps without
    // reading every <mergeCell> (documents merge thousands of ranges); rebuilt from the XML when
    // something else changed them.
    std::multimap<int, std::pair<RangePosition, pugi::xml_node>> mergeIndex;
    int tallestMerge = 0;
    bool mergeIndexValid = false;
    void indexMerges(pugi::xml_node merges);

    Cell* find(int row, int column);
    const Row* findRow(int row) const;
    Row& rowAt(int row);
    Cell& touch(int row, int column);
    void readColumnStyles();
    void load(pugi::xml_node sheetData);
    pugi::xml_node pageSetup();
    bool isTextFormat(uint32_t style);
    uint32_t intern(const QString& text);
    // Makes the cell a formula cell (reusing its slot) and returns the formula.
    Formula& formulaOf(Cell& cell);
    const FormulaDetail* detailOf(const Cell& cell) const;
    int lastRow() const;
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

const FormulaDetail* Worksheet::Data::detailOf(const Cell& cell) const {
    if (cell.type != CellType::Formula)
        return nullptr;
    uint32_t detail = formulas[cell.index].detail;
    return detail == noDetail ? nullptr : &formulaDetails[detail];
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
    if (xml.size() > (1u << 20)) {
        // The document still holds the memory of the cells it was read with: keep a fresh copy.
        std::string rest = xml::serialize(d->document);
        d->document.reset();
        xml::parse(d->document, rest, d->partName);
        d->root = d->document.child("worksheet");
    }
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
    // Formulas no cell holds any more follow too: cheaper than finding out which ones are held.
    for (Formula& formula : d->formulas) {
        if (formula.text.empty())
            continue;
        formula.text = formulaAfterRowInsert(formula.text, d->name, insertedSheet, beforeRow, count);
        // An array formula's ref names the cells it fills on this sheet.
        if (formula.detail == noDetail)
            continue;
        std::string& attributes = d->formulaDetails[formula.detail].attributes;
        size_t at = attributes.find(" ref=\"");
        if (own && at != std::string::npos) {
            size_t start = at + 6, end = attributes.find('"', start);
            std::string ref = attributes.substr(start, end - start);
            attributes.replace(start, end - start, rangesAfterInsert(ref.c_str(), beforeRow, count));
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
    int lastRow = d->lastRow();
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

    if (size_t(beforeRow) <= d->rows.size()) {
        d->rows.insert(d->rows.begin() + (beforeRow - 1), size_t(count), Row());
        // Rows pushed past the sheet's end are empty: the check above saw to it.
        if (d->rows.size() > size_t(MaxRows))
            d->rows.resize(size_t(MaxRows));
    }
    d->lastTouchedRow = 0;

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
        if (const Row* found = d->findRow(above)) {
            const Row source = *found;
            for (int r = beforeRow; r < beforeRow + count; ++r) {
                Row& row = d->rowAt(r);
                row.attributes = source.attributes;
                row.cells.clear();
                for (const Cell& cell : source.cells) {
                    Cell blank;
                    blank.column = cell.column;
                    blank.style = cell.style;
                    row.cells.push_back(blank);
                }
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
    // Cells of a range mostly share a format: the last answer saves a look-up per cell.
    uint32_t lastFrom = 0, lastTo = 0;
    bool haveLast = false;
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            Cell& cell = d->touch(row, column);
            if (!haveLast || cell.style != lastFrom) {
                auto it = derived.find(cell.style);
                if (it == derived.end())
                    it = derived.emplace(cell.style, derive(cell.style)).first;
                lastFrom = cell.style;
                lastTo = it->second;
                haveLast = true;
            }
            cell.style = lastTo;
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
                    cell->number = 0;
                }
    touched();
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

std::function<bool(std::string&)> Worksheet::xmlWriter(bool dropCachedValues) {
    RangePosition used = usedRange();
    pugi::xml_node dimension = xml::orderedChild(d->root, "dimension", worksheetOrder);
    std::string ref = used.firstRow == 0 ? std::string("A1") : rangeName(used).toStdString();
    (dimension.attribute("ref") ? dimension.attribute("ref") : dimension.append_attribute("ref"))
        .set_value(ref.c_str());
    std::string text = xml::serialize(d->document);
    std::string mark = std::string("<!--") + sheetDataMark + "-->";
    size_t at = text.find(mark);
    struct State {
        std::string head, tail;
        size_t next = 0; // the row to write next
        bool started = false;
    };
    auto state = std::make_shared<State>();
    state->head = text.substr(0, at);
    state->tail = text.substr(at + mark.size());
    // One cell's element; its fixed parts go through a small buffer and reach `out` in one append.
    auto appendCell = [](std::string& out, const Cell& cell, const std::string& rowText, const Data& sheet,
                         bool dropCachedValues) {
        char buffer[160];
        char* p = buffer;
        auto put = [&p](const char* text, size_t n) {
            std::memcpy(p, text, n);
            p += n;
        };
        put("<c r=\"", 6);
        char letters[4];
        int n = 0;
        for (int column = cell.column; column > 0; column = (column - 1) / 26)
            letters[n++] = char('A' + (column - 1) % 26);
        while (n > 0)
            *p++ = letters[--n];
        put(rowText.data(), rowText.size());
        *p++ = '"';
        if (cell.style != 0) {
            put(" s=\"", 4);
            p = std::to_chars(p, buffer + sizeof buffer, cell.style).ptr;
            *p++ = '"';
        }
        const Formula* formula = cell.type == CellType::Formula ? &sheet.formulas[cell.index] : nullptr;
        const FormulaDetail* detail = sheet.detailOf(cell);
        // What the value part says: its type attribute and its text.
        char kind = 0;
        const std::string* rawValue = nullptr;
        switch (cell.type) {
        case CellType::Empty:
            break;
        case CellType::Number:
            kind = 'n';
            break;
        case CellType::Shared:
            kind = 's';
            break;
        case CellType::RawNumber:
            kind = 'n';
            rawValue = &sheet.rawTexts[cell.index];
            break;
        case CellType::Boolean:
            kind = 'b';
            rawValue = &sheet.rawTexts[cell.index];
            break;
        case CellType::Error:
            kind = 'e';
            rawValue = &sheet.rawTexts[cell.index];
            break;
        case CellType::Formula:
            if (!dropCachedValues && detail && detail->cachedKind) {
                kind = detail->cachedKind;
                rawValue = &detail->cachedValue;
            }
            break;
        }
        switch (kind) {
        case 's':
            put(" t=\"s\"", 6);
            break;
        case 'b':
            put(" t=\"b\"", 6);
            break;
        case 'e':
            put(" t=\"e\"", 6);
            break;
        case 't':
            put(" t=\"str\"", 8);
            break;
        default:
            break;
        }
        if (!kind && !formula) {
            put("/>", 2);
            out.append(buffer, size_t(p - buffer));
            return;
        }
        *p++ = '>';
        if (formula) {
            put("<f", 2);
            out.append(buffer, size_t(p - buffer));
            p = buffer;
            if (detail)
                out += detail->attributes;
            out += '>';
            xml::appendEscaped(out, formula->text);
            put("</f>", 4);
        }
        if (kind) {
            put("<v>", 3);
            if (rawValue) {
                out.append(buffer, size_t(p - buffer));
                p = buffer;
                xml::appendEscaped(out, *rawValue);
            } else if (cell.type == CellType::Number) {
                p = std::to_chars(p, buffer + sizeof buffer, cell.number).ptr;
            } else {
                p = std::to_chars(p, buffer + sizeof buffer, cell.index).ptr;
            }
            put("</v>", 4);
        }
        put("</c>", 4);
        out.append(buffer, size_t(p - buffer));
    };
    const Data* data = d.get();
    return [state, data, dropCachedValues, appendCell](std::string& out) {
        State& s = *state;
        if (!s.started) {
            out += s.head;
            s.started = true;
        }
        std::string rowText;
        // Pieces of about a megabyte: big enough to compress well, small enough not to matter.
        for (; s.next < data->rows.size() && out.size() < (1u << 20); ++s.next) {
            const Row& row = data->rows[s.next];
            if (row.cells.empty() && row.attributes.empty())
                continue;
            const int number = int(s.next + 1);
            rowText.clear();
            appendNumber(rowText, number);
            out += "<row r=\"";
            out += rowText;
            out += '"';
            for (const auto& [key, value] : row.attributes) {
                out += ' ';
                out += key;
                out += "=\"";
                xml::appendEscaped(out, value);
                out += '"';
            }
            if (row.cells.empty()) {
                out += "/>";
                continue;
            }
            out += '>';
            for (const Cell& cell : row.cells)
                appendCell(out, cell, rowText, *data, dropCachedValues);
            out += "</row>";
        }
        if (s.next < data->rows.size())
            return true;
        out += s.tail;
        return false;
    };
}

} // namespace zorvel
