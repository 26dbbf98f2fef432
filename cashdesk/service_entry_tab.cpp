#include "cashdesk/service_entry_tab.h"

#include "app/workstation.h"

#include <QFormLayout>
#include <QLineEdit>

namespace zorvel {

ServiceEntryTab::ServiceEntryTab(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TabSheet1"));
    setToolTip(QStringLiteral("Добавление данных о платных услугах"));
    auto* form = new QFormLayout(this);
    contractEdit_ = new QLineEdit(this);
    contractEdit_->setObjectName(QStringLiteral("sEdit20"));
    contractEdit_->setMaxLength(6);
    form->addRow(QStringLiteral("№ договора"), contractEdit_);
    dateEdit_ = new QLineEdit(this);
    dateEdit_->setObjectName(QStringLiteral("sEdit12"));
    dateEdit_->setReadOnly(true);
    dateEdit_->setToolTip(QStringLiteral("Дата оплаты"));
    form->addRow(QStringLiteral("Дата оплаты"), dateEdit_);
    timeEdit_ = new QLineEdit(this);
    timeEdit_->setObjectName(QStringLiteral("sEdit13"));
    timeEdit_->setReadOnly(true);
    timeEdit_->setToolTip(QStringLiteral("Время оплаты"));
    form->addRow(QString(), timeEdit_);
}

} // namespace zorvel
