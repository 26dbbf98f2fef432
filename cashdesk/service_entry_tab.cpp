#include "cashdesk/service_entry_tab.h"

#include "cashdesk/register_batch.h"
#include "data/errors.h"
#include "data/tables.h"
#include "widgets/data_field_edit.h"
#include "widgets/date_mask.h"
#include "widgets/entry_form.h"
#include "widgets/input_rules.h"
#include "widgets/look_ups.h"
#include "workstation/command.h"
#include "workstation/row_saving.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>

#include <utility>

namespace zorvel {

namespace {

const char* const kNothingSaved = "Нет данных для сохранения";
const char* const kPendingRow =
    "Строка записана в открытую транзакцию, но в базе еще не сохранена: она сохранится при следующем "
    "удачном сохранении или при закрытии программы.";
const char* const kComplexWaits = " Комплекс услуг \"%1\" остается на этой услуге.";
const char* const kComplexDone = "Комплекс услуг \"%1\" успешно сохранен";
// An integer column takes this many digits from the keyboard, so a typed quantity always fits INTEGER.
constexpr int kQuantityDigits = 9;

// The width of a register column: an editor takes no more characters than its column holds.
int registerWidth(const char* column) {
    for (const ColumnDescription& c : peopleTable().columns)
        if (c.name == QLatin1String(column))
            return c.width;
    return 0;
}

int departmentCodeWidth() {
    for (const ColumnDescription& c : otdelTable().columns)
        if (c.name == QLatin1String("KOD"))
            return c.width;
    return 0;
}

QLineEdit* lineEdit(QWidget* parent, const char* objectName, const char* hint = nullptr) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    if (hint)
        edit->setToolTip(QString::fromUtf8(hint));
    return edit;
}

QComboBox* comboBox(QWidget* parent, const char* objectName, bool editable, const QStringList& items = {}) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setEditable(editable);
    if (editable)
        combo->setInsertPolicy(QComboBox::NoInsert); // Enter must not add what was typed to the list
    combo->addItems(items);
    return combo;
}

} // namespace

ServiceEntryTab::ServiceEntryTab(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TabSheet1"));
    setToolTip(QStringLiteral("Добавление данных о платных услугах"));
    buildFields();
    buildButtons();
    attachRules();

    contractEdit_->installEventFilter(this);
    connect(complexCombo_, &QComboBox::activated, this, &ServiceEntryTab::chooseComplex);
}

QLineEdit* ServiceEntryTab::departmentNameEdit() const {
    return departmentName_;
}

void ServiceEntryTab::buildFields() {
    using F = EntryField;
    auto* form = new EntryForm(this, &workstation_.departments());
    form->addFields({
        {F::Surname, "sEdit2", "Фамилия", CharacterRule::None, true, registerWidth("FAM")},
        {F::FirstName, "sEdit3", "Имя", CharacterRule::None, true, registerWidth("NAM")},
        {F::Patronymic, "sEdit4", "Отчество", CharacterRule::None, true, registerWidth("OTH")},
        {F::CareKind, "sComboBox2", "Вид помощи", CharacterRule::FirstLetterUpper, true,
         registerWidth("TIP_POM")},
        {F::Doctor, "sComboBox3", "Фамилия доктора", CharacterRule::FirstLetterUpper, true,
         registerWidth("FIOV")},
        {F::Nurse, "sComboBox7", "Медсетра", CharacterRule::FirstLetterUpper, true,
         registerWidth("MEDSESTR")},
        {F::Technician, "sComboBox8", "Техник", CharacterRule::FirstLetterUpper, true, registerWidth("TEHN")},
        {F::DepartmentCode, "sEdit18", "Отделение", CharacterRule::DigitsOnly, true, departmentCodeWidth()},
        {F::DepartmentName, "sDBEdit1"},
        // Enter advances; the look-up's own filter, installed later, sees Enter first and looks up before
        // the focus moves on.
        {F::ServiceNumber, "sEdit1", "№ услуги", CharacterRule::None, true, registerWidth("KODGVV")},
        {F::ServiceName, "sEdit6", nullptr, CharacterRule::None, false, registerWidth("NAME")},
        {F::Sum, "sEdit8", "Сумма", CharacterRule::AmountDigits, true, registerWidth("SUMMA")},
        {F::Quantity, "sEdit5", "Количество", CharacterRule::DigitsOnly, false, kQuantityDigits},
    });
    surnameEdit_ = form->line(F::Surname);
    firstNameEdit_ = form->line(F::FirstName);
    patronymicEdit_ = form->line(F::Patronymic);
    careKindCombo_ = form->list(F::CareKind);
    doctorCombo_ = form->list(F::Doctor);
    nurseCombo_ = form->list(F::Nurse);
    technicianCombo_ = form->list(F::Technician);
    departmentCodeEdit_ = form->line(F::DepartmentCode);
    departmentName_ = static_cast<DataFieldEdit*>(form->field(F::DepartmentName));
    serviceNumberEdit_ = form->line(F::ServiceNumber);
    serviceNameEdit_ = form->line(F::ServiceName);
    sumEdit_ = form->line(F::Sum);
    quantityEdit_ = form->line(F::Quantity);

    contractEdit_ = lineEdit(this, "sEdit20");
    limitLength(contractEdit_, registerWidth("NDOG"));
    dateEdit_ = lineEdit(this, "sEdit12", "Дата оплаты");
    dateEdit_->setReadOnly(true);
    timeEdit_ = lineEdit(this, "sEdit13", "Время оплаты");
    timeEdit_->setReadOnly(true);
    // The whole date and time stay readable however the row is laid out.
    for (QLineEdit* clockField : {dateEdit_, timeEdit_})
        clockField->setMinimumWidth(
            clockField->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    workOrderEdit_ = lineEdit(this, "sEdit23");
    limitLength(workOrderEdit_, registerWidth("NOMNAR"));
    workOrderDateEdit_ = lineEdit(this, "sDateEdit2");
    setDateMask(workOrderDateEdit_, QStringLiteral("00.00.0000;_"));
    surchargeCombo_ = comboBox(this, "sComboBox10", false, {QStringLiteral("Нет"), QStringLiteral("Да")});

    form->nextColumn();
    form->addRow(QStringLiteral("№ договора"), contractEdit_);
    form->addFields(
        {{F::ServiceCode, "sEdit7", "Код услуги", CharacterRule::None, false, registerWidth("KOD")}});
    serviceCodeEdit_ = form->line(F::ServiceCode);
    form->addRow(QStringLiteral("Дата оплаты"), dateEdit_, timeEdit_);
    form->addRow(QStringLiteral("№ наряда"), workOrderEdit_);
    form->addRow(QStringLiteral("Наряд от"), workOrderDateEdit_);
    form->addRow(QStringLiteral("Доплата"), surchargeCombo_);
    QGridLayout* grid = form->grid();
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);

    // Focus order: the order in which Enter and Tab move through the fields.
    QWidget* order[] = {surnameEdit_,       firstNameEdit_, patronymicEdit_,    careKindCombo_,
                        doctorCombo_,       nurseCombo_,    technicianCombo_,   departmentCodeEdit_,
                        serviceNumberEdit_, sumEdit_,       quantityEdit_,      contractEdit_,
                        serviceCodeEdit_,   dateEdit_,      timeEdit_,          departmentName_,
                        serviceNameEdit_,   workOrderEdit_, workOrderDateEdit_, surchargeCombo_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void ServiceEntryTab::buildButtons() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("sPanel1"));
    auto* row = new QHBoxLayout(panel);
    auto* complexLabel = new QLabel(QStringLiteral("Комплексные услуги"), panel);
    complexCombo_ = comboBox(panel, "sComboBox9", false, {QStringLiteral("971"), QStringLiteral("972")});
    complexCombo_->setCurrentIndex(-1);
    complexCombo_->setMinimumContentsLength(4);
    complexLabel->setBuddy(complexCombo_);
    row->addWidget(complexLabel);
    row->addWidget(complexCombo_);
    row->addStretch(1);

    auto button = [&](const char* objectName, const char* text, const char* hint = nullptr) {
        auto* b = new QPushButton(QString::fromUtf8(text), panel);
        b->setObjectName(QString::fromLatin1(objectName));
        if (hint)
            b->setToolTip(QString::fromUtf8(hint));
        row->addWidget(b);
        return b;
    };
    saveButton_ = button("sBitBtn1", "Сохранить");
    QPushButton* partial = button("sBitBtn11", "Частичная оплата");
    QPushButton* print = button("sBitBtn10", "Печать", "печать договора");
    QPushButton* exit = button("sBitBtn7", "Выход", "Закрыть");
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(partial, &QPushButton::clicked, this, &ServiceEntryTab::partialPaymentRequested);
    connect(print, &QPushButton::clicked, this, &ServiceEntryTab::contractPrintRequested);
    connect(exit, &QPushButton::clicked, this, &ServiceEntryTab::closeRequested);
    setTabOrder(surchargeCombo_, complexCombo_);
    setTabOrder(complexCombo_, saveButton_);
    setTabOrder(saveButton_, partial);
    setTabOrder(partial, print);
    setTabOrder(print, exit);

    static_cast<QVBoxLayout*>(layout())->addWidget(panel);
    static_cast<QVBoxLayout*>(layout())->addStretch(1);
}

void ServiceEntryTab::attachRules() {
    attachEnterActs(quantityEdit_, [this] {
        // After the whole save, so that a focus move of the complex sequence gives way.
        if (save())
            serviceNumberEdit_->setFocus(Qt::OtherFocusReason);
    });
    priceLookUp_ = new PriceLookUp(serviceNumberEdit_, workstation_.prices(), workstation_.messages(),
                                   {{serviceNameEdit_, QStringLiteral("NAME")},
                                    {serviceCodeEdit_, QStringLiteral("KOD")},
                                    {sumEdit_, QStringLiteral("SUMMA")}});
    new DepartmentLookUp(departmentCodeEdit_, workstation_.departments(), workstation_.messages());
}

bool ServiceEntryTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == contractEdit_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        stepContractNumber();
    return QWidget::eventFilter(watched, event);
}

void ServiceEntryTab::stepContractNumber() {
    bool ok = false;
    const int number = contractEdit_->text().toInt(&ok);
    if (!ok)
        return;
    const QString next = QString::number(number + 1);
    // A number that would not fit the column is left as it is rather than cut.
    if (next.size() <= contractEdit_->maxLength())
        contractEdit_->setText(next);
}

namespace {

// The work-order date as date text: empty is the zero date, 30.12.1899; a date typed only in part or not a
// date at all stops the save before anything is written.
QString workOrderDateText(const QLineEdit* edit) {
    const QString text = edit->text();
    if (!text.contains(QRegularExpression(QStringLiteral("\\d"))))
        return dateText(QDate());
    const QDate date = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid())
        throw DataError(QStringLiteral("'%1' не является правильной датой").arg(edit->displayText()));
    return dateText(date);
}

} // namespace

void ServiceEntryTab::insertRow() {
    const QString workOrderDate = workOrderDateText(workOrderDateEdit_);
    DataSet& prices = workstation_.prices();
    const QString symbol = prices.isOpen() ? prices.fieldText(QStringLiteral("SIMV")) : QString();
    const QString date = dateEdit_->text();
    const ColumnTexts values = {
        {"fam", surnameEdit_->text()},
        {"nam", firstNameEdit_->text()},
        {"oth", patronymicEdit_->text()},
        {"kodgvv", serviceNumberEdit_->text()},
        {"name", serviceNameEdit_->text()},
        {"kod", serviceCodeEdit_->text()},
        {"summa", sumEdit_->text()},
        {"data_usl", date},
        {"dataisp", date},
        {"time_us", timeEdit_->text()},
        {"fiov", doctorCombo_->currentText()},
        {"otdelenie", departmentName_->text()},
        {"tip_pom", careKindCombo_->currentText()},
        {"kol", quantityEdit_->text()},
        {"ndog", contractEdit_->text()},
        {"simv", symbol},
        {"medsestr", nurseCombo_->currentText()},
        {"tehn", technicianCombo_->currentText()},
        {"chopl", QStringLiteral("0")},
        {"prover", QStringLiteral("Нет")},
        {"nomnar", workOrderEdit_->text()},
        {"datnar", workOrderDate},
        {"dopoln", surchargeCombo_->currentText()},
    };
    zorvel::insertRow(workstation_.serviceRegister(), values);
}

bool ServiceEntryTab::save() {
    Messages& messages = workstation_.messages();
    DataSet& people = workstation_.serviceRegister();
    const QString date = dateEdit_->text();
    const QString time = timeEdit_->text();
    if (!confirmContractNumber())
        return false;
    if (!runCommand(messages, [this] { insertRow(); }))
        return false;
    lastSaved_ = patientAndContract();
    bool committed = true;
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        // The row stays posted in the open transaction: the next commit that succeeds (a later save, the
        // end of the run) makes it permanent. The cashier is told so, and the complex waits on this service
        // rather than announcing a success that did not happen.
        committed = false;
        messages.error(QString::fromUtf8(kNothingSaved));
        QString pending = QString::fromUtf8(kPendingRow);
        const QString running = complexCombo_->currentText();
        if (running == QLatin1String("971") || running == QLatin1String("972"))
            pending += QString::fromUtf8(kComplexWaits).arg(running);
        messages.error(pending);
    }
    if (!runCommand(messages, [&] { reopenAt(people, date, time); }))
        return false;
    if (!committed)
        return false;
    continueComplex();
    return true;
}

QStringList ServiceEntryTab::patientAndContract() const {
    return {surnameEdit_->text(), firstNameEdit_->text(), patronymicEdit_->text(), contractEdit_->text()};
}

bool ServiceEntryTab::confirmContractNumber() {
    const QStringList current = patientAndContract();
    const QString contract = contractEdit_->text();
    if (contract.trimmed().isEmpty() || current == lastSaved_)
        return true;
    // The number was proposed at start, or typed; another workstation may have saved another patient
    // under it since.
    Messages& messages = workstation_.messages();
    std::optional<QString> holder;
    if (!runCommand(messages, [&] {
            holder = otherPatientOfContract(workstation_.connection(), contract, current.mid(0, 3));
        }))
        return false;
    if (!holder)
        return true;
    QString next;
    runCommand(messages, [&] {
        const Workstation::ContractProposal proposal = workstation_.proposeContractNumber();
        if (proposal.ok && QString::number(proposal.next).size() <= contractEdit_->maxLength())
            next = QString::number(proposal.next);
    });
    QString text =
        QStringLiteral("Договор № %1 уже оформлен на другого пациента: %2.").arg(contract, *holder);
    QStringList answers;
    if (!next.isEmpty()) {
        text += QStringLiteral("\nСледующий свободный номер: %1.").arg(next);
        answers << QStringLiteral("Взять № %1").arg(next);
    }
    answers << QStringLiteral("Оставить № %1").arg(contract) << QStringLiteral("Отмена");
    const int choice = workstation_.ask(text, QString::fromUtf8(kNoticeCaption), answers, 0);
    if (choice == answers.size() - 1 || choice < 0)
        return false;
    if (!next.isEmpty() && choice == 0)
        contractEdit_->setText(next);
    return true;
}

void ServiceEntryTab::chooseComplex(int index) {
    const QString chosen = complexCombo_->itemText(index);
    if (chosen == QLatin1String("971")) {
        complexState_ = 2;
        nextComplexService(QStringLiteral("29"));
    } else if (chosen == QLatin1String("972")) {
        complexState_ = 6;
        nextComplexService(QStringLiteral("29"));
    }
}

void ServiceEntryTab::nextComplexService(const QString& number) {
    serviceNumberEdit_->setText(number);
    priceLookUp_->run();
    quantityEdit_->setText(QStringLiteral("1"));
}

void ServiceEntryTab::continueComplex() {
    const QString running = complexCombo_->currentText();
    if (running == QLatin1String("971")) {
        if (complexState_ == 1) {
            // The state stays 1: only choosing "971" again restarts the sequence.
            workstation_.messages().notice(QString::fromUtf8(kComplexDone).arg(running));
            complexCombo_->setCurrentIndex(-1);
            surnameEdit_->setFocus(Qt::OtherFocusReason);
        } else if (complexState_ == 2) {
            complexState_ = 1;
            nextComplexService(QStringLiteral("30"));
            doctorCombo_->setFocus(Qt::OtherFocusReason);
        }
    } else if (running == QLatin1String("972")) {
        static const char* const kNext[] = {nullptr, nullptr, "998", "30", "32", "27", "28"};
        if (complexState_ >= 2 && complexState_ <= 6) {
            nextComplexService(QString::fromLatin1(kNext[complexState_]));
            --complexState_;
        } else if (complexState_ == 1) {
            complexCombo_->setCurrentIndex(-1);
            complexState_ = 0;
            workstation_.messages().notice(QString::fromUtf8(kComplexDone).arg(running));
            surnameEdit_->setFocus(Qt::OtherFocusReason);
        }
        doctorCombo_->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace zorvel
