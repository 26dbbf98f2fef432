#pragma once

#include "spreadsheet/workbook.h"

#include <QString>

namespace zorvel {

// Where documents and reports go once written: the workstation holds one and hands it to every
// builder. LibreOfficeOutput is the production one, RecordingOutput the test double.
//
//     Workbook book;
//     try {
//         book = output.start("zub.xls");
//     } catch (const SpreadsheetError&) {
//         messages.show("Невозможно вывести в Excel ", "Ошибка");   // the caller's part
//         return;
//     }
//     ... fill book.sheet(1) ...
//     output.show(book);
//
// Every failure throws SpreadsheetError with a message fit to show.
class SpreadsheetOutput {
public:
    virtual ~SpreadsheetOutput() = default;

    // A fresh workbook from a template of the program's directory ("zub.xls" finds zub.xlsx); an empty
    // name gives a blank workbook.
    virtual Workbook start(const QString& templateName) = 0;
    // The user takes the workbook over: it is saved into the output folder under the template's name
    // with the date and time, and opened. Returns the file written.
    virtual QString show(Workbook& workbook) = 0;
    // Printed on the default printer. The production output takes a copy and prints it in the background
    // (the caller may close the workbook at once); what fails after the call is reported to its owner.
    virtual void print(Workbook& workbook) = 0;
    // Saved where the caller says (.xlsx; .xls and .ods through LibreOffice). Returns the file written.
    virtual QString saveAs(Workbook& workbook, const QString& path) = 0;
    // The workbook is released; nothing is saved.
    virtual void close(Workbook& workbook) { workbook = Workbook(); }

    // In-process there are no events to fire, no questions to silence and no application to end; the
    // calls stay so that builders read as the documents' procedures do.
    void eventsOff() {}
    void alertsOff() {}
    void quit() {}
};

} // namespace zorvel
