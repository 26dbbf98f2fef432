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

// While it lives, LibreOffice started by the tests formats numbers and dates in the en-US way whatever the
// desktop's locale (a Russian desktop shows "480,50"), so the displayed texts the tests compare hold.
class LibreOfficeLocale {
public:
    LibreOfficeLocale();
    ~LibreOfficeLocale();
    LibreOfficeLocale(const LibreOfficeLocale&) = delete;
    LibreOfficeLocale& operator=(const LibreOfficeLocale&) = delete;

private:
    QByteArray previous_;
    bool wasSet_;
};

// Golden cells: a text starting with "=" is the cell's formula, anything else its displayed text
// (numbers through their format).
struct Expected {
    int sheet;
    const char* cell;
    const char* text;
};
void expectDisplayedCells(const Workbook& book, std::initializer_list<Expected> table);

} // namespace zorvel::test
