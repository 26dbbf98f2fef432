#include "consumables/visible_fields_window.h"

#include "consumables/combined_statement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

VisibleFieldsWindow::VisibleFieldsWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TForm15"));
    setWindowTitle(QStringLiteral("Видимые поля"));
    auto* grid = new QGridLayout;
    const auto& fields = visibleFields();
    // Three columns of boxes; the order of the pieces is the boxes' order whatever their place.
    const int perColumn = (static_cast<int>(fields.size()) + 2) / 3;
    for (size_t i = 0; i < fields.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(fields[i].caption), this);
        box->setObjectName(QString::fromLatin1(fields[i].box));
        boxes_.push_back(box);
        grid->addWidget(box, static_cast<int>(i) % perColumn, static_cast<int>(i) / perColumn);
    }
    groupEdit_ = new QLineEdit(this);
    groupEdit_->setObjectName(QStringLiteral("Edit1"));
    groupEdit_->hide();
    selectEdit_ = new QLineEdit(this);
    selectEdit_->setObjectName(QStringLiteral("Edit2"));
    selectEdit_->hide();

    auto* applyButton = new QPushButton(QStringLiteral("Применить"), this);
    applyButton->setObjectName(QStringLiteral("sBitBtn1"));
    connect(applyButton, &QPushButton::clicked, this, &VisibleFieldsWindow::apply);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("sBitBtn2"));
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applyButton);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

QString VisibleFieldsWindow::selectText() const {
    return selectEdit_->text();
}

QString VisibleFieldsWindow::groupText() const {
    return groupEdit_->text();
}

void VisibleFieldsWindow::apply() {
    QStringList pieces;
    const auto& fields = visibleFields();
    for (size_t i = 0; i < fields.size(); ++i)
        if (boxes_[i]->isChecked())
            pieces << QString::fromLatin1(fields[i].piece);
    const VisibleTexts texts = visibleTexts(pieces);
    groupEdit_->setText(texts.group);
    selectEdit_->setText(texts.select);
    emit applied(texts.select, texts.group);
}

} // namespace zorvel
