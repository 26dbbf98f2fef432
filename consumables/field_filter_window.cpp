#include "consumables/field_filter_window.h"

#include "consumables/combined_statement.h"
#include "consumables/date_field.h"
#include "workstation/department_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

FieldFilterWindow::FieldFilterWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TForm16"));
    setWindowTitle(QStringLiteral("Фильтры по полям"));
    auto* grid = new QGridLayout;
    const auto& filters = fieldFilters();
    for (size_t i = 0; i < filters.size(); ++i) {
        const FieldFilter& f = filters[i];
        auto* box = new QCheckBox(QString::fromUtf8(f.caption), this);
        box->setObjectName(QString::fromLatin1(f.box));
        QWidget* value = nullptr;
        if (f.date) {
            value = new DateField(f.control, this);
        } else {
            auto* combo = new QComboBox(this);
            combo->setObjectName(QString::fromLatin1(f.control));
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            const QString control = QString::fromLatin1(f.control);
            if (control == QLatin1String("sComboBox9"))
                combo->addItems({QStringLiteral("Поликлиника"), QStringLiteral("Стационар"),
                                 QStringLiteral("Дневной стационар")});
            else if (control == QLatin1String("sComboBox19"))
                combo->addItems({QStringLiteral("Да"), QStringLiteral("Нет")});
            else if (control == QLatin1String("sComboBox10"))
                combo->addItems(departmentNames());
            // Every list starts empty, whatever it offers.
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
            value = combo;
        }
        value->hide();
        connect(box, &QCheckBox::toggled, value, &QWidget::setVisible);
        grid->addWidget(box, static_cast<int>(i), 0);
        grid->addWidget(value, static_cast<int>(i), 1);
        rows_.push_back({box, value});
    }
    conditionEdit_ = new QLineEdit(this);
    conditionEdit_->setObjectName(QStringLiteral("Edit1"));
    conditionEdit_->hide();

    auto* applyButton = new QPushButton(QStringLiteral("Применить"), this);
    applyButton->setObjectName(QStringLiteral("sBitBtn1"));
    connect(applyButton, &QPushButton::clicked, this, &FieldFilterWindow::apply);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("sBitBtn2"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applyButton);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

QString FieldFilterWindow::conditionText() const {
    return conditionEdit_->text();
}

void FieldFilterWindow::apply() {
    std::vector<std::pair<QString, QString>> conditions;
    const auto& filters = fieldFilters();
    for (size_t i = 0; i < filters.size(); ++i) {
        // The value control's shown state decides, whether the window is open or not.
        if (rows_[i].value->isHidden())
            continue;
        QString value;
        if (auto* date = qobject_cast<DateField*>(rows_[i].value))
            value = date->dateText();
        else
            value = static_cast<QComboBox*>(rows_[i].value)->currentText();
        conditions.emplace_back(QString::fromLatin1(filters[i].column), value);
    }
    const QString condition = zorvel::conditionText(conditions);
    conditionEdit_->setText(condition);
    emit applied(condition);
}

} // namespace zorvel
