#include "widgets/entry_form.h"

#include "widgets/data_field_edit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace zorvel {

namespace {

// The hint each field shows, where it has one.
const char* hintOf(EntryField field) {
    switch (field) {
    case EntryField::Surname:
        return "Фамилия пациента";
    case EntryField::FirstName:
        return "Имя пациента";
    case EntryField::Patronymic:
        return "Отчество пациента";
    case EntryField::CareKind:
        return "Выбор типа помощи";
    case EntryField::Doctor:
        return "Выберите фамилию доктора";
    case EntryField::DepartmentCode:
        return "Код отделения";
    case EntryField::DepartmentName:
        return "Название отделения";
    case EntryField::ServiceNumber:
        return "Поле для поиска услуги по госпитальному коду";
    case EntryField::ServiceName:
        return "Наименование услуги";
    case EntryField::ServiceCode:
        return "Код услуги";
    case EntryField::Sum:
        return "Сумма";
    case EntryField::Quantity:
        return "Количество услуг";
    case EntryField::Nurse:
    case EntryField::Technician:
        break;
    }
    return nullptr;
}

bool isList(EntryField field) {
    return field == EntryField::CareKind || field == EntryField::Doctor || field == EntryField::Nurse ||
           field == EntryField::Technician;
}

} // namespace

EntryForm::EntryForm(QWidget* owner, DataSet* departments)
    : QObject(owner), owner_(owner), departments_(departments), grid_(new QGridLayout) {}

QWidget* EntryForm::make(const EntryFieldSetup& setup) {
    QWidget* widget = nullptr;
    if (isList(setup.field)) {
        auto* combo = new QComboBox(owner_);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert); // Enter must not add what was typed to the list
        if (!setup.items.isEmpty())
            combo->addItems(setup.items);
        else if (setup.field == EntryField::CareKind)
            combo->addItems({QStringLiteral("Поликлиника"), QStringLiteral("Стационар"),
                             QStringLiteral("Дневной стационар"), QString()});
        if (combo->count() > 0)
            combo->setCurrentIndex(0);
        widget = combo;
    } else if (setup.field == EntryField::DepartmentName && departments_) {
        widget = new DataFieldEdit(*departments_, QStringLiteral("NAME"), owner_);
    } else {
        auto* edit = new QLineEdit(owner_);
        if (setup.field == EntryField::ServiceCode)
            edit->setReadOnly(true); // only the look-up fills it
        widget = edit;
    }
    widget->setObjectName(QString::fromLatin1(setup.objectName));
    if (const char* hint = hintOf(setup.field); hint && setup.hinted)
        widget->setToolTip(QString::fromUtf8(hint));
    if (setup.characterRule != CharacterRule::None)
        attachCharacterRule(widget, setup.characterRule);
    if (setup.enterAdvances)
        attachEnterAdvances(widget);
    if (setup.maxLength > 0)
        limitLength(widget, setup.maxLength);
    fields_[static_cast<size_t>(setup.field)] = widget;
    return widget;
}

void EntryForm::addFields(std::initializer_list<EntryFieldSetup> setups) {
    for (const EntryFieldSetup& setup : setups) {
        QWidget* widget = make(setup);
        if (setup.label || !lastField_) {
            addRow(QString::fromUtf8(setup.label), widget);
            continue;
        }
        // Beside the field before: the pair shares that field's cell, the later one wider.
        QWidget* before = lastField_;
        const int index = grid_->indexOf(before);
        if (index < 0) {
            addRow(QString(), widget);
            continue;
        }
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid_->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        delete grid_->takeAt(index);
        auto* pair = new QHBoxLayout;
        pair->addWidget(before, 1);
        pair->addWidget(widget, 3);
        grid_->addLayout(pair, row, column);
        lastField_ = widget;
    }
}

void EntryForm::addRow(const QString& label, QWidget* field, QWidget* beside) {
    if (!label.isEmpty()) {
        auto* l = new QLabel(label, owner_);
        l->setBuddy(field);
        grid_->addWidget(l, row_, column_ * 2);
    }
    if (beside) {
        auto* pair = new QHBoxLayout;
        pair->addWidget(field, 1);
        pair->addWidget(beside, 3);
        grid_->addLayout(pair, row_, column_ * 2 + 1);
    } else {
        grid_->addWidget(field, row_, column_ * 2 + 1);
    }
    lastField_ = beside ? beside : field;
    ++row_;
}

void EntryForm::nextColumn() {
    ++column_;
    row_ = 0;
    lastField_ = nullptr;
}

QWidget* EntryForm::field(EntryField field) const {
    return fields_[static_cast<size_t>(field)];
}

QLineEdit* EntryForm::line(EntryField field) const {
    return qobject_cast<QLineEdit*>(this->field(field));
}

QComboBox* EntryForm::list(EntryField field) const {
    return qobject_cast<QComboBox*>(this->field(field));
}

} // namespace zorvel
