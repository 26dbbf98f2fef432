#include "cashdesk/register_tab.h"

#include "cashdesk/register_batch.h"
#include "data/dataset.h"
#include "data/tables.h"
#include "widgets/choice_list.h"
#include "widgets/data_grid.h"
#include "widgets/data_navigator.h"
#include "widgets/patient_search_panel.h"
#include "workstation/command.h"
#include "workstation/workstation.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

// A register column with its title; without one, the column's own label.
DataSetModel::Column column(const char* field, const char* title = nullptr) {
    const QString name = QString::fromLatin1(field);
    if (title)
        return {name, QString::fromUtf8(title)};
    for (const ColumnDescription& c : peopleTable().columns)
        if (c.name == name)
            return {name, c.label};
    return {name, name};
}

std::vector<DataSetModel::Column> registerColumns() {
    return {column("IPEOP", "№"),
            column("NDOG"),
            column("FAM"),
            column("NAM"),
            column("OTH"),
            column("SIMV"),
            column("KODGVV"),
            column("NAME", "Наименование операции"),
            column("KOD"),
            column("TIP_POM"),
            column("FIOV"),
            column("MEDSESTR", "Медсетра"),
            column("TEHN"),
            column("OTDELENIE"),
            column("SUMMA", "Стоимость"),
            column("KOL"),
            column("DATA_USL", "Дата"),
            column("TIME_US", "Время"),
            column("DATAISP"),
            column("SERIA"),
            column("NOMER", "Номер"),
            column("VIDAN"),
            column("ADRESS"),
            column("CHOPL"),
            column("PROVER", "Проверка"),
            column("NOMNAR", "№ наряда"),
            column("DATNAR", "Дата направления"),
            column("DOPOLN", "Доплата")};
}

} // namespace

RegisterTab::RegisterTab(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TabSheet2"));
    setToolTip(QStringLiteral("Просмотр сохраненных данных"));
    DataSet& reg = workstation.serviceRegister();

    grid_ = new DataGrid(reg, registerColumns(), workstation.messages(), this);
    grid_->setObjectName(QStringLiteral("DBGrid2"));
    grid_->setToolTip(QStringLiteral("Архив пациентов"));
    grid_->allowEditing({{QStringLiteral("DOPOLN"), {QStringLiteral("Нет"), QStringLiteral("Да")}}});
    navigator_ = new DataNavigator(reg, workstation.messages(), this);
    navigator_->setObjectName(QStringLiteral("sDBNavigator1"));

    search_ = new PatientSearchPanel(reg, workstation.messages(), "sEdit21", "sEdit22", this);
    search_->setObjectName(QStringLiteral("sGroupBox1"));
    auto button = [&](const char* objectName, const char* text, const char* hint) {
        auto* b = new QPushButton(QString::fromUtf8(text), search_);
        b->setObjectName(QString::fromLatin1(objectName));
        if (hint)
            b->setToolTip(QString::fromUtf8(hint));
        b->setAutoDefault(false);
        search_->addButton(b);
        return b;
    };
    debtsButton_ = button("sBitBtn12", "Список должников", "Список должников");
    QPushButton* refund = button("sBitBtn9", "Возврат", nullptr);
    editButton_ = button("sBitBtn8", "Редактирование", "Редактирование");
    QPushButton* print = button("sBitBtn6", "Печать", "печать договора");
    setAdministrator(false);
    connect(debtsButton_, &QPushButton::clicked, this, &RegisterTab::debtsRequested);
    connect(refund, &QPushButton::clicked, this, &RegisterTab::refundRequested);
    connect(editButton_, &QPushButton::clicked, this, &RegisterTab::recordEditRequested);
    connect(print, &QPushButton::clicked, this, &RegisterTab::contractPrintRequested);

    auto* markLabel = new QLabel(QStringLiteral("Проверка"), search_);
    verification_ = new QComboBox(search_);
    verification_->setObjectName(QStringLiteral("sDBComboBox1"));
    // "Да " keeps its blank: the column holds three characters, and stored marks carry it.
    verification_->addItems({QStringLiteral("Да "), QStringLiteral("Нет")});
    search_->addButton(markLabel);
    search_->addButton(verification_);
    connect(verification_, &QComboBox::activated, this,
            [this](int index) { markVerification(verification_->itemText(index)); });
    connect(&reg, &DataSet::currentChanged, this, &RegisterTab::showCurrentMark);
    connect(&reg, &DataSet::reset, this, &RegisterTab::showCurrentMark);
    connect(&reg, &DataSet::rowChanged, this, [this, &reg](int row) {
        if (row == reg.currentRow())
            showCurrentMark();
    });
    showCurrentMark();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(navigator_);
    layout->addWidget(search_);
}

void RegisterTab::setAdministrator(bool administrator) {
    debtsButton_->setEnabled(administrator);
    editButton_->setEnabled(administrator);
}

void RegisterTab::showCurrentMark() {
    DataSet& reg = workstation_.serviceRegister();
    const QString mark =
        reg.isOpen() && reg.currentRow() >= 0 ? reg.fieldText(QStringLiteral("PROVER")) : QString();
    // A CHAR(3) column gives "Да " back as "Да": the list still shows its item.
    showValue(verification_, mark);
}

bool RegisterTab::markVerification(const QString& mark) {
    bool written = false;
    runCommand(workstation_.messages(),
               [&] { written = writeRecords(workstation_, false, {QStringLiteral("PROVER")}, {mark}); });
    showCurrentMark();
    return written;
}

} // namespace zorvel
