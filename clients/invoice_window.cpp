#include "clients/invoice_window.h"

#include "clients/bills.h"
#include "clients/client_record.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "spreadsheet/spreadsheet_output.h"
#include "widgets/date_mask.h"
#include "workstation/command.h"
#include "workstation/document_output.h"
#include "workstation/services.h"
#include "workstation/site_config.h"
#include "workstation/workstation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace zorvel {

namespace {

const char* const kNothingFound = "Не найдено не одной записи";

QLineEdit* lineEdit(QWidget* parent, const char* objectName, const QString& text = {},
                    const char* hint = nullptr) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    if (hint)
        edit->setToolTip(QString::fromUtf8(hint));
    edit->setCursorPosition(0);
    return edit;
}

QLineEdit* dateEdit(QWidget* parent, const char* objectName, const char* hint = nullptr) {
    QLineEdit* edit = lineEdit(parent, objectName, {}, hint);
    setDateMask(edit, QStringLiteral("99.99.9999; "));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    return edit;
}

// Reads every row of a dataset into values made by `read`.
template <typename T> std::vector<T> rowsOf(DataSet& data, const std::function<T(const DataSet&)>& read) {
    std::vector<T> rows;
    for (data.first(); !data.atEnd(); data.next())
        rows.push_back(read(data));
    return rows;
}

} // namespace

InvoiceWindow::InvoiceWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm11"));
    setWindowTitle(QStringLiteral("Выставление счетов"));
    const SiteConfig& config = siteConfig();
    auto preset = [&](const char* key) { return config.name(QString::fromLatin1(key)); };

    periodStart_ = dateEdit(this, "sDateEdit1", "Начало периода");
    periodEnd_ = dateEdit(this, "sDateEdit2", "Окончание периода");
    payer_ = new QComboBox(this);
    payer_->setObjectName(QStringLiteral("sComboBox1"));
    payer_->setEditable(true);
    payer_->setInsertPolicy(QComboBox::NoInsert);
    // The organisations of the registration window, so the payer is picked as it was stored.
    payer_->addItems(config.organisations);
    payer_->setCurrentIndex(-1);
    payer_->setMinimumContentsLength(40);
    payer_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    correctionDate_ = dateEdit(this, "sDateEdit3");
    correctionDate_->hide();
    surname_ = lineEdit(this, "sEdit14");
    surname_->setMaxLength(clientColumnWidth(QStringLiteral("FAM")));
    surname_->hide();
    auto* correctionCheck = new QCheckBox(QStringLiteral("Дата исправления"), this);
    correctionCheck->setObjectName(QStringLiteral("sCheckBox1"));
    auto* surnameCheck = new QCheckBox(QStringLiteral("Фамилия"), this);
    surnameCheck->setObjectName(QStringLiteral("sCheckBox2"));
    connect(correctionCheck, &QCheckBox::clicked, this,
            [this] { correctionDate_->setHidden(!correctionDate_->isHidden()); });
    connect(surnameCheck, &QCheckBox::clicked, this, [this] { surname_->setHidden(!surname_->isHidden()); });

    auto* signatories = new QGroupBox(QStringLiteral("Реквизиты"), this);
    signatories->setObjectName(QStringLiteral("sGroupBox1"));
    auto* signatoriesForm = new QFormLayout(signatories);
    head_ = lineEdit(signatories, "sEdit5", preset(site::kHead));
    chiefAccountant_ = lineEdit(signatories, "sEdit4", preset(site::kChiefAccountant));
    economist_ = lineEdit(signatories, "sEdit2", preset(site::kEconomist));
    telephone_ = lineEdit(signatories, "sEdit3", preset(site::kTelephone));
    contractNumber_ = lineEdit(signatories, "sEdit6");
    invoiceNumber_ = lineEdit(signatories, "sEdit7");
    waybillNumber_ = lineEdit(signatories, "sEdit1");
    signatoriesForm->addRow(QStringLiteral("Начальник госпиталя"), head_);
    signatoriesForm->addRow(QStringLiteral("Гл. Бухгалтер"), chiefAccountant_);
    signatoriesForm->addRow(QStringLiteral("Испольнитель:"), economist_);
    signatoriesForm->addRow(QStringLiteral("Телефон:"), telephone_);
    signatoriesForm->addRow(QStringLiteral("№ договора"), contractNumber_);
    signatoriesForm->addRow(QStringLiteral("№ счёт-фактуры"), invoiceNumber_);
    signatoriesForm->addRow(QStringLiteral("№ накладной"), waybillNumber_);

    auto* payerDetails = new QGroupBox(QStringLiteral("Данные организации"), this);
    payerDetails->setObjectName(QStringLiteral("sGroupBox2"));
    auto* payerForm = new QFormLayout(payerDetails);
    address_ = lineEdit(payerDetails, "sEdit8", preset(site::kPayerAddress));
    taxNumbers_ = lineEdit(payerDetails, "sEdit9", preset(site::kPayerTaxNumbers));
    bank_ = lineEdit(payerDetails, "sEdit13", preset(site::kPayerBank));
    account_ = lineEdit(payerDetails, "sEdit10", preset(site::kPayerAccount));
    okpo_ = lineEdit(payerDetails, "sEdit11", preset(site::kPayerOkpo));
    personalAccount_ = lineEdit(payerDetails, "sEdit12", preset(site::kPayerPersonalAccount));
    payerForm->addRow(QStringLiteral("Адрес:"), address_);
    payerForm->addRow(QStringLiteral("ИНН/КПП покупателя"), taxNumbers_);
    payerForm->addRow(QString(), bank_);
    payerForm->addRow(QStringLiteral("Р/с"), account_);
    payerForm->addRow(QStringLiteral("ОКПО"), okpo_);
    payerForm->addRow(QStringLiteral("Л/С"), personalAccount_);

    auto* period = new QGridLayout;
    period->addWidget(new QLabel(QStringLiteral("Начало"), this), 0, 0);
    period->addWidget(periodStart_, 0, 1);
    period->addWidget(new QLabel(QStringLiteral("Окончание"), this), 0, 2);
    period->addWidget(periodEnd_, 0, 3);
    period->addWidget(new QLabel(QStringLiteral("Организация"), this), 1, 0);
    period->addWidget(payer_, 1, 1, 1, 3);
    period->addWidget(correctionCheck, 2, 0);
    period->addWidget(correctionDate_, 2, 1);
    period->addWidget(surnameCheck, 2, 2);
    period->addWidget(surname_, 2, 3);

    auto* documents = new QPushButton(QStringLiteral("Счета"), this);
    documents->setObjectName(QStringLiteral("sBitBtn2"));
    documents->setToolTip(QStringLiteral("Счет, счет-фактура, накладная, акты и реестр"));
    auto* treated = new QPushButton(QStringLiteral("Реестр пролеченных больных"), this);
    treated->setObjectName(QStringLiteral("sBitBtn3"));
    auto* close = new QPushButton(QStringLiteral("Выход"), this);
    close->setObjectName(QStringLiteral("sBitBtn1"));
    close->setToolTip(QStringLiteral("Закрыть"));
    connect(documents, &QPushButton::clicked, this, [this] { makeDocuments(); });
    connect(treated, &QPushButton::clicked, this, [this] { makeTreatedRegister(); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(documents);
    buttons->addWidget(treated);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* groups = new QHBoxLayout;
    groups->addWidget(signatories);
    groups->addWidget(payerDetails);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addLayout(groups);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(900, 460);
}

BillSelection InvoiceWindow::selection() const {
    BillSelection s;
    s.payer = payer_->currentText();
    s.periodStart = storedDateText(periodStart_->text());
    s.periodEnd = storedDateText(periodEnd_->text());
    if (!correctionDate_->isHidden())
        s.correctionDate = storedDateText(correctionDate_->text());
    if (!surname_->isHidden())
        s.surname = surname_->text();
    return s;
}

InvoiceTexts InvoiceWindow::texts() const {
    const SiteConfig& config = siteConfig();
    InvoiceTexts t;
    t.payer = payer_->currentText();
    t.contractNumber = contractNumber_->text();
    t.invoiceNumber = invoiceNumber_->text();
    t.waybillNumber = waybillNumber_->text();
    t.head = head_->text();
    t.chiefAccountant = chiefAccountant_->text();
    t.economist = economist_->text();
    t.telephone = telephone_->text();
    t.address = address_->text();
    t.taxNumbers = taxNumbers_->text();
    t.bank = bank_->text();
    t.account = account_->text();
    t.okpo = okpo_->text();
    t.personalAccount = personalAccount_->text();
    t.headSignature = config.name(site::kHeadSignature);
    t.economistSignature = config.name(site::kEconomistSignature);
    t.today = dateText(workstation_.clock().now().date());
    return t;
}

namespace {

// Starts the template, fills it and shows it; the messages of the failures as the documents give them.
// The invoice's workbooks are shown once filled.
bool produce(Workstation& workstation, const QString& templateName,
             const std::function<void(Workbook&)>& fill) {
    return produceDocument(workstation, templateName, fill,
                           [&](Workbook& book) { workstation.spreadsheets().show(book); });
}

} // namespace

bool InvoiceWindow::makeDocuments() {
    const BillSelection s = selection();
    DataSet& data = workstation_.scratch7();
    std::vector<BillLine> lines;
    std::vector<WaybillLine> waybill;
    if (!runCommand(workstation_.messages(), [&] {
            data.replaceSelect(billDetailQuery(s));
            lines = rowsOf<BillLine>(data, [](const DataSet& d) {
                BillLine l;
                l.surname = d.fieldText(QStringLiteral("FAM"));
                l.firstName = d.fieldText(QStringLiteral("NAM"));
                l.patronymic = d.fieldText(QStringLiteral("OTH"));
                l.code = d.fieldText(QStringLiteral("KOD"));
                l.service = d.fieldText(QStringLiteral("NAME"));
                l.date = d.fieldText(QStringLiteral("DATA_USL"));
                l.quantity = d.fieldText(QStringLiteral("SUM")); // identical lines together
                l.price = d.fieldText(QStringLiteral("SUMMA"));
                l.doctor = d.fieldText(QStringLiteral("FIOV"));
                l.nurse = d.fieldText(QStringLiteral("MEDSESTR"));
                l.referral = d.fieldText(QStringLiteral("NOMNAPR"));
                l.referralDate = d.fieldText(QStringLiteral("DATNAPR"));
                return l;
            });
            if (lines.empty())
                return;
            data.replaceSelect(billWaybillQuery(s));
            waybill = rowsOf<WaybillLine>(data, [](const DataSet& d) {
                return WaybillLine{d.fieldText(QStringLiteral("NAME")), d.fieldText(QStringLiteral("SUM")),
                                   d.fieldText(QStringLiteral("SUMMA"))};
            });
        }))
        return false;
    if (lines.empty()) {
        workstation_.messages().notice(QString::fromUtf8(kNothingFound));
        return false;
    }
    const InvoiceTexts t = texts();
    return produce(workstation_, QStringLiteral("schet.xls"),
                   [&](Workbook& book) { fillInvoiceDocuments(book, lines, waybill, t); });
}

bool InvoiceWindow::makeTreatedRegister() {
    const BillSelection s = selection();
    DataSet& data = workstation_.scratch7();
    std::vector<TreatedLine> lines;
    if (!runCommand(workstation_.messages(), [&] {
            data.replaceSelect(treatedRegisterQuery(s.periodStart, s.periodEnd));
            lines = rowsOf<TreatedLine>(data, [](const DataSet& d) {
                auto f = [&](const char* name) { return d.fieldText(QString::fromLatin1(name)); };
                TreatedLine l;
                l.surname = f("FAM");
                l.firstName = f("NAM");
                l.patronymic = f("OTH");
                l.referral = f("NOMNAPR");
                l.referralDate = f("DATNAPR");
                l.date = f("DATA_USL");
                l.symbol = f("SIMV");
                l.code = f("KOD");
                l.service = f("NAME");
                l.price = f("SUMMA");
                l.totalQuantity = f("SUM");
                l.doctor = f("FIOV");
                l.nurse = f("MEDSESTR");
                return l;
            });
        }))
        return false;
    return produce(workstation_, QStringLiteral("dreestr.xls"),
                   [&](Workbook& book) { fillTreatedRegister(book.sheet(1), lines); });
}

} // namespace zorvel
