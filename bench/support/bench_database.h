#pragma once

#include <QString>
#include <QStringList>

namespace zorvel::bench {

// Which database a benchmark runs on: the workstation's own schema, a hospital's long-lived database
// (CHAR codes, only primary keys: tests/support/legacy_schema.sql) as it comes, or the same after
// zorvel-upgrade added the indexes.
enum class BenchSchema { Own, Legacy, Upgraded };

// Reads "--schema=own|legacy|upgraded" out of the arguments (own when absent); the rest stay.
BenchSchema takeSchemaArgument(QStringList& arguments);
const char* schemaName(BenchSchema schema);

// Creates the database at `path` and fills its register with `rows` services; the upgraded schema gets
// its indexes after the rows, as an administrator adds them to a database in use for years.
void createFilledDatabase(const QString& path, BenchSchema schema, int rows);

} // namespace zorvel::bench
