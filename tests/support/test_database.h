#pragma once

#include <QString>

namespace zorvel::test {

// Creates a test database: from the workstation's own schema script, or, when ZORVEL_TEST_SCHEMA is
// "legacy", from the script of a hospital's long-lived database (CHAR codes and contract numbers, only
// primary keys, generators past zero, other procedure bodies). CTest runs the data, entry and document
// tests once with each.
void createTestDatabase(const QString& path);

// True when the tests run on the long-lived database's script.
bool legacySchema();

// That script's text.
QString legacySchemaScript();

} // namespace zorvel::test
