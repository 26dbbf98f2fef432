#include "reports/report_output.h"

#include "spreadsheet/spreadsheet_output.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

namespace zorvel {

QString produceReport(Workstation& workstation, const QString& templateName,
                      const std::function<void(Workbook&)>& fill) {
    SpreadsheetOutput& out = workstation.spreadsheets();
    Messages& messages = workstation.messages();
    Workbook book;
    try {
        book = out.start(templateName);
    } catch (const std::exception&) {
        messages.error(QStringLiteral("Невозможно вывести в Excel "));
        return {};
    }
    if (!runCommand(messages, [&] { fill(book); })) {
        out.close(book);
        return {};
    }
    QString shown;
    runCommand(messages, [&] { shown = out.show(book); });
    return shown;
}

} // namespace zorvel
