#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace zorvel {

class Connection;
class SqlStatement;

// The statement object: a screen sets its whole text and executes it. Values go in as parameters ("?"),
// never spliced into the text.
class Query {
public:
    explicit Query(Connection& connection);
    ~Query();

    void setSql(const QString& sql) { sql_ = sql; }
    QString sql() const { return sql_; }
    // Runs the text on the server; an empty text in the list binds NULL.
    void execute(const QStringList& parameters = {});

private:
    Connection& connection_;
    QString sql_;
    std::unique_ptr<SqlStatement> statement_;
};

} // namespace zorvel
