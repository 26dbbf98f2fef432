#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zorvel {

class DataFieldEdit;
class DataGrid;
class DataNavigator;
class Workstation;

// The contract clients' window (TForm5, "Договорники"): services given to staff of organisations that
// pay under contract are entered on the tab "Ввод" and looked through, filtered and corrected on the tab
// "Просмотр". It works on the workstation's contract-client register, price list and departments, so
// the look-ups' filters are those of the main window too. The entry fields keep their contents after a
// save, so the next line of the same person needs only its service and quantity.
class ClientsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ClientsWindow(Workstation& workstation, QWidget* parent = nullptr);

    // The save button (sBitBtn1): one line into PEOPLECBUX, commit, the register reopened on the new
    // line. False when nothing was saved (the reason was shown).
    bool save();
    // "Принять" (sBitBtn3): the register narrowed by the visible search fields.
    void applyFilter();
    // "Отмена" (sBitBtn4): the whole register again.
    void removeFilter();
    // The picture button of the view tab (sBitBtn5): a pending grid edit is posted, then committed.
    void commit();

signals:
    // sBitBtn2: the invoicing window.
    void invoicingRequested();
    // sBitBtn6: the editing window.
    void editingRequested();

private:
    QWidget* buildEntryTab();
    QWidget* buildViewTab();
    void attachRules();

    Workstation& workstation_;
    QTabWidget* tabs_ = nullptr;

    // Entry tab.
    QLineEdit* surnameEdit_ = nullptr;        // sEdit2
    QLineEdit* firstNameEdit_ = nullptr;      // sEdit3
    QLineEdit* patronymicEdit_ = nullptr;     // sEdit4
    QComboBox* careKindCombo_ = nullptr;      // sComboBox2
    QComboBox* doctorCombo_ = nullptr;        // sComboBox3
    QComboBox* nurseCombo_ = nullptr;         // sComboBox7
    QComboBox* technicianCombo_ = nullptr;    // sComboBox8
    QLineEdit* departmentCodeEdit_ = nullptr; // sEdit18
    QLineEdit* serviceNumberEdit_ = nullptr;  // sEdit1
    QLineEdit* sumEdit_ = nullptr;            // sEdit8
    QLineEdit* quantityEdit_ = nullptr;       // sEdit5
    QLineEdit* contractEdit_ = nullptr;       // sEdit20
    QLineEdit* workOrderEdit_ = nullptr;      // sEdit23
    QLineEdit* workOrderDateEdit_ = nullptr;  // sDateEdit1
    QLineEdit* serviceCodeEdit_ = nullptr;    // sEdit7
    QLineEdit* entryTimeEdit_ = nullptr;      // sEdit14
    DataFieldEdit* departmentName_ = nullptr; // sDBEdit1
    QLineEdit* serviceNameEdit_ = nullptr;    // sEdit15
    QLineEdit* seriesEdit_ = nullptr;         // sEdit16
    QLineEdit* passportNumberEdit_ = nullptr; // sEdit17
    QLineEdit* issuedByEdit_ = nullptr;       // sEdit19
    QLineEdit* addressEdit_ = nullptr;        // sEdit21
    QComboBox* organisationCombo_ = nullptr;  // sComboBox1
    QLineEdit* referralEdit_ = nullptr;       // sEdit22
    QLineEdit* referralDateEdit_ = nullptr;   // sDateEdit3
    QLineEdit* serviceDateEdit_ = nullptr;    // sDateEdit4

    // View tab.
    DataGrid* grid_ = nullptr;             // DBGrid1
    DataNavigator* navigator_ = nullptr;   // DBNavigator1
    std::vector<QCheckBox*> searchChecks_; // sCheckBox1 to sCheckBox6
    std::vector<QWidget*> searchFields_;   // sEdit9, sEdit10, sEdit11, sEdit13, sEdit12, sDateEdit2
};

} // namespace zorvel
