#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace zorvel {

class Connection;
class DataSet;
class Workstation;

// Changes written into register records while other workstations work on the same register. Each
// workstation reads the records at one moment and writes later; what it writes is therefore computed
// from the records as the server holds them at the moment of writing, read under a lock that keeps
// every other workstation out until the commit. A record another workstation holds (uncommitted) gives
// the lock conflict at once, as every write does.

// A change of several records (the verification mark, the passport data, an instalment): all of them or
// none, inside a savepoint of the one transaction, then one commit that keeps it open. A failed commit
// shows "Нет данных для сохранения". Either way the register is read again afterwards (so it shows what
// the others saved) and stands on the record that was current. An error inside `write` undoes the
// records written before it and is raised to the caller. Returns true when written and committed.
bool runBatch(Workstation& workstation, const std::function<void()>& write);

// Writes `values` into `columns` of the records that a batch change touches: with `contractSetOnly`, or
// with no filter narrowing the register's view, the current record's contract set as the server holds
// it now (records another workstation added to the contract included); otherwise the records of the
// register's current view. Never the whole register. Only these columns are written, so what another
// workstation changed in other columns of the records stays. A record whose written columns another
// workstation changed (and committed) after this one read them is not written over: the change is
// refused with a message and nothing is written.
bool writeRecords(Workstation& workstation, bool contractSetOnly, const QStringList& columns,
                  const QStringList& values);

// True when a filter that narrows the view is in force (an empty filter text shows every record).
bool viewIsNarrowed(const DataSet& serviceRegister);

// The current record's contract set on the server, locked until the commit: each record's key and the
// values of `columns`.
struct LockedRecord {
    QString key;
    QStringList values;
};
std::vector<LockedRecord> lockContractSet(Workstation& workstation, const QStringList& columns);
void updateRecord(Connection& connection, const QString& key, const QStringList& columns,
                  const QStringList& values);

// Puts the register's current record into edit mode for the record editor, only when the server still
// holds it as this workstation read it; the record stays locked until the next commit, so no other
// workstation changes it before this one posts. A record changed or removed on another workstation is
// read again and the edit is refused with a message. A record already being edited is left as it is.
void editCurrentRecord(Workstation& workstation);

// Another patient whose services hold the contract number on the server (committed work), as surname,
// first name and patronymic; nothing when no other patient's services hold it.
std::optional<QString> otherPatientOfContract(Connection& connection, const QString& contract,
                                              const QStringList& patient);

// The message of a change refused because another workstation changed the records first.
QString changedElsewhereMessage();

} // namespace zorvel
