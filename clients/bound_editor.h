#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;

namespace zorvel {

class DataSet;
class Messages;

// Binds a line edit or an editable combo box to one field of a dataset's current row: it shows the
// field as the row moves, the dataset reopens or the row changes; what the user types is written into
// the row at once (the row goes into editing and waits for a post); Escape puts the row's stored values
// back. The editor takes no more characters than the column holds.
class BoundEditor : public QObject {
    Q_OBJECT
public:
    BoundEditor(QLineEdit* editor, DataSet& dataSet, const QString& field, Messages& messages, int width);
    BoundEditor(QComboBox* editor, DataSet& dataSet, const QString& field, Messages& messages, int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectDataSet();
    void refresh();
    void write(const QString& text);

    QLineEdit* line_ = nullptr;
    QComboBox* list_ = nullptr; // a combo box's items, matched to the stored value
    DataSet& dataSet_;
    QString field_;
    Messages& messages_;
    bool writing_ = false;
};

} // namespace zorvel
