#pragma once

#include "tests/support/print_to.h"

#include <QString>
#include <QStringList>

namespace zorvel::test {

// The rows of a select as another workstation reads them: a connection of its own to `database` (a file,
// or host:/path), so only committed work shows. Each row is its columns joined by "|", NULL shown as
// "<NULL>"; values of fixed-width (CHAR) columns come without the blanks the server pads them with, so
// that a long-lived hospital database with CHAR columns reads like the workstation's own.
QStringList committedRows(const QString& database, const QString& select);

} // namespace zorvel::test
