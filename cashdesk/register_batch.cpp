#include "cashdesk/register_batch.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "data/sql_statement.h"
#include "data/win1251.h"
#include "workstation/contract_set.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <map>

namespace zorvel {

namespace {

// The columns that name a contract set, in the order of the condition below.
const char* const kContractColumns[] = {"FAM", "NAM", "OTH", "DATA_USL", "NDOG"};

// Columns equal to values, as a condition and the parameters it takes. Empty and NULL are one value for
// the screens (an empty text is stored as NULL, an existing database may hold empty texts); trailing
// blanks do not count, as in the server's own comparison of texts, so CHAR columns compare like VARCHAR
// ones. A plain "column = ?" lets the server use an index on the column where the database has one;
// `negatable` gives terms that are never NULL, so that "not (...)" holds for a record with NULL columns.
struct Condition {
    QString text;
    std::vector<QByteArray> parameters;
};

QString withoutTrailingBlanks(QString text);

Condition equalityCondition(const QStringList& columns, const QStringList& values, bool negatable = false) {
    Condition condition;
    QStringList terms;
    for (int i = 0; i < columns.size(); ++i) {
        const QString value = withoutTrailingBlanks(values[i]);
        if (negatable) {
            terms << QStringLiteral("coalesce(%1, '') = ?").arg(columns[i]);
            condition.parameters.push_back(toWin1251(value));
        } else if (value.isEmpty()) {
            terms << QStringLiteral("(%1 IS NULL OR %1 = '')").arg(columns[i]);
        } else {
            terms << QStringLiteral("%1 = ?").arg(columns[i]);
            condition.parameters.push_back(toWin1251(value));
        }
    }
    condition.text = terms.join(QStringLiteral(" and "));
    return condition;
}

void bindFrom(SqlStatement& statement, int first, const std::vector<QByteArray>& parameters) {
    for (size_t i = 0; i < parameters.size(); ++i)
        statement.bind(first + static_cast<int>(i), parameters[i]);
}

std::optional<QByteArray> valueOrNull(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    return toWin1251(text);
}

QString columnText(const SqlStatement& statement, int column) {
    return statement.isNull(column) ? QString() : fromWin1251(statement.value(column));
}

QString withoutTrailingBlanks(QString text) {
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

bool sameText(const QString& a, const QString& b) {
    return withoutTrailingBlanks(a) == withoutTrailingBlanks(b);
}

[[noreturn]] void refuse(const QString& text) {
    throw DbError(text, 0, false);
}

QStringList currentValues(const DataSet& reg, const QStringList& columns) {
    QStringList values;
    for (const QString& c : columns)
        values << reg.fieldText(c);
    return values;
}

// The record with that key, locked until the commit; nothing when the server no longer has it.
std::optional<QStringList> lockRecord(Connection& connection, const QString& key,
                                      const QStringList& columns) {
    SqlStatement select(connection);
    select.prepare(QStringLiteral("SELECT %1 FROM PEOPLE WHERE IPEOP = ? WITH LOCK")
                       .arg(columns.join(QStringLiteral(", "))));
    select.bind(0, toWin1251(key));
    select.execute();
    if (!select.fetch())
        return std::nullopt;
    QStringList values;
    for (int i = 0; i < columns.size(); ++i)
        values << columnText(select, i);
    select.closeCursor();
    return values;
}

// True when another workstation changed one of the columns after this one read `asRead`, to something
// else than what this one is about to write.
bool changedElsewhere(const QStringList& asRead, const QStringList& onServer, const QStringList& values) {
    for (int i = 0; i < asRead.size(); ++i)
        if (!sameText(onServer[i], asRead[i]) && !sameText(onServer[i], values[i]))
            return true;
    return false;
}

void reread(DataSet& reg, const RecordPosition& position) {
    reg.close();
    reg.open();
    moveTo(reg, position);
}

} // namespace

QString changedElsewhereMessage() {
    return QStringLiteral("Записи изменены на другом рабочем месте после того, как были прочитаны здесь. "
                          "Изменение не записано; данные перечитаны, повторите его.");
}

bool viewIsNarrowed(const DataSet& serviceRegister) {
    return serviceRegister.isFiltered() && !serviceRegister.filterText().trimmed().isEmpty();
}

bool runBatch(Workstation& workstation, const std::function<void()>& write) {
    DataSet& reg = workstation.serviceRegister();
    if (!reg.isOpen() || reg.currentRow() < 0)
        return false;
    if (reg.state() != DataSet::State::Browse)
        reg.post();
    const RecordPosition position = currentPosition(reg);
    try {
        Savepoint savepoint(workstation.connection());
        write();
        savepoint.release();
    } catch (...) {
        // Rolled back to the savepoint when it went out of scope: no record keeps the change.
        reread(reg, position);
        throw;
    }
    bool committed = true;
    try {
        workstation.commit();
    } catch (const std::exception&) {
        workstation.messages().error(QStringLiteral("Нет данных для сохранения"));
        committed = false;
    }
    // The records are read again, as the server has them now, the other workstations' work included.
    reread(reg, position);
    return committed;
}

std::vector<LockedRecord> lockContractSet(Workstation& workstation, const QStringList& columns) {
    DataSet& reg = workstation.serviceRegister();
    QStringList setColumns;
    for (const char* c : kContractColumns)
        setColumns << QString::fromLatin1(c);
    const Condition condition = equalityCondition(setColumns, currentValues(reg, setColumns));
    SqlStatement select(workstation.connection());
    select.prepare(QStringLiteral("SELECT IPEOP, %1 FROM PEOPLE WHERE %2 WITH LOCK")
                       .arg(columns.join(QStringLiteral(", ")), condition.text));
    bindFrom(select, 0, condition.parameters);
    select.execute();
    std::vector<LockedRecord> records;
    while (select.fetch()) {
        LockedRecord record;
        record.key = columnText(select, 0);
        for (int i = 0; i < columns.size(); ++i)
            record.values << columnText(select, i + 1);
        records.push_back(std::move(record));
    }
    return records;
}

void updateRecord(Connection& connection, const QString& key, const QStringList& columns,
                  const QStringList& values) {
    QStringList sets;
    for (const QString& c : columns)
        sets << c + QStringLiteral(" = ?");
    SqlStatement update(connection);
    update.prepare(
        QStringLiteral("UPDATE PEOPLE SET %1 WHERE IPEOP = ?").arg(sets.join(QStringLiteral(", "))));
    for (int i = 0; i < values.size(); ++i)
        update.bind(i, valueOrNull(values[i]));
    update.bind(static_cast<int>(values.size()), toWin1251(key));
    update.execute();
}

bool writeRecords(Workstation& workstation, bool contractSetOnly, const QStringList& columns,
                  const QStringList& values) {
    DataSet& reg = workstation.serviceRegister();
    if (!reg.isOpen() || reg.currentRow() < 0)
        return false;
    if (reg.state() != DataSet::State::Browse)
        reg.post();
    const bool wholeContract = contractSetOnly || !viewIsNarrowed(reg);
    // The records as this workstation read them: key and the values of the columns to write.
    const QString currentKey = reg.fieldText(QStringLiteral("IPEOP"));
    std::map<QString, QStringList> asRead;
    if (wholeContract) {
        // The cashier saw the current record (the mark and the passport window show it); the other
        // records of the contract carry the same values.
        asRead[currentKey] = currentValues(reg, columns);
    } else {
        const int keyColumn = reg.fieldIndex(QStringLiteral("IPEOP"));
        std::vector<int> columnIndex;
        for (const QString& c : columns)
            columnIndex.push_back(reg.fieldIndex(c));
        reg.fetchAll();
        for (int row = 0; row < reg.fetchedCount(); ++row) {
            QStringList read;
            for (int c : columnIndex)
                read << reg.text(row, c);
            asRead[reg.text(row, keyColumn)] = read;
        }
    }
    return runBatch(workstation, [&] {
        Connection& connection = workstation.connection();
        std::vector<LockedRecord> records;
        if (wholeContract) {
            records = lockContractSet(workstation, columns);
            bool currentFound = false;
            for (const LockedRecord& r : records)
                currentFound = currentFound || r.key == currentKey;
            // The current record left its contract (or the register) on another workstation.
            if (!currentFound)
                refuse(changedElsewhereMessage());
        } else {
            for (const auto& [key, read] : asRead)
                // A record removed on another workstation meanwhile (a refund) has nothing to write.
                if (std::optional<QStringList> onServer = lockRecord(connection, key, columns))
                    records.push_back({key, *onServer});
        }
        for (const LockedRecord& r : records) {
            auto read = asRead.find(r.key);
            if (read != asRead.end() && changedElsewhere(read->second, r.values, values))
                refuse(changedElsewhereMessage());
        }
        for (const LockedRecord& r : records)
            updateRecord(connection, r.key, columns, values);
    });
}

void editCurrentRecord(Workstation& workstation) {
    DataSet& reg = workstation.serviceRegister();
    if (!reg.isOpen() || reg.currentRow() < 0)
        throw DataError(QStringLiteral("Нет текущей записи"));
    if (reg.state() != DataSet::State::Browse)
        return;
    QStringList columns;
    for (const DataSet::Field& f : reg.fields())
        columns << f.name;
    const QStringList read = currentValues(reg, columns);
    const std::optional<QStringList> onServer =
        lockRecord(workstation.connection(), reg.fieldText(QStringLiteral("IPEOP")), columns);
    bool same = onServer.has_value();
    for (int i = 0; same && i < columns.size(); ++i)
        same = sameText(read[i], (*onServer)[i]);
    if (!same) {
        // The cashier sees the record as it is now and makes the change again on it.
        reread(reg, currentPosition(reg));
        refuse(changedElsewhereMessage());
    }
    reg.edit();
}

std::optional<QString> otherPatientOfContract(Connection& connection, const QString& contract,
                                              const QStringList& patient) {
    const QString number = withoutTrailingBlanks(contract);
    if (number.isEmpty())
        return std::nullopt;
    const Condition samePatient = equalityCondition(
        {QStringLiteral("FAM"), QStringLiteral("NAM"), QStringLiteral("OTH")}, patient.mid(0, 3), true);
    SqlStatement select(connection);
    select.prepare(QStringLiteral("SELECT FIRST 1 FAM, NAM, OTH FROM PEOPLE WHERE NDOG = ? and not (%1)")
                       .arg(samePatient.text));
    select.bind(0, toWin1251(number));
    bindFrom(select, 1, samePatient.parameters);
    select.execute();
    if (!select.fetch())
        return std::nullopt;
    QStringList holder;
    for (int i = 0; i < 3; ++i)
        if (const QString part = columnText(select, i).trimmed(); !part.isEmpty())
            holder << part;
    select.closeCursor();
    return holder.join(QLatin1Char(' '));
}

} // namespace zorvel
