#include "widgets/dataset_model.h"

#include "data/dataset.h"
#include "workstation/command.h"

#include <QPointer>
#include <QTimer>
#include <QtDebug>
#include <algorithm>

namespace zorvel {

DataSetModel::DataSetModel(DataSet& dataSet, QObject* parent)
    : QAbstractTableModel(parent), dataSet_(dataSet) {
    // The model keeps the number of rows it has told the views, and tells them every change of the
    // dataset's count as it happens; anything it cannot follow row by row becomes a reset.
    connect(&dataSet_, &DataSet::reset, this, &DataSetModel::deferOrReset);
    connect(&dataSet_, &DataSet::rowsAppended, this, [this](int first, int last) {
        settle();
        if (reading_ || first != rows_ || last < first) {
            deferOrReset();
            return;
        }
        beginInsertRows({}, first, last);
        rows_ = last + 1;
        endInsertRows();
    });
    connect(&dataSet_, &DataSet::rowInserted, this, [this](int row) {
        if (removed_ >= 0 && !reading_ && row >= 0 && row < rows_) {
            // A row taken out and put back elsewhere (a saved row going to its place in the key's
            // order): the rows between the two places shift by one and the count stays, so the views
            // repaint them rather than rebuild their per-row state, which costs as much as the rows.
            const int first = std::min(removed_, row);
            const int last = std::max(removed_, row);
            removed_ = -1;
            emit dataChanged(index(first, 0), index(last, columnCount() - 1));
            return;
        }
        settle();
        if (reading_ || row < 0 || row > rows_) {
            deferOrReset();
            return;
        }
        beginInsertRows({}, row, row);
        ++rows_;
        endInsertRows();
    });
    connect(&dataSet_, &DataSet::rowRemoved, this, [this](int row) {
        settle();
        if (reading_ || row < 0 || row >= rows_) {
            deferOrReset();
            return;
        }
        // Told at once unless the dataset puts a row back before anything else happens.
        removed_ = row;
        QTimer::singleShot(0, this, &DataSetModel::settle);
    });
    connect(&dataSet_, &DataSet::rowChanged, this, [this](int row) {
        settle();
        if (row >= 0 && row < rows_)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    // Connected before any view follows the current row, so that a view moving to it sees the count
    // the dataset has.
    connect(&dataSet_, &DataSet::currentChanged, this, &DataSetModel::settle);
    onReset();
}

void DataSetModel::deferOrReset() {
    // Reading a row for a view found the count changed: the views learn it after their paint.
    if (reading_) {
        QTimer::singleShot(0, this, &DataSetModel::onReset);
        return;
    }
    settleRemoval();
    if (!dataSet_.isOpen() && rows_ > 0 && !closed_) {
        // Closed, most often to be opened again at once (a save's reopen): the views keep their rows
        // until the event loop runs, and a reopen with as many rows only repaints them.
        closed_ = true;
        QTimer::singleShot(0, this, &DataSetModel::settle);
        return;
    }
    onReset();
}

void DataSetModel::settleRemoval() {
    if (removed_ < 0)
        return;
    const int row = removed_;
    removed_ = -1;
    beginRemoveRows({}, row, row);
    --rows_;
    endRemoveRows();
}

void DataSetModel::settle() {
    settleRemoval();
    if (closed_ && !reading_)
        onReset();
}

std::vector<int> DataSetModel::shownFields() const {
    std::vector<int> fields;
    if (chosen_.empty()) {
        for (size_t i = 0; i < dataSet_.fields().size(); ++i)
            fields.push_back(static_cast<int>(i));
    } else {
        for (const Column& c : chosen_)
            fields.push_back(dataSet_.fieldIndex(c.field));
    }
    return fields;
}

void DataSetModel::setColumns(std::vector<Column> columns) {
    beginResetModel();
    chosen_ = std::move(columns);
    endResetModel();
    onReset();
}

void DataSetModel::onReset() {
    removed_ = -1;
    closed_ = false;
    const int rows = dataSet_.isOpen() ? dataSet_.fetchedCount() : 0;
    std::vector<int> fields = shownFields();
    if (rows == rows_ && rows > 0 && fields == fieldIndexes_ && columnCount() > 0) {
        // As many rows in the same columns: new cells, but no rows to rebuild in the views.
        failed_ = false;
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    failed_ = false;
    rows_ = rows;
    fieldIndexes_ = std::move(fields);
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
    return parent.isValid() || closed_ ? 0 : rows_;
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
    if (f < 0 || failed_ || closed_ || removed_ >= 0 || index.row() >= rows_)
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
    return !parent.isValid() && !failed_ && !closed_ && removed_ < 0 && dataSet_.canFetchMore();
}

void DataSetModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || failed_ || closed_ || removed_ >= 0)
        return;
    try {
        dataSet_.fetchMore(256);
    } catch (...) {
        fail(std::current_exception());
    }
}

} // namespace zorvel
