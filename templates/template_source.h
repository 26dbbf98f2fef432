#pragma once

#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook.h"

#include <QString>

// The templates are kept as declarative sources (templates/source/<name>.tpl, UTF-8), one command a line:
//
//     # a comment; blank lines are ignored; fields are separated by blanks
//     sheet <name>                     a new worksheet with that tab name (the first command)
//     width <column letters> <chars>   column width in characters ("width A 6", also "width B:D 12")
//     height <row> <points>            row height
//     cell <A1 address> <text>         the rest of the line; "\n" is a line feed; "=" starts a formula
//     bold|merge|wrap|border <range>   a range "A1:K1" or a single cell
//     align <range> left|center|right  center also centres vertically
//     size <range> <points>            font size
//     format <range> <number format>   the rest of the line, e.g. #,##0.00
//     landscape                        landscape pages for the current sheet
//     fitwidth                         printed one page wide
//
// make_templates turns every source into templates/<name>.xlsx with the workbook engine.

namespace zorvel {

// A bad source line: the message names the file and the line.
class TemplateSourceError : public SpreadsheetError {
public:
    TemplateSourceError(const QString& fileName, int line, const QString& message);
    int line() const { return line_; }

private:
    int line_;
};

// The workbook a source text describes; `fileName` names it in error messages.
Workbook buildTemplate(const QString& sourceText, const QString& fileName);
// Reads a .tpl file and writes the .xlsx.
void makeTemplate(const QString& sourcePath, const QString& outputPath);

} // namespace zorvel
