#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace zorvel {

class DataFieldEdit;
class DataGrid;
class PatientSearchPanel;
class Workstation;

// The instalments window (TForm9, "Частичная оплата услуг"): the register narrowed to a contract, what
// has been paid on it so far, and the field where an instalment is typed. Enter there adds the
// instalment to the running total of every record of the current record's contract.
class PartialPaymentWindow : public QWidget {
    Q_OBJECT
public:
    explicit PartialPaymentWindow(Workstation& workstation, QWidget* parent = nullptr);

    // "Частичная оплата": narrows the register to the current record's contract set and shows the window.
    void openForCurrentContract();
    // Enter in "Текущая предоплата": the new total, exact to the kopeck, goes into CHOPL of every record
    // of the contract, today into DATAISP, all or none, then one commit. False when nothing was written.
    bool recordInstalment();

    PatientSearchPanel* searchPanel() const { return search_; }

signals:
    // "Печать": the contract of the current record, as the register tab prints it.
    void contractPrintRequested();

private:
    Workstation& workstation_;
    PatientSearchPanel* search_ = nullptr;
    DataFieldEdit* paid_ = nullptr;   // sDBEdit1
    QLineEdit* instalment_ = nullptr; // sEdit1
    DataGrid* grid_ = nullptr;
};

} // namespace zorvel
