#include "clients/clients_window.h"

#include "clients/client_record.h"
#include "clients/client_search.h"
#include "data/dataset.h"
#include "data/filter.h"
#include "widgets/data_field_edit.h"
#include "widgets/data_grid.h"
#include "widgets/data_navigator.h"
#include "widgets/date_mask.h"
#include "widgets/input_rules.h"
#include "workstation/command.h"
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
    attachRules();
    resize(980, 640);

    // Installed after the Enter rules, so the look-up sees a key before the rule moves the focus on.
    serviceNumberEdit_->installEventFilter(this);
    for (size_t i = 1; i < searchFields_.size(); ++i)
        searchFields_[i]->installEventFilter(this);
    departmentCodeEdit_->installEventFilter(this);
    connect(departmentCodeEdit_, &QLineEdit::textChanged, this, &ClientsWindow::lookUpDepartment);
}

QWidget* ClientsWindow::buildEntryTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("sTabSheet1"));
    surnameEdit_ = lineEdit(tab, "sEdit2", "Фамилия пациента");
    firstNameEdit_ = lineEdit(tab, "sEdit3", "Имя пациента");
    patronymicEdit_ = lineEdit(tab, "sEdit4", "Отчество пациента");
    careKindCombo_ = comboBox(tab, "sComboBox2",
                              {QStringLiteral("Поликлиника"), QStringLiteral("Стационар"),
                               QStringLiteral("Дневной стационар"), QString()});
    careKindCombo_->setToolTip(QStringLiteral("Выбор типа помощи"));
    careKindCombo_->setCurrentIndex(0);
    doctorCombo_ = comboBox(tab, "sComboBox3");
    doctorCombo_->setToolTip(QStringLiteral("Выберите фамилию доктора"));
    nurseCombo_ = comboBox(tab, "sComboBox7");
    technicianCombo_ = comboBox(tab, "sComboBox8");
    departmentCodeEdit_ = lineEdit(tab, "sEdit18", "Код отделения");
    serviceNumberEdit_ = lineEdit(tab, "sEdit1", "Поле для поиска услуги по госпитальному коду");
    sumEdit_ = lineEdit(tab, "sEdit8", "Сумма");
    quantityEdit_ = lineEdit(tab, "sEdit5", "Количество услуг");
    contractEdit_ = lineEdit(tab, "sEdit20");
    workOrderEdit_ = lineEdit(tab, "sEdit23");
    workOrderDateEdit_ = dateEdit(tab, "sDateEdit1");
    workOrderDateEdit_->setText(dateText(workstation_.clock().now().date()));
    serviceCodeEdit_ = lineEdit(tab, "sEdit7", "Код услуги");
    serviceCodeEdit_->setReadOnly(true);
    entryTimeEdit_ = lineEdit(tab, "sEdit14", "Время оплаты");
    entryTimeEdit_->setReadOnly(true);
    departmentName_ = new DataFieldEdit(workstation_.departments(), QStringLiteral("NAME"), tab);
    departmentName_->setObjectName(QStringLiteral("sDBEdit1"));
    departmentName_->setToolTip(QStringLiteral("Название отделения"));
    serviceNameEdit_ = lineEdit(tab, "sEdit15", "Наименование услуги");
    serviceNameEdit_->setReadOnly(true);
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

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](int column, const char* label, QWidget* field, QWidget* beside = nullptr) {
        if (label) {
            auto* l = new QLabel(QString::fromUtf8(label), tab);
            l->setBuddy(field);
            grid->addWidget(l, row, column * 2);
        }
        if (beside) {
            auto* pair = new QHBoxLayout;
            pair->addWidget(field, 1);
            pair->addWidget(beside, 3);
            grid->addLayout(pair, row, column * 2 + 1);
        } else {
            grid->addWidget(field, row, column * 2 + 1);
        }
        ++row;
    };
    addRow(0, "Фамилия", surnameEdit_);
    addRow(0, "Имя", firstNameEdit_);
    addRow(0, "Отчество", patronymicEdit_);
    addRow(0, "Вид помощи", careKindCombo_);
    addRow(0, "Фамилия доктора", doctorCombo_);
    addRow(0, "Медсетра", nurseCombo_);
    addRow(0, "Техник", technicianCombo_);
    addRow(0, "Отделение", departmentCodeEdit_, departmentName_);
    addRow(0, "№ услуги", serviceNumberEdit_, serviceNameEdit_);
    addRow(0, "Сумма", sumEdit_);
    addRow(0, "Количество", quantityEdit_);
    row = 0;
    addRow(1, "№ договора", contractEdit_);
    addRow(1, "№ наряда", workOrderEdit_);
    addRow(1, "Наряд от", workOrderDateEdit_);
    addRow(1, "Код услуги", serviceCodeEdit_);
    addRow(1, "Время", entryTimeEdit_);
    addRow(1, "Организация", organisationCombo_);
    addRow(1, "№ направления", referralEdit_);
    addRow(1, "Дата направления", referralDateEdit_);
    addRow(1, "Дата услуги", serviceDateEdit_);
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
    for (QWidget* field : std::initializer_list<QWidget*>{
             surnameEdit_, firstNameEdit_, patronymicEdit_, careKindCombo_, doctorCombo_, nurseCombo_,
             technicianCombo_, sumEdit_, quantityEdit_, contractEdit_, workOrderEdit_, workOrderDateEdit_,
             serviceCodeEdit_, entryTimeEdit_, departmentName_, serviceNameEdit_, serviceNumberEdit_})
        attachEnterAdvances(field);
    attachCharacterRule(departmentCodeEdit_, CharacterRule::DigitsOnly);
    attachEnterAdvances(departmentCodeEdit_);
    for (size_t i = 1; i < searchFields_.size(); ++i)
        attachEnterAdvances(searchFields_[i]);
    attachEnterActs(searchFields_[0], [this] { applyFilter(); });

    // What is typed fits its column. The organisation list, the service name and code come from the
    // configuration and the price list: they are not cut here but refused by the save if too long.
    const std::pair<QWidget*, const char*> widths[] = {
        {surnameEdit_, "FAM"},          {firstNameEdit_, "NAM"},        {patronymicEdit_, "OTH"},
        {careKindCombo_, "TIP_POM"},    {doctorCombo_, "FIOV"},         {nurseCombo_, "MEDSESTR"},
        {technicianCombo_, "TEHN"},     {serviceNumberEdit_, "KODGVV"}, {sumEdit_, "SUMMA"},
        {contractEdit_, "NDOG"},        {workOrderEdit_, "NOMNAR"},     {seriesEdit_, "SERIA"},
        {passportNumberEdit_, "NOMER"}, {issuedByEdit_, "VIDAN"},       {addressEdit_, "ADRESS"},
        {referralEdit_, "NOMNAPR"},     {searchFields_[0], "FAM"},      {searchFields_[1], "NAM"},
        {searchFields_[2], "OTH"},      {searchFields_[3], "NDOG"},     {searchFields_[4], "KODGVV"},
    };
    for (const auto& [field, column] : widths)
        limitLength(field, clientColumnWidth(QString::fromLatin1(column)));
    // A quantity fits an INTEGER; what it may contain is checked by the save.
    limitLength(quantityEdit_, 9);
    limitLength(departmentCodeEdit_, 10);
}

bool ClientsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == departmentCodeEdit_) {
            // The key that lets go of the department filter (not Escape).
            if (key->key() == Qt::Key_Muhenkan)
                runCommand(workstation_.messages(),
                           [this] { workstation_.departments().setFiltered(false); });
            return false;
        }
        const bool lookUpField =
            watched == serviceNumberEdit_ ||
            std::find(searchFields_.begin() + 1, searchFields_.end(), watched) != searchFields_.end();
        if (lookUpField) {
            if (key->key() == Qt::Key_Escape) {
                runCommand(workstation_.messages(), [this] { workstation_.prices().setFiltered(false); });
                return false;
            }
            // Before the key reaches the field: the look-up uses the text as it stood before this key.
            if (typesIntoField(key))
                lookUpPrice();
            return false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ClientsWindow::lookUpPrice() {
    DataSet& prices = workstation_.prices();
    if (!prices.isOpen())
        return;
    runCommand(workstation_.messages(), [&] {
        prices.setFilterText(prefixTerm(QStringLiteral("kodgvv"), serviceNumberEdit_->text()));
        prices.setFiltered(true);
        if (prices.currentRow() > 0)
            prices.first();
        serviceNameEdit_->setText(prices.fieldText(QStringLiteral("NAME")));
        serviceCodeEdit_->setText(prices.fieldText(QStringLiteral("KOD")));
        sumEdit_->setText(prices.fieldText(QStringLiteral("SUMMA")));
        serviceNameEdit_->setCursorPosition(0);
    });
}

void ClientsWindow::lookUpDepartment(const QString& code) {
    DataSet& departments = workstation_.departments();
    if (code.isEmpty() || !departments.isOpen())
        return;
    runCommand(workstation_.messages(), [&] {
        departments.setFiltered(false);
        departments.setFilterText(equalsTerm(QStringLiteral("kod"), code));
        departments.setFiltered(true);
    });
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
    if (!runCommand(messages, [&] { insertClientLine(clients, values); }))
        return false;
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        // The line stays posted in the open transaction; the next commit makes it permanent.
        messages.error(QString::fromUtf8(kNothingSaved));
    }
    return runCommand(messages, [&] {
        clients.close();
        clients.open();
        clients.locate(QStringLiteral("data_usl;time_us"), {serviceDate, time});
    });
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
