#pragma once

#include <QString>

namespace zorvel::bench {

// Adds `rows` services to the register of the database at `path` on the server side, as a busy cash desk
// would have them after a year or two, with one price (number 29) and one department (code 11), and commits.
void fillRegister(const QString& path, int rows);

// A database with `rows` register rows for a benchmark. With ZORVEL_BENCH_DIR set, the database is kept
// there (register-<rows>.fdb) and reused by later runs, since filling a million rows takes minutes;
// otherwise it is made afresh in `scratchFolder`.
QString registerDatabase(int rows, const QString& scratchFolder);

// Peak resident memory of this process so far, in MB.
long peakMemoryMb();

} // namespace zorvel::bench
