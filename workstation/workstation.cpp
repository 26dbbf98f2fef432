#include "workstation/workstation.h"

#include "data/change_journal.h"
#include "data/errors.h"
#include "data/required_indexes.h"
#include "data/sql_statement.h"
#include "data/tables.h"
#include "data/win1251.h"
#include "workstation/config.h"
#include "workstation/services.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

namespace zorvel {

Workstation::Workstation(Services services, ConnectionSettings settings)
    : services_(services), settings_(settings), connection_(std::move(settings)),
      prices_(connection_, praisTable()), serviceRegister_(connection_, peopleTable()),
      departments_(connection_, otdelTable()), clients_(connection_, peopleCbuxTable()),
      refunded_(connection_, peopleVTable()), receipts_(connection_, prihodTable()),
      scratch6_(connection_, QStringLiteral("pFIBDataSet6")),
      scratch7_(connection_, QStringLiteral("pFIBDataSet7")),
      scratch8_(connection_, QStringLiteral("pFIBDataSet8")), statement_(connection_) {
    prices_.setObjectName(QStringLiteral("pFIBDataSet1"));
    serviceRegister_.setObjectName(QStringLiteral("pFIBDataSet2"));
    departments_.setObjectName(QStringLiteral("pFIBDataSet3"));
    clients_.setObjectName(QStringLiteral("pFIBDataSet4"));
    refunded_.setObjectName(QStringLiteral("pFIBDataSet5"));
    receipts_.setObjectName(QStringLiteral("linz"));
}

Workstation::~Workstation() {
    if (proposal_.joinable())
        proposal_.join();
    // Datasets close before the connection commits and detaches.
    for (DataSet* d : {&prices_, &serviceRegister_, &departments_, &clients_, &refunded_, &receipts_,
                       &scratch6_, &scratch7_, &scratch8_})
        d->close();
}

Workstation::Start Workstation::start() {
    return startWith(readConfigValue(QStringLiteral("1")));
}

namespace {

bool loginRefused(const DbError& error) {
    return error.gdsCode() == isc_login;
}

} // namespace

bool Workstation::signInAndConnect(const QString& databaseName, Start& result) {
    // The sign-in is asked for when the site wants every cashier to sign in as themself, or when the
    // server refuses the built-in password; ISC_USER and ISC_PASSWORD of a script are taken as they are.
    bool ask = services_.signIn && services_.signIn->requiredAtStart() && ConnectionSettings::builtIn();
    SignIn::Credentials credentials{lastSignedIn_, {}};
    for (;;) {
        if (ask) {
            if (!services_.signIn->ask(credentials))
                return false;
            lastSignedIn_ = credentials.user.trimmed();
            if (lastSignedIn_.isEmpty()) {
                messages().error(QStringLiteral("Неверное имя пользователя или пароль"));
                continue;
            }
            connection_.setSettings(ConnectionSettings{lastSignedIn_, credentials.password, {}});
            result.signedIn = true;
        }
        try {
            connection_.connect(databaseName);
            return true;
        } catch (const DbError& error) {
            if (!loginRefused(error) || !services_.signIn || !(ask || ConnectionSettings::builtIn()))
                throw;
            if (ask)
                messages().error(QStringLiteral("Неверное имя пользователя или пароль"));
            ask = true;
        } catch (const DataError& error) {
            // A name or password too long for the connection's parameters.
            if (!ask)
                throw;
            messages().error(error.text());
        }
    }
}

void Workstation::takeRole(const QString& databaseName, Start& result) {
    // A granted role is in force only when the attachment names it: connect again with it.
    UserRights rights = userRights(connection_);
    if (!rights.heldRole.isEmpty() && rights.role != rights.heldRole) {
        ConnectionSettings withRole = connection_.settings();
        withRole.role = rights.heldRole;
        connection_.setSettings(withRole);
        try {
            connection_.connect(databaseName);
        } catch (const std::exception& e) {
            // Work on without it: the rights the user holds alone stay in force.
            result.roleRefused = errorMessage(e);
            withRole.role.clear();
            connection_.setSettings(withRole);
            connection_.connect(databaseName);
        }
        rights = userRights(connection_);
    }
    connection_.rollback();
    result.user = rights.user;
    result.administrator = rights.administrator;
    settings_ = connection_.settings();
}

Workstation::Start Workstation::startWith(const QString& databaseName) {
    Start result;
    result.databaseName = databaseName;
    if (databaseName.isEmpty())
        return result;
    try {
        if (!signInAndConnect(databaseName, result)) {
            result.state = StartState::SignInCancelled;
            return result;
        }
        takeRole(databaseName, result);
        connection_.startTransaction();
        for (DataSet* d : {&prices_, &serviceRegister_, &departments_, &clients_, &refunded_, &receipts_})
            d->open();
        result.state = StartState::Connected;
    } catch (const std::exception& e) {
        result.state = StartState::NotConnected;
        result.error = QString::fromUtf8(e.what());
        return result;
    }
    try {
        for (const RequiredIndex& index : missingIndexes(connection_))
            result.missingIndexes << index.description();
        result.journalKept = journalKept(connection_);
    } catch (const std::exception&) {
        // A server that does not let the metadata be read only loses the hint.
    }
    return result;
}

Workstation::ContractProposal Workstation::proposeContractNumber() {
    return proposeContractNumber(connection_);
}

namespace {

QString firstValue(SqlStatement& statement, int column) {
    return statement.isNull(column) ? QString() : fromWin1251(statement.value(column));
}

} // namespace

Workstation::ContractProposal Workstation::proposeContractNumber(Connection& connection) {
    ContractProposal proposal;
    // Most registers hold only plain whole numbers (or nothing): then one pass on the server gives the
    // largest, the count and the last key, and no contract number needs to travel. A number written any
    // other way (leading zeros, blanks, a sign, letters), or one the server cannot convert, sends the
    // register through the walk below, which judges each number as the cashier's field does.
    try {
        SqlStatement summary(connection);
        summary.prepare(QStringLiteral(
            "SELECT MAX(CAST(NDOG AS INTEGER)), COUNT(*), MAX(IPEOP), "
            "SUM(CASE WHEN NDOG IS NULL OR CAST(CAST(NDOG AS INTEGER) AS VARCHAR(12)) = NDOG THEN 0 ELSE 1 "
            "END) FROM PEOPLE"));
        summary.execute();
        if (summary.fetch() && firstValue(summary, 3).toInt() == 0) {
            proposal.ok = true;
            proposal.next = firstValue(summary, 0).toInt() + 1;
            proposal.rows = firstValue(summary, 1).toInt();
            proposal.largestKey = firstValue(summary, 2);
            proposal.rowKey = proposal.largestKey;
            summary.closeCursor();
            return proposal;
        }
        summary.closeCursor();
    } catch (const DbError&) {
        // A number the server cannot convert: the walk finds it.
    }
    SqlStatement numbers(connection);
    numbers.prepare(QStringLiteral("SELECT IPEOP, NDOG FROM PEOPLE ORDER BY IPEOP"));
    numbers.execute();
    int maximum = 0;
    while (numbers.fetch()) {
        ++proposal.rows;
        proposal.rowKey = firstValue(numbers, 0);
        const QString text = firstValue(numbers, 1);
        if (text.isEmpty())
            continue;
        bool ok = false;
        int value = text.toInt(&ok);
        if (!ok) {
            proposal.badNumber = text;
            numbers.closeCursor();
            proposal.rows = 0; // not counted to the end
            return proposal;
        }
        maximum = std::max(maximum, value);
    }
    proposal.largestKey = proposal.rowKey;
    proposal.ok = true;
    proposal.next = maximum + 1;
    return proposal;
}

void Workstation::proposeContractNumberInBackground(QObject* receiver,
                                                    std::function<void(const ContractProposal&)> done) {
    if (proposal_.joinable())
        proposal_.join();
    const QString database = connection_.databaseName();
    QPointer<QObject> target(receiver);
    proposal_ = std::thread([this, database, target, done = std::move(done)] {
        ContractProposal proposal;
        try {
            // Its own connection and transaction: it sees what is committed, as the register did at start.
            Connection own(settings_);
            own.connect(database);
            own.startTransaction();
            proposal = proposeContractNumber(own);
            own.commit();
        } catch (const std::exception& e) {
            proposal = ContractProposal{};
            proposal.error = errorMessage(e);
        }
        // Delivered through the application object, which outlives every window; the receiver is looked at
        // on its own thread only.
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app,
                [target, done, proposal] {
                    if (target)
                        done(proposal);
                },
                Qt::QueuedConnection);
    });
}

int Workstation::ask(const QString& text, const QString& caption, const QStringList& answers,
                     int defaultAnswer) const {
    return services_.questions ? services_.questions->ask(text, caption, answers, defaultAnswer)
                               : defaultAnswer;
}

void Workstation::commit() {
    connection_.commitRetaining();
}

} // namespace zorvel
