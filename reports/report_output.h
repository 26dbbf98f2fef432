#pragma once

#include <QString>

#include <functional>

namespace zorvel {

class Workbook;
class Workstation;

// The frame every report shares: start the template, fill it, hand it to the user. A template or
// spreadsheet that cannot be started shows "Невозможно вывести в Excel "; an error while filling (a
// server error met while the rows are read shows the server's own text) abandons the workbook, so no
// half-filled report is ever shown as if complete. Returns the file shown, or an empty text when the
// report was abandoned.
QString produceReport(Workstation& workstation, const QString& templateName,
                      const std::function<void(Workbook&)>& fill);

} // namespace zorvel
