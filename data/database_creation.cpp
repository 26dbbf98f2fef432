#include "data/database_creation.h"

#include "data/change_journal.h"
#include "data/errors.h"
#include "data/win1251.h"

#include <ibase.h>

namespace zorvel {

extern const char* const kSchemaScript;
extern const char* const kDemoDataScript;

QString schemaScript() {
    return QString::fromUtf8(kSchemaScript);
}
QString demoDataScript() {
    return QString::fromUtf8(kDemoDataScript);
}

QStringList splitScript(const QString& script) {
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;
    bool inQuote = false;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n;) {
        QChar c = script[i];
        if (!inQuote && c == '-' && i + 1 < n && script[i + 1] == '-') {
            while (i < n && script[i] != '\n')
                ++i;
            continue;
        }
        if (c == '\'')
            inQuote = !inQuote;
        if (!inQuote && script.mid(i, terminator.size()) == terminator) {
            QString statement = current.trimmed();
            current.clear();
            i += terminator.size();
            if (statement.startsWith(QStringLiteral("SET TERM"), Qt::CaseInsensitive)) {
                terminator = statement.mid(8).trimmed();
                continue;
            }
            if (!statement.isEmpty())
                statements << statement;
            continue;
        }
        current += c;
        ++i;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

void runScript(Connection& connection, const QString& script) {
    for (const QString& statement : splitScript(script)) {
        connection.executeImmediate(statement);
        // Tables and procedures must be committed before later statements may use them.
        connection.commitRetaining();
    }
}

void createDatabase(const QString& databaseName, const ConnectionSettings& settings) {
    createDatabaseWithScript(databaseName, schemaScript(), settings);
    // The change journal and the roles, written from the tables as the script made them: the same code
    // that zorvel-upgrade runs on a hospital's database.
    Connection connection(settings);
    connection.connect(databaseName);
    connection.startTransaction();
    addMissingJournalObjects(connection);
    connection.commit();
}

void createDatabaseWithScript(const QString& databaseName, const QString& script,
                              const ConnectionSettings& settings) {
    QString name = databaseName;
    name.replace('\'', QStringLiteral("''"));
    QString user = settings.user;
    QString password = settings.password;
    user.replace('\'', QStringLiteral("''"));
    password.replace('\'', QStringLiteral("''"));
    QString sql = QStringLiteral("CREATE DATABASE '%1' USER '%2' PASSWORD '%3' PAGE_SIZE 8192 "
                                 "DEFAULT CHARACTER SET WIN1251")
                      .arg(name, user, password);
    QByteArray text = sql.toLocal8Bit();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    isc_dsql_execute_immediate(status, &db, &tr, 0, text.constData(), 1, nullptr);
    throwOnError(status);
    isc_detach_database(status, &db);

    Connection connection(settings);
    connection.connect(databaseName);
    connection.startTransaction();
    runScript(connection, script);
    connection.commit();
}

} // namespace zorvel
