#include "consumables/date_field.h"

#include "widgets/date_mask.h"
#include "workstation/services.h"

#include <QRegularExpression>

namespace zorvel {

DateField::DateField(const char* objectName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(QString::fromLatin1(objectName));
    setDateMask(this, QStringLiteral("00.00.0000;_"));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 16);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (date().isValid())
            emit dateCompleted();
    });
}

QDate DateField::date() const {
    return QDate::fromString(text(), QStringLiteral("dd.MM.yyyy"));
}

void DateField::setDate(const QDate& date) {
    setText(date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString());
}

QString DateField::dateText() const {
    return zorvel::dateText(date());
}

bool DateField::isBlank() const {
    return !text().contains(QRegularExpression(QStringLiteral("\\d")));
}

} // namespace zorvel
