#include "data/dataset.h"

#include "data/connection.h"
#include "data/errors.h"
#include "data/filter.h"
#include "data/sql_statement.h"
#include "data/win1251.h"

#include <algorithm>
#include <cstring>

namespace zorvel {

namespace {

constexpr quint16 kNull = 0xFFFF;
// Rows fetched by open before anything asks for more: a screenful of a grid and then some.
constexpr int kFirstFetch = 200;

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

void DataSet::open() {
    if (isOpen())
        return;
    if (selectSql_.trimmed().isEmpty())
        throw DataError(QStringLiteral("%1: не задан текст запроса").arg(name_));
    if (!select_)
        select_ = std::make_unique<SqlStatement>(connection_);
    select_->prepare(selectSql_);
    select_->execute();
    makeFields();
    rows_.clear();
    visible_.clear();
    placedKeys_.clear();
    fetchedAll_ = false;
    state_ = State::Browse;
    if (filtered_) {
        try {
            rebuildVisible();
        } catch (...) {
            close();
            throw;
        }
    }
    fetchMore(kFirstFetch);
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
    rows_.clear();
    rows_.shrink_to_fit();
    visible_.clear();
    placedKeys_.clear();
    buffer_.clear();
    fetchedAll_ = true;
    current_ = -1;
    eof_ = true;
    state_ = State::Closed;
    emit reset();
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

bool DataSet::fetchOne() {
    if (fetchedAll_)
        return false;
    if (!select_->fetch()) {
        fetchedAll_ = true;
        return false;
    }
    std::string row;
    row.reserve(64);
    const int n = select_->columnCount();
    for (int i = 0; i < n; ++i) {
        if (select_->isNull(i)) {
            appendNull(row);
            continue;
        }
        size_t lenPos = row.size();
        row.append(2, '\0');
        select_->appendValue(i, row);
        size_t len = std::min<size_t>(row.size() - lenPos - 2, 0xFFFE);
        row.resize(lenPos + 2 + len);
        row[lenPos] = static_cast<char>(len & 0xFF);
        row[lenPos + 1] = static_cast<char>(len >> 8);
    }
    if (!placedKeys_.empty()) {
        auto placed = placedKeys_.find(keyOf(row));
        if (placed != placedKeys_.end()) {
            placedKeys_.erase(placed);
            return true;
        }
    }
    rows_.push_back(std::move(row));
    if (filtered_ && passesFilter(rows_.back()))
        visible_.push_back(static_cast<int>(rows_.size()) - 1);
    return true;
}

void DataSet::fetchMore(int count) {
    if (!isOpen() || fetchedAll_)
        return;
    int before = visibleCount();
    // Filtered rows may be sparse: keep fetching until enough visible ones arrived or the rows ran out.
    while (visibleCount() - before < count && fetchOne()) {
    }
    int after = visibleCount();
    if (after > before)
        emit rowsAppended(before, after - 1);
}

void DataSet::fetchAll() {
    if (!isOpen() || fetchedAll_)
        return;
    int before = visibleCount();
    while (fetchOne()) {
    }
    int after = visibleCount();
    if (after > before)
        emit rowsAppended(before, after - 1);
    if (current_ < 0 && after > 0 && !eof_) {
        current_ = 0;
        emit currentChanged(current_);
    }
}

bool DataSet::canFetchMore() const {
    return isOpen() && !fetchedAll_;
}

int DataSet::visibleCount() const {
    return filtered_ ? static_cast<int>(visible_.size()) : static_cast<int>(rows_.size());
}

int DataSet::fetchedCount() const {
    return isOpen() ? visibleCount() : 0;
}

int DataSet::storageIndex(int visibleRow) const {
    return filtered_ ? visible_[static_cast<size_t>(visibleRow)] : visibleRow;
}

bool DataSet::ensureVisible(int visibleRow) {
    if (visibleRow < visibleCount())
        return true;
    int before = visibleCount();
    while (visibleRow >= visibleCount() && fetchOne()) {
    }
    int after = visibleCount();
    if (after > before)
        emit rowsAppended(before, after - 1);
    return visibleRow < visibleCount();
}

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
    fetchAll();
    int n = visibleCount();
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
    fetchAll();
    return visibleCount();
}

void DataSet::setCurrentRow(int row) {
    requireOpen();
    if (row < 0 || !ensureVisible(row))
        return;
    if (state_ != State::Browse && row != current_)
        post();
    eof_ = false;
    setCurrent(row);
}

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
    if (!isOpen() || row < 0 || row >= visibleCount())
        return {};
    if (row == current_ && state_ != State::Browse) {
        const auto& v = buffer_[static_cast<size_t>(column)];
        return v ? fromWin1251(std::string_view(v->constData(), static_cast<size_t>(v->size()))) : QString();
    }
    auto value = rowValue(rows_[static_cast<size_t>(storageIndex(row))], column);
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

void DataSet::insert() {
    requireOpen();
    requireTable();
    if (state_ != State::Browse)
        post();
    buffer_.assign(fields_.size(), std::nullopt);
    int position = std::max(current_, 0);
    std::string empty;
    for (size_t i = 0; i < fields_.size(); ++i)
        appendNull(empty);
    if (filtered_) {
        int storage = position < static_cast<int>(visible_.size()) ? visible_[static_cast<size_t>(position)]
                                                                   : static_cast<int>(rows_.size());
        rows_.insert(rows_.begin() + storage, empty);
        for (int& v : visible_)
            if (v >= storage)
                ++v;
        visible_.insert(visible_.begin() + position, storage);
    } else {
        rows_.insert(rows_.begin() + position, empty);
    }
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
    if (current_ < 0)
        throw DataError(QStringLiteral("%1: нет текущей записи").arg(name_));
    const std::string& row = rows_[static_cast<size_t>(storageIndex(current_))];
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

std::vector<std::optional<QByteArray>> DataSet::editValues() const {
    return buffer_;
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
    try {
        if (state_ == State::Insert) {
            if (!insert_) {
                insert_ = std::make_unique<SqlStatement>(connection_);
                insert_->prepare(table_->insertSql());
            }
            auto values = editValues();
            values[static_cast<size_t>(keyColumn)].reset(); // the database assigns the key
            insert_->bindAll(values);
            insert_->execute();
            std::optional<QByteArray> key;
            if (insert_->fetch() && !insert_->isNull(0)) {
                std::string k = insert_->value(0);
                key = QByteArray(k.data(), static_cast<qsizetype>(k.size()));
            }
            row = refreshed(key);
            // The open cursor may still come to the new row: it is here already.
            if (key && !fetchedAll_)
                placedKeys_.insert(std::string(key->constData(), static_cast<size_t>(key->size())));
        } else {
            if (!update_) {
                update_ = std::make_unique<SqlStatement>(connection_);
                update_->prepare(table_->updateSql());
            }
            auto values = editValues();
            std::optional<QByteArray> oldKey;
            if (auto k = rowValue(bufferOriginal_, keyColumn))
                oldKey = QByteArray(k->data(), static_cast<qsizetype>(k->size()));
            std::vector<std::optional<QByteArray>> params;
            for (size_t i = 0; i < values.size(); ++i)
                if (static_cast<int>(i) != keyColumn)
                    params.push_back(values[i]);
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
    rows_[static_cast<size_t>(storageIndex(current_))] = std::move(row);
    buffer_.clear();
    bufferOriginal_.clear();
    state_ = State::Browse;
    emit rowChanged(current_);
}

void DataSet::dropPendingRow() {
    int storage = storageIndex(current_);
    rows_.erase(rows_.begin() + storage);
    if (filtered_) {
        visible_.erase(visible_.begin() + current_);
        for (int& v : visible_)
            if (v > storage)
                --v;
    }
    int removed = current_;
    emit rowRemoved(removed);
    int n = visibleCount();
    current_ = std::min(removed, n - 1);
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
    if (current_ < 0)
        throw DataError(QStringLiteral("%1: нет текущей записи").arg(name_));
    if (!delete_) {
        delete_ = std::make_unique<SqlStatement>(connection_);
        delete_->prepare(table_->deleteSql());
    }
    const int keyColumn = fieldIndex(table_->key);
    std::optional<QByteArray> key;
    if (auto k = rowValue(rows_[static_cast<size_t>(storageIndex(current_))], keyColumn))
        key = QByteArray(k->data(), static_cast<qsizetype>(k->size()));
    delete_->bind(0, key);
    delete_->execute();
    dropPendingRow();
}

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
    // With rows still on the server, a table's row is looked for there instead of fetching the rest.
    bool canUseServerLocate = table_ && !filtered_ && !fetchedAll_;
    for (const auto& key : keys)
        if (fields_[static_cast<size_t>(key.first)].integer)
            canUseServerLocate = false;
    const int fetched = visibleCount();
    for (int row = 0; row < fetched || (!canUseServerLocate && ensureVisible(row)); ++row) {
        const std::string& data = rows_[static_cast<size_t>(storageIndex(row))];
        bool match = true;
        for (const auto& [column, value] : keys) {
            auto v = rowValue(data, column);
            std::string_view have = v ? *v : std::string_view();
            if (have.substr(0, static_cast<size_t>(value.size())) !=
                    std::string_view(value.constData(), value.size()) ||
                have.size() < static_cast<size_t>(value.size())) {
                match = false;
                break;
            }
        }
        if (match) {
            eof_ = false;
            setCurrent(row);
            return true;
        }
    }
    return canUseServerLocate && locateOnServer(keys);
}

std::string DataSet::keyOf(const std::string& row) const {
    auto key = rowValue(row, keyColumn_);
    return key ? std::string(*key) : std::string();
}

bool DataSet::locateOnServer(const std::vector<std::pair<int, QByteArray>>& keys) {
    QStringList conditions;
    std::vector<std::optional<QByteArray>> values;
    for (const auto& [column, value] : keys) {
        if (value.isEmpty())
            continue; // every text begins with the empty text, NULL included
        conditions << fields_[static_cast<size_t>(column)].name + QStringLiteral(" STARTING WITH ?");
        values.emplace_back(value);
    }
    QString sql = table_->selectSql().replace(QStringLiteral("SELECT "), QStringLiteral("SELECT FIRST 1 "));
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    if (!locate_ || locate_->sql() != sql) {
        locate_ = std::make_unique<SqlStatement>(connection_);
        locate_->prepare(sql);
    }
    locate_->bindAll(values);
    locate_->execute();
    if (!locate_->fetch())
        return false;
    std::string row;
    for (int i = 0; i < locate_->columnCount(); ++i) {
        if (locate_->isNull(i))
            appendNull(row);
        else
            appendValue(row, locate_->value(i));
    }
    locate_->closeCursor();
    // The row joins the dataset after the rows fetched so far; the cursor will skip it later.
    std::string key = keyOf(row);
    placedKeys_.insert(key);
    rows_.push_back(std::move(row));
    int position = visibleCount() - 1;
    emit rowsAppended(position, position);
    eof_ = false;
    setCurrent(position);
    return true;
}

void DataSet::setFilterText(const QString& text) {
    if (text == filterText_)
        return;
    filterText_ = text;
    if (filtered_ && isOpen()) {
        rebuildVisible();
        current_ = -1;
        eof_ = !ensureVisible(0);
        current_ = eof_ ? -1 : 0;
        emit reset();
        emit currentChanged(current_);
    }
}

void DataSet::setFiltered(bool on) {
    if (on == filtered_)
        return;
    if (isOpen() && state_ != State::Browse)
        post();
    if (isOpen() && on)
        rebuildVisible();
    filtered_ = on;
    if (isOpen()) {
        if (!on)
            visible_.clear();
        eof_ = !ensureVisible(0);
        current_ = eof_ ? -1 : 0;
        emit reset();
        emit currentChanged(current_);
    }
}

void DataSet::rebuildVisible() {
    // A filter that cannot be used leaves the rows shown as they were.
    std::vector<CompiledTerm> terms;
    for (const FilterTerm& t : parseFilter(filterText_)) {
        int column = fieldIndex(t.column);
        if (column < 0)
            throw DataError(QStringLiteral("%1: поле '%2' не найдено").arg(name_, t.column));
        QByteArray v = toWin1251(t.value);
        terms.push_back({column, std::string(v.constData(), static_cast<size_t>(v.size())), t.prefix});
    }
    terms_ = std::move(terms);
    visible_.clear();
    for (size_t i = 0; i < rows_.size(); ++i)
        if (passesFilter(rows_[i]))
            visible_.push_back(static_cast<int>(i));
}

bool DataSet::passesFilter(const std::string& row) const {
    for (const CompiledTerm& t : terms_) {
        auto v = rowValue(row, t.column);
        std::string_view have = v ? *v : std::string_view();
        if (t.prefix) {
            if (have.size() < t.value.size() || have.substr(0, t.value.size()) != t.value)
                return false;
        } else if (have != t.value) {
            return false;
        }
    }
    return true;
}

} // namespace zorvel
