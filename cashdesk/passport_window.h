#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zorvel {

class Workstation;

// The passport data window (TForm3, "Паспортные данные"): series, number, issuer and address of the
// register's current record, written on closing into every record of its contract. Modal, and closed
// only by its own button.
class PassportWindow : public QDialog {
    Q_OBJECT
public:
    explicit PassportWindow(Workstation& workstation, QWidget* parent = nullptr);
    ~PassportWindow() override;

    // Shows the current record's passport data, modally; returns at once.
    void edit();
    // The close button (sBitBtn1): writes the four values into every record of the current record's
    // contract set, all or none, commits, comes back to the record that was current and closes.
    // False when nothing was written.
    bool saveAndClose();

public slots:
    // Escape does not close the window: only its button does.
    void reject() override {}

private:
    bool writeContractSet(const QStringList& values);

    Workstation& workstation_;
    QLineEdit* series_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* issuedBy_ = nullptr;
    QLineEdit* address_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace zorvel
