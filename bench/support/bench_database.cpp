#include "bench/support/bench_database.h"

#include "bench/support/register_fill.h"
#include "data/database_creation.h"
#include "data/required_indexes.h"
#include "tests/support/test_database.h"

#include <cstdio>

namespace zorvel::bench {

BenchSchema takeSchemaArgument(QStringList& arguments) {
    BenchSchema schema = BenchSchema::Own;
    for (qsizetype i = arguments.size() - 1; i >= 0; --i) {
        if (!arguments[i].startsWith(QStringLiteral("--schema=")))
            continue;
        const QString name = arguments.takeAt(i).mid(9);
        if (name == QLatin1String("legacy"))
            schema = BenchSchema::Legacy;
        else if (name == QLatin1String("upgraded"))
            schema = BenchSchema::Upgraded;
        else if (name != QLatin1String("own"))
            std::fprintf(stderr, "unknown schema %s: own, legacy or upgraded\n", qPrintable(name));
    }
    return schema;
}

const char* schemaName(BenchSchema schema) {
    switch (schema) {
    case BenchSchema::Own:
        return "own";
    case BenchSchema::Legacy:
        return "long-lived";
    case BenchSchema::Upgraded:
        return "long-lived, upgraded";
    }
    return "";
}

void createFilledDatabase(const QString& path, BenchSchema schema, int rows) {
    if (schema == BenchSchema::Own)
        createDatabase(path);
    else
        createDatabaseWithScript(path, test::legacySchemaScript());
    fillRegister(path, rows);
    if (schema == BenchSchema::Upgraded)
        addMissingIndexes(path);
}

} // namespace zorvel::bench
