#pragma once

#include "documents/contract.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace zorvel {

class Workbook;
class Workstation;

// The contract window (TForm2, "Печать договора"): the services of the register's current contract, the
// choice of the lines to print, the kind of care, department and doctor, and the printing of the
// consent and the contract. While it is open the register stays narrowed to that contract.
class ContractWindow : public QWidget {
    Q_OBJECT
public:
    explicit ContractWindow(Workstation& workstation, QWidget* parent = nullptr);
    ~ContractWindow() override;

    // Narrows the register to the contract set of its current record, lists the set and shows the
    // window. Returns false, leaving the window as it was, when there is no record or a line cannot be
    // read.
    bool loadContract();

    // The print button (sBitBtn5): the documents chosen in the group "Вывод".
    void printDocuments();
    // Each document alone; false when it was abandoned.
    bool printContract();
    bool printConsent();

    // The print mark of a grid row (1 for the first service), as a double click toggles it.
    void toggleMark(int gridRow);
    // The grid as the documents read it, with the window's choices.
    ContractInput input() const;

signals:
    // "Редактирование данных": the passport data of the contract (shown disabled).
    void passportRequested();

protected:
    // Closing lets the other screens see the whole register again.
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Output { Print, Show, Save };
    Output output() const;
    // Starts the template, fills it and hands it on as the output buttons say; false when abandoned.
    bool produce(const QString& templateName, const std::function<void(Workbook&)>& fill);
    void finish(Workbook& book);
    void writeHeadings();

    Workstation& workstation_;
    QTableWidget* grid_ = nullptr;
    QComboBox* kindOfCare_ = nullptr;
    QComboBox* department_ = nullptr;
    QComboBox* doctor_ = nullptr;
    QRadioButton* printOutput_ = nullptr;
    QRadioButton* showOutput_ = nullptr;
    QRadioButton* saveOutput_ = nullptr;
    QRadioButton* bothDocuments_ = nullptr;
    QRadioButton* contractOnly_ = nullptr;
    QRadioButton* consentOnly_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* passportButton_ = nullptr;
};

} // namespace zorvel
