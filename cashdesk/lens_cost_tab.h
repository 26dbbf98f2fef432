#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zorvel {

class Workstation;

// The main window's lens-cost tab, "Стоимость линз". Its tab is hidden and it carries a panel captioned
// "отключена": the cashier never reaches it. It still receives the patient of the entry tab whenever the
// register tab is opened.
class LensCostTab : public QWidget {
    Q_OBJECT
public:
    // The service is saved with the date and time that the entry tab's clock fields show.
    LensCostTab(Workstation& workstation, QLineEdit* dateEdit, QLineEdit* timeEdit,
                QWidget* parent = nullptr);

    // The entry tab's patient, kind of care, doctor and department name.
    void takePatient(const QString& surname, const QString& firstName, const QString& patronymic,
                     const QString& careKind, const QString& doctor, const QString& department);

    // "Сохранить" (sBitBtn5): the lens as one service row of the register, then the register reopened on
    // it. A row the data layer refuses (a quantity that is not a whole number) is cancelled and shown.
    bool save();

private:
    void insertRow();

    Workstation& workstation_;
    QLineEdit* dateEdit_;
    QLineEdit* timeEdit_;
    QPushButton* saveButton_ = nullptr;    // sBitBtn5
    QComboBox* lensCombo_ = nullptr;       // sComboBox1
    QLineEdit* costEdit_ = nullptr;        // sEdit14
    QLineEdit* surnameEdit_ = nullptr;     // sEdit17
    QLineEdit* firstNameEdit_ = nullptr;   // sEdit16
    QLineEdit* patronymicEdit_ = nullptr;  // sEdit15
    QLineEdit* quantityEdit_ = nullptr;    // sEdit19
    QComboBox* careKindCombo_ = nullptr;   // sComboBox4
    QComboBox* doctorCombo_ = nullptr;     // sComboBox5
    QComboBox* departmentCombo_ = nullptr; // sComboBox6
};

} // namespace zorvel
