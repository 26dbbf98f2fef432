// The worksheet's XML: the sheet's part parsed (its cells handed to the cell store), the cells written
// back in pieces, and what lives in the XML alone (column widths, page setup, page breaks).

#include "spreadsheet/formula.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook_data.h"
#include "spreadsheet/worksheet_data.h"
#include "spreadsheet/xml_text.h"

#include <cstring>
#include <memory>

namespace zorvel {

namespace sheetdata {

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
} // namespace sheetdata

using namespace sheetdata;

namespace {

const char* const sheetPrOrder[] = {"tabColor", "outlinePr", "pageSetUpPr", nullptr};

const char* const sheetDataMark = "zorvel-sheet-data";

void appendNumber(std::string& out, long long n) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    out.append(buffer, result.ptr);
}

} // namespace

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

void Worksheet::Data::readColumnStyles() {
    columnStyles.clear();
    for (pugi::xml_node col : root.child("cols").children("col"))
        if (pugi::xml_attribute style = col.attribute("style"))
            columnStyles.emplace_back(col.attribute("min").as_int(), col.attribute("max").as_int(),
                                      style.as_uint());
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
