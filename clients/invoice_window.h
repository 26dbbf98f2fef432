#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zorvel {

struct BillSelection;
struct InvoiceTexts;
class Workstation;

// The invoicing window (TForm11, "Выставление счетов"): one payer and period, the document numbers, the
// payer's details and the hospital's signatories; one button fills the five documents of schet.xls
// (the bill, the invoice, the waybill, the acts and the register appendix), the other the register of
// treated persons of every organisation (dreestr.xls). The signatories and the payer's details come
// preset from the administrator's configuration; the fields keep what was typed between runs.
class InvoiceWindow : public QWidget {
    Q_OBJECT
public:
    explicit InvoiceWindow(Workstation& workstation, QWidget* parent = nullptr);

    // sBitBtn2: the five documents, shown; false when nothing was shown (the reason was).
    bool makeDocuments();
    // sBitBtn3 "Реестр пролеченных больных".
    bool makeTreatedRegister();

    BillSelection selection() const;
    InvoiceTexts texts() const;

private:
    Workstation& workstation_;
    QLineEdit* periodStart_ = nullptr;     // sDateEdit1
    QLineEdit* periodEnd_ = nullptr;       // sDateEdit2
    QComboBox* payer_ = nullptr;           // sComboBox1
    QLineEdit* head_ = nullptr;            // sEdit5
    QLineEdit* chiefAccountant_ = nullptr; // sEdit4
    QLineEdit* economist_ = nullptr;       // sEdit2
    QLineEdit* telephone_ = nullptr;       // sEdit3
    QLineEdit* contractNumber_ = nullptr;  // sEdit6
    QLineEdit* invoiceNumber_ = nullptr;   // sEdit7
    QLineEdit* waybillNumber_ = nullptr;   // sEdit1
    QLineEdit* address_ = nullptr;         // sEdit8
    QLineEdit* taxNumbers_ = nullptr;      // sEdit9
    QLineEdit* bank_ = nullptr;            // sEdit13
    QLineEdit* account_ = nullptr;         // sEdit10
    QLineEdit* okpo_ = nullptr;            // sEdit11
    QLineEdit* personalAccount_ = nullptr; // sEdit12
    QLineEdit* correctionDate_ = nullptr;  // sDateEdit3
    QLineEdit* surname_ = nullptr;         // sEdit14
};

} // namespace zorvel
