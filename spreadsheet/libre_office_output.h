#pragma once

#include "spreadsheet/print_queue.h"
#include "spreadsheet/spreadsheet_output.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

namespace zorvel {

// Where workbooks go, settable without rebuilding.
struct OutputSettings {
    QString templateDirectory; // empty: templateDirectory()
    QString outputDirectory;   // shown workbooks
    QString openCommand;  // the program (and arguments) that opens a shown workbook; its path is appended
    QString printCommand; // prints a PDF; "{pdf}" stands for its path
    QString python;       // the interpreter with LibreOffice's uno module; empty: the system's python3

    // ZORVEL_OUTPUT_DIR (default: the documents folder, subfolder "Зорвель"), ZORVEL_OPEN_COMMAND
    // (default xdg-open), ZORVEL_PRINT_COMMAND (default "lp {pdf}").
    static OutputSettings fromEnvironment();
};

// The production output: shows through the desktop's opener (LibreOffice Calc's own window when the opener
// is not installed) and prints through LibreOffice headless (workbook to PDF) and the print command.
//
// Printing does not hold up the caller: print() takes a copy of the workbook and queues it; one
// LibreOffice, started once in the background (warmUp()) and kept for the run, turns the copies into
// PDFs one after another on a print thread, and the print command gets them in the order they were
// queued. A failed job is reported with its reason through the print reports, on the caller's thread;
// finishPrinting() (and the destructor) waits for every queued job, so none is dropped at the end of a run.
class LibreOfficeOutput : public SpreadsheetOutput {
public:
    explicit LibreOfficeOutput(OutputSettings settings = OutputSettings::fromEnvironment(),
                               std::function<QDateTime()> clock = {});
    ~LibreOfficeOutput() override;

    Workbook start(const QString& templateName) override;
    QString show(Workbook& workbook) override;
    // Queues the workbook for printing. Throws SpreadsheetError at once when printing is impossible here
    // (no LibreOffice, no print command); what fails later is reported through the print reports.
    void print(Workbook& workbook) override;
    QString saveAs(Workbook& workbook, const QString& path) override;

    const OutputSettings& settings() const { return settings_; }

    // Starts the printing LibreOffice in the background (nothing when LibreOffice is not installed).
    void warmUp();
    void setPrintReports(PrintReports reports);
    int printsPending() const;
    // Waits until every queued print job is done; with `showFailures` false the failures of those jobs
    // are not delivered (the run is ending without a display).
    void finishPrinting(bool showFailures = true);
    PrintQueue& printQueue();

private:
    OutputSettings settings_;
    std::function<QDateTime()> clock_;
    PrintReports reports_;
    std::unique_ptr<PrintQueue> printQueue_;
};

} // namespace zorvel
