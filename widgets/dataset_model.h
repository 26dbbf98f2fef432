#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace zorvel {

class DataSet;

// Shows a dataset's visible rows in a grid, fetching more rows as the grid scrolls. Columns are the
// dataset's fields in select order, or a chosen list of (field, title).
class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
    };

    explicit DataSetModel(DataSet& dataSet, QObject* parent = nullptr);
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

    DataSet& dataSet_;
    std::vector<Column> chosen_;
    std::vector<int> fieldIndexes_;
};

} // namespace zorvel
