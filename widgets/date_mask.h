#pragma once

#include <QString>

class QLineEdit;

namespace zorvel {

// Gives a field the input mask of a date (DD.MM.YYYY; the mask's blank character is the caller's). A
// date is typed from its first digit on: a click that lands past what is typed puts the caret right
// after it, and a click anywhere in an empty field on its first position, so "01122026" typed after
// the click reads 01.12.2026. The toolkit alone leaves the caret where the click landed, and the digits
// typed there fill only the positions that are left. A click on a digit already typed still puts the
// caret there, to correct it.
void setDateMask(QLineEdit* field, const QString& mask);

} // namespace zorvel
