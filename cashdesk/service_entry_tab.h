#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zorvel {

class Workstation;
class DataFieldEdit;
class PriceLookUp;

// The entry tab of the main window, "Ввод данных для кассы": where the cashier records each paid service.
// The fields keep their contents after a save, so the next service of a visit needs only its number and
// quantity. The price look-up narrows the price list as the service number is typed; the department
// look-up shows the name of the typed department code; two complex services step through fixed sequences
// of service numbers, one save each.
class ServiceEntryTab : public QWidget {
    Q_OBJECT
public:
    explicit ServiceEntryTab(Workstation& workstation, QWidget* parent = nullptr);

    QLineEdit* dateEdit() const { return dateEdit_; }               // sEdit12, payment date
    QLineEdit* timeEdit() const { return timeEdit_; }               // sEdit13, payment time
    QLineEdit* contractNumberEdit() const { return contractEdit_; } // sEdit20
    QLineEdit* surnameEdit() const { return surnameEdit_; }
    QLineEdit* firstNameEdit() const { return firstNameEdit_; }
    QLineEdit* patronymicEdit() const { return patronymicEdit_; }
    QComboBox* careKindCombo() const { return careKindCombo_; }
    QComboBox* doctorCombo() const { return doctorCombo_; }
    QLineEdit* departmentNameEdit() const;

    // Writes one row into the register from the fields, commits and stands on the new row; then the
    // running complex sequence takes its next step. False when nothing was saved (the error was shown).
    bool save();

signals:
    void partialPaymentRequested();
    void contractPrintRequested();
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFields();
    void buildButtons();
    void attachRules();
    void stepContractNumber();
    void insertRow();
    void chooseComplex(int index);
    void continueComplex();
    void nextComplexService(const QString& number);
    // Before the first service of a patient under a contract number: when another patient's services
    // hold that number on the server, asks the cashier, offering the next free number. False when the
    // cashier cancels the save (or the check failed and was shown).
    bool confirmContractNumber();
    QStringList patientAndContract() const;

    Workstation& workstation_;
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
    QLineEdit* serviceCodeEdit_ = nullptr;    // sEdit7
    QLineEdit* dateEdit_ = nullptr;           // sEdit12
    QLineEdit* timeEdit_ = nullptr;           // sEdit13
    DataFieldEdit* departmentName_ = nullptr; // sDBEdit1
    QLineEdit* serviceNameEdit_ = nullptr;    // sEdit6
    QLineEdit* workOrderEdit_ = nullptr;      // sEdit23
    QLineEdit* workOrderDateEdit_ = nullptr;  // sDateEdit2
    QComboBox* surchargeCombo_ = nullptr;     // sComboBox10
    QComboBox* complexCombo_ = nullptr;       // sComboBox9
    QPushButton* saveButton_ = nullptr;       // sBitBtn1
    PriceLookUp* priceLookUp_ = nullptr;      // on sEdit1

    // Services still to enter in the running complex sequence.
    int complexState_ = 0;
    // Surname, first name, patronymic and contract number of the last service saved here: the next
    // services of that patient and contract (a complex, several services in a row) are not checked again.
    QStringList lastSaved_;
};

} // namespace zorvel
