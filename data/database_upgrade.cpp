#include "data/database_upgrade.h"

#include "data/errors.h"

namespace zorvel {

QStringList upgradeList() {
    QStringList list;
    for (const JournalObject& object : journalObjects())
        list << object.description();
    for (const RequiredIndex& index : requiredIndexes())
        list << QStringLiteral("INDEX ") + index.name + QStringLiteral(" ON ") + index.description();
    return list;
}

UpgradeResult upgradeDatabase(const QString& databaseName, const ConnectionSettings& settings) {
    Connection connection(settings);
    connection.connect(databaseName);
    connection.startTransaction();
    UpgradeResult result;
    try {
        // The journal first: its triggers are written from the tables' columns as they are now. The
        // server applies the whole transaction at the commit, all or nothing.
        result.journal = addMissingJournalObjects(connection);
        result.indexes = missingIndexes(connection);
        for (const RequiredIndex& index : result.indexes)
            connection.executeImmediate(index.createStatement());
        if (!result.empty())
            connection.commit();
    } catch (const std::exception& error) {
        connection.rollback();
        connection.startTransaction();
        const QStringList others = otherAttachments(connection);
        const QString reason = errorMessage(error);
        if (others.isEmpty())
            throw DataError(QStringLiteral("База не обновлена: ") + reason);
        throw DataError(QStringLiteral("База не обновлена: к базе подключены другие рабочие места (%1: %2), "
                                       "и сервер не меняет таблицы, пока они работают. Закройте программу "
                                       "на них и повторите.\n%3")
                            .arg(others.size())
                            .arg(others.join(QStringLiteral(", ")), reason));
    }
    return result;
}

} // namespace zorvel
