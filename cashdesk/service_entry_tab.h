#pragma once

#include <QWidget>

class QLineEdit;

namespace zorvel {

class Workstation;

// The entry tab of the main window, "Ввод данных для кассы": where the cashier records each paid service.
class ServiceEntryTab : public QWidget {
    Q_OBJECT
public:
    explicit ServiceEntryTab(Workstation& workstation, QWidget* parent = nullptr);

    QLineEdit* dateEdit() const { return dateEdit_; }               // sEdit12, payment date
    QLineEdit* timeEdit() const { return timeEdit_; }               // sEdit13, payment time
    QLineEdit* contractNumberEdit() const { return contractEdit_; } // sEdit20

private:
    Workstation& workstation_;
    QLineEdit* dateEdit_ = nullptr;
    QLineEdit* timeEdit_ = nullptr;
    QLineEdit* contractEdit_ = nullptr;
};

} // namespace zorvel
