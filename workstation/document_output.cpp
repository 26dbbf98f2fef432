#include "workstation/document_output.h"

#include "data/errors.h"
#include "spreadsheet/spreadsheet_output.h"
#include "workstation/command.h"
#include "workstation/document_error.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QCoreApplication>

namespace zorvel {

bool produceDocument(Workstation& workstation, const QString& templateName,
                     const std::function<void(Workbook&)>& fill,
                     const std::function<void(Workbook&)>& handOver) {
    SpreadsheetOutput& out = workstation.spreadsheets();
    Messages& messages = workstation.messages();
    Workbook book;
    try {
        book = out.start(templateName);
    } catch (const std::exception&) {
        messages.error(QStringLiteral("Невозможно вывести в Excel "));
        return false;
    }
    try {
        fill(book);
    } catch (const DocumentError& e) {
        out.close(book);
        messages.show(e.text(), e.caption().isEmpty() ? QCoreApplication::applicationName() : e.caption());
        return false;
    } catch (const std::exception& e) {
        out.close(book);
        messages.show(errorMessage(e), QCoreApplication::applicationName());
        return false;
    }
    return runCommand(messages, [&] { handOver(book); });
}

} // namespace zorvel
