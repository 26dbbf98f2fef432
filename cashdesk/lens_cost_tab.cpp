#include "cashdesk/lens_cost_tab.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
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

LensCostTab::LensCostTab(QWidget* parent) : QWidget(parent) {
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

} // namespace zorvel
