#pragma once

#include <QString>

namespace zorvel::bench {

// Adds `rows` services to the register of the database at `path` on the server side, as a busy cash desk
// would have them after a year or two, and commits.
void fillRegister(const QString& path, int rows);

// Peak resident memory of this process so far, in MB.
long peakMemoryMb();

} // namespace zorvel::bench
