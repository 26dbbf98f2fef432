#pragma once

#include "data/connection.h"

#include <QString>
#include <stdexcept>

namespace zorvel {

// The database's own backup and restore, through its service manager: a backup is consistent while
// other workstations go on working. For "host:path" the service of that host does the work and the
// backup file is a path on that host. Both throw DbError with the server's text when they fail.
void backupDatabase(const QString& databaseName, const QString& backupFile,
                    const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());
// A backup into a file that does not exist yet: an existing file of that name is never written over.
// The name is taken before the backup runs, at once and on the machine that writes the file, so that
// two workstations backing up on one day cannot both pass a check and then write over each other:
// locally by creating the file exclusively, on a server by creating a database of that name through the
// same server (which refuses a name in use); the backup then replaces that placeholder, and a backup
// that fails removes it again. Throws BackupFileExists when the name is taken, DbError otherwise.
void backupDatabaseToNewFile(const QString& databaseName, const QString& backupFile,
                             const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());

class BackupFileExists : public std::runtime_error {
public:
    explicit BackupFileExists(const QString& file) : std::runtime_error(file.toStdString()), file_(file) {}
    QString file() const { return file_; }

private:
    QString file_;
};

void restoreDatabase(const QString& backupFile, const QString& databaseName,
                     const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());

} // namespace zorvel
