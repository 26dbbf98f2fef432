#pragma once

#include <QByteArray>
#include <QString>
#include <ibase.h>
#include <optional>
#include <string>
#include <vector>

namespace zorvel {

class Connection;

// A result column as the server describes it.
struct ColumnInfo {
    QString name; // alias, or the column's own name; empty when the server gives none
    short type;   // SQL_* without the nullable bit
    short scale;  // negative for numerics
    short length; // declared length in bytes of a text column
};

// One prepared statement on the workstation's connection and transaction. Parameters are bound as
// WIN1251 text (NULL for none) and converted by the server; result values are read as text.
class SqlStatement {
public:
    explicit SqlStatement(Connection& connection);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    void prepare(const QString& sql);
    bool isPrepared() const { return handle_ != 0; }
    QString sql() const { return sql_; }

    int parameterCount() const;
    void bind(int index, std::optional<QByteArray> win1251Text);
    void bindAll(const std::vector<std::optional<QByteArray>>& values);

    // Runs the statement; a select opens its cursor for fetch().
    void execute();
    // Moves to the next result row; false after the last one (the cursor is then closed).
    bool fetch();
    void closeCursor();
    bool cursorOpen() const { return cursorOpen_; }

    int columnCount() const;
    const ColumnInfo& column(int index) const { return columns_[static_cast<size_t>(index)]; }
    bool isNull(int index) const;
    // The current row's value as WIN1251 text: integers as digits, numerics with their decimals, text
    // columns without trailing blanks.
    void appendValue(int index, std::string& out) const;
    std::string value(int index) const;

private:
    void describeOutput();
    void describeInput();

    Connection& connection_;
    QString sql_;
    isc_stmt_handle handle_ = 0;
    std::vector<char> outBuffer_;
    std::vector<char> inBuffer_;
    XSQLDA* out_ = nullptr;
    XSQLDA* in_ = nullptr;
    std::vector<char> dataStorage_;
    std::vector<short> outNulls_;
    std::vector<short> inNulls_;
    std::vector<std::optional<QByteArray>> inValues_;
    std::vector<ColumnInfo> columns_;
    bool isSelect_ = false;
    bool hasSingletonResult_ = false;
    bool cursorOpen_ = false;
    bool singletonPending_ = false;
};

} // namespace zorvel
