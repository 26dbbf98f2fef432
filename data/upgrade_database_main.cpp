// zorvel-upgrade DATABASE: adds to an existing database (a local path or host:/path) the change journal
// with its roles, and the indexes the workstation's fast paths rely on. Rows are not touched; a second run
// adds nothing. zorvel-upgrade --list: prints what it adds.
#include "data/database_upgrade.h"
#include "data/errors.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args == QStringList{QStringLiteral("--list")}) {
        for (const QString& line : zorvel::upgradeList())
            std::printf("%s\n", line.toUtf8().constData());
        return 0;
    }
    if (args.size() != 1 || args[0].startsWith(u'-')) {
        std::fprintf(stderr, "usage: zorvel-upgrade DATABASE | zorvel-upgrade --list\n");
        return 2;
    }
    try {
        const auto added = zorvel::upgradeDatabase(args[0]);
        if (added.empty()) {
            std::printf("%s\n",
                        QStringLiteral("Все индексы уже есть, журнал изменений ведется, ничего не добавлено: %1")
                            .arg(args[0])
                            .toUtf8()
                            .constData());
            return 0;
        }
        for (const auto& object : added.journal)
            std::printf("%s\n",
                        QStringLiteral("Добавлено: %1").arg(object.description()).toUtf8().constData());
        for (const auto& index : added.indexes)
            std::printf("%s\n", QStringLiteral("Добавлен индекс %1 ON %2")
                                    .arg(index.name, index.description())
                                    .toUtf8()
                                    .constData());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
