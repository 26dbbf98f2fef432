#include "cashdesk/register_tab.h"

#include "widgets/data_grid.h"
#include "widgets/data_navigator.h"
#include "workstation/workstation.h"
#include "data/tables.h"

#include <QGroupBox>
#include <QHBoxLayout>
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

RegisterTab::RegisterTab(Workstation& workstation, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
    setToolTip(QStringLiteral("Просмотр сохраненных данных"));

    grid_ = new DataGrid(workstation.serviceRegister(), registerColumns(), workstation.messages(), this);
    grid_->setObjectName(QStringLiteral("DBGrid2"));
    grid_->setToolTip(QStringLiteral("Архив пациентов"));
    navigator_ = new DataNavigator(workstation.serviceRegister(), workstation.messages(), this);
    navigator_->setObjectName(QStringLiteral("sDBNavigator1"));

    auto* group = new QGroupBox(QStringLiteral("Поиск пациента"), this);
    group->setObjectName(QStringLiteral("sGroupBox1"));
    auto* buttons = new QHBoxLayout(group);
    auto button = [&](const char* objectName, const char* text, const char* hint, bool enabled) {
        auto* b = new QPushButton(QString::fromUtf8(text), group);
        b->setObjectName(QString::fromLatin1(objectName));
        if (hint)
            b->setToolTip(QString::fromUtf8(hint));
        // Disabled in the layout: their commands come with the debts list and the record editor.
        b->setEnabled(enabled);
        buttons->addWidget(b);
        return b;
    };
    button("sBitBtn12", "Список должников", "Список должников", false);
    QPushButton* refund = button("sBitBtn9", "Возврат", nullptr, true);
    button("sBitBtn8", "Редактирование", "Редактирование", false);
    QPushButton* print = button("sBitBtn6", "Печать", "печать договора", true);
    buttons->addStretch(1);
    connect(refund, &QPushButton::clicked, this, &RegisterTab::refundRequested);
    connect(print, &QPushButton::clicked, this, &RegisterTab::contractPrintRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(navigator_);
    layout->addWidget(group);
}

} // namespace zorvel
