#pragma once

#include "data/change_journal.h"
#include "data/connection.h"
#include "data/required_indexes.h"

#include <QStringList>
#include <vector>

namespace zorvel {

// What zorvel-upgrade adds to a hospital's database: the change journal with its roles, and the indexes
// of the fast paths.
struct UpgradeResult {
    std::vector<JournalObject> journal;
    std::vector<RequiredIndex> indexes;
    bool empty() const { return journal.empty() && indexes.empty(); }
};

// Everything zorvel-upgrade adds, one line each, as --list prints it.
QStringList upgradeList();

// Adds what the database lacks in one transaction of its own connection: all of it or, when the server
// refuses a step, none (DataError naming the other workstations when some are connected). Rows are not
// touched; a second run adds nothing.
UpgradeResult upgradeDatabase(const QString& databaseName,
                              const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());

} // namespace zorvel
