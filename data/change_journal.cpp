#include "data/change_journal.h"

#include "data/errors.h"
#include "data/sql_statement.h"
#include "data/win1251.h"

#include <algorithm>
#include <map>
#include <set>

namespace zorvel {

namespace {

// Rows of a metadata query as trimmed texts.
std::vector<QStringList> rows(Connection& connection, const QString& sql,
                              const QStringList& parameters = {}) {
    SqlStatement statement(connection);
    statement.prepare(sql);
    for (int i = 0; i < parameters.size(); ++i)
        statement.bind(i, toWin1251(parameters[i]));
    statement.execute();
    std::vector<QStringList> result;
    while (statement.fetch()) {
        QStringList row;
        for (int i = 0; i < statement.columnCount(); ++i)
            row << (statement.isNull(i) ? QString() : fromWin1251(statement.value(i)).trimmed());
        result.push_back(row);
    }
    return result;
}

QString quoted(QString text) {
    text.replace(u'\'', QStringLiteral("''"));
    return u'\'' + text + u'\'';
}

const char* const kLogGenerator = "GEN_CHANGE_LOG_ID";

QString journalTrigger(const QString& table) {
    return table + QStringLiteral("_JOURNAL");
}

// A column as the database describes it.
struct Column {
    QString name;
    int type = 0;   // RDB$FIELD_TYPE
    int length = 0; // characters of a text column
};

bool isText(const Column& c) {
    return c.type == 14 || c.type == 37 || c.type == 40; // CHAR, VARCHAR, CSTRING
}

std::vector<Column> tableColumns(Connection& connection, const QString& table) {
    std::vector<Column> columns;
    for (const QStringList& row :
         rows(connection,
              QStringLiteral(
                  "SELECT rf.RDB$FIELD_NAME, f.RDB$FIELD_TYPE, "
                  "COALESCE(f.RDB$CHARACTER_LENGTH, f.RDB$FIELD_LENGTH, 0), "
                  "IIF(f.RDB$COMPUTED_BLR IS NULL AND f.RDB$DIMENSIONS IS NULL, 0, 1) "
                  "FROM RDB$RELATION_FIELDS rf JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
                  "WHERE rf.RDB$RELATION_NAME = ? ORDER BY rf.RDB$FIELD_POSITION"),
              {table})) {
        Column c{row[0], row[1].toInt(), row[2].toInt()};
        // Blobs, arrays and computed columns are not journaled: they are no part of the registers.
        if (row[3] == QLatin1String("1") || c.type == 261)
            continue;
        columns.push_back(c);
    }
    return columns;
}

QString primaryKey(Connection& connection, const QString& table, const std::vector<Column>& columns) {
    const auto keys =
        rows(connection,
             QStringLiteral("SELECT s.RDB$FIELD_NAME FROM RDB$RELATION_CONSTRAINTS c "
                            "JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = c.RDB$INDEX_NAME "
                            "WHERE c.RDB$RELATION_NAME = ? AND c.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'"),
             {table});
    QString key = keys.size() == 1 ? keys[0][0] : QString();
    if (key.isEmpty()) // a key without its constraint: the one the workstation's statements use
        key = table.startsWith(QLatin1String("PEOPLE")) ? QStringLiteral("IPEOP") : QStringLiteral("IDP");
    for (const Column& c : columns)
        if (c.name == key && (c.type == 7 || c.type == 8)) // SMALLINT, INTEGER: ROW_KEY is an integer
            return key;
    return {};
}

// The columns an inserted or deleted row is told by: who, what, when and how much.
const QStringList& identifyingColumns() {
    static const QStringList list = {
        QStringLiteral("FAM"),      QStringLiteral("NAM"),     QStringLiteral("OTH"),
        QStringLiteral("DATA_USL"), QStringLiteral("TIME_US"), QStringLiteral("DATAP"),
        QStringLiteral("KODGVV"),   QStringLiteral("KOD"),     QStringLiteral("NAME"),
        QStringLiteral("SUMMA"),    QStringLiteral("KOL"),     QStringLiteral("CHOPL"),
        QStringLiteral("SUMMAO"),   QStringLiteral("ORGANIS"), QStringLiteral("NONAKL"),
    };
    return list;
}

// The text of one value of the row `record` (OLD or NEW), at most `cap` characters; NULL for NULL.
QString rawText(const Column& c, const QString& record, int cap) {
    const QString field = record + u'.' + c.name;
    if (!isText(c))
        return QStringLiteral("CAST(%1 AS VARCHAR(40))").arg(field);
    const QString text = QStringLiteral("TRIM(TRAILING FROM %1)").arg(field);
    return c.length > cap ? QStringLiteral("SUBSTRING(%1 FROM 1 FOR %2)").arg(text).arg(cap) : text;
}

// The same, empty for NULL.
QString valueText(const Column& c, const QString& record, int cap) {
    return QStringLiteral("COALESCE(%1, '')").arg(rawText(c, record, cap));
}

int textWidth(const Column& c, int cap) {
    return isText(c) ? std::min(c.length, cap) : 40;
}

QString triggerStatement(Connection& connection, const QString& table) {
    const std::vector<Column> columns = tableColumns(connection, table);
    if (columns.empty())
        throw DataError(QStringLiteral("В базе нет таблицы %1").arg(table));
    const QString key = primaryKey(connection, table, columns);
    const bool hasContract = std::any_of(columns.begin(), columns.end(),
                                         [](const Column& c) { return c.name == QLatin1String("NDOG"); });
    const Column contract{QStringLiteral("NDOG"), 37, 20};

    // The whole text of an update that changes every column stays within one PSQL string (32 KB): values
    // longer than the journal's column are cut there anyway, and a table of very many wide columns gets
    // shorter values.
    int cap = kJournalChangesWidth;
    auto total = [&](int c) {
        int sum = 0;
        for (const Column& column : columns)
            sum += int(column.name.size()) + 8 + 2 * textWidth(column, c);
        return sum;
    };
    while (cap > 20 && total(cap) > 30000)
        cap = cap * 3 / 4;
    const int variableWidth = std::min(32000, total(cap) + 16);

    auto row = [&](const QString& record, const QString& action) {
        // The row's identifying and money columns that hold a value.
        QStringList parts{QStringLiteral("''")};
        for (const Column& c : columns)
            if (identifyingColumns().contains(c.name) && c.name != key)
                parts << QStringLiteral("COALESCE('; %1: ' || NULLIF(%2, ''), '')")
                             .arg(c.name, rawText(c, record, cap));
        return QStringLiteral("        C = %1;\n        ACT = '%2';\n")
            .arg(parts.join(QStringLiteral(" || ")), action);
    };
    QString body;
    body +=
        QStringLiteral("CREATE TRIGGER %1 FOR %2 ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 32000 AS\n")
            .arg(journalTrigger(table), table);
    body += QStringLiteral("DECLARE C VARCHAR(%1) = '';\nDECLARE ACT CHAR(1);\nBEGIN\n").arg(variableWidth);
    body += QStringLiteral("    IF (INSERTING) THEN BEGIN\n") +
            row(QStringLiteral("NEW"), QStringLiteral("I")) +
            QStringLiteral("    END ELSE IF (DELETING) THEN BEGIN\n") +
            row(QStringLiteral("OLD"), QStringLiteral("D")) + QStringLiteral("    END ELSE BEGIN\n");
    for (const Column& c : columns)
        body += QStringLiteral(
                    "        IF (OLD.%1 IS DISTINCT FROM NEW.%1) THEN C = C || '; %1: ' || %2 || ' -> ' "
                    "|| %3;\n")
                    .arg(c.name, valueText(c, QStringLiteral("OLD"), cap),
                         valueText(c, QStringLiteral("NEW"), cap));
    // An update that changes nothing leaves no entry.
    body += QStringLiteral("        IF (C = '') THEN EXIT;\n        ACT = 'U';\n    END\n"
                           "    C = SUBSTRING(C FROM 3);\n");
    const int keep = kJournalChangesWidth - int(QString::fromUtf8(kJournalCutMark).size());
    body += QStringLiteral("    IF (CHAR_LENGTH(C) > %1) THEN C = SUBSTRING(C FROM 1 FOR %2) || %3;\n")
                .arg(kJournalChangesWidth)
                .arg(keep)
                .arg(quoted(QString::fromUtf8(kJournalCutMark)));
    const QString rowKey =
        key.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("IIF(DELETING, OLD.%1, NEW.%1)").arg(key);
    const QString contractValue = hasContract ? QStringLiteral("IIF(DELETING, %1, %2)")
                                                    .arg(valueText(contract, QStringLiteral("OLD"), 20),
                                                         valueText(contract, QStringLiteral("NEW"), 20))
                                              : QStringLiteral("NULL");
    body += QStringLiteral("    INSERT INTO CHANGE_LOG (TABLE_NAME, ROW_KEY, ACTION, CONTRACT, CHANGES)\n"
                           "        VALUES ('%1', %2, :ACT, NULLIF(%3, ''), :C);\nEND")
                .arg(table, rowKey, contractValue);
    return body;
}

// Names of the database's objects of one kind.
std::set<QString> existing(Connection& connection, const QString& kind) {
    static const std::map<QString, QString> queries = {
        {QStringLiteral("GENERATOR"), QStringLiteral("SELECT RDB$GENERATOR_NAME FROM RDB$GENERATORS")},
        {QStringLiteral("EXCEPTION"), QStringLiteral("SELECT RDB$EXCEPTION_NAME FROM RDB$EXCEPTIONS")},
        {QStringLiteral("TABLE"), QStringLiteral("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS")},
        {QStringLiteral("INDEX"), QStringLiteral("SELECT RDB$INDEX_NAME FROM RDB$INDICES")},
        {QStringLiteral("TRIGGER"), QStringLiteral("SELECT RDB$TRIGGER_NAME FROM RDB$TRIGGERS")},
        {QStringLiteral("ROLE"), QStringLiteral("SELECT RDB$ROLE_NAME FROM RDB$ROLES")},
    };
    std::set<QString> names;
    for (const QStringList& row : rows(connection, queries.at(kind)))
        names.insert(row[0]);
    return names;
}

// Statements of the roles' rights on what the database has.
QStringList roleGrants(Connection& connection, const QString& role) {
    const bool administrator = role == QLatin1String(kAdministratorRole);
    const std::set<QString> tables = existing(connection, QStringLiteral("TABLE"));
    QStringList statements;
    auto grant = [&](const QString& rights, const QString& table) {
        if (tables.count(table))
            statements << QStringLiteral("GRANT %1 ON %2 TO ROLE %3").arg(rights, table, role);
    };
    const QString write =
        administrator ? QStringLiteral("ALL") : QStringLiteral("SELECT, INSERT, UPDATE, DELETE");
    for (const char* table : {"PEOPLE", "PEOPLEV", "PEOPLECBUX", "PRIHOD"})
        grant(write, QString::fromLatin1(table));
    // The price list is replaced and emptied by the administrator; the cashier reads it and the departments.
    for (const char* table : {"PRAIS", "OTDEL"})
        grant(administrator ? QStringLiteral("ALL") : QStringLiteral("SELECT"), QString::fromLatin1(table));
    grant(QStringLiteral("SELECT"), QStringLiteral("DOLG"));
    // The journal is made before the roles (in the same transaction, where the catalogue does not show it
    // yet): only the administrator reads it.
    if (administrator)
        statements << QStringLiteral("GRANT SELECT ON CHANGE_LOG TO ROLE %1").arg(role);
    for (const QStringList& row :
         rows(connection, QStringLiteral("SELECT RDB$PROCEDURE_NAME FROM RDB$PROCEDURES "
                                         "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0")))
        statements << QStringLiteral("GRANT EXECUTE ON PROCEDURE %1 TO ROLE %2").arg(row[0], role);
    // The keys of the registers come from generators in their before-insert triggers, whatever their names.
    for (const QStringList& row :
         rows(connection, QStringLiteral("SELECT RDB$GENERATOR_NAME FROM RDB$GENERATORS "
                                         "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0")))
        if (row[0] != QLatin1String(kLogGenerator))
            statements << QStringLiteral("GRANT USAGE ON GENERATOR %1 TO ROLE %2").arg(row[0], role);
    return statements;
}

} // namespace

const QStringList& journaledTables() {
    static const QStringList list = {QStringLiteral("PEOPLE"), QStringLiteral("PEOPLEV"),
                                     QStringLiteral("PEOPLECBUX"), QStringLiteral("PRAIS"),
                                     QStringLiteral("PRIHOD")};
    return list;
}

const std::vector<JournalObject>& journalObjects() {
    static const std::vector<JournalObject> list = [] {
        std::vector<JournalObject> l = {
            {QStringLiteral("GENERATOR"), QString::fromLatin1(kLogGenerator)},
            {QStringLiteral("EXCEPTION"), QStringLiteral("CHANGE_LOG_READ_ONLY")},
            {QStringLiteral("TABLE"), QStringLiteral("CHANGE_LOG")},
            {QStringLiteral("INDEX"), QStringLiteral("CHANGE_LOG_AT")},       // a period, newest first
            {QStringLiteral("INDEX"), QStringLiteral("CHANGE_LOG_CONTRACT")}, // one contract's history
            {QStringLiteral("TRIGGER"), QStringLiteral("CHANGE_LOG_BI")},
            {QStringLiteral("TRIGGER"), QStringLiteral("CHANGE_LOG_READ_ONLY")},
        };
        for (const QString& table : journaledTables())
            l.push_back({QStringLiteral("TRIGGER"), journalTrigger(table)});
        l.push_back({QStringLiteral("ROLE"), QString::fromLatin1(kCashierRole)});
        l.push_back({QStringLiteral("ROLE"), QString::fromLatin1(kAdministratorRole)});
        return l;
    }();
    return list;
}

std::vector<JournalObject> missingJournalObjects(Connection& connection) {
    std::map<QString, std::set<QString>> byKind;
    std::vector<JournalObject> missing;
    for (const JournalObject& object : journalObjects()) {
        if (!byKind.count(object.kind))
            byKind[object.kind] = existing(connection, object.kind);
        if (!byKind[object.kind].count(object.name))
            missing.push_back(object);
    }
    return missing;
}

QStringList journalStatements(Connection& connection, const std::vector<JournalObject>& objects) {
    QStringList statements;
    for (const JournalObject& object : objects) {
        const QString& name = object.name;
        if (object.kind == QLatin1String("GENERATOR")) {
            statements << QStringLiteral("CREATE GENERATOR ") + name;
        } else if (object.kind == QLatin1String("EXCEPTION")) {
            statements << QStringLiteral("CREATE EXCEPTION %1 'Журнал изменений не правится и не удаляется'")
                              .arg(name);
        } else if (object.kind == QLatin1String("TABLE")) {
            statements << QStringLiteral(
                              "CREATE TABLE CHANGE_LOG (ID INTEGER NOT NULL, CHANGED_AT TIMESTAMP NOT NULL, "
                              "USER_NAME VARCHAR(63) CHARACTER SET WIN1251, "
                              "CLIENT_ADDRESS VARCHAR(255) CHARACTER SET WIN1251, "
                              "TABLE_NAME VARCHAR(31) CHARACTER SET WIN1251 NOT NULL, ROW_KEY INTEGER, "
                              "ACTION CHAR(1) CHARACTER SET WIN1251 NOT NULL, "
                              "CONTRACT VARCHAR(20) CHARACTER SET WIN1251, "
                              "CHANGES VARCHAR(%1) CHARACTER SET WIN1251, "
                              "CONSTRAINT PK_CHANGE_LOG PRIMARY KEY (ID))")
                              .arg(kJournalChangesWidth);
        } else if (name == QLatin1String("CHANGE_LOG_AT")) {
            statements << QStringLiteral("CREATE DESCENDING INDEX CHANGE_LOG_AT ON CHANGE_LOG (CHANGED_AT)");
        } else if (name == QLatin1String("CHANGE_LOG_CONTRACT")) {
            statements << QStringLiteral("CREATE INDEX CHANGE_LOG_CONTRACT ON CHANGE_LOG (CONTRACT)");
        } else if (name == QLatin1String("CHANGE_LOG_BI")) {
            // Whoever inserts, the entry carries the database's own number, time and user: an entry
            // typed by hand in a console names the one who typed it. The address is the server's word
            // through a server; the embedded engine has none, and the workstation tells its session its
            // host name at connect.
            statements
                << QStringLiteral(
                       "CREATE TRIGGER CHANGE_LOG_BI FOR CHANGE_LOG ACTIVE BEFORE INSERT POSITION 0 AS\n"
                       "BEGIN\n"
                       "    NEW.ID = GEN_ID(%1, 1);\n"
                       "    NEW.CHANGED_AT = CURRENT_TIMESTAMP;\n"
                       "    NEW.USER_NAME = CURRENT_USER;\n"
                       "    NEW.CLIENT_ADDRESS = SUBSTRING(COALESCE(RDB$GET_CONTEXT('SYSTEM', "
                       "'CLIENT_ADDRESS'),\n"
                       "        RDB$GET_CONTEXT('USER_SESSION', 'ZORVEL_HOST'),\n"
                       "        RDB$GET_CONTEXT('SYSTEM', 'CLIENT_PROCESS'), '') FROM 1 FOR 255);\n"
                       "END")
                       .arg(QString::fromLatin1(kLogGenerator));
            statements << QStringLiteral("GRANT USAGE ON GENERATOR %1 TO TRIGGER CHANGE_LOG_BI")
                              .arg(QString::fromLatin1(kLogGenerator));
        } else if (name == QLatin1String("CHANGE_LOG_READ_ONLY")) {
            statements << QStringLiteral("CREATE TRIGGER CHANGE_LOG_READ_ONLY FOR CHANGE_LOG ACTIVE "
                                         "BEFORE UPDATE OR DELETE POSITION 0 AS\n"
                                         "BEGIN\n    EXCEPTION CHANGE_LOG_READ_ONLY;\nEND");
        } else if (object.kind == QLatin1String("TRIGGER")) {
            const QString table = name.chopped(int(QStringLiteral("_JOURNAL").size()));
            statements << triggerStatement(connection, table);
            statements << QStringLiteral("GRANT INSERT ON CHANGE_LOG TO TRIGGER ") + name;
        } else if (object.kind == QLatin1String("ROLE")) {
            statements << QStringLiteral("CREATE ROLE ") + name;
            statements << roleGrants(connection, name);
        }
    }
    return statements;
}

std::vector<JournalObject> addMissingJournalObjects(Connection& connection) {
    std::vector<JournalObject> missing = missingJournalObjects(connection);
    for (const QString& statement : journalStatements(connection, missing))
        connection.executeImmediate(statement);
    return missing;
}

bool journalKept(Connection& connection) {
    return missingJournalObjects(connection).empty();
}

UserRights userRights(Connection& connection) {
    UserRights rights;
    const auto who =
        rows(connection, QStringLiteral("SELECT CURRENT_USER, CURRENT_ROLE, "
                                        "(SELECT RDB$OWNER_NAME FROM RDB$RELATIONS "
                                        "WHERE RDB$RELATION_NAME = 'RDB$DATABASE') FROM RDB$DATABASE"));
    rights.user = who[0][0];
    rights.role = who[0][1];
    const QString owner = who[0][2];
    const auto held = rows(
        connection, QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$USER_PRIVILEGES "
                                   "WHERE RDB$PRIVILEGE = 'M' AND RDB$USER = CURRENT_USER AND "
                                   "RDB$RELATION_NAME IN ('%1', '%2')")
                        .arg(QString::fromLatin1(kAdministratorRole), QString::fromLatin1(kCashierRole)));
    bool admin = false, cashier = false;
    for (const QStringList& row : held) {
        admin = admin || row[0] == QLatin1String(kAdministratorRole);
        cashier = cashier || row[0] == QLatin1String(kCashierRole);
    }
    rights.heldRole = admin     ? QString::fromLatin1(kAdministratorRole)
                      : cashier ? QString::fromLatin1(kCashierRole)
                                : QString();
    rights.administrator = rights.user == QLatin1String("SYSDBA") || rights.user == owner || admin;
    return rights;
}

} // namespace zorvel
