#include "cashdesk/lens_cost_tab.h"

#include "data/dataset.h"
#include "widgets/entry_form.h"
#include "workstation/command.h"
#include "workstation/row_saving.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

QComboBox* comboBox(QWidget* parent, const char* objectName, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

QLineEdit* lineEdit(QWidget* parent, const char* objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

} // namespace

LensCostTab::LensCostTab(Workstation& workstation, QLineEdit* dateEdit, QLineEdit* timeEdit, QWidget* parent)
    : QWidget(parent), workstation_(workstation), dateEdit_(dateEdit), timeEdit_(timeEdit) {
    setObjectName(QStringLiteral("TabSheet3"));
    auto* panel = new QGroupBox(QStringLiteral("отключена"), this);
    panel->setObjectName(QStringLiteral("sPanel2"));
    panel->setEnabled(false);

    lensCombo_ = comboBox(panel, "sComboBox1",
                          {QStringLiteral("IQ SN60WF"), QStringLiteral("LX 10BD"), QStringLiteral("GOLD"),
                           QStringLiteral("ОМНИ")});
    lensCombo_->setToolTip(QStringLiteral("Вид линзы"));
    costEdit_ = lineEdit(panel, "sEdit14");
    costEdit_->setToolTip(QStringLiteral("Стоимость"));

    // Free text everywhere: the tab has neither input rules nor look-ups.
    using F = EntryField;
    auto* form = new EntryForm(panel);
    form->addRow(QStringLiteral("Наименование\nлинзы"), lensCombo_);
    form->addRow(QStringLiteral("Стоимость"), costEdit_);
    form->addFields({
        {.field = F::Surname, .objectName = "sEdit17", .label = "Фамилия", .hinted = false},
        {.field = F::FirstName, .objectName = "sEdit16", .label = "Имя", .hinted = false},
        {.field = F::Patronymic, .objectName = "sEdit15", .label = "Отчество", .hinted = false},
        {.field = F::Quantity, .objectName = "sEdit19", .label = "Количество", .hinted = false},
        {.field = F::CareKind,
         .objectName = "sComboBox4",
         .label = "Тип помощи",
         .items = {QStringLiteral("Поликлиника"), QStringLiteral("Стационар"),
                   QStringLiteral("Дневной стационар")},
         .hinted = false},
        // The preset doctors are configuration; this hospital has not given its list yet.
        {.field = F::Doctor, .objectName = "sComboBox5", .label = "Фамилия доктора", .hinted = false},
    });
    departmentCombo_ = comboBox(panel, "sComboBox6", {});
    form->addRow(QStringLiteral("Отделение"), departmentCombo_);
    surnameEdit_ = form->line(F::Surname);
    firstNameEdit_ = form->line(F::FirstName);
    patronymicEdit_ = form->line(F::Patronymic);
    quantityEdit_ = form->line(F::Quantity);
    careKindCombo_ = form->list(F::CareKind);
    doctorCombo_ = form->list(F::Doctor);

    saveButton_ = new QPushButton(QStringLiteral("Сохранить"), panel);
    saveButton_->setObjectName(QStringLiteral("sBitBtn5"));
    saveButton_->setAutoDefault(false);
    connect(saveButton_, &QPushButton::clicked, this, &LensCostTab::save);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(form->grid());
    panelLayout->addWidget(saveButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addStretch(1);
}

void LensCostTab::takePatient(const QString& surname, const QString& firstName, const QString& patronymic,
                              const QString& careKind, const QString& doctor, const QString& department) {
    surnameEdit_->setText(surname);
    firstNameEdit_->setText(firstName);
    patronymicEdit_->setText(patronymic);
    careKindCombo_->setCurrentText(careKind);
    doctorCombo_->setCurrentText(doctor);
    departmentCombo_->setCurrentText(department);
}

void LensCostTab::insertRow() {
    const ColumnTexts values = {
        {"fam", surnameEdit_->text()},
        {"nam", firstNameEdit_->text()},
        {"oth", patronymicEdit_->text()},
        {"name", lensCombo_->currentText()},
        {"summa", costEdit_->text()},
        {"data_usl", dateEdit_->text()},
        {"time_us", timeEdit_->text()},
        {"kol", quantityEdit_->text()},
        {"tip_pom", careKindCombo_->currentText()},
        {"fiov", doctorCombo_->currentText()},
        {"otdelenie", departmentCombo_->currentText()},
    };
    zorvel::insertRow(workstation_.serviceRegister(), values);
}

bool LensCostTab::save() {
    Messages& messages = workstation_.messages();
    DataSet& people = workstation_.serviceRegister();
    const QString date = dateEdit_->text();
    const QString time = timeEdit_->text();
    if (!runCommand(messages, [this] { insertRow(); }))
        return false;
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        messages.error(QStringLiteral("Нет данных для сохранения"));
    }
    return runCommand(messages, [&] { reopenAt(people, date, time); });
}

} // namespace zorvel
