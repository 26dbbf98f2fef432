#pragma once

#include "spreadsheet/worksheet.h"

#include <QString>

#include <memory>

namespace zorvel {

struct WorkbookData;
class Package;

// An .xlsx workbook held in memory and changed cell by cell. Whatever the engine does not touch
// (styles, column widths, merged cells, print setup, drawings, other sheets) is written back as it was
// read. Formulas written here carry no cached value and the saved workbook asks for a full recalculation,
// so a spreadsheet program computes them on opening.
//
//     Workbook book = Workbook::fromTemplate(dir + "/zub.xlsx");
//     Worksheet& sheet = book.sheet(1);
//     sheet.setCell(9, "a", "Имя");
//     sheet.setCell(12, 11, "=sum(k9:k11");        // stored as SUM(K9:K11)
//     sheet.range("A9:K12").setBorders();
//     book.saveAs(path);
//
// Every failure (missing or damaged file, bad sheet number, bad address or formula, unwritable folder)
// throws SpreadsheetError with a message fit to show.
class Workbook {
public:
    // A null workbook without sheets (what `close` leaves).
    Workbook();
    ~Workbook();
    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;

    // A new workbook of one empty sheet "Лист1", made in code.
    static Workbook blank();
    // A user's workbook: .xlsx read directly; .xls and .ods converted by LibreOffice when installed.
    static Workbook open(const QString& path);
    // A new workbook with the template's contents; it has no file of its own until saved.
    static Workbook fromTemplate(const QString& path);

    bool isNull() const { return d == nullptr; }
    int sheetCount() const;
    // Sheets count from 1, in tab order.
    Worksheet& sheet(int number);
    const Worksheet& sheet(int number) const;
    Worksheet& addSheet(const QString& name);
    // Writes an .xlsx file; the file appears whole or not at all.
    void saveAs(const QString& path);
    // Writes the workbook into `path` as saveAs does, leaving path() as it was.
    void saveCopy(const QString& path);

    // The template's or the file's name without folder and extension ("zub"); "Книга" for a blank one.
    QString name() const;
    // The file the workbook was opened from or last saved to; empty for a new one.
    QString path() const;
    bool isModified() const;

private:
    static Workbook load(Package package, const QString& name);
    std::unique_ptr<WorkbookData> d;
};

} // namespace zorvel
