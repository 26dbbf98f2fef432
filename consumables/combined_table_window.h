#pragma once

#include "consumables/combined_statement.h"

#include <QWidget>

#include <memory>

class QAction;
class QLineEdit;
class QMenu;

namespace zorvel {

class DataGrid;
class DataSet;
class DateField;
class Workbook;
class Workstation;

// The combined table (TForm14, "Журнал расходников"): the services register of a period with the columns,
// grouping and conditions its two companion windows choose, sortable by any column's title and copied
// whole into a workbook.
class CombinedTableWindow : public QWidget {
    Q_OBJECT
public:
    explicit CombinedTableWindow(Workstation& workstation, QWidget* parent = nullptr);
    ~CombinedTableWindow() override;

    // What the companion windows hand over on "Применить"; each rebuilds the table.
    void setVisibleFields(const QString& select, const QString& group);
    void setCondition(const QString& condition);

    // Builds the statement from the texts and the period and reopens the table with its titles. Waits
    // (returns false, the table as it was) while either period field lacks a whole date. A statement the
    // server refuses is shown with its message and below the grid; the last good result stays.
    bool rebuild();
    // A click on a column's title: the unsorted statement ordered by that column.
    bool sortBy(int column);
    // "Вывести в excel": the whole result into a new workbook from "comb", titles first.
    bool copyToWorkbook();

    DataSet& dataSet() const { return *dataSet_; }
    // The last statement built (Edit1).
    QString statement() const;
    // The statement without an order clause that the title-click sort extends.
    QString baseQueryText() const { return baseQueryText_; }

signals:
    void visibleFieldsRequested(); // N1 "Видимые поля"
    void filtersRequested();       // N2 "Фильтры"

private:
    // Opens `sql` and sets the titles; false when the server refused it (then the last good one again).
    bool open(const QString& sql, bool sorted);
    void setTitles();

    Workstation& workstation_;
    std::unique_ptr<DataSet> dataSet_; // pFIBDataSet1
    CombinedTexts texts_;
    QString baseQueryText_;
    QString lastGood_;
    bool lastGoodSorted_ = false;
    // The table shows a sorted statement: its select text is not a base for the next sort.
    bool sorted_ = false;
    DateField* from_ = nullptr;          // sDateEdit1
    DateField* to_ = nullptr;            // sDateEdit2
    DataGrid* grid_ = nullptr;           // DBGrid1
    QLineEdit* statementEdit_ = nullptr; // Edit1
    QMenu* popup_ = nullptr;             // PopupMenu1
};

} // namespace zorvel
