#include "data/connection.h"

#include "data/errors.h"
#include "data/win1251.h"

#include <QAtomicInt>
#include <QByteArray>
#include <QSysInfo>

namespace zorvel {

namespace {

constexpr unsigned short kDialect = 1;
const char* const kDefaultPassword = "quorlinet";

bool isLockCode(ISC_STATUS code) {
    return code == isc_lock_conflict || code == isc_update_conflict || code == isc_deadlock;
}

void appendItem(QByteArray& dpb, char item, const QByteArray& value) {
    // An item's length is one byte: a longer value would corrupt the whole buffer.
    if (value.size() > 255)
        throw DataError(item == isc_dpb_password ? QStringLiteral("Слишком длинный пароль")
                        : item == isc_dpb_sql_role_name ? QStringLiteral("Слишком длинное имя роли")
                                                        : QStringLiteral("Слишком длинное имя пользователя"));
    dpb.append(item);
    dpb.append(static_cast<char>(value.size()));
    dpb.append(value);
}

} // namespace

ConnectionSettings ConnectionSettings::fromEnvironment() {
    ConnectionSettings s;
    s.user = qEnvironmentVariable("ISC_USER", "SYSDBA");
    s.password = qEnvironmentVariable("ISC_PASSWORD", kDefaultPassword);
    return s;
}

bool ConnectionSettings::builtIn() {
    return !qEnvironmentVariableIsSet("ISC_USER") && !qEnvironmentVariableIsSet("ISC_PASSWORD");
}

QString workstationHost() {
    return QSysInfo::machineHostName();
}

void throwOnError(const ISC_STATUS* status) {
    if (!(status[0] == 1 && status[1] != 0))
        return;
    long firstCode = status[1];
    bool lock = false;
    // Walk the vector for the codes that mean another workstation holds the row.
    for (const ISC_STATUS* p = status; *p != isc_arg_end;) {
        ISC_STATUS kind = p[0];
        if (kind == isc_arg_gds && isLockCode(p[1]))
            lock = true;
        p += (kind == isc_arg_cstring) ? 3 : 2;
    }
    QString text;
    char buffer[1024];
    const ISC_STATUS* vector = status;
    while (fb_interpret(buffer, sizeof buffer, &vector) > 0) {
        if (!text.isEmpty())
            text += '\n';
        text += fromWin1251(buffer);
    }
    throw DbError(text, firstCode, lock);
}

QByteArray databaseParameters(const ConnectionSettings& settings) {
    QByteArray dpb;
    dpb.append(static_cast<char>(isc_dpb_version1));
    appendItem(dpb, isc_dpb_user_name, settings.user.toUtf8());
    appendItem(dpb, isc_dpb_password, settings.password.toUtf8());
    if (!settings.role.isEmpty())
        appendItem(dpb, isc_dpb_sql_role_name, settings.role.toUtf8());
    appendItem(dpb, isc_dpb_lc_ctype, "WIN1251");
    // A page cache that holds a register of a few hundred thousand rows (8 KiB pages).
    dpb.append(static_cast<char>(isc_dpb_num_buffers));
    dpb.append(char(4));
    const quint32 pages = 8192;
    dpb.append(char(pages & 0xFF)).append(char((pages >> 8) & 0xFF)).append(char(0)).append(char(0));
    dpb.append(static_cast<char>(isc_dpb_sql_dialect));
    dpb.append(char(4));
    dpb.append(char(kDialect)).append(char(0)).append(char(0)).append(char(0));
    return dpb;
}

Connection::Connection(ConnectionSettings settings) : settings_(std::move(settings)) {}

Connection::~Connection() {
    try {
        if (tr_)
            commit();
    } catch (const std::exception&) {
        // The run ends: nothing is left to tell the user.
        rollback();
    }
    disconnect();
}

void Connection::connect(const QString& databaseName) {
    disconnect();
    databaseName_ = databaseName;
    ISC_STATUS_ARRAY status;
    QByteArray dpb = databaseParameters(settings_);
    QByteArray name = databaseName.toLocal8Bit();
    isc_attach_database(status, 0, name.constData(), &db_, static_cast<short>(dpb.size()), dpb.constData());
    if (status[0] == 1 && status[1])
        db_ = 0;
    throwOnError(status);
    try {
        tellSession();
    } catch (...) {
        disconnect();
        throw;
    }
}

void Connection::tellSession() {
    // The change journal's triggers read the workstation's host from the session: the embedded engine
    // gives them no client address. In a transaction of its own; the session's context outlives it.
    isc_tr_handle tr = 0;
    ISC_STATUS_ARRAY status;
    isc_start_transaction(status, &tr, 1, &db_, 0, nullptr);
    throwOnError(status);
    QString host = workstationHost();
    host.replace(u'\'', QStringLiteral("''"));
    const QByteArray sql =
        toWin1251(QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER; BEGIN "
                                 "I = RDB$SET_CONTEXT('USER_SESSION', 'ZORVEL_HOST', '%1'); END")
                      .arg(host.left(200)));
    isc_dsql_execute_immediate(status, &db_, &tr, 0, sql.constData(), kDialect, nullptr);
    ISC_STATUS_ARRAY ignored;
    if (status[0] == 1 && status[1]) {
        isc_rollback_transaction(ignored, &tr);
        throwOnError(status);
    }
    isc_commit_transaction(status, &tr);
    throwOnError(status);
}

void Connection::disconnect() {
    ISC_STATUS_ARRAY status;
    if (tr_)
        isc_rollback_transaction(status, &tr_);
    tr_ = 0;
    if (db_)
        isc_detach_database(status, &db_);
    db_ = 0;
}

void Connection::startTransaction() {
    if (!db_)
        throw DataError(QStringLiteral("Нет подключения к базе данных"));
    if (tr_)
        return;
    static const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                               isc_tpb_nowait};
    ISC_STATUS_ARRAY status;
    isc_start_transaction(status, &tr_, 1, &db_, static_cast<unsigned short>(sizeof tpb), tpb);
    throwOnError(status);
}

isc_tr_handle* Connection::trHandle() {
    // Opening a dataset or running a statement starts the transaction when it is not active.
    if (!tr_)
        startTransaction();
    return &tr_;
}

void Connection::commitRetaining() {
    if (!tr_)
        throw DataError(QStringLiteral("Транзакция не активна"));
    ISC_STATUS_ARRAY status;
    isc_commit_retaining(status, &tr_);
    throwOnError(status);
}

void Connection::commit() {
    if (!tr_)
        return;
    ISC_STATUS_ARRAY status;
    isc_commit_transaction(status, &tr_);
    throwOnError(status);
    tr_ = 0;
}

void Connection::rollback() {
    if (!tr_)
        return;
    ISC_STATUS_ARRAY status;
    isc_rollback_transaction(status, &tr_);
    tr_ = 0;
}

void Connection::executeImmediate(const QString& sql) {
    if (!db_)
        throw DataError(QStringLiteral("Нет подключения к базе данных"));
    ISC_STATUS_ARRAY status;
    QByteArray text = toWin1251(sql);
    isc_dsql_execute_immediate(status, &db_, trHandle(), 0, text.constData(), kDialect, nullptr);
    throwOnError(status);
}

Savepoint::Savepoint(Connection& connection) : connection_(connection) {
    static QAtomicInt counter;
    name_ = QStringLiteral("ZORVEL_SP%1").arg(counter.fetchAndAddRelaxed(1) + 1);
    connection_.executeImmediate(QStringLiteral("SAVEPOINT ") + name_);
}

Savepoint::~Savepoint() {
    if (done_)
        return;
    try {
        connection_.executeImmediate(QStringLiteral("ROLLBACK TO SAVEPOINT ") + name_);
    } catch (const std::exception&) {
        // The connection is gone; there is nothing left to undo.
    }
}

void Savepoint::release() {
    connection_.executeImmediate(QStringLiteral("RELEASE SAVEPOINT ") + name_);
    done_ = true;
}

} // namespace zorvel
