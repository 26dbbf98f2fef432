#pragma once

#include <QWidget>

namespace zorvel {

class Workstation;
class DataGrid;
class DataNavigator;

// The register tab of the main window, "Касса": the saved paid services in a grid with a navigator, and
// the buttons that lead to contract printing, refunds, record editing and the debts list.
class RegisterTab : public QWidget {
    Q_OBJECT
public:
    explicit RegisterTab(Workstation& workstation, QWidget* parent = nullptr);

    DataGrid* grid() const { return grid_; }

signals:
    void contractPrintRequested();
    void refundRequested();

private:
    DataGrid* grid_ = nullptr;           // DBGrid2
    DataNavigator* navigator_ = nullptr; // sDBNavigator1
};

} // namespace zorvel
