#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;

namespace zorvel {

class Workstation;
class DataGrid;
class DataNavigator;
class PatientSearchPanel;

// The register tab of the main window, "Касса": the saved paid services in a grid edited in place, with
// a navigator, the patient search panel that narrows them, the verification mark "Проверка", and the
// buttons that lead to contract printing, refunds, record editing and the debts list.
class RegisterTab : public QWidget {
    Q_OBJECT
public:
    explicit RegisterTab(Workstation& workstation, QWidget* parent = nullptr);

    DataGrid* grid() const { return grid_; }
    PatientSearchPanel* searchPanel() const { return search_; }

    // "Список должников" and "Редактирование" are shown disabled; the administrator may use them.
    void setAdministrator(bool administrator);

    // "Проверка": writes the mark into the records the search found, or, with no search in force, into
    // the current record's contract set; all or none, then one commit. False when nothing was written.
    bool markVerification(const QString& mark);

signals:
    void contractPrintRequested();
    void refundRequested();
    void recordEditRequested();
    void debtsRequested();

private:
    // The mark list follows the register's current record.
    void showCurrentMark();

    Workstation& workstation_;
    DataGrid* grid_ = nullptr;           // DBGrid2
    DataNavigator* navigator_ = nullptr; // sDBNavigator1
    PatientSearchPanel* search_ = nullptr;
    QComboBox* verification_ = nullptr;  // sDBComboBox1
    QPushButton* debtsButton_ = nullptr; // sBitBtn12
    QPushButton* editButton_ = nullptr;  // sBitBtn8
};

} // namespace zorvel
