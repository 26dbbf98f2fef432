#include "workstation/services.h"

namespace zorvel {

void Messages::error(const QString& text) {
    show(text, QString::fromUtf8(kErrorCaption));
}

void Messages::notice(const QString& text) {
    show(text, QString::fromUtf8(kNoticeCaption));
}

QString dateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QStringLiteral("30.12.1899");
}

QString timeText(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace zorvel
