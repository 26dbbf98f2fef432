#include "workstation/workstation.h"

#include "workstation/config.h"
#include "workstation/services.h"
#include "data/required_indexes.h"
#include "data/tables.h"

namespace zorvel {

Workstation::Workstation(Services services, ConnectionSettings settings)
    : services_(services), connection_(std::move(settings)), prices_(connection_, praisTable()),
      serviceRegister_(connection_, peopleTable()), departments_(connection_, otdelTable()),
      clients_(connection_, peopleCbuxTable()), refunded_(connection_, peopleVTable()),
      receipts_(connection_, prihodTable()), scratch6_(connection_, QStringLiteral("pFIBDataSet6")),
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
    // Datasets close before the connection commits and detaches.
    for (DataSet* d : {&prices_, &serviceRegister_, &departments_, &clients_, &refunded_, &receipts_,
                       &scratch6_, &scratch7_, &scratch8_})
        d->close();
}

Workstation::Start Workstation::start() {
    return startWith(readConfigValue(QStringLiteral("1")));
}

Workstation::Start Workstation::startWith(const QString& databaseName) {
    Start result;
    result.databaseName = databaseName;
    if (databaseName.isEmpty())
        return result;
    try {
        connection_.connect(databaseName);
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
    } catch (const std::exception&) {
        // A server that does not let the metadata be read only loses the hint.
    }
    return result;
}

Workstation::ContractProposal Workstation::proposeContractNumber() {
    // Only the contract numbers are needed, so they are read on their own, in the register's order,
    // rather than walking every column of every row.
    ContractProposal proposal;
    DataSet numbers(connection_, QStringLiteral("contract numbers"));
    numbers.replaceSelect(QStringLiteral("SELECT NDOG FROM PEOPLE"));
    int maximum = 0;
    for (; !numbers.atEnd(); numbers.next()) {
        QString text = numbers.text(numbers.currentRow(), 0);
        if (text.isEmpty())
            continue;
        bool ok = false;
        int value = text.toInt(&ok);
        if (!ok) {
            proposal.badNumber = text;
            return proposal;
        }
        maximum = std::max(maximum, value);
    }
    proposal.ok = true;
    proposal.next = maximum + 1;
    return proposal;
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
