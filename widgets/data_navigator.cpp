#include "widgets/data_navigator.h"

#include "workstation/command.h"
#include "data/dataset.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace zorvel {

DataNavigator::DataNavigator(DataSet& dataSet, Messages& messages, QWidget* parent)
    : QWidget(parent), dataSet_(dataSet), messages_(messages) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    addButton(Button::First, QStringLiteral("nbFirst"), QStringLiteral("|◀"),
              QStringLiteral("Первая запись"));
    addButton(Button::Prior, QStringLiteral("nbPrior"), QStringLiteral("◀"),
              QStringLiteral("Предыдущая запись"));
    addButton(Button::Next, QStringLiteral("nbNext"), QStringLiteral("▶"),
              QStringLiteral("Следующая запись"));
    addButton(Button::Last, QStringLiteral("nbLast"), QStringLiteral("▶|"),
              QStringLiteral("Последняя запись"));
    addButton(Button::Insert, QStringLiteral("nbInsert"), QStringLiteral("+"),
              QStringLiteral("Добавить запись"));
    addButton(Button::Delete, QStringLiteral("nbDelete"), QStringLiteral("−"),
              QStringLiteral("Удалить запись"));
    addButton(Button::Edit, QStringLiteral("nbEdit"), QStringLiteral("▲"), QStringLiteral("Изменить запись"));
    addButton(Button::Post, QStringLiteral("nbPost"), QStringLiteral("✓"),
              QStringLiteral("Сохранить изменения"));
    addButton(Button::Cancel, QStringLiteral("nbCancel"), QStringLiteral("✗"),
              QStringLiteral("Отменить изменения"));
    addButton(Button::Refresh, QStringLiteral("nbRefresh"), QStringLiteral("↻"),
              QStringLiteral("Обновить данные"));
    layout->addStretch(1);

    connect(&dataSet_, &DataSet::reset, this, &DataNavigator::updateButtons);
    connect(&dataSet_, &DataSet::currentChanged, this, &DataNavigator::updateButtons);
    connect(&dataSet_, &DataSet::rowChanged, this, &DataNavigator::updateButtons);
    updateButtons();
}

QToolButton* DataNavigator::button(Button which) const {
    return buttons_[static_cast<int>(which)];
}

void DataNavigator::addButton(Button which, const QString& objectName, const QString& text,
                              const QString& hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(objectName);
    b->setText(text);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [this, which] { run(which); });
    layout()->addWidget(b);
    buttons_[static_cast<int>(which)] = b;
}

void DataNavigator::run(Button which) {
    runCommand(messages_, [this, which] {
        switch (which) {
        case Button::First:
            dataSet_.first();
            break;
        case Button::Prior:
            if (dataSet_.currentRow() > 0)
                dataSet_.setCurrentRow(dataSet_.currentRow() - 1);
            break;
        case Button::Next:
            dataSet_.next();
            break;
        case Button::Last:
            dataSet_.last();
            break;
        case Button::Insert:
            dataSet_.insert();
            break;
        case Button::Delete:
            dataSet_.remove();
            break;
        case Button::Edit:
            dataSet_.edit();
            break;
        case Button::Post:
            dataSet_.post();
            break;
        case Button::Cancel:
            dataSet_.cancel();
            break;
        case Button::Refresh:
            refresh();
            break;
        }
    });
    updateButtons();
}

void DataNavigator::refresh() {
    // Reads the rows again and stands where it stood; only the rows up to there are fetched.
    const int row = dataSet_.currentRow();
    if (dataSet_.state() != DataSet::State::Browse)
        dataSet_.post();
    dataSet_.close();
    dataSet_.open();
    if (row > 0)
        dataSet_.setCurrentRow(row);
}

void DataNavigator::updateButtons() {
    const bool open = dataSet_.isOpen();
    const bool browsing = open && dataSet_.state() == DataSet::State::Browse;
    const bool hasRow = open && dataSet_.currentRow() >= 0;
    const bool editable = open && dataSet_.table() != nullptr;
    for (Button b : {Button::First, Button::Prior, Button::Next, Button::Last})
        button(b)->setEnabled(browsing);
    button(Button::Refresh)->setEnabled(open);
    button(Button::Insert)->setEnabled(editable && browsing);
    button(Button::Delete)->setEnabled(editable && hasRow);
    button(Button::Edit)->setEnabled(editable && browsing && hasRow);
    button(Button::Post)->setEnabled(editable && !browsing);
    button(Button::Cancel)->setEnabled(editable && !browsing);
}

} // namespace zorvel
