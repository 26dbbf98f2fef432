#pragma once

#include <QString>

// Where templates are looked up: beside the executable, where the build copies them.

namespace zorvel {

// The program's own directory, or the one set by setTemplateDirectory.
QString templateDirectory();
// Tests point the lookup at their own folder; an empty path restores the program's directory.
void setTemplateDirectory(const QString& directory);
// The .xlsx file for a template name as callers give it: "zub.xls" and "zub" find "zub.xlsx".
// Throws SpreadsheetError "Не найден шаблон ..." when there is none.
QString templatePath(const QString& templateName, const QString& directory = templateDirectory());

} // namespace zorvel
