#include "reports/period_edit.h"

#include "widgets/date_mask.h"

#include <QLineEdit>

namespace zorvel {

QLineEdit* makePeriodEdit(QWidget* parent, const char* objectName, const char* hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setToolTip(QString::fromUtf8(hint));
    setDateMask(edit, QStringLiteral("00.00.0000;_"));
    return edit;
}

} // namespace zorvel
