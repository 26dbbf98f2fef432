#pragma once

#include "data/connection.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zorvel {

// An index the workstation's fast paths rely on: finding a saved row again, the contract set, the
// look-ups and the reports. A hospital's database made before the workstation may lack them; every
// behaviour is the same without them, only slower.
struct RequiredIndex {
    QString name;                // the name it is given when added
    QString table;               // upper case
    QStringList columns;         // upper case, in key order
    QString description() const; // "PEOPLE (DATA_USL, TIME_US)"
};

// The one list of such indexes; the schema script creates exactly these.
const std::vector<RequiredIndex>& requiredIndexes();

// The required indexes the database lacks. An existing ascending index of any name counts when its
// leading columns are the required ones.
std::vector<RequiredIndex> missingIndexes(Connection& connection);

// Other attachments to the database than this connection ("host/process" texts), as the server's
// monitoring tables list them.
QStringList otherAttachments(Connection& connection);

// Adds the missing indexes in one transaction of its own connection and commits; rows are not touched.
// Returns what was added (empty when nothing was missing). Throws DataError when the server refuses,
// naming the other workstations when some are connected; nothing is added then.
std::vector<RequiredIndex>
addMissingIndexes(const QString& databaseName,
                  const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());

// The command an administrator runs to add them.
QString upgradeCommand(const QString& databaseName);

} // namespace zorvel
