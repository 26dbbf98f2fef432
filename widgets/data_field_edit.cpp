#include "widgets/data_field_edit.h"

#include "data/dataset.h"

namespace zorvel {

DataFieldEdit::DataFieldEdit(DataSet& dataSet, const QString& field, QWidget* parent)
    : QLineEdit(parent), dataSet_(dataSet), field_(field) {
    setReadOnly(true);
    connect(&dataSet_, &DataSet::reset, this, &DataFieldEdit::refresh);
    connect(&dataSet_, &DataSet::currentChanged, this, &DataFieldEdit::refresh);
    connect(&dataSet_, &DataSet::rowChanged, this, [this](int row) {
        if (row == dataSet_.currentRow())
            refresh();
    });
    refresh();
}

void DataFieldEdit::refresh() {
    // A closed dataset or one without the field shows nothing rather than failing a paint.
    const bool shown = dataSet_.isOpen() && dataSet_.fieldIndex(field_) >= 0;
    setText(shown ? dataSet_.fieldText(field_) : QString());
    setCursorPosition(0);
}

} // namespace zorvel
