#include "tests/reports/report_support.h"

#include "spreadsheet/template_directory.h"

namespace zorvel::test {

Workbook reportTemplate(const QString& name) {
    return Workbook::fromTemplate(templatePath(name));
}

} // namespace zorvel::test
