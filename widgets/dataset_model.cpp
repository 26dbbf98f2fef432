#include "widgets/dataset_model.h"

#include "data/dataset.h"
#include "workstation/command.h"

#include <QPointer>
#include <QTimer>
#include <QtDebug>

namespace zorvel {

DataSetModel::DataSetModel(DataSet& dataSet, QObject* parent)
    : QAbstractTableModel(parent), dataSet_(dataSet) {
    // The model keeps the number of rows it has told the views, and tells them every change of the
    // dataset's count as it happens; anything it cannot follow row by row becomes a reset.
    connect(&dataSet_, &DataSet::reset, this, &DataSetModel::deferOrReset);
    connect(&dataSet_, &DataSet::rowsAppended, this, [this](int first, int last) {
        if (reading_ || first != rows_ || last < first) {
            deferOrReset();
            return;
        }
        beginInsertRows({}, first, last);
        rows_ = last + 1;
        endInsertRows();
    });
    connect(&dataSet_, &DataSet::rowInserted, this, [this](int row) {
        if (reading_ || row < 0 || row > rows_) {
            deferOrReset();
            return;
        }
        beginInsertRows({}, row, row);
        ++rows_;
        endInsertRows();
    });
    connect(&dataSet_, &DataSet::rowRemoved, this, [this](int row) {
        if (reading_ || row < 0 || row >= rows_) {
            deferOrReset();
            return;
        }
        beginRemoveRows({}, row, row);
        --rows_;
        endRemoveRows();
    });
    connect(&dataSet_, &DataSet::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rows_)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    onReset();
}

void DataSetModel::deferOrReset() {
    // Reading a row for a view found the count changed: the views learn it after their paint.
    if (reading_)
        QTimer::singleShot(0, this, &DataSetModel::onReset);
    else
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
    failed_ = false;
    rows_ = dataSet_.fetchedCount();
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
    return parent.isValid() ? 0 : rows_;
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
    if (f < 0 || failed_ || index.row() >= rows_)
        return {};
    try {
        reading_ = true;
        QString text = dataSet_.text(index.row(), f);
        reading_ = false;
        return text;
    } catch (...) {
        reading_ = false;
        fail(std::current_exception());
        return {};
    }
}

void DataSetModel::fail(std::exception_ptr error) const {
    if (failed_)
        return;
    failed_ = true;
    // Shown after the paint or scroll that met it: a message box must not open inside them.
    QPointer<const DataSetModel> self(this);
    QTimer::singleShot(0, const_cast<DataSetModel*>(this), [self, error] {
        if (!self)
            return;
        if (self->messages_)
            runCommand(*self->messages_, [&] { std::rethrow_exception(error); });
        else
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                qWarning() << e.what();
            }
    });
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
    return !parent.isValid() && !failed_ && dataSet_.canFetchMore();
}

void DataSetModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || failed_)
        return;
    try {
        dataSet_.fetchMore(256);
    } catch (...) {
        fail(std::current_exception());
    }
}

} // namespace zorvel
