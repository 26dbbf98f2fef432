#pragma once

#include "data/connection.h"

#include <QString>

namespace zorvel {

// The database's own backup and restore, through its service manager: a backup is consistent while
// other workstations go on working. For "host:path" the service of that host does the work and the
// backup file is a path on that host. Both throw DbError with the server's text when they fail.
void backupDatabase(const QString& databaseName, const QString& backupFile,
                    const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());
void restoreDatabase(const QString& backupFile, const QString& databaseName,
                     const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());

} // namespace zorvel
