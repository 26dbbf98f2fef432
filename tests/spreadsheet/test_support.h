#pragma once

#include "spreadsheet/workbook.h"
#include "tests/support/golden_cells.h"
#include "tests/support/libre_office_sheet.h"

#include <QString>

#include <string>

// Fixtures of the spreadsheet tests: the sample template built from sample.tpl and a part of a saved
// package. Golden cells and LibreOffice's reading come from tests/support.

namespace zorvel::test {

// The folder of the test sources (sample.tpl).
QString sourceDir();
// sample.tpl built and saved as `<dir>/sample.xlsx`; returns the path.
QString writeSampleTemplate(const QString& dir);
// One part of a saved workbook, as text.
std::string packagePart(const QString& path, const std::string& part);

} // namespace zorvel::test
