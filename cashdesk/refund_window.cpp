#include "cashdesk/refund_window.h"

#include "cashdesk/register_columns.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "widgets/data_grid.h"
#include "widgets/patient_search_panel.h"
#include "workstation/command.h"
#include "workstation/contract_set.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

// What a refunded record keeps, in the order it is copied; DOPOLN is not among them, and the key is the
// database's to give.
const char* const kMovedColumns[] = {
    "FAM",   "NAM",       "OTH",     "KODGVV", "DATA_USL", "NAME",   "KOD",     "SUMMA",    "TIME_US",
    "FIOV",  "OTDELENIE", "TIP_POM", "KOL",    "NDOG",     "SIMV",   "DATAISP", "MEDSESTR", "SERIA",
    "NOMER", "VIDAN",     "ADRESS",  "TEHN",   "CHOPL",    "PROVER", "NOMNAR",  "DATNAR"};

std::vector<DataSetModel::Column> registerColumns() {
    const TableDescription& t = peopleTable();
    std::vector<DataSetModel::Column> columns;
    for (auto [field, title] : std::initializer_list<std::pair<const char*, const char*>>{
             {"NDOG", nullptr},    {"FAM", nullptr},      {"NAM", nullptr},       {"OTH", nullptr},
             {"FIOV", "Врач"},     {"MEDSESTR", nullptr}, {"OTDELENIE", nullptr}, {"TIP_POM", nullptr},
             {"SIMV", "Д\\М"},     {"KODGVV", nullptr},   {"KOD", nullptr},       {"NAME", "Наименование"},
             {"KOL", nullptr},     {"SUMMA", nullptr},    {"DATA_USL", nullptr},  {"TIME_US", nullptr},
             {"DATAISP", nullptr}, {"SERIA", nullptr},    {"NOMER", "Номер"},     {"VIDAN", nullptr},
             {"ADRESS", nullptr}})
        columns.push_back(tableColumn(t, field, title));
    return columns;
}

std::vector<DataSetModel::Column> refundedColumns() {
    const TableDescription& t = peopleVTable();
    std::vector<DataSetModel::Column> columns;
    for (auto [field, title] :
         std::initializer_list<std::pair<const char*, const char*>>{{"NDOG", "№ договора"},
                                                                    {"FAM", "Фамилия"},
                                                                    {"NAM", "Имя"},
                                                                    {"OTH", "Отчество"},
                                                                    {"FIOV", "Врач"},
                                                                    {"MEDSESTR", "Медсестра"},
                                                                    {"OTDELENIE", "Отделение"},
                                                                    {"TIP_POM", "Тип помощи"},
                                                                    {"SIMV", "Д\\М"},
                                                                    {"KODGVV", "№ услуги"},
                                                                    {"KOD", "Код"},
                                                                    {"NAME", "Наименование услуги"},
                                                                    {"KOL", "Количество"},
                                                                    {"SUMMA", "Сумма"},
                                                                    {"DATA_USL", "Дата услуги"},
                                                                    {"TIME_US", "Время услуги"},
                                                                    {"DATAISP", "Дата исправления"},
                                                                    {"SERIA", "Серия"},
                                                                    {"NOMER", "Номер"},
                                                                    {"VIDAN", "выдан"},
                                                                    {"ADRESS", "Адрес"}})
        columns.push_back(tableColumn(t, field, title));
    return columns;
}

} // namespace

RefundWindow::RefundWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("Возврат"));

    search_ = new PatientSearchPanel(workstation.serviceRegister(), workstation.messages(), "sEdit1",
                                     "sEdit2", this);
    search_->setObjectName(QStringLiteral("sGroupBox1"));
    auto* refundButton = new QPushButton(QStringLiteral("Возврат"), search_);
    refundButton->setObjectName(QStringLiteral("sBitBtn9"));
    refundButton->setToolTip(QStringLiteral("Возврат"));
    refundButton->setAutoDefault(false);
    search_->addButton(refundButton);
    connect(refundButton, &QPushButton::clicked, this, &RefundWindow::refund);

    registerGrid_ =
        new DataGrid(workstation.serviceRegister(), registerColumns(), workstation.messages(), this);
    registerGrid_->setObjectName(QStringLiteral("DBGrid1"));
    refundedGrid_ =
        new DataGrid(workstation.refundedRegister(), refundedColumns(), workstation.messages(), this);
    refundedGrid_->setObjectName(QStringLiteral("DBGrid2"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(registerGrid_, 1);
    layout->addWidget(refundedGrid_, 1);
    resize(1000, 640);
}

int RefundWindow::refund() {
    if (!search_->apply())
        return 0;
    DataSet& reg = workstation_.serviceRegister();
    DataSet& refunded = workstation_.refundedRegister();
    Messages& messages = workstation_.messages();
    int found = 0;
    if (!runCommand(messages, [&] {
            // Only as many rows as it takes to know whether the limit is passed.
            while (reg.fetchedCount() <= kMaxRecords && reg.canFetchMore())
                reg.fetchMore(kMaxRecords + 1);
            found = reg.fetchedCount();
        }))
        return 0;
    if (found > kMaxRecords) {
        messages.notice(
            QStringLiteral("Выберите необходимую услуги или человека! Убрать в возвращенные можно "
                           "не более 15 услуг одновременно"));
        return 0;
    }

    int moved = 0;
    bool failed = false;
    // Never more rounds than records found: a record that stays is never taken up again.
    while (!failed && moved < found) {
        failed = !runCommand(messages, [&] {
            if (reg.isEmpty())
                return;
            reg.first();
            moveCurrentRecord();
            ++moved;
        });
        if (failed)
            break;
        try {
            workstation_.commit();
        } catch (const std::exception&) {
            messages.error(QStringLiteral("Нет данных для сохранения"));
            break;
        }
        if (reg.isEmpty())
            break;
    }
    // Both registers as the server has them now; the register keeps its search.
    runCommand(messages, [&] {
        for (DataSet* d : {&reg, &refunded, &workstation_.departments()}) {
            d->close();
            d->open();
        }
        refunded.last();
    });
    return moved;
}

void RefundWindow::moveCurrentRecord() {
    DataSet& reg = workstation_.serviceRegister();
    DataSet& refunded = workstation_.refundedRegister();
    try {
        Savepoint savepoint(workstation_.connection());
        refunded.insert();
        for (const char* column : kMovedColumns) {
            const QString name = QString::fromLatin1(column);
            refunded.setFieldText(name, reg.fieldText(name));
        }
        refunded.post();
        reg.remove();
        savepoint.release();
    } catch (...) {
        // The copy is undone with the savepoint; the dataset forgets it when it is read again.
        refunded.cancel();
        throw;
    }
}

void RefundWindow::closeEvent(QCloseEvent* event) {
    DataSet& reg = workstation_.serviceRegister();
    runCommand(workstation_.messages(), [&] { widenKeepingPlace(reg); });
    QWidget::closeEvent(event);
}

} // namespace zorvel
