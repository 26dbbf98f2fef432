#include "data/query.h"

#include "data/sql_statement.h"
#include "data/win1251.h"

namespace zorvel {

Query::Query(Connection& connection) : connection_(connection) {}

Query::~Query() = default;

void Query::execute(const QStringList& parameters) {
    if (!statement_)
        statement_ = std::make_unique<SqlStatement>(connection_);
    if (statement_->sql() != sql_ || !statement_->isPrepared())
        statement_->prepare(sql_);
    for (int i = 0; i < parameters.size(); ++i)
        statement_->bind(i, parameters[i].isEmpty() ? std::nullopt
                                                    : std::optional<QByteArray>(toWin1251(parameters[i])));
    statement_->execute();
    statement_->closeCursor();
}

} // namespace zorvel
