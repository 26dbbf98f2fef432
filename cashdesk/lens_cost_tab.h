#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace zorvel {

// The main window's lens-cost tab, "Стоимость линз". Its tab is hidden and it carries a panel captioned
// "отключена": the cashier never reaches it. It still receives the patient of the entry tab whenever the
// register tab is opened.
class LensCostTab : public QWidget {
    Q_OBJECT
public:
    explicit LensCostTab(QWidget* parent = nullptr);

    // The entry tab's patient, kind of care, doctor and department name.
    void takePatient(const QString& surname, const QString& firstName, const QString& patronymic,
                     const QString& careKind, const QString& doctor, const QString& department);

private:
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
