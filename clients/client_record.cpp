#include "clients/client_record.h"

#include "data/dataset.h"
#include "data/filter.h"
#include "data/tables.h"
#include "workstation/services.h"

#include <QDate>
#include <QRegularExpression>

namespace zorvel {

namespace {

QDate typedDate(const QString& typed) {
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\s*$"));
    const QRegularExpressionMatch m = form.match(typed);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

const ColumnDescription* clientColumn(const QString& column) {
    for (const ColumnDescription& c : peopleCbuxTable().columns)
        if (c.name.compare(column, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace

QString storedDateText(const QString& typed) {
    const QDate date = typedDate(typed);
    return dateText(date.isValid() ? date : QDate());
}

QString serviceDateText(const QString& typed) {
    const QDate date = typedDate(typed);
    return date.isValid() ? dateText(date) : QString();
}

int clientColumnWidth(const QString& column) {
    const ColumnDescription* c = clientColumn(column);
    return c && c->type == ColumnType::Text ? c->width : 0;
}

QString overlongValue(const ClientValues& values) {
    for (const auto& [column, value] : values) {
        const ColumnDescription* c = clientColumn(column);
        if (c && c->type == ColumnType::Text && value.size() > c->width)
            return c->label.isEmpty() ? c->name : c->label;
    }
    return {};
}

QString clientViewFilter(const std::vector<std::pair<QString, QString>>& terms) {
    QStringList parts;
    for (const auto& [column, value] : terms)
        parts << equalsTerm(column, value);
    return parts.join(QStringLiteral(" and "));
}

} // namespace zorvel
