#pragma once

#include "data/tables.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zorvel {

class Connection;
class SqlStatement;
struct FilterTerm;

// The one vocabulary of data access: a select's rows with a current row, a filter, locate, and editing
// through the fixed statements of a table. Rows are fetched as they are needed (moving, counting,
// locating, a grid scrolling), so opening a large register costs only its first rows; counts, filters
// and locate behave as if every row were present.
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
    // The text of a visible row (grids).
    QString text(int row, int column) const;

    void insert();
    void edit();
    void post();
    void cancel();
    void remove();

    // Makes current the first visible row whose columns (names separated by ";") begin with the values.
    bool locate(const QString& columns, const QStringList& values);

    void setFilterText(const QString& text);
    QString filterText() const { return filterText_; }
    void setFiltered(bool on);
    bool isFiltered() const { return filtered_; }

    // Rows fetched so far that pass the filter; a grid shows these and asks for more.
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
    int storageIndex(int visibleRow) const;
    int visibleCount() const;
    bool ensureVisible(int visibleRow);
    bool fetchOne();
    void rebuildVisible();
    bool passesFilter(const std::string& row) const;
    void requireOpen() const;
    void requireTable() const;
    void setCurrent(int row);
    void makeFields();
    std::vector<std::optional<QByteArray>> editValues() const;
    std::string refreshed(const std::optional<QByteArray>& key);
    void dropPendingRow();
    std::string keyOf(const std::string& row) const;
    bool locateOnServer(const std::vector<std::pair<int, QByteArray>>& keys);

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

    std::vector<Field> fields_;
    int keyColumn_ = -1;
    // Each row is its values one after another: a 16-bit length (0xFFFF for NULL) and the WIN1251 bytes.
    std::vector<std::string> rows_;
    bool fetchedAll_ = true;
    // Keys of rows that joined the dataset before the cursor reached them (inserted here, or found by a
    // locate on the server); the cursor skips them when it gets there, so no row shows twice.
    std::unordered_set<std::string> placedKeys_;
    std::unique_ptr<SqlStatement> locate_;
    int current_ = -1;
    bool eof_ = true;

    QString filterText_;
    bool filtered_ = false;
    struct CompiledTerm {
        int column;
        std::string value;
        bool prefix;
    };
    std::vector<CompiledTerm> terms_;
    std::vector<int> visible_; // storage indices of the visible rows while filtered

    std::vector<std::optional<QByteArray>> buffer_; // values being edited or inserted
    std::string bufferOriginal_;
};

// Reads value `column` of an encoded row; nullopt for NULL.
std::optional<std::string_view> rowValue(const std::string& row, int column);

} // namespace zorvel
