#include "clients/clients_window.h"

#include "clients/client_record.h"
#include "clients/client_search.h"
#include "data/dataset.h"
#include "widgets/data_field_edit.h"
#include "widgets/data_grid.h"
#include "widgets/data_navigator.h"
#include "widgets/date_mask.h"
#include "widgets/entry_form.h"
#include "widgets/input_rules.h"
#include "widgets/look_ups.h"
#include "workstation/command.h"
#include "workstation/row_saving.h"
#include "workstation/services.h"
#include "workstation/site_config.h"
#include "workstation/workstation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zorvel {

namespace {

const char* const kNothingSaved = "Нет данных для сохранения";
const char* const kNoServiceDate =
    "Не указана дата услуги или она неверна. Строка не сохранена: без даты услуги она не попадет ни в "
    "один счет";
const char* const kTooLong = "Текст поля \"%1\" длиннее, чем вмещает база данных. Строка не сохранена: "
                             "сократите текст";

QLineEdit* lineEdit(QWidget* parent, const char* objectName, const char* hint = nullptr) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    if (hint)
        edit->setToolTip(QString::fromUtf8(hint));
    return edit;
}

QLineEdit* dateEdit(QWidget* parent, const char* objectName, const char* hint = nullptr) {
    QLineEdit* edit = lineEdit(parent, objectName, hint);
    setDateMask(edit, QStringLiteral("99.99.9999; "));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    return edit;
}

QComboBox* comboBox(QWidget* parent, const char* objectName, const QStringList& items = {}) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

QPushButton* button(QWidget* parent, const char* objectName, const char* text, const char* hint = nullptr) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(objectName));
    if (hint)
        b->setToolTip(QString::fromUtf8(hint));
    return b;
}

} // namespace

ClientsWindow::ClientsWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Договорники"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("sPageControl1"));
    tabs_->addTab(buildEntryTab(), QStringLiteral("Ввод"));
    tabs_->addTab(buildViewTab(), QStringLiteral("Просмотр"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    // The look-ups are installed after the Enter rules, so they see a key before a rule moves the focus on.
    attachRules();
    resize(980, 640);
}

QWidget* ClientsWindow::buildEntryTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("sTabSheet1"));
    // What is typed fits its column. The service name and code come from the price list: they are not cut
    // here but refused by the save if too long.
    using F = EntryField;
    auto width = [](const char* column) { return clientColumnWidth(QString::fromLatin1(column)); };
    auto* form = new EntryForm(tab, &workstation_.departments());
    form->addFields({
        {F::Surname, "sEdit2", "Фамилия", CharacterRule::None, true, width("FAM")},
        {F::FirstName, "sEdit3", "Имя", CharacterRule::None, true, width("NAM")},
        {F::Patronymic, "sEdit4", "Отчество", CharacterRule::None, true, width("OTH")},
        {F::CareKind, "sComboBox2", "Вид помощи", CharacterRule::None, true, width("TIP_POM")},
        {F::Doctor, "sComboBox3", "Фамилия доктора", CharacterRule::None, true, width("FIOV")},
        {F::Nurse, "sComboBox7", "Медсетра", CharacterRule::None, true, width("MEDSESTR")},
        {F::Technician, "sComboBox8", "Техник", CharacterRule::None, true, width("TEHN")},
        {F::DepartmentCode, "sEdit18", "Отделение", CharacterRule::DigitsOnly, true, 10},
        {F::DepartmentName, "sDBEdit1", nullptr, CharacterRule::None, true},
        {F::ServiceNumber, "sEdit1", "№ услуги", CharacterRule::None, true, width("KODGVV")},
        {F::ServiceName, "sEdit15", nullptr, CharacterRule::None, true},
        {F::Sum, "sEdit8", "Сумма", CharacterRule::None, true, width("SUMMA")},
        // A quantity fits an INTEGER; what it may contain is checked by the save.
        {F::Quantity, "sEdit5", "Количество", CharacterRule::None, true, 9},
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
    serviceNameEdit_->setReadOnly(true);
    sumEdit_ = form->line(F::Sum);
    quantityEdit_ = form->line(F::Quantity);

    contractEdit_ = lineEdit(tab, "sEdit20");
    workOrderEdit_ = lineEdit(tab, "sEdit23");
    workOrderDateEdit_ = dateEdit(tab, "sDateEdit1");
    workOrderDateEdit_->setText(dateText(workstation_.clock().now().date()));
    entryTimeEdit_ = lineEdit(tab, "sEdit14", "Время оплаты");
    entryTimeEdit_->setReadOnly(true);
    seriesEdit_ = lineEdit(tab, "sEdit16");
    passportNumberEdit_ = lineEdit(tab, "sEdit17");
    issuedByEdit_ = lineEdit(tab, "sEdit19");
    addressEdit_ = lineEdit(tab, "sEdit21");
    organisationCombo_ = comboBox(tab, "sComboBox1", siteConfig().organisations);
    organisationCombo_->setCurrentIndex(-1);
    organisationCombo_->setMinimumContentsLength(40);
    organisationCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    referralEdit_ = lineEdit(tab, "sEdit22");
    referralDateEdit_ = dateEdit(tab, "sDateEdit3");
    serviceDateEdit_ = dateEdit(tab, "sDateEdit4");

    form->nextColumn();
    form->addRow(QStringLiteral("№ договора"), contractEdit_);
    form->addRow(QStringLiteral("№ наряда"), workOrderEdit_);
    form->addRow(QStringLiteral("Наряд от"), workOrderDateEdit_);
    form->addFields({{F::ServiceCode, "sEdit7", "Код услуги", CharacterRule::None, true}});
    serviceCodeEdit_ = form->line(F::ServiceCode);
    form->addRow(QStringLiteral("Время"), entryTimeEdit_);
    form->addRow(QStringLiteral("Организация"), organisationCombo_);
    form->addRow(QStringLiteral("№ направления"), referralEdit_);
    form->addRow(QStringLiteral("Дата направления"), referralDateEdit_);
    form->addRow(QStringLiteral("Дата услуги"), serviceDateEdit_);
    QGridLayout* grid = form->grid();
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 3);

    auto* passport = new QGroupBox(QStringLiteral("Паспортные   данные"), tab);
    passport->setObjectName(QStringLiteral("sGroupBox1"));
    auto* passportLayout = new QGridLayout(passport);
    const std::pair<const char*, QLineEdit*> passportFields[] = {{"Серия", seriesEdit_},
                                                                 {"№", passportNumberEdit_},
                                                                 {"Выдан", issuedByEdit_},
                                                                 {"Адрес", addressEdit_}};
    int p = 0;
    for (const auto& [label, field] : passportFields) {
        field->setParent(passport);
        auto* l = new QLabel(QString::fromUtf8(label), passport);
        l->setBuddy(field);
        passportLayout->addWidget(l, p / 2, (p % 2) * 2);
        passportLayout->addWidget(field, p / 2, (p % 2) * 2 + 1);
        ++p;
    }

    auto* buttons = new QHBoxLayout;
    QPushButton* saveButton = button(tab, "sBitBtn1", "Сохранить", "Сохранить");
    QPushButton* invoicing = button(tab, "sBitBtn2", "Счета", "Выставление счетов");
    QPushButton* close = button(tab, "sBitBtn7", "Выход", "Закрыть");
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(invoicing);
    buttons->addWidget(close);
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(invoicing, &QPushButton::clicked, this, &ClientsWindow::invoicingRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(grid);
    layout->addWidget(passport);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // The focus order of the entry: where Enter and Tab go next.
    QWidget* order[] = {surnameEdit_,
                        firstNameEdit_,
                        patronymicEdit_,
                        careKindCombo_,
                        doctorCombo_,
                        nurseCombo_,
                        technicianCombo_,
                        departmentCodeEdit_,
                        serviceNumberEdit_,
                        sumEdit_,
                        quantityEdit_,
                        contractEdit_,
                        workOrderEdit_,
                        workOrderDateEdit_,
                        serviceCodeEdit_,
                        entryTimeEdit_,
                        departmentName_,
                        serviceNameEdit_,
                        seriesEdit_,
                        passportNumberEdit_,
                        issuedByEdit_,
                        addressEdit_,
                        organisationCombo_,
                        referralEdit_,
                        referralDateEdit_,
                        serviceDateEdit_,
                        saveButton,
                        invoicing,
                        close};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return tab;
}

QWidget* ClientsWindow::buildViewTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("sTabSheet2"));
    auto* panel = new QGroupBox(tab);
    panel->setObjectName(QStringLiteral("sPanel2"));
    auto* panelLayout = new QGridLayout(panel);
    const char* const checks[] = {"Фамилия", "Имя", "Отчество", "№ договора", "№ услуги", "Дата"};
    struct Field {
        const char* objectName;
        const char* hint;
        bool date;
    };
    const Field fields[] = {{"sEdit9", "Фамилия для поиска", false},
                            {"sEdit10", "Имя для поиска", false},
                            {"sEdit11", "Отчество для поиска", false},
                            {"sEdit13", nullptr, false},
                            {"sEdit12", nullptr, false},
                            {"sDateEdit2", nullptr, true}};
    for (int i = 0; i < 6; ++i) {
        auto* check = new QCheckBox(QString::fromUtf8(checks[i]), panel);
        check->setObjectName(QStringLiteral("sCheckBox%1").arg(i + 1));
        QLineEdit* field = fields[i].date ? dateEdit(panel, fields[i].objectName, fields[i].hint)
                                          : lineEdit(panel, fields[i].objectName, fields[i].hint);
        field->hide();
        panelLayout->addWidget(check, 0, i);
        panelLayout->addWidget(field, 1, i);
        // Each click flips the field, whatever the box shows.
        connect(check, &QCheckBox::clicked, field, [field] { field->setHidden(!field->isHidden()); });
        searchChecks_.push_back(check);
        searchFields_.push_back(field);
    }
    QPushButton* accept = button(panel, "sBitBtn3", "Принять");
    QPushButton* cancel = button(panel, "sBitBtn4", "Отмена");
    QPushButton* commitButton = button(panel, "sBitBtn5", "Сохранить", "Сохранить изменения");
    QPushButton* edit = button(panel, "sBitBtn6", "Редактирование", "Редактирование записи");
    panelLayout->addWidget(accept, 0, 6);
    panelLayout->addWidget(cancel, 1, 6);
    panelLayout->addWidget(commitButton, 0, 7);
    panelLayout->addWidget(edit, 1, 7);
    connect(accept, &QPushButton::clicked, this, &ClientsWindow::applyFilter);
    connect(cancel, &QPushButton::clicked, this, &ClientsWindow::removeFilter);
    connect(commitButton, &QPushButton::clicked, this, &ClientsWindow::commit);
    connect(edit, &QPushButton::clicked, this, &ClientsWindow::editingRequested);

    const std::vector<DataSetModel::Column> columns = {
        {"FAM", "Фамилия"},
        {"NAM", "Имя"},
        {"OTH", "Отчество"},
        {"KODGVV", "№ услуги"},
        {"NAME", "Наиенование услуги"},
        {"FIOV", "Доктор"},
        {"DATA_USL", "Дата услуги"},
        {"OTDELENIE", "Отделение"},
        {"TIP_POM", "Тип помощи"},
        {"KOD", "Код"},
        {"KOL", "Количчество"},
        {"SUMMA", "Стоимость"},
        {"SUMMAO", "Сумма оплаты"},
        {"TIME_US", "Время занесения"},
        {"NDOG", "№ договора"},
        {"SIMV", "Д\\М"},
        {"DATAISP", "Дата исправления"},
        {"MEDSESTR", "Медсестра"},
        {"TEHN", "Техник"},
        {"SERIA", "Серия"},
        {"NOMER", "№ паспорта"},
        {"VIDAN", "Выдан"},
        {"ADRESS", "Адрес"},
        {"DATAO", "Дата оплаты"},
        {"NOMNAR", "№ наряда"},
        {"DATANAR", "Дата наряда"},
        {"PROVER", "Проверен"},
        {"ORGANIS", "Организация"},
    };
    grid_ = new DataGrid(workstation_.clientRegister(), columns, workstation_.messages(), tab);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->allowEditing();
    navigator_ = new DataNavigator(workstation_.clientRegister(), workstation_.messages(), tab);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(panel);
    layout->addWidget(grid_, 1);
    layout->addWidget(navigator_);
    return tab;
}

void ClientsWindow::attachRules() {
    for (QWidget* field :
         std::initializer_list<QWidget*>{contractEdit_, workOrderEdit_, workOrderDateEdit_, entryTimeEdit_})
        attachEnterAdvances(field);
    for (size_t i = 1; i < searchFields_.size(); ++i)
        attachEnterAdvances(searchFields_[i]);
    attachEnterActs(searchFields_[0], [this] { applyFilter(); });

    const std::pair<QWidget*, const char*> widths[] = {
        {contractEdit_, "NDOG"},        {workOrderEdit_, "NOMNAR"}, {seriesEdit_, "SERIA"},
        {passportNumberEdit_, "NOMER"}, {issuedByEdit_, "VIDAN"},   {addressEdit_, "ADRESS"},
        {referralEdit_, "NOMNAPR"},     {searchFields_[0], "FAM"},  {searchFields_[1], "NAM"},
        {searchFields_[2], "OTH"},      {searchFields_[3], "NDOG"}, {searchFields_[4], "KODGVV"},
    };
    for (const auto& [field, column] : widths)
        limitLength(field, clientColumnWidth(QString::fromLatin1(column)));

    // The search fields of the view tab run the price look-up as well (by the entry's service number).
    auto* prices = new PriceLookUp(serviceNumberEdit_, workstation_.prices(), workstation_.messages(),
                                   {{serviceNameEdit_, QStringLiteral("NAME")},
                                    {serviceCodeEdit_, QStringLiteral("KOD")},
                                    {sumEdit_, QStringLiteral("SUMMA")}});
    for (size_t i = 1; i < searchFields_.size(); ++i)
        prices->watch(searchFields_[i]);
    new DepartmentLookUp(departmentCodeEdit_, workstation_.departments(), workstation_.messages());
}

bool ClientsWindow::save() {
    Messages& messages = workstation_.messages();
    const QString serviceDate = serviceDateText(serviceDateEdit_->text());
    if (serviceDate.isEmpty()) {
        messages.error(QString::fromUtf8(kNoServiceDate));
        serviceDateEdit_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const QString workOrderDate = storedDateText(workOrderDateEdit_->text());
    const QString time = entryTimeEdit_->text();
    DataSet& prices = workstation_.prices();
    const QString symbol = prices.isOpen() ? prices.fieldText(QStringLiteral("SIMV")) : QString();
    const ClientValues values = {
        {"fam", surnameEdit_->text()},
        {"nam", firstNameEdit_->text()},
        {"oth", patronymicEdit_->text()},
        {"kodgvv", serviceNumberEdit_->text()},
        {"name", serviceNameEdit_->text()},
        {"kod", serviceCodeEdit_->text()},
        {"summa", sumEdit_->text()},
        {"data_usl", serviceDate},
        {"dataisp", workOrderDate},
        {"time_us", time},
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
        {"datanar", workOrderDate},
        {"seria", seriesEdit_->text()},
        {"nomer", passportNumberEdit_->text()},
        {"vidan", issuedByEdit_->text()},
        {"adress", addressEdit_->text()},
        {"organis", organisationCombo_->currentText()},
        {"nomnapr", referralEdit_->text()},
        {"datnapr", storedDateText(referralDateEdit_->text())},
    };
    const QString overlong = overlongValue(values);
    if (!overlong.isEmpty()) {
        messages.error(QString::fromUtf8(kTooLong).arg(overlong));
        return false;
    }
    DataSet& clients = workstation_.clientRegister();
    if (!runCommand(messages, [&] { insertRow(clients, values); }))
        return false;
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        // The line stays posted in the open transaction; the next commit makes it permanent.
        messages.error(QString::fromUtf8(kNothingSaved));
    }
    return runCommand(messages, [&] { reopenAt(clients, serviceDate, time); });
}

void ClientsWindow::applyFilter() {
    narrowClientRegister(workstation_, searchFields_);
}

void ClientsWindow::removeFilter() {
    widenClientRegister(workstation_);
}

void ClientsWindow::commit() {
    DataSet& clients = workstation_.clientRegister();
    if (!runCommand(workstation_.messages(), [&] {
            if (clients.isOpen())
                clients.post();
        }))
        return;
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        workstation_.messages().error(QString::fromUtf8(kNothingSaved));
    }
}

} // namespace zorvel
