#pragma once

#include "spreadsheet/workbook.h"
#include "tests/support/golden_cells.h"
#include "tests/support/libre_office_sheet.h"

#include <QString>

namespace zorvel::test {

// A fresh workbook from a template beside the test executable ("kassa.xls").
Workbook reportTemplate(const QString& name);

} // namespace zorvel::test
