#include "cashdesk/register_batch.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "workstation/contract_set.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

namespace zorvel {

bool viewIsNarrowed(const DataSet& serviceRegister) {
    return serviceRegister.isFiltered() && !serviceRegister.filterText().trimmed().isEmpty();
}

bool writeRecords(Workstation& workstation, bool contractSetOnly,
                  const std::function<void(DataSet&)>& change) {
    DataSet& reg = workstation.serviceRegister();
    if (!reg.isOpen() || reg.currentRow() < 0)
        return false;
    if (reg.state() != DataSet::State::Browse)
        reg.post();
    const RecordPosition position = currentPosition(reg);
    const QString previousFilter = reg.filterText();
    const bool wasFiltered = reg.isFiltered();
    bool narrowHere = false;
    QString contractSet;
    if (contractSetOnly || !viewIsNarrowed(reg)) {
        contractSet = contractSetFilter(reg);
        // A view already narrowed to the contract (the contract or instalments window) is used as it is.
        narrowHere = !(wasFiltered && previousFilter == contractSet);
    }
    auto restoreView = [&] {
        if (narrowHere) {
            reg.setFiltered(false);
            reg.setFilterText(previousFilter);
            reg.setFiltered(wasFiltered);
        }
        // The records are read again, as the server has them now.
        reg.close();
        reg.open();
        moveTo(reg, position);
    };

    try {
        Savepoint savepoint(workstation.connection());
        if (narrowHere) {
            reg.setFiltered(false);
            reg.setFilterText(contractSet);
            reg.setFiltered(true);
        }
        for (reg.first(); !reg.atEnd(); reg.next()) {
            reg.edit();
            change(reg);
            reg.post();
        }
        savepoint.release();
    } catch (...) {
        // Rolled back to the savepoint when it went out of scope: no record keeps the change.
        reg.cancel();
        restoreView();
        throw;
    }
    bool committed = true;
    try {
        workstation.commit();
    } catch (const std::exception&) {
        workstation.messages().error(QStringLiteral("Нет данных для сохранения"));
        committed = false;
    }
    restoreView();
    return committed;
}

} // namespace zorvel
