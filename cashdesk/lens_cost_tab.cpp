#include "cashdesk/lens_cost_tab.h"

#include "data/dataset.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QComboBox>
#include <QFormLayout>
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
    auto* form = new QFormLayout(panel);

    lensCombo_ = comboBox(panel, "sComboBox1",
                          {QStringLiteral("IQ SN60WF"), QStringLiteral("LX 10BD"), QStringLiteral("GOLD"),
                           QStringLiteral("ОМНИ")});
    lensCombo_->setToolTip(QStringLiteral("Вид линзы"));
    costEdit_ = lineEdit(panel, "sEdit14");
    costEdit_->setToolTip(QStringLiteral("Стоимость"));
    surnameEdit_ = lineEdit(panel, "sEdit17");
    firstNameEdit_ = lineEdit(panel, "sEdit16");
    patronymicEdit_ = lineEdit(panel, "sEdit15");
    quantityEdit_ = lineEdit(panel, "sEdit19");
    careKindCombo_ = comboBox(
        panel, "sComboBox4",
        {QStringLiteral("Поликлиника"), QStringLiteral("Стационар"), QStringLiteral("Дневной стационар")});
    // The preset doctors are configuration; this hospital has not given its list yet.
    doctorCombo_ = comboBox(panel, "sComboBox5", {});
    departmentCombo_ = comboBox(panel, "sComboBox6", {});

    form->addRow(QStringLiteral("Наименование\nлинзы"), lensCombo_);
    form->addRow(QStringLiteral("Стоимость"), costEdit_);
    form->addRow(QStringLiteral("Фамилия"), surnameEdit_);
    form->addRow(QStringLiteral("Имя"), firstNameEdit_);
    form->addRow(QStringLiteral("Отчество"), patronymicEdit_);
    form->addRow(QStringLiteral("Количество"), quantityEdit_);
    form->addRow(QStringLiteral("Тип помощи"), careKindCombo_);
    form->addRow(QStringLiteral("Фамилия доктора"), doctorCombo_);
    form->addRow(QStringLiteral("Отделение"), departmentCombo_);
    saveButton_ = new QPushButton(QStringLiteral("Сохранить"), panel);
    saveButton_->setObjectName(QStringLiteral("sBitBtn5"));
    saveButton_->setAutoDefault(false);
    connect(saveButton_, &QPushButton::clicked, this, &LensCostTab::save);
    form->addRow(saveButton_);

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
    const std::pair<const char*, QString> values[] = {
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
    DataSet& people = workstation_.serviceRegister();
    people.insert();
    try {
        for (const auto& [column, value] : values)
            people.setFieldText(QString::fromLatin1(column), value);
        people.post();
    } catch (...) {
        people.cancel();
        throw;
    }
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
    return runCommand(messages, [&] {
        people.close();
        people.open();
        people.locate(QStringLiteral("data_usl;time_us"), {date, time});
    });
}

} // namespace zorvel
