#pragma once

#include "data/tables.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvel {

class Connection;
class SqlStatement;
struct FilterTerm;

// The one vocabulary of data access: a select's rows with a current row, a filter, locate, and editing
// through the fixed statements of a table. Counts, filters and locate behave as if every row were present,
// but rows are read only as they are needed.
//
// A table's dataset shows its rows in the order of the table's key, the order rows were saved in, and
// reads them in pages by key: from the start as a grid scrolls, from the end for the last rows, around a
// row that locate found. Its filter narrows on the server (bound parameters), so a filtered view of a
// large register costs only the rows it shows. The total number of rows is counted only when a position
// far from the start needs it (the last row, a row found beyond the rows read); the count is kept across
// a reopen and brought up to date by counting the rows saved since.
//
// A dataset whose select text the screens set reads its rows in the select's order through one cursor and
// filters them as they arrive.
class DataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Browse, Edit, Insert };

    struct Field {
        QString name;  // upper case
        QString label; // grid title
        int width = 0; // characters of a text column, 0 when not known
        bool integer = false;
    };

    // A dataset bound to a table through its fixed statements.
    DataSet(Connection& connection, const TableDescription& table, QObject* parent = nullptr);
    // A read-only dataset whose select text the screens set.
    DataSet(Connection& connection, const QString& name, QObject* parent = nullptr);
    ~DataSet() override;

    QString name() const { return name_; }
    const TableDescription* table() const { return table_; }

    QString selectSql() const { return selectSql_; }
    void setSelectSql(const QString& sql);
    void replaceSelect(const QString& sql);

    void open();
    void close();
    bool isOpen() const { return state_ != State::Closed; }
    State state() const { return state_; }

    void first();
    void next();
    void last();
    bool atEnd() const;
    bool isEmpty();
    int recordCount();
    // Position among the visible rows, -1 when there is none.
    int currentRow() const { return current_; }
    void setCurrentRow(int row);

    const std::vector<Field>& fields() const { return fields_; }
    int fieldIndex(const QString& name) const;
    QString fieldText(const QString& name) const;
    void setFieldText(const QString& name, const QString& value);
    // The text of a visible row (grids). A row not read yet is read from the server, which may throw.
    QString text(int row, int column) const;

    void insert();
    void edit();
    void post();
    void cancel();
    void remove();

    // Makes current the first visible row whose columns (names separated by ";") begin with the values.
    bool locate(const QString& columns, const QStringList& values);
    // Makes current the visible row with this key (a table's dataset); false and no move when there is none.
    bool locateKey(const QString& key);

    // A count of the whole table and its largest key taken elsewhere (at start, on another connection);
    // an unfiltered table dataset uses it instead of counting again, adding the rows saved since.
    void rememberCount(int rows, const QString& largestKey);

    void setFilterText(const QString& text);
    QString filterText() const { return filterText_; }
    void setFiltered(bool on);
    bool isFiltered() const { return filtered_; }

    // The rows a grid shows: every visible row once their number is known, otherwise the rows read so
    // far; a grid asks for more while canFetchMore().
    int fetchedCount() const;
    bool canFetchMore() const;
    void fetchMore(int count);
    void fetchAll();

signals:
    void reset();
    void currentChanged(int row);
    void rowChanged(int row);
    void rowsAppended(int first, int last);
    void rowInserted(int row);
    void rowRemoved(int row);

private:
    // A run of consecutive visible rows. The first segment starts at the first row; the others are placed
    // from the end: `after` visible rows follow their last row.
    struct Segment {
        std::vector<std::string> rows;
        std::vector<qint64> keys;
        int after = 0;
    };
    struct CompiledTerm {
        int column;
        std::string value;
        bool prefix;
    };
    // The remembered count of the unfiltered table.
    struct Counted {
        bool valid = false;
        int rows = 0;
        qint64 largestKey = 0;
    };

    int visibleCount() const;
    int storedCount() const;
    int segmentStart(size_t segment) const;
    int storedPosition(int visibleRow) const;
    const std::string* storedRow(int position) const;
    std::pair<size_t, size_t> locateStored(int position) const;
    bool ensureVisible(int visibleRow);
    bool readRows(int position);
    bool extendForward(size_t segment, int count);
    bool extendBackward(size_t segment, int count);
    void readLastRows(int count);
    void readRowsFrom(int position, int count);
    int placeKey(qint64 key);
    int knownPosition(qint64 key) const;
    bool ensureTotal();
    int countAfter(qint64 key);
    int countNow();
    void recount();
    void correctGap(size_t lastBefore, int change);
    void mergeSegments(size_t first);
    void insertSegment(size_t index, Segment segment);
    SqlStatement& statement(const QString& sql);
    std::vector<std::string> readAll(SqlStatement& statement,
                                     const std::vector<std::optional<QByteArray>>& values);
    static std::string readRow(SqlStatement& statement);
    qint64 keyOf(const std::string& row) const;
    QString columnsSql() const;
    // " WHERE ..." with the given conditions and the filter's; the values in the same order.
    QString whereSql(QStringList conditions) const;
    std::vector<std::optional<QByteArray>> whereValues(std::vector<std::optional<QByteArray>> values) const;
    QString pageSql(int count, const QStringList& conditions, bool descending) const;

    bool fetchScratchRow();
    void reload();
    void compileFilter();
    bool passesFilter(const std::string& row) const;
    void requireOpen() const;
    void requireTable() const;
    void setCurrent(int row);
    void makeFields();
    std::string refreshed(const std::optional<QByteArray>& key);
    void dropPendingRow();
    void placePostedRow(const std::string& row, bool inserted);
    bool locateOnServer(const std::vector<std::pair<int, QByteArray>>& keys);
    QString termSql(int column, bool prefix, bool empty) const;

    Connection& connection_;
    const TableDescription* table_ = nullptr;
    QString name_;
    QString selectSql_;
    State state_ = State::Closed;

    std::unique_ptr<SqlStatement> select_;
    std::unique_ptr<SqlStatement> insert_;
    std::unique_ptr<SqlStatement> update_;
    std::unique_ptr<SqlStatement> delete_;
    std::unique_ptr<SqlStatement> refresh_;
    std::vector<std::pair<QString, std::unique_ptr<SqlStatement>>> statements_;

    std::vector<Field> fields_;
    int keyColumn_ = -1;
    // Each row is its values one after another: a 16-bit length (0xFFFF for NULL) and the WIN1251 bytes.
    std::vector<Segment> segments_;
    // The first segment reaches the last row: every visible row has been read.
    bool complete_ = true;
    // Rows are read by key pages from the table (true) or through the select's one cursor (false).
    bool byKey_ = false;
    // The number of visible rows, once counted (table datasets).
    std::optional<int> total_;
    Counted counted_;
    int current_ = -1;
    bool eof_ = true;
    // Position of a new row not posted yet, which is held in buffer_; -1 when there is none.
    int pending_ = -1;
    bool opening_ = false; // open() tells the views once, with its reset

    QString filterText_;
    bool filtered_ = false;
    std::vector<CompiledTerm> terms_;

    std::vector<std::optional<QByteArray>> buffer_; // values being edited or inserted
    std::string bufferOriginal_;
};

// Reads value `column` of an encoded row; nullopt for NULL.
std::optional<std::string_view> rowValue(const std::string& row, int column);

} // namespace zorvel
