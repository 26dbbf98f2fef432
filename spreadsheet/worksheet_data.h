#pragma once

// The inside of a worksheet, shared by the files that implement it: the cells and their reading from the
// sheet's XML (worksheet_cells.cpp), the rest of the sheet's XML as read and written (worksheet_xml.cpp),
// ranges, merges and inserted rows (worksheet_ranges.cpp). Nothing outside the workbook engine includes
// it.

#include "spreadsheet/worksheet.h"

#include <pugixml.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace zorvel {

namespace sheetdata {

// The order of a worksheet's child elements, for inserting one where the format wants it.
extern const char* const worksheetOrder[];

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

inline bool readDouble(std::string_view text, double& value) {
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(value);
}

inline const std::string* attributeOf(const Row& row, const char* name) {
    for (const auto& [key, value] : row.attributes)
        if (key == name)
            return &value;
    return nullptr;
}

inline void setAttribute(Row& row, const char* name, const std::string& value) {
    for (auto& [key, existing] : row.attributes)
        if (key == name) {
            existing = value;
            return;
        }
    row.attributes.emplace_back(name, value);
}

} // namespace sheetdata

struct Worksheet::Data {
    using Cell = sheetdata::Cell;
    using Row = sheetdata::Row;
    using Formula = sheetdata::Formula;
    using FormulaDetail = sheetdata::FormulaDetail;

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

inline const sheetdata::FormulaDetail* Worksheet::Data::detailOf(const sheetdata::Cell& cell) const {
    if (cell.type != sheetdata::CellType::Formula)
        return nullptr;
    uint32_t detail = formulas[cell.index].detail;
    return detail == sheetdata::noDetail ? nullptr : &formulaDetails[detail];
}

} // namespace zorvel
