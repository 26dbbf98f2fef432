#include "reports/report_rows.h"

#include "data/errors.h"
#include "data/filter.h"
#include "data/sql_statement.h"
#include "data/win1251.h"

namespace zorvel {

ReportRows::ReportRows(Connection& connection, const QString& sql)
    : statement_(std::make_unique<SqlStatement>(connection)) {
    statement_->prepare(sql);
    statement_->execute();
    std::vector<QString> reported;
    for (int i = 0; i < statement_->columnCount(); ++i)
        reported.push_back(statement_->column(i).name);
    names_ = nameResultColumns(reported);
}

ReportRows::~ReportRows() = default;

bool ReportRows::next() {
    return statement_->fetch();
}

int ReportRows::column(const QString& name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    throw DataError(QStringLiteral("Поле '%1' не найдено").arg(name));
}

QString ReportRows::text(int column) const {
    if (statement_->isNull(column))
        return {};
    return fromWin1251(statement_->value(column));
}

} // namespace zorvel
