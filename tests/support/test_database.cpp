#include "tests/support/test_database.h"

#include "data/database_creation.h"

#include <QFile>
#include <stdexcept>

namespace zorvel::test {

bool legacySchema() {
    return qEnvironmentVariable("ZORVEL_TEST_SCHEMA") == QLatin1String("legacy");
}

QString legacySchemaScript() {
    QFile file(QStringLiteral(ZORVEL_LEGACY_SCHEMA));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " ZORVEL_LEGACY_SCHEMA);
    return QString::fromUtf8(file.readAll());
}

void createTestDatabase(const QString& path) {
    if (legacySchema())
        createDatabaseWithScript(path, legacySchemaScript());
    else
        createDatabase(path);
}

} // namespace zorvel::test
