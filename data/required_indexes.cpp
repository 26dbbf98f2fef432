#include "data/required_indexes.h"

#include "data/errors.h"
#include "data/sql_statement.h"

#include <map>

namespace zorvel {

namespace {

RequiredIndex index(const char* name, const char* table, std::initializer_list<const char*> columns) {
    RequiredIndex i{QString::fromLatin1(name), QString::fromLatin1(table), {}};
    for (const char* c : columns)
        i.columns << QString::fromLatin1(c);
    return i;
}

// Rows of a metadata query as texts.
std::vector<QStringList> rows(Connection& connection, const QString& sql) {
    SqlStatement statement(connection);
    statement.prepare(sql);
    statement.execute();
    std::vector<QStringList> result;
    while (statement.fetch()) {
        QStringList row;
        for (int i = 0; i < statement.columnCount(); ++i)
            row << QString::fromStdString(statement.value(i)).trimmed();
        result.push_back(row);
    }
    return result;
}

} // namespace

QString RequiredIndex::description() const {
    return table + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + u')';
}

const std::vector<RequiredIndex>& requiredIndexes() {
    // One line per index; the schema script creates the same ones (a test holds them together).
    static const std::vector<RequiredIndex> list = {
        index("PEOPLE_SAVED", "PEOPLE", {"DATA_USL", "TIME_US"}), // a saved row found again
        index("PEOPLE_NDOG", "PEOPLE", {"NDOG"}),                 // contract set, debts
        index("PEOPLE_FAM", "PEOPLE", {"FAM"}),                   // patient search
        index("PEOPLECBUX_SAVED", "PEOPLECBUX", {"DATA_USL", "TIME_US"}),
        index("PEOPLECBUX_ORGANIS", "PEOPLECBUX", {"ORGANIS"}), // bills of one payer
        index("PRIHOD_SAVED", "PRIHOD", {"DATAP", "KOD"}),
    };
    return list;
}

std::vector<RequiredIndex> missingIndexes(Connection& connection) {
    // Ascending, active, user-defined indexes with their columns in key order.
    std::map<QString, std::pair<QString, QStringList>> existing;
    for (const QStringList& row :
         rows(connection,
              QStringLiteral(
                  "SELECT i.RDB$INDEX_NAME, i.RDB$RELATION_NAME, s.RDB$FIELD_NAME FROM RDB$INDICES i "
                  "JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = i.RDB$INDEX_NAME "
                  "WHERE COALESCE(i.RDB$SYSTEM_FLAG, 0) = 0 AND COALESCE(i.RDB$INDEX_INACTIVE, 0) = 0 "
                  "AND COALESCE(i.RDB$INDEX_TYPE, 0) = 0 "
                  "ORDER BY i.RDB$INDEX_NAME, s.RDB$FIELD_POSITION"))) {
        auto& [table, columns] = existing[row[0]];
        table = row[1];
        columns << row[2];
    }
    std::vector<RequiredIndex> missing;
    for (const RequiredIndex& required : requiredIndexes()) {
        bool found = false;
        for (const auto& [name, index] : existing)
            if (index.first == required.table &&
                index.second.mid(0, required.columns.size()) == required.columns)
                found = true;
        if (!found)
            missing.push_back(required);
    }
    return missing;
}

QStringList otherAttachments(Connection& connection) {
    QStringList list;
    for (const QStringList& row :
         rows(connection,
              QStringLiteral(
                  "SELECT COALESCE(MON$REMOTE_ADDRESS, 'локально'), COALESCE(MON$REMOTE_PROCESS, '') "
                  "FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION "
                  "AND COALESCE(MON$SYSTEM_FLAG, 0) = 0")))
        list << (row[1].isEmpty() ? row[0] : row[0] + u' ' + row[1]);
    return list;
}

std::vector<RequiredIndex> addMissingIndexes(const QString& databaseName,
                                             const ConnectionSettings& settings) {
    Connection connection(settings);
    connection.connect(databaseName);
    connection.startTransaction();
    std::vector<RequiredIndex> missing = missingIndexes(connection);
    if (missing.empty())
        return missing;
    try {
        // Every index in the one transaction: the server builds them at the commit, all or none.
        for (const RequiredIndex& index : missing)
            connection.executeImmediate(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                                            .arg(index.name, index.table, index.columns.join(u',')));
        connection.commit();
    } catch (const DbError& error) {
        connection.rollback();
        connection.startTransaction();
        const QStringList others = otherAttachments(connection);
        if (others.isEmpty())
            throw DataError(QStringLiteral("Индексы не добавлены: ") + error.text());
        throw DataError(
            QStringLiteral("Индексы не добавлены: к базе подключены другие рабочие места (%1: %2), "
                           "и сервер не меняет таблицы, пока они работают. Закройте программу "
                           "на них и повторите.\n%3")
                .arg(others.size())
                .arg(others.join(QStringLiteral(", ")), error.text()));
    }
    return missing;
}

QString upgradeCommand(const QString& databaseName) {
    return QStringLiteral("zorvel-upgrade ") + databaseName;
}

} // namespace zorvel
