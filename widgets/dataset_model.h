#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <exception>
#include <vector>

namespace zorvel {

class DataSet;
class Messages;

// Shows a dataset's visible rows in a grid, fetching more rows as the grid scrolls. Columns are the
// dataset's fields in select order, or a chosen list of (field, title).
//
// Reading rows may fail (a lost connection, a value the server cannot convert) while the grid paints or
// scrolls, deep inside the toolkit: the error is kept, shown through messages once the event is over, and
// the model shows no further rows until the dataset is opened again.
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
    };

    explicit DataSetModel(DataSet& dataSet, QObject* parent = nullptr);
    void setMessages(Messages* messages) { messages_ = messages; }
    // A read failed; cleared when the dataset is opened again.
    bool hasFailed() const { return failed_; }
    void setColumns(std::vector<Column> columns);
    DataSet& dataSet() const { return dataSet_; }
    QString columnField(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    int fieldOf(int column) const;
    void onReset();
    void deferOrReset();
    void fail(std::exception_ptr error) const;

    DataSet& dataSet_;
    std::vector<Column> chosen_;
    std::vector<int> fieldIndexes_;
    Messages* messages_ = nullptr;
    mutable bool failed_ = false;
    mutable bool reading_ = false; // inside data(), reading a row for a view
    int rows_ = 0;                 // the rows the views have been told of
};

} // namespace zorvel
