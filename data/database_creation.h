#pragma once

#include "data/connection.h"

#include <QString>
#include <QStringList>

namespace zorvel {

// The schema script the database is made from, and a small demo price list with the departments.
QString schemaScript();
QString demoDataScript();

// Splits a script into statements the way isql does: ";" ends a statement, "SET TERM" changes the
// terminator, "--" starts a comment outside quotes.
QStringList splitScript(const QString& script);

// Runs every statement of a script in the connection's transaction and commits.
void runScript(Connection& connection, const QString& script);

// Creates a new database file (dialect 1, WIN1251) and builds the schema in it. The program, the run
// command and the tests all make their databases with this. Throws DbError when the server refuses.
void createDatabase(const QString& databaseName,
                    const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());
// The same with another schema script (a database made the way an older system made it).
void createDatabaseWithScript(const QString& databaseName, const QString& script,
                              const ConnectionSettings& settings = ConnectionSettings::fromEnvironment());

} // namespace zorvel
