#pragma once

#include "widgets/dataset_model.h"

#include <QStringList>
#include <QTableView>
#include <map>
#include <vector>

namespace zorvel {

class DataSet;
class Messages;

// A grid over a dataset whose current row is the dataset's current row: moving in the grid moves the
// dataset, and a dataset that moves (a locate, a filter, a reopen, a new row) moves the grid. Rows are
// fetched as the grid scrolls; columns keep widths from the field widths, never measured over the rows.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    // A move the dataset refuses (posting a pending edit) is shown through messages.
    DataGrid(DataSet& dataSet, std::vector<DataSetModel::Column> columns, Messages& messages,
             QWidget* parent = nullptr);

    DataSet& dataSet() const { return dataSet_; }
    DataSetModel& dataModel() const { return *model_; }

    // Cells are edited in place (the key excepted): a typed value goes into the current row, which is
    // posted when the grid moves to another row or the navigator posts it. A column with a choice list
    // is edited by picking from it; a text column takes no more characters than it holds.
    void allowEditing(std::map<QString, QStringList> choiceLists = {});

private:
    void followDataSet(int row);
    void followGrid(const QModelIndex& current);
    void sizeColumns();

    DataSet& dataSet_;
    Messages& messages_;
    DataSetModel* model_;
    bool following_ = false;
    bool removingRows_ = false;
};

} // namespace zorvel
