#include "clients/client_edit_window.h"

#include "clients/bound_editor.h"
#include "clients/client_record.h"
#include "clients/client_search.h"
#include "data/dataset.h"
#include "data/filter.h"
#include "widgets/data_navigator.h"
#include "widgets/date_mask.h"
#include "widgets/input_rules.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

const char* const kNothingSaved = "Нет данных для сохранения";

QPushButton* button(QWidget* parent, const char* objectName, const char* text, const char* hint = nullptr) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(objectName));
    if (hint)
        b->setToolTip(QString::fromUtf8(hint));
    return b;
}

} // namespace

ClientEditWindow::ClientEditWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm13"));
    setWindowTitle(QStringLiteral("Редактирование договорников"));
    DataSet& clients = workstation_.clientRegister();
    Messages& messages = workstation_.messages();

    // The filter panel, as on the view tab of the contract clients' window.
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("sPanel1"));
    auto* panelLayout = new QGridLayout(panel);
    const char* const checks[] = {"Фамилия", "Имя", "Отчество", "№ договора", "№ услуги", "Дата"};
    const char* const fields[] = {"sEdit9", "sEdit10", "sEdit11", "sEdit13", "sEdit12", "sDateEdit2"};
    const char* const hints[] = {
        "Фамилия для поиска", "Имя для поиска", "Отчество для поиска", nullptr, nullptr, nullptr};
    const char* const columns[] = {"FAM", "NAM", "OTH", "NDOG", "KODGVV", nullptr};
    for (int i = 0; i < 6; ++i) {
        auto* check = new QCheckBox(QString::fromUtf8(checks[i]), panel);
        check->setObjectName(QStringLiteral("sCheckBox%1").arg(i + 1));
        auto* field = new QLineEdit(panel);
        field->setObjectName(QString::fromLatin1(fields[i]));
        if (hints[i])
            field->setToolTip(QString::fromUtf8(hints[i]));
        if (columns[i])
            limitLength(field, clientColumnWidth(QString::fromLatin1(columns[i])));
        else
            setDateMask(field, QStringLiteral("99.99.9999; "));
        field->hide();
        panelLayout->addWidget(check, 0, i);
        panelLayout->addWidget(field, 1, i);
        connect(check, &QCheckBox::clicked, field, [field] { field->setHidden(!field->isHidden()); });
        searchFields_.push_back(field);
    }
    QPushButton* accept = button(panel, "sBitBtn3", "Принять");
    QPushButton* cancelFilter = button(panel, "sBitBtn4", "Отмена");
    panelLayout->addWidget(accept, 0, 6);
    panelLayout->addWidget(cancelFilter, 1, 6);
    connect(accept, &QPushButton::clicked, this, &ClientEditWindow::applyFilter);
    connect(cancelFilter, &QPushButton::clicked, this, &ClientEditWindow::removeFilter);

    // The record.
    auto* form = new QGridLayout;
    int row = 0;
    int column = 0;
    auto place = [&](const char* label, QWidget* field, QWidget* second = nullptr, QWidget* third = nullptr) {
        auto* l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(field);
        form->addWidget(l, row, column * 2);
        if (second) {
            auto* box = new QHBoxLayout;
            box->addWidget(field, 1);
            box->addWidget(second, third ? 1 : 3);
            if (third)
                box->addWidget(third, 3);
            form->addLayout(box, row, column * 2 + 1);
        } else {
            form->addWidget(field, row, column * 2 + 1);
        }
        ++row;
    };
    auto line = [&](const char* objectName, const char* field) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(objectName));
        const QString name = QString::fromLatin1(field);
        new BoundEditor(edit, clients, name, messages, clientColumnWidth(name));
        return edit;
    };
    auto combo = [&](const char* objectName, const char* field, const QStringList& items = {}) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(objectName));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(items);
        const QString name = QString::fromLatin1(field);
        new BoundEditor(box, clients, name, messages, clientColumnWidth(name));
        return box;
    };
    departmentCodeEdit_ = new QLineEdit(this);
    departmentCodeEdit_->setObjectName(QStringLiteral("sEdit1"));
    attachCharacterRule(departmentCodeEdit_, CharacterRule::DigitsOnly);
    attachEnterIgnored(departmentCodeEdit_);
    limitLength(departmentCodeEdit_, 10);
    serviceNumberEdit_ = new QLineEdit(this);
    serviceNumberEdit_->setObjectName(QStringLiteral("sEdit2"));
    limitLength(serviceNumberEdit_, clientColumnWidth(QStringLiteral("KODGVV")));

    place("Фамилия", line("sDBEdit2", "FAM"));
    place("Имя", line("sDBEdit3", "NAM"));
    place("Отчество", line("sDBEdit4", "OTH"));
    place("Вид помощи", combo("sDBComboBox1", "TIP_POM",
                              {QStringLiteral("Поликлиника"), QStringLiteral("Стационар"),
                               QStringLiteral("Дневной стационар")}));
    place("Фамилия доктора", combo("sDBComboBox2", "FIOV"));
    place("Медсетра", combo("sDBComboBox3", "MEDSESTR"));
    place("Техник", combo("sDBComboBox4", "TEHN"));
    place("Отделение", departmentCodeEdit_, line("sDBEdit1", "OTDELENIE"));
    place("№ услуги", serviceNumberEdit_, line("sDBEdit6", "KODGVV"), line("sDBEdit7", "NAME"));
    place("Сумма", line("sDBEdit8", "SUMMA"));
    QLineEdit* quantity = line("sDBEdit9", "KOL");
    attachCharacterRule(quantity, CharacterRule::DigitsOnly);
    limitLength(quantity, 9);
    place("Количество", quantity);
    row = 0;
    column = 1;
    auto* organisation = combo("sDBComboBox5", "ORGANIS");
    organisation->setMinimumContentsLength(40);
    organisation->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    place("Организация", organisation);
    place("№ договора", line("sDBEdit14", "NDOG"));
    place("№ наряда", line("sDBEdit15", "NOMNAR"));
    place("Наряд от", line("sDBEdit16", "DATANAR"));
    place("Код услуги", line("sDBEdit17", "KOD"));
    place("Дата внесения", line("sDBEdit18", "DATA_USL"));
    place("№ направления", line("sDBEdit19", "NOMNAPR"));
    place("Дата направления", line("sDBEdit20", "DATNAPR"));

    auto* passport = new QGroupBox(QStringLiteral("Паспортные   данные"), this);
    passport->setObjectName(QStringLiteral("sGroupBox1"));
    auto* passportLayout = new QGridLayout(passport);
    const std::pair<const char*, std::pair<const char*, const char*>> passportFields[] = {
        {"Серия", {"sDBEdit10", "SERIA"}},
        {"№", {"sDBEdit11", "NOMER"}},
        {"Выдан", {"sDBEdit12", "VIDAN"}},
        {"Адрес", {"sDBEdit13", "ADRESS"}}};
    int p = 0;
    for (const auto& [label, bound] : passportFields) {
        QLineEdit* edit = line(bound.first, bound.second);
        edit->setParent(passport);
        auto* l = new QLabel(QString::fromUtf8(label), passport);
        l->setBuddy(edit);
        passportLayout->addWidget(l, p / 2, (p % 2) * 2);
        passportLayout->addWidget(edit, p / 2, (p % 2) * 2 + 1);
        ++p;
    }

    auto* navigator = new DataNavigator(clients, messages, this);
    navigator->setObjectName(QStringLiteral("sDBNavigator1"));
    QPushButton* saveButton = button(this, "sBitBtn1", "Сохранить", "Сохранить");
    QPushButton* reloadButton = button(this, "sBitBtn2", "Отмена");
    connect(saveButton, &QPushButton::clicked, this, &ClientEditWindow::save);
    connect(reloadButton, &QPushButton::clicked, this, &ClientEditWindow::reload);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(reloadButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(form);
    layout->addWidget(passport);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(navigator);
    resize(900, 560);

    connect(departmentCodeEdit_, &QLineEdit::textChanged, this, &ClientEditWindow::lookUpDepartment);
    connect(serviceNumberEdit_, &QLineEdit::textChanged, this, &ClientEditWindow::lookUpService);
}

void ClientEditWindow::lookUpDepartment(const QString& code) {
    DataSet& departments = workstation_.departments();
    DataSet& clients = workstation_.clientRegister();
    runCommand(workstation_.messages(), [&] {
        if (!code.isEmpty()) {
            departments.setFiltered(false);
            departments.setFilterText(equalsTerm(QStringLiteral("kod"), code));
            departments.setFiltered(true);
        }
        if (!clients.isOpen() || clients.currentRow() < 0)
            return;
        clients.edit();
        clients.setFieldText(QStringLiteral("OTDELENIE"), departments.isOpen()
                                                              ? departments.fieldText(QStringLiteral("NAME"))
                                                              : QString());
        clients.post();
    });
}

void ClientEditWindow::lookUpService(const QString& number) {
    if (number.isEmpty())
        return;
    DataSet& prices = workstation_.prices();
    DataSet& clients = workstation_.clientRegister();
    runCommand(workstation_.messages(), [&] {
        prices.setFiltered(false);
        prices.setFilterText(prefixTerm(QStringLiteral("kodgvv"), number));
        prices.setFiltered(true);
        if (!clients.isOpen() || clients.currentRow() < 0)
            return;
        clients.edit();
        for (const char* column : {"KODGVV", "NAME", "KOD", "SUMMA", "SIMV"}) {
            const QString name = QString::fromLatin1(column);
            clients.setFieldText(name, prices.fieldText(name));
        }
    });
}

void ClientEditWindow::save() {
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

void ClientEditWindow::reload() {
    DataSet& clients = workstation_.clientRegister();
    runCommand(workstation_.messages(), [&] {
        clients.cancel();
        clients.close();
        clients.open();
    });
}

void ClientEditWindow::applyFilter() {
    narrowClientRegister(workstation_, searchFields_);
}

void ClientEditWindow::removeFilter() {
    widenClientRegister(workstation_);
}

} // namespace zorvel
