#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;

namespace zorvel {

class DataGrid;
class DataNavigator;
class DateField;
class Workstation;

// The consumables window (TForm12, "Учет расходников"): receipts of lenses and of the dental prosthetics
// room's materials into PRIHOD, the balance of every consumable today, the balance report as of a date
// (linz.xls) and the dental room's journal for a period (rashzub.xls).
class ConsumablesWindow : public QWidget {
    Q_OBJECT
public:
    explicit ConsumablesWindow(Workstation& workstation, QWidget* parent = nullptr);

    // "Расходники" of the main menu: the balance panel as of today, then the window shown.
    void showStock();
    // sBitBtn2: the receipt typed on "Ввод", checked first; false when it was refused.
    bool saveReceipt();
    // sBitBtn3: makes the receipts edited in the grid permanent.
    void commit();
    // "Вывести": the balance report as of the "на" date.
    bool writeBalanceReport();
    // "вывести журнал": the dental prosthetics room's journal from "с" to "по".
    bool writeDentalJournal();

private:
    QWidget* buildEntryTab();
    QWidget* buildBrowseTab();
    void insertReceipt();

    Workstation& workstation_;
    QTabWidget* tabs_ = nullptr;
    DateField* receiptDate_ = nullptr;   // sDateEdit1
    QLineEdit* codeEdit_ = nullptr;      // sEdit2
    QLineEdit* nameEdit_ = nullptr;      // sEdit3
    QLineEdit* priceEdit_ = nullptr;     // sEdit4
    QLineEdit* quantityEdit_ = nullptr;  // sEdit5
    QLineEdit* waybillEdit_ = nullptr;   // sEdit1
    DateField* waybillDate_ = nullptr;   // sDateEdit3
    DataGrid* grid_ = nullptr;           // DBGrid1
    DataNavigator* navigator_ = nullptr; // sDBNavigator1
    QTextEdit* balance_ = nullptr;       // sRichEdit1
    DateField* reportDate_ = nullptr;    // sDateEdit2
    DateField* journalFrom_ = nullptr;   // sDateEdit4
    DateField* journalTo_ = nullptr;     // sDateEdit5
};

} // namespace zorvel
