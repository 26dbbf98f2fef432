#include "widgets/dataset_model.h"

#include "data/errors.h"

#include "data/dataset.h"

namespace zorvel {

DataSetModel::DataSetModel(DataSet& dataSet, QObject* parent)
    : QAbstractTableModel(parent), dataSet_(dataSet) {
    connect(&dataSet_, &DataSet::reset, this, &DataSetModel::onReset);
    connect(&dataSet_, &DataSet::rowsAppended, this, [this](int first, int last) {
        // The dataset has already grown; tell the views after the fact.
        beginInsertRows({}, first, last);
        endInsertRows();
    });
    connect(&dataSet_, &DataSet::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        endInsertRows();
    });
    connect(&dataSet_, &DataSet::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        endRemoveRows();
    });
    connect(&dataSet_, &DataSet::rowChanged, this, [this](int row) {
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    onReset();
}

void DataSetModel::setColumns(std::vector<Column> columns) {
    beginResetModel();
    chosen_ = std::move(columns);
    endResetModel();
    onReset();
}

void DataSetModel::onReset() {
    beginResetModel();
    fieldIndexes_.clear();
    if (chosen_.empty()) {
        for (size_t i = 0; i < dataSet_.fields().size(); ++i)
            fieldIndexes_.push_back(static_cast<int>(i));
    } else {
        for (const Column& c : chosen_)
            fieldIndexes_.push_back(dataSet_.fieldIndex(c.field));
    }
    endResetModel();
}

int DataSetModel::fieldOf(int column) const {
    return column >= 0 && column < static_cast<int>(fieldIndexes_.size())
               ? fieldIndexes_[static_cast<size_t>(column)]
               : -1;
}

QString DataSetModel::columnField(int column) const {
    if (!chosen_.empty())
        return column < static_cast<int>(chosen_.size()) ? chosen_[static_cast<size_t>(column)].field
                                                         : QString();
    int f = fieldOf(column);
    return f >= 0 ? dataSet_.fields()[static_cast<size_t>(f)].name : QString();
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : dataSet_.fetchedCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return chosen_.empty() ? static_cast<int>(fieldIndexes_.size()) : static_cast<int>(chosen_.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    int f = fieldOf(index.column());
    if (f < 0)
        return {};
    return dataSet_.text(index.row(), f);
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (!chosen_.empty())
        return section < static_cast<int>(chosen_.size()) ? chosen_[static_cast<size_t>(section)].title
                                                          : QString();
    int f = fieldOf(section);
    return f >= 0 ? dataSet_.fields()[static_cast<size_t>(f)].label : QString();
}

bool DataSetModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && dataSet_.canFetchMore();
}

void DataSetModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid())
        dataSet_.fetchMore(256);
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable_ && index.isValid() && fieldOf(index.column()) >= 0 && dataSet_.table())
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editable_ || role != Qt::EditRole || !index.isValid())
        return false;
    const int f = fieldOf(index.column());
    if (f < 0)
        return false;
    const QString text = value.toString();
    if (text == dataSet_.text(index.row(), f))
        return false; // nothing changed: the row is not put into editing
    try {
        dataSet_.setCurrentRow(index.row());
        dataSet_.edit();
        dataSet_.setFieldText(dataSet_.fields()[static_cast<size_t>(f)].name, text);
    } catch (const std::exception& e) {
        emit editRefused(errorMessage(e));
        return false;
    }
    return true;
}

} // namespace zorvel
