#pragma once

#include "spreadsheet/cell_reference.h"
#include "spreadsheet/range.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zorvel {

struct WorkbookData;

// How a cell is formatted, as far as documents care: read back by checks of written documents.
struct CellStyle {
    bool bold = false;
    bool wrapText = false;
    QString horizontal;    // "left", "center", "right"...; empty for the default
    QString vertical;      // "top", "center", "bottom"; empty for the default
    bool bordered = false; // a line on all four sides
    double fontSize = 0;
    QString numberFormat;
};

// What rows added by Worksheet::insertRows look like.
enum class InsertedRows {
    Blank,
    // The height, the cell styles and the one-row merges (B:H, K:L) of the row above: a table's ruled
    // line goes on in the new rows.
    LikeRowAbove,
};

// One worksheet of a Workbook, owned by it. Rows and columns count from 1; a column is a number or its
// letters in any case ("k" and 11 are the same column). Out-of-sheet addresses throw SpreadsheetError.
class Worksheet {
public:
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    QString name() const;
    // The tab name: 1 to 31 characters, none of : \ / ? * [ ].
    void setName(const QString& name);

    // Writes a cell as typed: a text starting with "=" is a formula (completed and stored closed, see
    // formula.h), a numeric text ("12", "-3.5", "12,5") becomes a number, anything else stays text (line
    // feeds included). A number of more than 15 digits stays text, as the digits would be lost; so does
    // any text written into a cell formatted as text ("@").
    void setCell(int row, int column, const QString& text);
    void setCell(int row, const QString& column, const QString& text);
    void setNumber(int row, int column, double value);
    // Writes a text as it is, never as a formula or a number: for what people typed (names, service
    // names, passport data), so that a value beginning with "=" cannot become a formula.
    void setText(int row, int column, const QString& text);
    void setText(int row, const QString& column, const QString& text);
    void setText(int row, char column, const QString& text) = delete;
    // A char column ('a') would silently be taken as the number 97: write "a".
    void setCell(int row, char column, const QString& text) = delete;

    // The displayed text: numbers through the cell's number format, texts as written. A formula shows
    // its cached value when the file has one (a formula written here has none until a spreadsheet
    // program computes it).
    QString cellText(int row, int column) const;
    QString cellText(int row, const QString& column) const;
    QString cellText(int row, char column) const = delete;
    // The stored value without formatting: a number in its shortest form, or the text.
    QString cellValue(int row, int column) const;
    // "=SUM(K9:K11)", or empty when the cell holds no formula.
    QString cellFormula(int row, int column) const;
    CellStyle cellStyle(int row, int column) const;

    // The rows from the first to the last one holding a cell (a value or a formatted blank); 0 for an
    // empty sheet.
    int usedRowCount() const;
    // The range of all cells; all zeros for an empty sheet.
    RangePosition usedRange() const;

    Range range(const QString& address);
    Range range(int firstRow, int firstColumn, int lastRow, int lastColumn);

    // Width in characters of the default font's digits.
    void setColumnWidth(int column, double characters);
    void setColumnWidth(const QString& column, double characters);
    // The stored width (characters plus the cell padding); 0 for a column of default width.
    double columnWidth(int column) const;
    void setRowHeight(int row, double points);
    // 0 for a row of default height.
    double rowHeight(int row) const;
    // A manual page break above `row`.
    void addPageBreakBefore(int row);
    // The rows that start a page after a manual break, ascending.
    QList<int> pageBreaks() const;
    QStringList mergedRanges() const;
    // Inserts `count` rows above `beforeRow`. Everything from that row down moves down by `count`: cells,
    // row heights, merged ranges (one spanning the row grows), manual page breaks, the ranges of
    // conditional formats, validations, hyperlinks and the autofilter. Every formula of the workbook
    // (cells of all sheets, conditional formats, validations, defined names such as the print area) that
    // points at a moved cell of this sheet follows it; a range across the insertion grows, as in
    // formulaAfterRowInsert. Drawings, pictures, comments and tables (tableParts) stay where they are.
    // Throws SpreadsheetError for a row outside the sheet, a negative count, rows pushed past the
    // sheet's end, or LikeRowAbove above row 1.
    void insertRows(int beforeRow, int count, InsertedRows format = InsertedRows::Blank);
    void setLandscape();
    bool isLandscape() const;
    // Printed one page wide, as many pages tall as needed.
    void setFitToPageWidth();
    bool fitsToPageWidth() const;

private:
    friend class Workbook;
    friend class Range;
    struct Data;

    Worksheet(WorkbookData* book, std::string partName, const std::string& xml, const QString& name);
    // The part's XML piece by piece: each call appends the next piece and returns false after the last.
    // The writer reads the sheet as it is when called, which must not change until it is done.
    std::function<bool(std::string&)> xmlWriter(bool dropCachedValues);
    // The cells that point into the shared string table.
    size_t stringReferences(bool dropCachedValues) const;
    const std::string& partName() const;
    void restyle(const RangePosition& range, const std::function<uint32_t(uint32_t)>& derive);
    void merge(const RangePosition& range);
    void touched();
    // Formulas of this sheet follow an insertion of rows into `insertedSheet`.
    void followRowInsert(const QString& insertedSheet, int beforeRow, int count);
    WorkbookData* book() const;

    std::unique_ptr<Data> d;
};

} // namespace zorvel
