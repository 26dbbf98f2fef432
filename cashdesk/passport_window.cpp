#include "cashdesk/passport_window.h"

#include "cashdesk/register_batch.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "widgets/input_rules.h"
#include "workstation/command.h"
#include "workstation/contract_set.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

const char* const kColumns[] = {"SERIA", "NOMER", "VIDAN", "ADRESS"};

QLineEdit* makeField(QWidget* parent, const char* objectName, int width) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    limitLength(field, width);
    return field;
}

} // namespace

PassportWindow::PassportWindow(Workstation& workstation, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Паспортные данные"));
    setWindowModality(Qt::ApplicationModal);

    series_ = makeField(this, "sDBEdit1", 4);
    number_ = makeField(this, "sDBEdit2", 15);
    issuedBy_ = makeField(this, "sDBEdit3", 50);
    address_ = makeField(this, "sDBEdit4", 70);
    closeButton_ = new QPushButton(QStringLiteral("Закрыть"), this);
    closeButton_->setObjectName(QStringLiteral("sBitBtn1"));
    closeButton_->setToolTip(QStringLiteral("Закрыть"));
    closeButton_->setAutoDefault(false);
    connect(closeButton_, &QPushButton::clicked, this, &PassportWindow::saveAndClose);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Серия"), series_);
    form->addRow(QStringLiteral("№"), number_);
    form->addRow(QStringLiteral("Выдан"), issuedBy_);
    form->addRow(QStringLiteral("Адрес"), address_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(closeButton_, 0, Qt::AlignRight);
    resize(420, 180);
}

PassportWindow::~PassportWindow() = default;

void PassportWindow::edit() {
    DataSet& reg = workstation_.serviceRegister();
    QLineEdit* fields[] = {series_, number_, issuedBy_, address_};
    runCommand(workstation_.messages(), [&] {
        for (int i = 0; i < 4; ++i)
            fields[i]->setText(reg.isOpen() ? reg.fieldText(QString::fromLatin1(kColumns[i])) : QString());
    });
    // Shown, not exec'd: the window is modal to the whole workstation, and the caller returns at once.
    show();
    raise();
    activateWindow();
}

bool PassportWindow::saveAndClose() {
    const QStringList values = {series_->text(), number_->text(), issuedBy_->text(), address_->text()};
    bool written = false;
    runCommand(workstation_.messages(), [&] { written = writeContractSet(values); });
    hide();
    setResult(Accepted);
    return written;
}

bool PassportWindow::writeContractSet(const QStringList& values) {
    // The contract set as the server holds it now; data another workstation entered after this window
    // read the record are not written over.
    QStringList columns;
    for (const char* c : kColumns)
        columns << QString::fromLatin1(c);
    return writeRecords(workstation_, true, columns, values);
}

} // namespace zorvel
