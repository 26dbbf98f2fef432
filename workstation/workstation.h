#pragma once

#include "data/connection.h"
#include "data/dataset.h"
#include "data/query.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <thread>

class QObject;

namespace zorvel {

class Messages;
class Clock;
class FileChooser;
class DocumentOpener;
class SpreadsheetOutput;
class Questions;
class SignIn;

// The services a workstation talks to the outside through; tests put doubles in their place.
struct Services {
    Messages* messages = nullptr;
    Clock* clock = nullptr;
    FileChooser* files = nullptr;
    DocumentOpener* opener = nullptr;
    SpreadsheetOutput* spreadsheets = nullptr;
    Questions* questions = nullptr; // none: every question takes its default answer
    SignIn* signIn = nullptr;       // none: the run connects as the settings say, never asking
};

// What one workstation owns for the whole run: the connection and its one transaction, the datasets
// bound to the six tables, the scratch datasets whose select text the screens replace, the statement
// object, and the services. Windows receive it and share its datasets: a filter one window sets on the
// price list, the departments or the register is in force for every window.
class Workstation {
public:
    explicit Workstation(Services services,
                         ConnectionSettings settings = ConnectionSettings::fromEnvironment());
    ~Workstation();

    // How the connection at start went.
    enum class StartState { NotConfigured, NotConnected, Connected, SignInCancelled };
    struct Start {
        StartState state = StartState::NotConfigured;
        QString databaseName;
        QString error; // why the connection failed
        // Indexes the fast paths rely on that the database lacks ("PEOPLE (NDOG)"); the workstation works
        // the same without them, only slower.
        QStringList missingIndexes;
        // Who is connected, and whether the database lets them use the administrator's commands (SYSDBA,
        // the database's owner, or the role ZORVEL_ADMIN).
        QString user;
        bool signedIn = false; // through the sign-in
        bool administrator = false;
        bool journalKept = true;
        QString roleRefused; // the server's reason when the user's role could not be taken
    };
    // Reads key "1" of put.ini, connects (asking who signs in when zorvel.conf's [security] says
    // sign_in = yes or the server refuses the built-in password), takes the user's role, starts the
    // transaction and opens the six table datasets in order (price list, register, departments, contract
    // clients, refunds, receipts). Datasets opened before a failure stay open.
    Start start();
    Start startWith(const QString& databaseName);

    // The next contract number: one more than the largest contract number in the register, walked in the
    // register's order (empty counts as 0). A number that is not an integer stops the walk; it is returned
    // in badNumber. The walk leaves the register on its last record, or on the record with the bad number:
    // rowKey is that record's key. rows and largestKey count the register, for the register dataset.
    struct ContractProposal {
        bool ok = false;
        int next = 0;
        QString badNumber;
        QString rowKey;
        int rows = 0;
        QString largestKey;
        QString error; // the computation itself failed (the connection)
    };
    ContractProposal proposeContractNumber();
    static ContractProposal proposeContractNumber(Connection& connection);
    // The same on a connection of its own on another thread, so that a large register does not hold the
    // window; `done` runs on receiver's thread. Waited for when the workstation ends.
    void proposeContractNumberInBackground(QObject* receiver,
                                           std::function<void(const ContractProposal&)> done);

    Connection& connection() { return connection_; }
    // The name the sign-in starts with (the last one signed in on this computer).
    void setLastSignedIn(const QString& user) { lastSignedIn_ = user; }
    QString lastSignedIn() const { return lastSignedIn_; }
    const Services& services() const { return services_; }
    Messages& messages() const { return *services_.messages; }
    Clock& clock() const { return *services_.clock; }
    SpreadsheetOutput& spreadsheets() const { return *services_.spreadsheets; }
    // Asks the user; without a question service the default answer is taken.
    int ask(const QString& text, const QString& caption, const QStringList& answers, int defaultAnswer) const;

    DataSet& prices() { return prices_; }                   // pFIBDataSet1, PRAIS
    DataSet& serviceRegister() { return serviceRegister_; } // pFIBDataSet2, PEOPLE
    DataSet& departments() { return departments_; }         // pFIBDataSet3, OTDEL
    DataSet& clientRegister() { return clients_; }          // pFIBDataSet4, PEOPLECBUX
    DataSet& refundedRegister() { return refunded_; }       // pFIBDataSet5, PEOPLEV
    DataSet& receipts() { return receipts_; }               // linz, PRIHOD
    DataSet& debts() { return scratch6_; }                  // pFIBDataSet6
    DataSet& scratch7() { return scratch7_; }               // pFIBDataSet7
    DataSet& scratch8() { return scratch8_; }               // pFIBDataSet8
    Query& statement() { return statement_; }               // pFIBQuery1

    // Commit retaining, as every save does it.
    void commit();

private:
    // Connects, asking who signs in when it must; false when the user gave up.
    bool signInAndConnect(const QString& databaseName, Start& result);
    // Connects again with the workstation's role the user holds, and tells who they are.
    void takeRole(const QString& databaseName, Start& result);

    Services services_;
    QString lastSignedIn_;
    ConnectionSettings settings_;
    Connection connection_;
    std::thread proposal_;
    DataSet prices_;
    DataSet serviceRegister_;
    DataSet departments_;
    DataSet clients_;
    DataSet refunded_;
    DataSet receipts_;
    DataSet scratch6_;
    DataSet scratch7_;
    DataSet scratch8_;
    Query statement_;
};

} // namespace zorvel
