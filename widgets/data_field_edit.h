#pragma once

#include <QLineEdit>
#include <QString>

namespace zorvel {

class DataSet;

// A read-only line that shows one field of a dataset's current row and follows it as the row moves, the
// filter changes or the dataset reopens (the department name beside its code).
class DataFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    DataFieldEdit(DataSet& dataSet, const QString& field, QWidget* parent = nullptr);

private:
    void refresh();

    DataSet& dataSet_;
    QString field_;
};

} // namespace zorvel
