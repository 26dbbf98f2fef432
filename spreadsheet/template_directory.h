#pragma once

#include <QString>

// Where the program's files are looked up: the templates and the user's help.
//
// An installed program (a Debian package: /usr/bin/zorvel) keeps them in its data folder
// (/usr/share/zorvel), found relative to the executable, so a staged or relocated installation finds its
// own; the build folder keeps them beside the executable. ZORVEL_DATA_DIR names another folder (tests,
// a hospital's own templates).

namespace zorvel {

// The folder holding the running executable.
QString programDirectory();
// ZORVEL_DATA_DIR when set, else the installed data folder when there is one, else the program's directory;
// or the folder set by setTemplateDirectory.
QString templateDirectory();
// Tests point the lookup at their own folder; an empty path restores the program's directory.
void setTemplateDirectory(const QString& directory);
// The .xlsx file for a template name as callers give it: "zub.xls" and "zub" find "zub.xlsx".
// Throws SpreadsheetError "Не найден шаблон ..." when there is none.
QString templatePath(const QString& templateName, const QString& directory = templateDirectory());

} // namespace zorvel
