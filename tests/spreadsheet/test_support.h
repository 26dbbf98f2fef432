#pragma once

#include "spreadsheet/workbook.h"

#include <QString>
#include <QTemporaryDir>
#include <initializer_list>

#include <string>

// Fixtures of the spreadsheet tests: the sample template built from sample.tpl, a part of a saved
// package, LibreOffice conversions with their own profile.

namespace zorvel::test {

// The folder of the test sources (sample.tpl).
QString sourceDir();
// sample.tpl built and saved as `<dir>/sample.xlsx`; returns the path.
QString writeSampleTemplate(const QString& dir);
// One part of a saved workbook, as text.
std::string packagePart(const QString& path, const std::string& part);
// Lines of a CSV LibreOffice made from the first sheet of `xlsx`, split into fields.
QList<QStringList> csvOf(const QString& xlsx, const QString& outputDir);
bool haveLibreOffice();

// One golden expectation: a text starting with "=" is the cell's formula, anything else its displayed text.
struct Expected {
    int sheet;
    const char* cell;
    const char* text;
};
void expectCells(const Workbook& book, std::initializer_list<Expected> table);

} // namespace zorvel::test
