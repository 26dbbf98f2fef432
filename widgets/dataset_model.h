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
    // An editable model writes what is typed into a cell into the dataset's current row (which it puts
    // into editing); the row is posted when the dataset moves on or a screen posts it.
    void setEditable(bool on) { editable_ = on; }
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // The dataset refused a typed value; the text says why.
    void editRefused(const QString& text);

private:
    int fieldOf(int column) const;
    void onReset();

    DataSet& dataSet_;
    std::vector<Column> chosen_;
    std::vector<int> fieldIndexes_;
    bool editable_ = false;
};

} // namespace zorvel
