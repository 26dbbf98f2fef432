#include "reports/report_period.h"

#include <QRegularExpression>

namespace zorvel {

namespace {

const QString kStoredDate = QStringLiteral("dd.MM.yyyy");

// A date field holds "__.__.____" until typed; any digit missing leaves the date unread.
std::optional<QDate> readDate(const QString& text) {
    static const QRegularExpression whole(QStringLiteral(R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{4})\s*$)"));
    const QRegularExpressionMatch m = whole.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString notADate(const QString& text) {
    return QStringLiteral("'%1' не является правильной датой").arg(text);
}

} // namespace

QString ReportPeriod::startText() const {
    return start.toString(kStoredDate);
}

QString ReportPeriod::endText() const {
    return end.toString(kStoredDate);
}

PeriodInput readPeriod(const QString& startText, const QString& endText) {
    PeriodInput input;
    const std::optional<QDate> start = readDate(startText);
    if (!start) {
        input.error = notADate(startText);
        return input;
    }
    const std::optional<QDate> end = readDate(endText);
    if (!end) {
        input.error = notADate(endText);
        return input;
    }
    if (*start > *end) {
        input.error = QStringLiteral("Начало периода позже его окончания");
        return input;
    }
    input.period = ReportPeriod{*start, *end};
    return input;
}

QString periodCondition(const ReportPeriod& period) {
    const QString iso = QStringLiteral("yyyy-MM-dd");
    return QStringLiteral("cast(data_usl as date)>='%1' and  cast(data_usl as date)<='%2'")
        .arg(period.start.toString(iso), period.end.toString(iso));
}

QString sqlText(const QString& value) {
    QString quoted = value;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

} // namespace zorvel
