#include "data/dataset.h"

#include "data/connection.h"
#include "data/errors.h"
#include "data/filter.h"
#include "data/sql_statement.h"
#include "data/win1251.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace zorvel {

namespace {

constexpr quint16 kNull = 0xFFFF;
// Rows read by open before anything asks for more: a screenful of a grid and then some.
constexpr int kFirstFetch = 200;
// Rows read at a time when a grid or a move needs rows not read yet.
constexpr int kPage = 256;
// A row this close to rows already read is reached by reading on from them; farther rows are read by
// their position on the server.
constexpr int kNear = 4 * kPage;

void appendNull(std::string& row) {
    row.push_back(static_cast<char>(0xFF));
    row.push_back(static_cast<char>(0xFF));
}

void appendValue(std::string& row, std::string_view value) {
    auto len = static_cast<quint16>(std::min<size_t>(value.size(), 0xFFFE));
    row.push_back(static_cast<char>(len & 0xFF));
    row.push_back(static_cast<char>(len >> 8));
    row.append(value.data(), len);
}

bool isWholeNumber(const QString& text) {
    bool ok = false;
    text.trimmed().toLongLong(&ok);
    return ok;
}

std::optional<QByteArray> bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

std::optional<QByteArray> keyBytes(qint64 key) {
    return QByteArray::number(key);
}

std::string_view trimmedRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

std::optional<std::string_view> rowValue(const std::string& row, int column) {
    size_t pos = 0;
    for (int i = 0;; ++i) {
        if (pos + 2 > row.size())
            return std::nullopt;
        auto len = static_cast<quint16>(static_cast<unsigned char>(row[pos]) |
                                        (static_cast<unsigned char>(row[pos + 1]) << 8));
        pos += 2;
        if (i == column) {
            if (len == kNull)
                return std::nullopt;
            return std::string_view(row.data() + pos, len);
        }
        if (len != kNull)
            pos += len;
    }
}

DataSet::DataSet(Connection& connection, const TableDescription& table, QObject* parent)
    : QObject(parent), connection_(connection), table_(&table), name_(table.table),
      selectSql_(table.selectSql()) {}

DataSet::DataSet(Connection& connection, const QString& name, QObject* parent)
    : QObject(parent), connection_(connection), name_(name) {}

DataSet::~DataSet() = default;

void DataSet::setSelectSql(const QString& sql) {
    selectSql_ = sql;
}

void DataSet::replaceSelect(const QString& sql) {
    close();
    setSelectSql(sql);
    open();
}

// ---- opening and reading ----------------------------------------------------------------------------

void DataSet::open() {
    if (isOpen())
        return;
    if (selectSql_.trimmed().isEmpty())
        throw DataError(QStringLiteral("%1: не задан текст запроса").arg(name_));
    if (!select_)
        select_ = std::make_unique<SqlStatement>(connection_);
    select_->prepare(selectSql_);
    makeFields();
    // A table read with its own select text is read by key pages in the key's order; any other select
    // through its cursor.
    byKey_ = table_ && keyColumn_ >= 0 && fields_[static_cast<size_t>(keyColumn_)].integer &&
             selectSql_ == table_->selectSql();
    segments_.assign(1, Segment{});
    total_.reset();
    complete_ = false;
    pending_ = -1;
    state_ = State::Browse;
    opening_ = true;
    try {
        if (filtered_)
            compileFilter();
        if (!byKey_)
            select_->execute();
        else
            select_->closeCursor();
        extendForward(0, kFirstFetch);
        // With the table counted before, the rows saved since are counted at once (by the key's index), so
        // that a grid learns the whole number of rows with the opening rather than in a second step.
        if (!complete_ && counted_.valid && (!filtered_ || terms_.empty()))
            ensureTotal();
        opening_ = false;
    } catch (...) {
        opening_ = false;
        close();
        throw;
    }
    current_ = visibleCount() > 0 ? 0 : -1;
    eof_ = current_ < 0;
    emit reset();
    emit currentChanged(current_);
}

void DataSet::close() {
    if (!isOpen())
        return;
    if (select_)
        select_->closeCursor();
    segments_.clear();
    segments_.shrink_to_fit();
    buffer_.clear();
    total_.reset();
    complete_ = true;
    pending_ = -1;
    current_ = -1;
    eof_ = true;
    state_ = State::Closed;
    emit reset();
}

void DataSet::reload() {
    // The rows are read again under the filter now in force, from the first one.
    if (select_)
        select_->closeCursor();
    segments_.assign(1, Segment{});
    total_.reset();
    complete_ = false;
    pending_ = -1;
    buffer_.clear();
    state_ = State::Browse;
    opening_ = true;
    try {
        if (!byKey_)
            select_->execute();
        extendForward(0, kFirstFetch);
    } catch (...) {
        opening_ = false;
        emit reset();
        throw;
    }
    opening_ = false;
    current_ = visibleCount() > 0 ? 0 : -1;
    eof_ = current_ < 0;
    emit reset();
    emit currentChanged(current_);
}

void DataSet::makeFields() {
    fields_.clear();
    std::vector<QString> reported;
    for (int i = 0; i < select_->columnCount(); ++i)
        reported.push_back(select_->column(i).name);
    std::vector<QString> names = nameResultColumns(reported);
    for (int i = 0; i < select_->columnCount(); ++i) {
        const ColumnInfo& c = select_->column(i);
        Field f;
        f.name = names[static_cast<size_t>(i)];
        f.label = f.name;
        f.integer = (c.type == SQL_SHORT || c.type == SQL_LONG || c.type == SQL_INT64) && c.scale == 0;
        f.width = (c.type == SQL_VARYING || c.type == SQL_TEXT) ? c.length : 0;
        if (table_) {
            for (const auto& d : table_->columns)
                if (d.name == f.name) {
                    f.label = d.label;
                    f.width = d.type == ColumnType::Text ? d.width : 0;
                    f.integer = d.type == ColumnType::Integer;
                }
        }
        fields_.push_back(f);
    }
    keyColumn_ = table_ ? fieldIndex(table_->key) : -1;
}

std::string DataSet::readRow(SqlStatement& statement) {
    std::string row;
    row.reserve(64);
    const int n = statement.columnCount();
    for (int i = 0; i < n; ++i) {
        if (statement.isNull(i)) {
            appendNull(row);
            continue;
        }
        size_t lenPos = row.size();
        row.append(2, '\0');
        statement.appendValue(i, row);
        size_t len = std::min<size_t>(row.size() - lenPos - 2, 0xFFFE);
        row.resize(lenPos + 2 + len);
        row[lenPos] = static_cast<char>(len & 0xFF);
        row[lenPos + 1] = static_cast<char>(len >> 8);
    }
    return row;
}

std::vector<std::string> DataSet::readAll(SqlStatement& statement,
                                          const std::vector<std::optional<QByteArray>>& values) {
    statement.bindAll(values);
    statement.execute();
    std::vector<std::string> rows;
    while (statement.fetch())
        rows.push_back(readRow(statement));
    return rows;
}

SqlStatement& DataSet::statement(const QString& sql) {
    for (auto& [text, prepared] : statements_)
        if (text == sql)
            return *prepared;
    auto prepared = std::make_unique<SqlStatement>(connection_);
    prepared->prepare(sql);
    statements_.emplace_back(sql, std::move(prepared));
    return *statements_.back().second;
}

qint64 DataSet::keyOf(const std::string& row) const {
    auto key = rowValue(row, keyColumn_);
    qint64 value = 0;
    if (key)
        std::from_chars(key->data(), key->data() + key->size(), value);
    return value;
}

QString DataSet::columnsSql() const {
    QStringList names;
    for (const Field& f : fields_)
        names << f.name;
    return names.join(QStringLiteral(", "));
}

QString DataSet::termSql(int column, bool prefix, bool empty) const {
    const Field& f = fields_[static_cast<size_t>(column)];
    // An integer column is compared by its digits, as the rows show it.
    const QString text = f.integer ? QStringLiteral("CAST(%1 AS VARCHAR(20))").arg(f.name) : f.name;
    if (prefix)
        return text + QStringLiteral(" STARTING WITH ?");
    // An empty text is stored as NULL: an empty value finds both.
    if (empty)
        return f.integer ? QStringLiteral("%1 IS NULL").arg(f.name)
                         : QStringLiteral("(%1 IS NULL OR %1 = '')").arg(f.name);
    return text + QStringLiteral(" = ?");
}

QString DataSet::whereSql(QStringList conditions) const {
    if (filtered_)
        for (const CompiledTerm& t : terms_)
            if (!(t.prefix && t.value.empty()))
                conditions << termSql(t.column, t.prefix, t.value.empty());
    return conditions.isEmpty() ? QString()
                                : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

std::vector<std::optional<QByteArray>>
DataSet::whereValues(std::vector<std::optional<QByteArray>> values) const {
    if (filtered_)
        for (const CompiledTerm& t : terms_)
            if (!t.value.empty())
                values.push_back(bytes(t.value));
    return values;
}

QString DataSet::pageSql(int count, const QStringList& conditions, bool descending) const {
    return QStringLiteral("SELECT FIRST %1 %2 FROM %3%4 ORDER BY %5%6")
        .arg(count)
        .arg(columnsSql(), table_->table, whereSql(conditions), table_->key,
             descending ? QStringLiteral(" DESC") : QString());
}

bool DataSet::fetchScratchRow() {
    if (!select_->fetch())
        return false;
    std::string row = readRow(*select_);
    if (!filtered_ || passesFilter(row))
        segments_[0].rows.push_back(std::move(row));
    return true;
}

// ---- positions ----------------------------------------------------------------------------------------

int DataSet::storedCount() const {
    if (segments_.empty())
        return 0;
    if (complete_ || !total_)
        return static_cast<int>(segments_[0].rows.size());
    return *total_;
}

int DataSet::visibleCount() const {
    return storedCount() + (pending_ >= 0 ? 1 : 0);
}

int DataSet::storedPosition(int visibleRow) const {
    return pending_ >= 0 && visibleRow > pending_ ? visibleRow - 1 : visibleRow;
}

int DataSet::segmentStart(size_t segment) const {
    if (segment == 0)
        return 0;
    const Segment& s = segments_[segment];
    return total_.value_or(0) - s.after - static_cast<int>(s.rows.size());
}

std::pair<size_t, size_t> DataSet::locateStored(int position) const {
    for (size_t i = 0; i < segments_.size(); ++i) {
        const int start = segmentStart(i);
        if (position >= start && position < start + static_cast<int>(segments_[i].rows.size()))
            return {i, static_cast<size_t>(position - start)};
    }
    return {segments_.size(), 0};
}

const std::string* DataSet::storedRow(int position) const {
    auto [segment, index] = locateStored(position);
    return segment < segments_.size() ? &segments_[segment].rows[index] : nullptr;
}

int DataSet::fetchedCount() const {
    return isOpen() ? visibleCount() : 0;
}

bool DataSet::canFetchMore() const {
    return isOpen() && !complete_ && !total_;
}

void DataSet::fetchMore(int count) {
    if (!canFetchMore())
        return;
    extendForward(0, count);
}

void DataSet::fetchAll() {
    if (!isOpen() || complete_)
        return;
    if (!byKey_) {
        while (!complete_)
            extendForward(0, 4096);
        return;
    }
    // On from the first rows, joining whatever was read further on as the reading reaches it.
    while (!complete_) {
        const size_t rows = segments_[0].rows.size();
        const size_t segments = segments_.size();
        extendForward(0, 4096);
        if (segments_[0].rows.size() == rows && segments_.size() == segments)
            break;
    }
}

bool DataSet::ensureVisible(int visibleRow) {
    if (!isOpen() || visibleRow < 0)
        return false;
    for (;;) {
        if (visibleRow < visibleCount()) {
            if (visibleRow == pending_)
                return true;
            const int stored = storedPosition(visibleRow);
            if (!storedRow(stored) && !readRows(stored))
                return false;
            // Reading may have corrected the count; the row may now lie beyond the end.
            if (visibleRow < visibleCount())
                return true;
            continue;
        }
        if (complete_ || total_)
            return false;
        const size_t before = segments_[0].rows.size();
        extendForward(0, std::max(kPage, visibleRow - visibleCount() + 1));
        if (segments_[0].rows.size() == before && !total_ && !complete_)
            return false;
    }
}

bool DataSet::readRows(int position) {
    // Reads the rows around a stored position that is not read yet: on from the rows before it, back from
    // the rows after it, or at its place on the server when it is far from both.
    for (int attempt = 0; attempt < 64; ++attempt) {
        if (position < 0 || position >= storedCount())
            return false;
        if (storedRow(position))
            return true;
        if (!total_) {
            extendForward(0, std::max(kPage, position - static_cast<int>(segments_[0].rows.size()) + 1));
            continue;
        }
        size_t before = 0;
        for (size_t i = 0; i < segments_.size(); ++i)
            if (segmentStart(i) <= position)
                before = i;
        const int beforeEnd = segmentStart(before) + static_cast<int>(segments_[before].rows.size());
        const bool hasAfter = before + 1 < segments_.size();
        const int afterStart = hasAfter ? segmentStart(before + 1) : *total_;
        const int fromBefore = position - beforeEnd;
        const int fromAfter = afterStart - 1 - position;
        if (fromBefore <= kNear && fromBefore <= fromAfter)
            extendForward(before, std::max(kPage, fromBefore + 1));
        else if (fromAfter <= kNear && hasAfter)
            extendBackward(before + 1, std::max(kPage, fromAfter + 1));
        else if (fromAfter <= kNear)
            readLastRows(std::max(kPage, fromAfter + 1));
        else
            readRowsFrom(position, kPage);
    }
    return storedRow(position) != nullptr;
}

bool DataSet::extendForward(size_t segment, int count) {
    if (!byKey_) {
        const size_t before = segments_[0].rows.size();
        const int visibleBefore = visibleCount();
        while (static_cast<int>(segments_[0].rows.size() - before) < count) {
            if (!fetchScratchRow()) {
                complete_ = true;
                break;
            }
        }
        if (visibleCount() > visibleBefore && !opening_)
            emit rowsAppended(visibleBefore, visibleCount() - 1);
        return segments_[0].rows.size() > before;
    }
    Segment& s = segments_[segment];
    QStringList conditions;
    std::vector<std::optional<QByteArray>> values;
    if (!s.keys.empty()) {
        conditions << table_->key + QStringLiteral(" > ?");
        values.push_back(keyBytes(s.keys.back()));
    }
    const bool hasNext = segment + 1 < segments_.size();
    if (hasNext) {
        conditions << table_->key + QStringLiteral(" < ?");
        values.push_back(keyBytes(segments_[segment + 1].keys.front()));
    }
    const int visibleBefore = visibleCount();
    std::vector<std::string> rows =
        readAll(statement(pageSql(count, conditions, false)), whereValues(values));
    Segment& grown = segments_[segment];
    for (auto& row : rows) {
        grown.keys.push_back(keyOf(row));
        grown.rows.push_back(std::move(row));
    }
    if (segment > 0)
        grown.after -= static_cast<int>(rows.size());
    if (static_cast<int>(rows.size()) < count) {
        if (hasNext) {
            mergeSegments(segment);
        } else if (segment == 0) {
            complete_ = true;
            if (total_ && *total_ != static_cast<int>(grown.rows.size())) {
                total_ = static_cast<int>(grown.rows.size());
                emit reset();
                emit currentChanged(current_);
            }
            total_.reset();
        } else if (grown.after != 0) {
            correctGap(segment, -grown.after);
        }
    } else if (segment > 0 && hasNext) {
        const Segment& next = segments_[segment + 1];
        const int least = next.after + static_cast<int>(next.rows.size());
        if (grown.after < least)
            correctGap(segment, least - grown.after);
    } else if (segment > 0 && grown.after < 0) {
        correctGap(segment, -grown.after);
    }
    if (segment == 0 && !total_ && visibleCount() > visibleBefore && !opening_)
        emit rowsAppended(visibleBefore, visibleCount() - 1);
    return !rows.empty();
}

bool DataSet::extendBackward(size_t segment, int count) {
    Segment& s = segments_[segment];
    QStringList conditions{table_->key + QStringLiteral(" < ?")};
    std::vector<std::optional<QByteArray>> values{keyBytes(s.keys.front())};
    const Segment& previous = segments_[segment - 1];
    if (!previous.keys.empty()) {
        // Read back along the key's descending index: the lower bound must not take the key's own index.
        conditions << table_->key + QStringLiteral("+0 > ?");
        values.push_back(keyBytes(previous.keys.back()));
    }
    std::vector<std::string> rows = readAll(statement(pageSql(count, conditions, true)), whereValues(values));
    Segment& grown = segments_[segment];
    std::reverse(rows.begin(), rows.end());
    std::vector<qint64> keys;
    for (const auto& row : rows)
        keys.push_back(keyOf(row));
    grown.keys.insert(grown.keys.begin(), keys.begin(), keys.end());
    grown.rows.insert(grown.rows.begin(), std::make_move_iterator(rows.begin()),
                      std::make_move_iterator(rows.end()));
    if (static_cast<int>(keys.size()) < count)
        mergeSegments(segment - 1);
    else if (segmentStart(segment) < segmentStart(segment - 1) + static_cast<int>(previous.rows.size()) + 1)
        correctGap(segment - 1, segmentStart(segment - 1) +
                                    static_cast<int>(segments_[segment - 1].rows.size()) + 1 -
                                    segmentStart(segment));
    return !keys.empty();
}

void DataSet::readLastRows(int count) {
    // The last rows, read back from the end of the table.
    const Segment& last = segments_.back();
    if (segments_.size() > 1 && last.after == 0) {
        extendBackward(segments_.size() - 1, count);
        return;
    }
    QStringList conditions;
    std::vector<std::optional<QByteArray>> values;
    if (!last.keys.empty()) {
        conditions << table_->key + QStringLiteral("+0 > ?");
        values.push_back(keyBytes(last.keys.back()));
    }
    std::vector<std::string> rows = readAll(statement(pageSql(count, conditions, true)), whereValues(values));
    if (rows.empty()) {
        // Nothing after the rows read: they reach the end.
        if (segments_.size() == 1) {
            extendForward(0, count);
        } else {
            correctGap(segments_.size() - 1, -last.after);
        }
        return;
    }
    std::reverse(rows.begin(), rows.end());
    Segment tail;
    for (auto& row : rows) {
        tail.keys.push_back(keyOf(row));
        tail.rows.push_back(std::move(row));
    }
    const bool reachesBack = static_cast<int>(tail.rows.size()) < count;
    insertSegment(segments_.size(), std::move(tail));
    if (reachesBack)
        mergeSegments(segments_.size() - 2);
}

void DataSet::readRowsFrom(int position, int count) {
    // Far from every row read: the rows at this position of the key's order, counted on the server.
    const QString sql = QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 ROWS ? TO ?")
                            .arg(columnsSql(), table_->table, whereSql({}), table_->key);
    std::vector<std::optional<QByteArray>> values = whereValues({});
    values.push_back(QByteArray::number(position + 1));
    values.push_back(QByteArray::number(position + count));
    std::vector<std::string> rows = readAll(statement(sql), values);
    if (rows.empty()) {
        // Fewer rows than counted: count again.
        recount();
        return;
    }
    Segment island;
    for (auto& row : rows) {
        const qint64 key = keyOf(row);
        if (knownPosition(key) >= 0)
            continue;
        island.keys.push_back(key);
        island.rows.push_back(std::move(row));
    }
    if (island.rows.empty())
        return;
    island.after = countAfter(island.keys.back());
    size_t index = segments_.size();
    for (size_t i = 1; i < segments_.size(); ++i)
        if (segments_[i].keys.front() > island.keys.front()) {
            index = i;
            break;
        }
    insertSegment(index, std::move(island));
}

void DataSet::insertSegment(size_t index, Segment segment) {
    segments_.insert(segments_.begin() + static_cast<std::ptrdiff_t>(index), std::move(segment));
    // A segment placed from the end must not reach back over the rows before it.
    const int previousEnd = segmentStart(index - 1) + static_cast<int>(segments_[index - 1].rows.size());
    if (segmentStart(index) < previousEnd)
        correctGap(index - 1, previousEnd - segmentStart(index));
}

void DataSet::correctGap(size_t lastBefore, int change) {
    // The rows between segment lastBefore and the next one were miscounted by -change: the segments up to
    // lastBefore keep their positions, the later ones move with the end.
    if (change == 0 || !total_)
        return;
    const int firstMoved = lastBefore + 1 < segments_.size() ? segmentStart(lastBefore + 1) : *total_;
    for (size_t i = 1; i <= lastBefore && i < segments_.size(); ++i)
        segments_[i].after += change;
    *total_ += change;
    if (current_ >= firstMoved)
        current_ = std::max(0, current_ + change);
    emit reset();
    emit currentChanged(current_);
}

void DataSet::mergeSegments(size_t first) {
    // Segment first and the next one have no rows between them.
    const int end = segmentStart(first) + static_cast<int>(segments_[first].rows.size());
    const int gap = segmentStart(first + 1) - end;
    if (gap != 0)
        correctGap(first, -gap);
    Segment& a = segments_[first];
    Segment& b = segments_[first + 1];
    a.rows.insert(a.rows.end(), std::make_move_iterator(b.rows.begin()),
                  std::make_move_iterator(b.rows.end()));
    a.keys.insert(a.keys.end(), b.keys.begin(), b.keys.end());
    a.after = b.after;
    const bool reachesEnd = b.after == 0;
    segments_.erase(segments_.begin() + static_cast<std::ptrdiff_t>(first) + 1);
    if (first == 0 && reachesEnd && segments_.size() == 1) {
        complete_ = true;
        total_.reset();
    }
}

int DataSet::knownPosition(qint64 key) const {
    for (size_t i = 0; i < segments_.size(); ++i) {
        const auto& keys = segments_[i].keys;
        auto it = std::lower_bound(keys.begin(), keys.end(), key);
        if (it != keys.end() && *it == key)
            return segmentStart(i) + static_cast<int>(it - keys.begin());
    }
    return -1;
}

int DataSet::countAfter(qint64 key) {
    SqlStatement& count =
        statement(QStringLiteral("SELECT COUNT(*) FROM %1%2")
                      .arg(table_->table, whereSql({table_->key + QStringLiteral(" > ?")})));
    count.bindAll(whereValues({keyBytes(key)}));
    count.execute();
    int n = 0;
    if (count.fetch())
        n = QByteArray::fromStdString(count.value(0)).toInt();
    count.closeCursor();
    return n;
}

int DataSet::countNow() {
    SqlStatement& count =
        statement(QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(table_->table, whereSql({})));
    count.bindAll(whereValues({}));
    count.execute();
    int n = 0;
    if (count.fetch())
        n = QByteArray::fromStdString(count.value(0)).toInt();
    count.closeCursor();
    if (!filtered_ || terms_.empty()) {
        // Remembered for the next reopen, with the largest key, so that only later rows are counted then.
        SqlStatement& largest = statement(
            QStringLiteral("SELECT FIRST 1 %1 FROM %2 ORDER BY %1 DESC").arg(table_->key, table_->table));
        largest.bindAll({});
        largest.execute();
        qint64 key = 0;
        if (largest.fetch() && !largest.isNull(0))
            key = QByteArray::fromStdString(largest.value(0)).toLongLong();
        largest.closeCursor();
        counted_ = {true, n, key};
    }
    return n;
}

bool DataSet::ensureTotal() {
    if (!byKey_ || complete_)
        return false;
    if (total_)
        return true;
    int n = 0;
    if ((!filtered_ || terms_.empty()) && counted_.valid) {
        SqlStatement& later = statement(
            QStringLiteral("SELECT COUNT(*), MAX(%1) FROM %2 WHERE %1 > ?").arg(table_->key, table_->table));
        later.bindAll({keyBytes(counted_.largestKey)});
        later.execute();
        if (later.fetch()) {
            counted_.rows += QByteArray::fromStdString(later.value(0)).toInt();
            if (!later.isNull(1))
                counted_.largestKey = QByteArray::fromStdString(later.value(1)).toLongLong();
        }
        later.closeCursor();
        n = counted_.rows;
    } else {
        n = countNow();
    }
    const int visibleBefore = visibleCount();
    total_ = std::max(n, static_cast<int>(segments_[0].rows.size()));
    if (visibleCount() > visibleBefore && state_ != State::Closed && !opening_)
        emit rowsAppended(visibleBefore, visibleCount() - 1);
    return true;
}

int DataSet::placeKey(qint64 key) {
    // The stored position of the row with this key, read from the server when it is not read yet; -1 when
    // the table has no such visible row.
    int known = knownPosition(key);
    if (known >= 0 || !byKey_ || complete_)
        return known;
    const Segment& head = segments_[0];
    if (!head.keys.empty() && key <= head.keys.back())
        return -1;
    if (!ensureTotal())
        return -1;
    size_t index = segments_.size();
    for (size_t i = 1; i < segments_.size(); ++i)
        if (segments_[i].keys.front() > key) {
            index = i;
            break;
        }
    QStringList conditions{table_->key + QStringLiteral(" >= ?")};
    std::vector<std::optional<QByteArray>> values{keyBytes(key)};
    const bool hasNext = index < segments_.size();
    if (hasNext) {
        conditions << table_->key + QStringLiteral(" < ?");
        values.push_back(keyBytes(segments_[index].keys.front()));
    }
    std::vector<std::string> rows =
        readAll(statement(pageSql(kPage, conditions, false)), whereValues(values));
    if (rows.empty() || keyOf(rows.front()) != key)
        return -1;
    Segment island;
    for (auto& row : rows) {
        island.keys.push_back(keyOf(row));
        island.rows.push_back(std::move(row));
    }
    const bool reachesNext = static_cast<int>(island.rows.size()) < kPage;
    if (reachesNext && hasNext)
        island.after = segments_[index].after + static_cast<int>(segments_[index].rows.size());
    else if (reachesNext)
        island.after = 0;
    else
        island.after = countAfter(island.keys.back());
    insertSegment(index, std::move(island));
    if (reachesNext && hasNext)
        mergeSegments(index);
    return knownPosition(key);
}

void DataSet::recount() {
    // Counts the visible rows afresh; rows read far from the start are read again when needed.
    if (!byKey_ || complete_)
        return;
    std::optional<qint64> currentKey;
    if (current_ >= 0 && current_ != pending_)
        if (const std::string* row = storedRow(storedPosition(current_)))
            currentKey = keyOf(*row);
    const int fresh = std::max(countNow(), static_cast<int>(segments_[0].rows.size()));
    if (total_ && fresh == *total_)
        return;
    segments_.resize(1);
    total_ = fresh;
    if (currentKey && pending_ < 0) {
        const int position = placeKey(*currentKey);
        current_ = position >= 0 ? position : std::min(current_, visibleCount() - 1);
    } else {
        current_ = std::min(current_, visibleCount() - 1);
    }
    emit reset();
    emit currentChanged(current_);
}

// ---- moving -------------------------------------------------------------------------------------------

void DataSet::requireOpen() const {
    if (!isOpen())
        throw DataError(QStringLiteral("%1: операция невозможна на закрытом наборе данных").arg(name_));
}

void DataSet::requireTable() const {
    if (!table_)
        throw DataError(QStringLiteral("%1: набор данных только для чтения").arg(name_));
}

void DataSet::setCurrent(int row) {
    if (row == current_)
        return;
    current_ = row;
    emit currentChanged(current_);
}

void DataSet::first() {
    requireOpen();
    if (state_ != State::Browse)
        post();
    eof_ = !ensureVisible(0);
    setCurrent(eof_ ? -1 : 0);
}

void DataSet::next() {
    requireOpen();
    if (state_ != State::Browse)
        post();
    if (current_ < 0) {
        eof_ = true;
        return;
    }
    if (ensureVisible(current_ + 1))
        setCurrent(current_ + 1);
    else
        eof_ = true;
}

void DataSet::last() {
    requireOpen();
    if (state_ != State::Browse)
        post();
    if (byKey_)
        ensureTotal();
    else
        fetchAll();
    // Reading the last rows may correct the count; stand on whatever is last then.
    int n = visibleCount();
    while (n > 0 && !ensureVisible(n - 1) && visibleCount() < n)
        n = visibleCount();
    n = visibleCount();
    eof_ = n == 0;
    setCurrent(n - 1);
}

bool DataSet::atEnd() const {
    return !isOpen() || eof_ || current_ < 0;
}

bool DataSet::isEmpty() {
    requireOpen();
    return !ensureVisible(0);
}

int DataSet::recordCount() {
    requireOpen();
    if (byKey_) {
        if (!complete_) {
            if (total_)
                recount();
            else
                ensureTotal();
        }
        return visibleCount();
    }
    fetchAll();
    return visibleCount();
}

void DataSet::setCurrentRow(int row) {
    requireOpen();
    if (row < 0 || !ensureVisible(row))
        return;
    if (state_ != State::Browse && row != current_)
        post();
    if (row >= visibleCount())
        row = visibleCount() - 1;
    eof_ = row < 0;
    setCurrent(row);
}

// ---- fields -------------------------------------------------------------------------------------------

int DataSet::fieldIndex(const QString& name) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

QString DataSet::fieldText(const QString& name) const {
    requireOpen();
    int column = fieldIndex(name);
    if (column < 0)
        throw DataError(QStringLiteral("%1: поле '%2' не найдено").arg(name_, name));
    if (state_ != State::Browse) {
        const auto& v = buffer_[static_cast<size_t>(column)];
        return v ? fromWin1251(std::string_view(v->constData(), static_cast<size_t>(v->size()))) : QString();
    }
    if (current_ < 0)
        return {};
    return text(current_, column);
}

QString DataSet::text(int row, int column) const {
    if (!isOpen() || row < 0 || row >= visibleCount() || column < 0 ||
        column >= static_cast<int>(fields_.size()))
        return {};
    if (row == current_ && state_ != State::Browse) {
        const auto& v = buffer_[static_cast<size_t>(column)];
        return v ? fromWin1251(std::string_view(v->constData(), static_cast<size_t>(v->size()))) : QString();
    }
    const int stored = storedPosition(row);
    const std::string* data = storedRow(stored);
    if (!data) {
        // Rows far from the ones read are read when first shown.
        const_cast<DataSet*>(this)->readRows(stored);
        if (row >= visibleCount())
            return {};
        data = storedRow(storedPosition(row));
        if (!data)
            return {};
    }
    auto value = rowValue(*data, column);
    return value ? fromWin1251(*value) : QString();
}

void DataSet::setFieldText(const QString& name, const QString& value) {
    requireOpen();
    if (state_ == State::Browse)
        throw DataError(QStringLiteral("%1: набор данных не в режиме редактирования").arg(name_));
    int column = fieldIndex(name);
    if (column < 0)
        throw DataError(QStringLiteral("%1: поле '%2' не найдено").arg(name_, name));
    auto& slot = buffer_[static_cast<size_t>(column)];
    if (value.isEmpty()) {
        slot.reset();
    } else {
        if (fields_[static_cast<size_t>(column)].integer && !isWholeNumber(value))
            throw DataError(QStringLiteral("'%1' не является целым числом").arg(value));
        slot = toWin1251(fields_[static_cast<size_t>(column)].integer ? value.trimmed() : value);
    }
    emit rowChanged(current_);
}

// ---- editing ------------------------------------------------------------------------------------------

void DataSet::insert() {
    requireOpen();
    requireTable();
    if (state_ != State::Browse)
        post();
    buffer_.assign(fields_.size(), std::nullopt);
    const int position = std::clamp(current_, 0, visibleCount());
    pending_ = position;
    bufferOriginal_.clear();
    state_ = State::Insert;
    eof_ = false;
    current_ = position;
    emit rowInserted(position);
    emit currentChanged(current_);
}

void DataSet::edit() {
    requireOpen();
    requireTable();
    if (state_ != State::Browse)
        return;
    if (current_ < 0 || !ensureVisible(current_))
        throw DataError(QStringLiteral("%1: нет текущей записи").arg(name_));
    const std::string& row = *storedRow(storedPosition(current_));
    buffer_.clear();
    for (size_t i = 0; i < fields_.size(); ++i) {
        auto v = rowValue(row, static_cast<int>(i));
        if (v)
            buffer_.emplace_back(QByteArray(v->data(), static_cast<qsizetype>(v->size())));
        else
            buffer_.emplace_back(std::nullopt);
    }
    bufferOriginal_ = row;
    state_ = State::Edit;
}

std::string DataSet::refreshed(const std::optional<QByteArray>& key) {
    if (!refresh_) {
        refresh_ = std::make_unique<SqlStatement>(connection_);
        refresh_->prepare(table_->refreshSql());
    }
    refresh_->bind(0, key);
    refresh_->execute();
    std::string row;
    if (refresh_->fetch()) {
        for (int i = 0; i < refresh_->columnCount(); ++i) {
            if (refresh_->isNull(i))
                appendNull(row);
            else
                appendValue(row, refresh_->value(i));
        }
        refresh_->closeCursor();
    }
    return row;
}

void DataSet::post() {
    requireOpen();
    if (state_ == State::Browse)
        return;
    const int keyColumn = fieldIndex(table_->key);
    std::string row;
    const bool inserting = state_ == State::Insert;
    try {
        if (inserting) {
            if (!insert_) {
                insert_ = std::make_unique<SqlStatement>(connection_);
                insert_->prepare(table_->insertSql());
            }
            auto values = buffer_;
            values[static_cast<size_t>(keyColumn)].reset(); // the database assigns the key
            insert_->bindAll(values);
            insert_->execute();
            std::optional<QByteArray> key;
            if (insert_->fetch() && !insert_->isNull(0)) {
                std::string k = insert_->value(0);
                key = QByteArray(k.data(), static_cast<qsizetype>(k.size()));
            }
            row = refreshed(key);
        } else {
            if (!update_) {
                update_ = std::make_unique<SqlStatement>(connection_);
                update_->prepare(table_->updateSql());
            }
            std::optional<QByteArray> oldKey;
            if (auto k = rowValue(bufferOriginal_, keyColumn))
                oldKey = QByteArray(k->data(), static_cast<qsizetype>(k->size()));
            std::vector<std::optional<QByteArray>> params;
            for (size_t i = 0; i < buffer_.size(); ++i)
                if (static_cast<int>(i) != keyColumn)
                    params.push_back(buffer_[i]);
            params.push_back(oldKey);
            update_->bindAll(params);
            update_->execute();
            row = refreshed(oldKey);
        }
    } catch (...) {
        // A row the server refused is not left pending: the insert is dropped, the edit undone.
        cancel();
        throw;
    }
    if (row.empty()) {
        for (const auto& v : buffer_) {
            if (v)
                appendValue(row, std::string_view(v->constData(), static_cast<size_t>(v->size())));
            else
                appendNull(row);
        }
    }
    buffer_.clear();
    bufferOriginal_.clear();
    state_ = State::Browse;
    placePostedRow(row, inserting);
}

void DataSet::placePostedRow(const std::string& row, bool inserted) {
    if (!inserted) {
        auto [segment, index] = locateStored(storedPosition(current_));
        if (segment < segments_.size())
            segments_[segment].rows[index] = row;
        emit rowChanged(current_);
        return;
    }
    const int pendingAt = pending_;
    pending_ = -1;
    if (!byKey_) {
        // Read through a cursor: the new row stays where it was inserted.
        auto& rows = segments_[0].rows;
        rows.insert(rows.begin() +
                        std::min<std::ptrdiff_t>(pendingAt, static_cast<std::ptrdiff_t>(rows.size())),
                    row);
        current_ = pendingAt;
        emit rowChanged(current_);
        return;
    }
    // A saved row takes its place in the key's order, where a reopen would show it.
    emit rowRemoved(pendingAt);
    const qint64 key = keyOf(row);
    Segment& head = segments_[0];
    int position = -1;
    if (complete_ || (!head.keys.empty() && key < head.keys.back())) {
        auto it = std::lower_bound(head.keys.begin(), head.keys.end(), key);
        const auto index = it - head.keys.begin();
        head.keys.insert(it, key);
        head.rows.insert(head.rows.begin() + index, row);
        position = static_cast<int>(index);
        if (total_)
            ++*total_;
        if (counted_.valid && key <= counted_.largestKey)
            ++counted_.rows;
        emit rowInserted(position);
    } else {
        const bool counted = total_.has_value();
        if (counted) {
            ++*total_;
            for (size_t i = 1; i < segments_.size(); ++i)
                if (segments_[i].keys.back() < key)
                    ++segments_[i].after;
            if (counted_.valid && key <= counted_.largestKey)
                ++counted_.rows;
        } else {
            // The number of rows is needed to place the row after the rows read so far.
            ensureTotal();
        }
        position = placeKey(key);
        if (position < 0) {
            // Not visible under the filter in force: kept at its place in the key's order until a reopen.
            if (!counted)
                ++*total_;
            Segment alone;
            alone.rows.push_back(row);
            alone.keys.push_back(key);
            alone.after = countAfter(key);
            size_t index = segments_.size();
            for (size_t i = 1; i < segments_.size(); ++i)
                if (segments_[i].keys.front() > key) {
                    index = i;
                    break;
                }
            insertSegment(index, std::move(alone));
            position = knownPosition(key);
        }
        if (counted)
            emit rowInserted(position);
        else
            emit reset();
    }
    eof_ = visibleCount() == 0;
    current_ = std::min(position, visibleCount() - 1);
    emit currentChanged(current_);
}

void DataSet::dropPendingRow() {
    const int removed = pending_;
    pending_ = -1;
    emit rowRemoved(removed);
    current_ = std::min(removed, visibleCount() - 1);
    eof_ = current_ < 0;
    emit currentChanged(current_);
}

void DataSet::cancel() {
    if (state_ == State::Insert) {
        state_ = State::Browse;
        buffer_.clear();
        dropPendingRow();
    } else if (state_ == State::Edit) {
        state_ = State::Browse;
        buffer_.clear();
        bufferOriginal_.clear();
        emit rowChanged(current_);
    }
}

void DataSet::remove() {
    requireOpen();
    requireTable();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (current_ < 0 || !ensureVisible(current_))
        throw DataError(QStringLiteral("%1: нет текущей записи").arg(name_));
    if (!delete_) {
        delete_ = std::make_unique<SqlStatement>(connection_);
        delete_->prepare(table_->deleteSql());
    }
    const int stored = storedPosition(current_);
    auto [segment, index] = locateStored(stored);
    const std::string& row = segments_[segment].rows[index];
    std::optional<QByteArray> key;
    if (auto k = rowValue(row, keyColumn_))
        key = QByteArray(k->data(), static_cast<qsizetype>(k->size()));
    delete_->bind(0, key);
    delete_->execute();
    Segment& s = segments_[segment];
    if (byKey_) {
        const qint64 removedKey = s.keys[index];
        s.keys.erase(s.keys.begin() + static_cast<std::ptrdiff_t>(index));
        if (counted_.valid && removedKey <= counted_.largestKey)
            --counted_.rows;
        if (total_ && !complete_) {
            --*total_;
            for (size_t i = 1; i < segment; ++i)
                --segments_[i].after;
        }
    }
    s.rows.erase(s.rows.begin() + static_cast<std::ptrdiff_t>(index));
    if (segment > 0 && s.rows.empty())
        segments_.erase(segments_.begin() + static_cast<std::ptrdiff_t>(segment));
    const int removed = current_;
    emit rowRemoved(removed);
    current_ = std::min(removed, visibleCount() - 1);
    eof_ = current_ < 0;
    emit currentChanged(current_);
}

// ---- locate -------------------------------------------------------------------------------------------

bool DataSet::locate(const QString& columns, const QStringList& values) {
    requireOpen();
    QStringList names = columns.split(';', Qt::SkipEmptyParts);
    std::vector<std::pair<int, QByteArray>> keys;
    for (int i = 0; i < names.size(); ++i) {
        int column = fieldIndex(names[i].trimmed());
        if (column < 0)
            throw DataError(QStringLiteral("%1: поле '%2' не найдено").arg(name_, names[i].trimmed()));
        keys.emplace_back(column, toWin1251(i < values.size() ? values[i] : QString()));
    }
    if (state_ != State::Browse)
        post();
    auto matches = [&](const std::string& data) {
        for (const auto& [column, value] : keys) {
            auto v = rowValue(data, column);
            std::string_view have = v ? *v : std::string_view();
            if (have.size() < static_cast<size_t>(value.size()) ||
                have.substr(0, static_cast<size_t>(value.size())) !=
                    std::string_view(value.constData(), value.size()))
                return false;
        }
        return true;
    };
    // The rows read from the start first; a table's later rows are looked for on the server.
    const int searched = byKey_ ? static_cast<int>(segments_[0].rows.size()) : 0;
    for (int row = 0; byKey_ ? row < searched : ensureVisible(row); ++row) {
        if (matches(*storedRow(row))) {
            eof_ = false;
            setCurrent(row);
            return true;
        }
    }
    return byKey_ && !complete_ && locateOnServer(keys);
}

bool DataSet::locateOnServer(const std::vector<std::pair<int, QByteArray>>& keys) {
    // The first match in the key's order after the rows read from the start. The key is compared as an
    // expression so that the server picks the index of the located columns, not the key's.
    QStringList conditions;
    std::vector<std::optional<QByteArray>> values;
    for (const auto& [column, value] : keys) {
        if (value.isEmpty())
            continue; // every text begins with the empty text, NULL included
        conditions << termSql(column, true, false);
        values.emplace_back(value);
    }
    const Segment& head = segments_[0];
    if (!head.keys.empty()) {
        conditions << table_->key + QStringLiteral("+0 > ?");
        values.push_back(keyBytes(head.keys.back()));
    }
    SqlStatement& first = statement(
        QStringLiteral("SELECT MIN(%1+0) FROM %2%3").arg(table_->key, table_->table, whereSql(conditions)));
    first.bindAll(whereValues(values));
    first.execute();
    std::optional<qint64> found;
    if (first.fetch() && !first.isNull(0))
        found = QByteArray::fromStdString(first.value(0)).toLongLong();
    first.closeCursor();
    if (!found)
        return false;
    const int position = placeKey(*found);
    if (position < 0)
        return false;
    eof_ = false;
    setCurrent(position);
    return true;
}

bool DataSet::locateKey(const QString& key) {
    requireOpen();
    if (state_ != State::Browse)
        post();
    if (keyColumn_ < 0)
        return false;
    bool ok = false;
    const qint64 value = key.trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    int position = -1;
    if (byKey_) {
        position = placeKey(value);
    } else {
        for (int row = 0; ensureVisible(row); ++row)
            if (keyOf(*storedRow(row)) == value) {
                position = row;
                break;
            }
    }
    if (position < 0)
        return false;
    eof_ = false;
    setCurrent(position);
    return true;
}

void DataSet::rememberCount(int rows, const QString& largestKey) {
    bool ok = false;
    const qint64 key = largestKey.toLongLong(&ok);
    if (!ok && !largestKey.isEmpty())
        return;
    counted_ = {true, rows, key};
}

// ---- filter -------------------------------------------------------------------------------------------

void DataSet::setFilterText(const QString& text) {
    if (text == filterText_)
        return;
    const QString previous = filterText_;
    filterText_ = text;
    if (filtered_ && isOpen()) {
        if (state_ != State::Browse)
            post();
        try {
            compileFilter();
        } catch (...) {
            filterText_ = previous;
            compileFilter();
            throw;
        }
        reload();
    }
}

void DataSet::setFiltered(bool on) {
    if (on == filtered_)
        return;
    if (isOpen() && state_ != State::Browse)
        post();
    if (isOpen() && on)
        compileFilter();
    filtered_ = on;
    if (isOpen())
        reload();
}

void DataSet::compileFilter() {
    // A filter that cannot be used is refused and leaves the rows shown as they were.
    std::vector<CompiledTerm> terms;
    for (const FilterTerm& t : parseFilter(filterText_)) {
        int column = fieldIndex(t.column);
        if (column < 0)
            throw DataError(QStringLiteral("%1: поле '%2' не найдено").arg(name_, t.column));
        QByteArray v = toWin1251(t.value);
        terms.push_back({column, std::string(v.constData(), static_cast<size_t>(v.size())), t.prefix});
    }
    terms_ = std::move(terms);
}

bool DataSet::passesFilter(const std::string& row) const {
    // As the server compares: an equal text regardless of trailing blanks, NULL as the empty text.
    for (const CompiledTerm& t : terms_) {
        auto v = rowValue(row, t.column);
        std::string_view have = v ? *v : std::string_view();
        if (t.prefix) {
            if (have.size() < t.value.size() || have.substr(0, t.value.size()) != t.value)
                return false;
        } else if (trimmedRight(have) != trimmedRight(t.value)) {
            return false;
        }
    }
    return true;
}

} // namespace zorvel
