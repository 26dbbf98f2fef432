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
//
// A view keeps state for every row it is told of, and rebuilds it on every change of the count, which on a
// register of a million rows costs more than the save it follows. So the model tells the views of changes
// of the count only: a row removed and put back elsewhere (a saved row taking its place in the key's
// order) and a reopen with as many rows are told as changed cells; a close is told when the events run,
// unless the dataset is opened again before.
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
    void settle();
    void settleRemoval();
    std::vector<int> shownFields() const;
    void fail(std::exception_ptr error) const;

    DataSet& dataSet_;
    std::vector<Column> chosen_;
    std::vector<int> fieldIndexes_;
    Messages* messages_ = nullptr;
    mutable bool failed_ = false;
    mutable bool reading_ = false; // inside data(), reading a row for a view
    int rows_ = 0;                 // the rows the views have been told of
    int removed_ = -1;             // a row the dataset removed that the views have not been told of yet
    bool closed_ = false;          // the dataset closed; the views are told of it when the events run
};

} // namespace zorvel
