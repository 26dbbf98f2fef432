#pragma once

#include <QString>
#include <functional>

namespace zorvel {

class DataSet;
class Workstation;

// A change written into several register records at once (the verification mark, an instalment): all
// of them or none, inside the one transaction, then one commit that keeps it open.
//
// Which records: with `contractSetOnly`, or with no filter narrowing the register's view, the records of
// the current record's contract set (the view is narrowed to it for the write and given back after);
// otherwise the records of the register's current view. Never the whole register.
//
// A record the server refuses (another workstation's lock) undoes the records written before it and is
// raised to the caller, which shows it. A failed commit shows "Нет данных для сохранения". Either way
// the register is read again afterwards and stands on the record that was current. Returns true when
// every record was written and committed.
bool writeRecords(Workstation& workstation, bool contractSetOnly,
                  const std::function<void(DataSet&)>& change);

// True when a filter that narrows the view is in force (an empty filter text shows every record).
bool viewIsNarrowed(const DataSet& serviceRegister);

} // namespace zorvel
