#include "widgets/data_grid.h"

#include "data/dataset.h"
#include "workstation/command.h"

#include <QHeaderView>
#include <algorithm>

namespace zorvel {

DataGrid::DataGrid(DataSet& dataSet, std::vector<DataSetModel::Column> columns, Messages& messages,
                   QWidget* parent)
    : QTableView(parent), dataSet_(dataSet), messages_(messages), model_(new DataSetModel(dataSet, this)) {
    model_->setColumns(std::move(columns));
    model_->setMessages(&messages_);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sizeColumns();

    connect(&dataSet_, &DataSet::currentChanged, this, &DataGrid::followDataSet);
    // A reset clears the view's current index; the dataset says where it stands right after.
    connect(&dataSet_, &DataSet::reset, this, &DataGrid::sizeColumns);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { followGrid(current); });
    followDataSet(dataSet_.currentRow());
}

void DataGrid::sizeColumns() {
    // From the declared width of each field: measuring the rows would fetch them all.
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < model_->columnCount(); ++c) {
        const int field = dataSet_.fieldIndex(model_->columnField(c));
        int chars = 8;
        if (field >= 0 && dataSet_.fields()[static_cast<size_t>(field)].width > 0)
            chars = std::clamp(dataSet_.fields()[static_cast<size_t>(field)].width, 4, 30);
        const QString title = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const int titleWidth = fontMetrics().horizontalAdvance(title) + 16;
        setColumnWidth(c, std::max(chars * charWidth + 8, std::min(titleWidth, 30 * charWidth)));
    }
}

void DataGrid::followDataSet(int row) {
    if (following_)
        return;
    following_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex index = model_->index(row, column);
        selectionModel()->setCurrentIndex(index,
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    following_ = false;
}

void DataGrid::followGrid(const QModelIndex& current) {
    if (following_ || !current.isValid() || current.row() == dataSet_.currentRow())
        return;
    following_ = true;
    const bool moved = runCommand(messages_, [this, row = current.row()] { dataSet_.setCurrentRow(row); });
    following_ = false;
    // Refused: the grid goes back to where the dataset stayed.
    if (!moved)
        followDataSet(dataSet_.currentRow());
}

} // namespace zorvel
