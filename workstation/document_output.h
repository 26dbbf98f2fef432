#pragma once

#include <QString>

#include <functional>

namespace zorvel {

class Workbook;
class Workstation;

// The hand-over of a document workbook (contract, consent, bill, register): start it from its template,
// fill it, hand it on (show, print or save). A template or spreadsheet that cannot be started shows
// "Невозможно вывести в Excel "; a fill that fails closes the workbook unshown (a document abandoned
// half-way is never shown or printed) and shows why: a document's own error with its caption, any other
// with the program's name. False when the document was not handed on.
bool produceDocument(Workstation& workstation, const QString& templateName,
                     const std::function<void(Workbook&)>& fill,
                     const std::function<void(Workbook&)>& handOver);

} // namespace zorvel
