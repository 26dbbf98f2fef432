#pragma once

#include "data/connection.h"
#include "data/dataset.h"
#include "data/query.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace zorvel {

class Messages;
class Clock;
class FileChooser;
class DocumentOpener;
class SpreadsheetOutput;
class Questions;

// The services a workstation talks to the outside through; tests put doubles in their place.
struct Services {
    Messages* messages = nullptr;
    Clock* clock = nullptr;
    FileChooser* files = nullptr;
    DocumentOpener* opener = nullptr;
    SpreadsheetOutput* spreadsheets = nullptr;
    Questions* questions = nullptr; // none: every question takes its default answer
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
    enum class StartState { NotConfigured, NotConnected, Connected };
    struct Start {
        StartState state = StartState::NotConfigured;
        QString databaseName;
        QString error; // why the connection failed
        // Indexes the fast paths rely on that the database lacks ("PEOPLE (NDOG)"); the workstation works
        // the same without them, only slower.
        QStringList missingIndexes;
    };
    // Reads key "1" of put.ini, connects, starts the transaction and opens the six table datasets in order
    // (price list, register, departments, contract clients, refunds, receipts). Datasets opened before a
    // failure stay open.
    Start start();
    Start startWith(const QString& databaseName);

    // The next contract number: one more than the largest contract number in the register (empty counts
    // as 0). A number that is not an integer stops the computation; it is returned in badNumber.
    struct ContractProposal {
        bool ok = false;
        int next = 0;
        QString badNumber;
    };
    ContractProposal proposeContractNumber();

    Connection& connection() { return connection_; }
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
    Services services_;
    Connection connection_;
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
