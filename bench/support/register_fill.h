#pragma once

#include <QDate>
#include <QString>

namespace zorvel::bench {

// Adds `rows` services to the register of the database at `path` on the server side, as a busy cash desk
// would have them after a year or two, and commits.
void fillRegister(const QString& path, int rows);

// Adds `rows` services spread over consecutive days, `perDay` a day, the last ones on `lastDay`: two
// services a contract, a few dozen service numbers and prices, several departments, doctors and kinds of
// care, some contracts paid in instalments. Commits.
void fillRegisterByDay(const QString& path, int rows, int perDay, const QDate& lastDay);

// Peak resident memory of this process so far, in MB.
long peakMemoryMb();

} // namespace zorvel::bench
