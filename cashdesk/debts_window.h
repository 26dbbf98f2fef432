#pragma once

#include "widgets/dataset_model.h"

#include <QWidget>
#include <vector>

class QAction;

namespace zorvel {

class DataGrid;
class Workstation;

// The debts window (TForm10, "Задолжности"): the contracts not yet fully paid, read from the database's
// debts relation, and "Сохранить" in the grid's context menu, which writes them into "dolg.xls".
class DebtsWindow : public QWidget {
    Q_OBJECT
public:
    static inline const char* const kDebtsQuery =
        "select dndog,dfam,dnam,doth,cast(dchopl as numeric(7,2)),cast(DSUMDOG as numeric(7,2)),"
        "cast (DOST as numeric(7,2)),DDATAISP from dolg where  dost<>0   group by "
        "dndog,dfam,dnam,doth,dchopl,DSUMDOG,DOST,DDATAISP";

    explicit DebtsWindow(Workstation& workstation, QWidget* parent = nullptr);

    // "Список должников": reads the list again and shows the window.
    void loadDebts();
    // "Сохранить": the list into "dolg.xls", shown. False when nothing was shown.
    bool exportDebts();

    DataGrid* grid() const { return grid_; }

private:
    std::vector<DataSetModel::Column> resultColumns() const;
    void sizeColumns();

    Workstation& workstation_;
    DataGrid* grid_ = nullptr;
    QAction* save_ = nullptr; // N1
};

} // namespace zorvel
