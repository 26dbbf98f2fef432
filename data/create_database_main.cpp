// zorvel-createdb [--demo] DATABASE: makes a new workstation database, optionally with demo data.
#include "data/database_creation.h"
#include "data/errors.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool demo = args.removeAll(QStringLiteral("--demo")) > 0;
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zorvel-createdb [--demo] DATABASE\n");
        return 2;
    }
    try {
        zorvel::createDatabase(args[0]);
        if (demo) {
            zorvel::Connection connection;
            connection.connect(args[0]);
            connection.startTransaction();
            zorvel::runScript(connection, zorvel::demoDataScript());
            connection.commit();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
