#include "widgets/data_grid.h"

#include "data/dataset.h"
#include "widgets/choice_list.h"
#include "workstation/command.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>

namespace zorvel {

namespace {

// The grid's model, whose cells become editable once the grid allows it.
class GridModel : public DataSetModel {
public:
    GridModel(DataSet& dataSet, Messages& messages, QObject* parent)
        : DataSetModel(dataSet, parent), messages_(messages) {}

    bool editable = false;

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = DataSetModel::flags(index);
        if (editable && index.isValid() && dataSet().table() &&
            columnField(index.column()).compare(dataSet().table()->key, Qt::CaseInsensitive))
            f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!editable || role != Qt::EditRole || !index.isValid())
            return false;
        const QString field = columnField(index.column());
        const QString text = value.toString();
        if (data(index, Qt::EditRole).toString() == text)
            return true;
        return runCommand(messages_, [&] {
            DataSet& d = dataSet();
            d.setCurrentRow(index.row());
            if (d.state() == DataSet::State::Browse)
                d.edit();
            d.setFieldText(field, text);
        });
    }

private:
    Messages& messages_;
};

// Editors of the grid's cells: a list for a column with choices, else a line as long as the column.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(DataSetModel& model, std::map<QString, QStringList> choices, QObject* parent)
        : QStyledItemDelegate(parent), model_(model), choices_(std::move(choices)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const QString field = model_.columnField(index.column()).toUpper();
        auto choice = choices_.find(field);
        if (choice != choices_.end()) {
            auto* combo = new QComboBox(parent);
            combo->addItems(choice->second);
            return combo;
        }
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const DataSet& d = model_.dataSet();
        const int column = d.fieldIndex(field);
        if (auto* line = qobject_cast<QLineEdit*>(editor);
            line && column >= 0 && d.fields()[static_cast<size_t>(column)].width > 0)
            line->setMaxLength(d.fields()[static_cast<size_t>(column)].width);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        // The list opens on the stored value's item, whatever trailing blanks the column gave it.
        if (auto* list = qobject_cast<QComboBox*>(editor))
            showValue(list, index.data(Qt::EditRole).toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* list = qobject_cast<QComboBox*>(editor);
        if (!list) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        // The stored value's own item again: the record is not touched.
        if (list->currentIndex() != itemOfValue(list, index.data(Qt::EditRole).toString()))
            model->setData(index, list->currentText(), Qt::EditRole);
    }

private:
    DataSetModel& model_;
    std::map<QString, QStringList> choices_;
};

} // namespace

DataGrid::DataGrid(DataSet& dataSet, std::vector<DataSetModel::Column> columns, Messages& messages,
                   QWidget* parent)
    : QTableView(parent), dataSet_(dataSet), messages_(messages),
      model_(new GridModel(dataSet, messages, this)) {
    model_->setColumns(std::move(columns));
    model_->setMessages(&messages_);
    // A view whose current row goes away moves to a neighbour on its own; the dataset says where it
    // stands once the rows are gone, so that move is not passed on. Connected before the view's own
    // handling of the removal, which makes that move.
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { removingRows_ = true; });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { removingRows_ = false; });
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one height and no row numbers: the header's width would be measured from the numbers
    // of the last rows on every change of the count, and a row number says nothing about a record.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sizeColumns();

    connect(&dataSet_, &DataSet::currentChanged, this, &DataGrid::followDataSet);
    // A reset clears the view's current index; the dataset says where it stands right after.
    connect(&dataSet_, &DataSet::reset, this, &DataGrid::sizeColumns);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { followGrid(current); });
    followDataSet(dataSet_.currentRow());
}

void DataGrid::allowEditing(std::map<QString, QStringList> choiceLists) {
    static_cast<GridModel*>(model_)->editable = true;
    std::map<QString, QStringList> choices;
    for (auto& [field, list] : choiceLists)
        choices.emplace(field.toUpper(), list);
    setItemDelegate(new GridDelegate(*model_, std::move(choices), this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
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
    if (following_ || removingRows_ || !current.isValid() || current.row() == dataSet_.currentRow())
        return;
    following_ = true;
    const bool moved = runCommand(messages_, [this, row = current.row()] { dataSet_.setCurrentRow(row); });
    following_ = false;
    // Refused: the grid goes back to where the dataset stayed.
    if (!moved)
        followDataSet(dataSet_.currentRow());
}

} // namespace zorvel
