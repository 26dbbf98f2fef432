#pragma once

#include <QString>
#include <ibase.h>

namespace zorvel {

// Who the workstation connects as: SYSDBA with the workstation's password, unless the standard
// ISC_USER / ISC_PASSWORD variables or the sign-in say otherwise. A role is in force only when the
// attachment names it.
struct ConnectionSettings {
    QString user;
    QString password;
    QString role;
    static ConnectionSettings fromEnvironment();
    // True when neither ISC_USER nor ISC_PASSWORD is set: the built-in SYSDBA password.
    static bool builtIn();
};

// The one connection and the one transaction of a workstation (read committed, record versions, no wait,
// read-write). Commit retaining is the only commit the screens use; an active transaction is committed
// when the connection is destroyed at the end of the run.
class Connection {
public:
    explicit Connection(ConnectionSettings settings = ConnectionSettings::fromEnvironment());
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // A plain path opens the file with the embedded engine, "host:path" goes to a server.
    void connect(const QString& databaseName);
    void disconnect();
    bool isConnected() const { return db_ != 0; }
    QString databaseName() const { return databaseName_; }
    const ConnectionSettings& settings() const { return settings_; }
    void setSettings(ConnectionSettings settings) { settings_ = std::move(settings); }

    void startTransaction();
    bool inTransaction() const { return tr_ != 0; }
    void commitRetaining();
    void commit();
    void rollback();

    // Runs a statement without parameters or result inside the transaction (savepoints, DDL in tests).
    void executeImmediate(const QString& sql);

    isc_db_handle* dbHandle() { return &db_; }
    isc_tr_handle* trHandle();

private:
    void tellSession();

    ConnectionSettings settings_;
    QString databaseName_;
    isc_db_handle db_ = 0;
    isc_tr_handle tr_ = 0;
};

// Makes a batch change all-or-nothing inside the one transaction: rolled back to its start unless
// release() is reached.
class Savepoint {
public:
    explicit Savepoint(Connection& connection);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;
    void release();

private:
    Connection& connection_;
    QString name_;
    bool done_ = false;
};

// Throws DbError when the status vector holds an error.
void throwOnError(const ISC_STATUS* status);

// Builds a database parameter buffer for attach and create. Throws DataError for a user name, password
// or role longer than the buffer's items hold (255 bytes).
QByteArray databaseParameters(const ConnectionSettings& settings);

// The host name the workstation tells its session at connect (USER_SESSION "ZORVEL_HOST"): the change
// journal's address where the engine gives none.
QString workstationHost();

} // namespace zorvel
