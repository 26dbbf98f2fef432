#pragma once

#include "spreadsheet/spreadsheet_output.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace zorvel {

// Where workbooks go, settable without rebuilding.
struct OutputSettings {
    QString templateDirectory; // empty: templateDirectory()
    QString outputDirectory;   // shown workbooks
    QString openCommand;  // the program (and arguments) that opens a shown workbook; its path is appended
    QString printCommand; // prints a PDF; "{pdf}" stands for its path

    // ZORVEL_OUTPUT_DIR (default: the documents folder, subfolder "Зорвель"), ZORVEL_OPEN_COMMAND
    // (default xdg-open), ZORVEL_PRINT_COMMAND (default "lp {pdf}").
    static OutputSettings fromEnvironment();
};

// The production output: shows through the desktop's opener and prints through LibreOffice headless
// (workbook to PDF) and the print command.
class LibreOfficeOutput : public SpreadsheetOutput {
public:
    explicit LibreOfficeOutput(OutputSettings settings = OutputSettings::fromEnvironment(),
                               std::function<QDateTime()> clock = {});

    Workbook start(const QString& templateName) override;
    QString show(Workbook& workbook) override;
    void print(Workbook& workbook) override;
    QString saveAs(Workbook& workbook, const QString& path) override;

    const OutputSettings& settings() const { return settings_; }

private:
    OutputSettings settings_;
    std::function<QDateTime()> clock_;
};

} // namespace zorvel
