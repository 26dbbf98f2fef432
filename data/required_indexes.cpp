#include "data/required_indexes.h"

#include "data/errors.h"
#include "data/sql_statement.h"

#include <QRegularExpression>

#include <map>

namespace zorvel {

namespace {

RequiredIndex index(const char* name, const char* table, std::initializer_list<const char*> columns) {
    RequiredIndex i{QString::fromLatin1(name), QString::fromLatin1(table), {}};
    for (const char* c : columns)
        i.columns << QString::fromLatin1(c);
    return i;
}

RequiredIndex descending(const char* name, const char* table, const char* column) {
    RequiredIndex i = index(name, table, {column});
    i.descending = true;
    return i;
}

RequiredIndex computed(const char* name, const char* table, const char* expression) {
    RequiredIndex i{QString::fromLatin1(name), QString::fromLatin1(table), {}};
    i.expression = QString::fromLatin1(expression);
    return i;
}

// An expression as the server keeps its source, compared without blanks, brackets and case.
QString normalExpression(QString text) {
    text = text.toUpper();
    text.remove(QRegularExpression(QStringLiteral("[\\s()]")));
    return text;
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
    const QString key = expression.isEmpty() ? columns.join(QStringLiteral(", ")) : expression;
    return table + QStringLiteral(" (") + key + (descending ? QStringLiteral(" DESC)") : QStringLiteral(")"));
}

QString RequiredIndex::createStatement() const {
    const QString kind = descending ? QStringLiteral("CREATE DESCENDING INDEX ") : QStringLiteral("CREATE INDEX ");
    const QString key = expression.isEmpty() ? u'(' + columns.join(u',') + u')'
                                             : QStringLiteral("COMPUTED BY (") + expression + u')';
    return kind + name + QStringLiteral(" ON ") + table + u' ' + key;
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
        index("PEOPLE_KODGVV", "PEOPLE", {"KODGVV"}), // the consumables' balance
        // a period of service dates (reports, the combined table); the server then refuses a row whose
        // DATA_USL is not a date
        computed("PEOPLE_SERVICE_DAY", "PEOPLE", "CAST(DATA_USL AS DATE)"),
        descending("PEOPLE_KEY_DESC", "PEOPLE", "IPEOP"), // the registers' last rows
        descending("PEOPLEV_KEY_DESC", "PEOPLEV", "IPEOP"),
        descending("PEOPLECBUX_KEY_DESC", "PEOPLECBUX", "IPEOP"),
    };
    return list;
}

std::vector<RequiredIndex> missingIndexes(Connection& connection) {
    // Active, user-defined indexes with their columns in key order, or their expression.
    struct Existing {
        QString table;
        QStringList columns;
        bool descending = false;
        QString expression;
    };
    std::map<QString, Existing> existing;
    for (const QStringList& row :
         rows(connection,
              QStringLiteral(
                  "SELECT i.RDB$INDEX_NAME, i.RDB$RELATION_NAME, COALESCE(s.RDB$FIELD_NAME, ''), "
                  "COALESCE(i.RDB$INDEX_TYPE, 0), COALESCE(CAST(i.RDB$EXPRESSION_SOURCE AS VARCHAR(1000)), '') "
                  "FROM RDB$INDICES i LEFT JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = i.RDB$INDEX_NAME "
                  "WHERE COALESCE(i.RDB$SYSTEM_FLAG, 0) = 0 AND COALESCE(i.RDB$INDEX_INACTIVE, 0) = 0 "
                  "ORDER BY i.RDB$INDEX_NAME, s.RDB$FIELD_POSITION"))) {
        Existing& index = existing[row[0]];
        index.table = row[1];
        if (!row[2].isEmpty())
            index.columns << row[2];
        index.descending = row[3] == QLatin1String("1");
        index.expression = normalExpression(row[4]);
    }
    std::vector<RequiredIndex> missing;
    for (const RequiredIndex& required : requiredIndexes()) {
        bool found = false;
        for (const auto& [name, index] : existing) {
            if (index.table != required.table || index.descending != required.descending)
                continue;
            if (required.expression.isEmpty() ? index.expression.isEmpty() &&
                                                    index.columns.mid(0, required.columns.size()) == required.columns
                                              : index.expression == normalExpression(required.expression))
                found = true;
        }
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
            connection.executeImmediate(index.createStatement());
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
