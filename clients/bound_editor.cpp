#include "clients/bound_editor.h"

#include "data/dataset.h"
#include "widgets/choice_list.h"
#include "widgets/input_rules.h"
#include "workstation/command.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace zorvel {

BoundEditor::BoundEditor(QLineEdit* editor, DataSet& dataSet, const QString& field, Messages& messages,
                         int width)
    : QObject(editor), line_(editor), dataSet_(dataSet), field_(field), messages_(messages) {
    if (width > 0)
        limitLength(editor, width);
    connect(editor, &QLineEdit::textEdited, this, &BoundEditor::write);
    editor->installEventFilter(this);
    connectDataSet();
}

BoundEditor::BoundEditor(QComboBox* editor, DataSet& dataSet, const QString& field, Messages& messages,
                         int width)
    : QObject(editor), line_(editor->lineEdit()), list_(editor), dataSet_(dataSet), field_(field),
      messages_(messages) {
    if (width > 0)
        limitLength(editor, width);
    connect(line_, &QLineEdit::textEdited, this, &BoundEditor::write);
    // Picking an entry of the list writes it as typing does.
    connect(editor, &QComboBox::activated, this,
            [this, editor](int index) { write(editor->itemText(index)); });
    line_->installEventFilter(this);
    connectDataSet();
}

void BoundEditor::connectDataSet() {
    connect(&dataSet_, &DataSet::reset, this, &BoundEditor::refresh);
    connect(&dataSet_, &DataSet::currentChanged, this, &BoundEditor::refresh);
    connect(&dataSet_, &DataSet::rowChanged, this, [this](int row) {
        if (row == dataSet_.currentRow())
            refresh();
    });
    refresh();
}

void BoundEditor::refresh() {
    if (writing_)
        return;
    const bool shown = dataSet_.isOpen() && dataSet_.currentRow() >= 0 && dataSet_.fieldIndex(field_) >= 0;
    const QString text = shown ? dataSet_.fieldText(field_) : QString();
    if (list_) {
        showValue(list_, text);
    } else if (line_->text() != text) {
        line_->setText(text);
        line_->setCursorPosition(0);
    }
}

void BoundEditor::write(const QString& text) {
    writing_ = true;
    const bool written = runCommand(messages_, [&] {
        if (dataSet_.currentRow() < 0)
            return;
        dataSet_.edit();
        dataSet_.setFieldText(field_, text);
    });
    writing_ = false;
    if (!written)
        refresh();
}

bool BoundEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == line_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && dataSet_.isOpen() &&
        dataSet_.state() == DataSet::State::Edit) {
        runCommand(messages_, [this] { dataSet_.cancel(); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvel
