#pragma once

#include <QString>
#include <QStringList>

namespace zorvel {

// LibreOffice run headless as a converter: .xls and .ods to .xlsx for reading, a workbook to PDF for
// printing. Each run gets a private profile folder, so parallel runs and a user's open LibreOffice do
// not block each other.
class LibreOffice {
public:
    // The soffice program found on PATH; empty when LibreOffice is not installed.
    static QString program();
    // The command that shows a workbook in LibreOffice Calc's own window ("localc", or "libreoffice
    // --calc"); the workbook's path goes after it. Empty when LibreOffice is missing or is the variant
    // without a window (libreoffice-calc-nogui), which could not show anything.
    static QStringList windowedCalc();
    // Converts `input` into `outputDir` ("pdf", "xlsx", "csv:Text - txt - csv (StarCalc):44,34,76" ...)
    // and returns the file written. Throws SpreadsheetError naming what failed; the result is checked on
    // disk, not only by the exit code.
    static QString convert(const QString& input, const QString& format, const QString& outputDir);
};

} // namespace zorvel
