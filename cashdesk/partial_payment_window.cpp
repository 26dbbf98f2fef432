#include "cashdesk/partial_payment_window.h"

#include "cashdesk/register_batch.h"
#include "cashdesk/register_columns.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "widgets/data_field_edit.h"
#include "widgets/data_grid.h"
#include "widgets/input_rules.h"
#include "widgets/patient_search_panel.h"
#include "workstation/command.h"
#include "workstation/contract_set.h"
#include "workstation/money.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

namespace {

std::vector<DataSetModel::Column> gridColumns() {
    const TableDescription& t = peopleTable();
    return {tableColumn(t, "NDOG"),
            tableColumn(t, "FAM"),
            tableColumn(t, "NAM"),
            tableColumn(t, "OTH"),
            tableColumn(t, "SIMV", "В\\М"),
            tableColumn(t, "KODGVV"),
            tableColumn(t, "NAME"),
            tableColumn(t, "KOD"),
            tableColumn(t, "TIP_POM", "Вид помощи"),
            tableColumn(t, "FIOV"),
            tableColumn(t, "MEDSESTR"),
            tableColumn(t, "TEHN"),
            tableColumn(t, "OTDELENIE"),
            tableColumn(t, "SUMMA"),
            tableColumn(t, "KOL"),
            tableColumn(t, "DATA_USL"),
            tableColumn(t, "TIME_US"),
            tableColumn(t, "DATAISP"),
            tableColumn(t, "SERIA"),
            tableColumn(t, "NOMER", "№ полиса"),
            tableColumn(t, "VIDAN"),
            tableColumn(t, "ADRESS"),
            tableColumn(t, "CHOPL"),
            tableColumn(t, "PROVER", "Проверен"),
            tableColumn(t, "NOMNAR"),
            tableColumn(t, "DATNAR", "Направления от")};
}

} // namespace

PartialPaymentWindow::PartialPaymentWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("Частичная оплата услуг"));
    DataSet& reg = workstation.serviceRegister();

    search_ = new PatientSearchPanel(reg, workstation.messages(), "sEdit21", "sEdit22", this);
    search_->setObjectName(QStringLiteral("sGroupBox1"));
    auto* print = new QPushButton(QStringLiteral("Печать"), search_);
    print->setObjectName(QStringLiteral("sBitBtn6"));
    print->setAutoDefault(false);
    search_->addButton(print);
    connect(print, &QPushButton::clicked, this, &PartialPaymentWindow::contractPrintRequested);

    paid_ = new DataFieldEdit(reg, QStringLiteral("CHOPL"), this);
    paid_->setObjectName(QStringLiteral("sDBEdit1"));
    instalment_ = new QLineEdit(this);
    instalment_->setObjectName(QStringLiteral("sEdit1"));
    attachEnterActs(instalment_, [this] { recordInstalment(); });
    auto* panel = new QHBoxLayout;
    panel->addWidget(new QLabel(QStringLiteral("Предоплата"), this));
    panel->addWidget(paid_);
    panel->addWidget(new QLabel(QStringLiteral("Текущая предоплата"), this));
    panel->addWidget(instalment_);
    panel->addStretch(1);

    grid_ = new DataGrid(reg, gridColumns(), workstation.messages(), this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addLayout(panel);
    layout->addWidget(grid_, 1);
    resize(1000, 600);
}

void PartialPaymentWindow::openForCurrentContract() {
    DataSet& reg = workstation_.serviceRegister();
    runCommand(workstation_.messages(), [&] {
        if (!reg.isOpen() || reg.currentRow() < 0)
            return;
        const RecordPosition position = currentPosition(reg);
        const QString contractSet = contractSetFilter(reg);
        reg.setFiltered(false);
        reg.setFilterText(contractSet);
        reg.setFiltered(true);
        moveTo(reg, position);
    });
    show();
    raise();
    activateWindow();
}

bool PartialPaymentWindow::recordInstalment() {
    DataSet& reg = workstation_.serviceRegister();
    Messages& messages = workstation_.messages();
    if (!reg.isOpen() || reg.currentRow() < 0)
        return false;
    const std::optional<qint64> instalment = parseMoney(instalment_->text());
    if (!instalment) {
        messages.error(QStringLiteral("Неверный формат числа"));
        return false;
    }
    const QString chopl = QStringLiteral("CHOPL");
    const int column = reg.fieldIndex(chopl);
    const int width = column >= 0 ? reg.fields()[static_cast<size_t>(column)].width : 0;
    const QString key = reg.fieldText(QStringLiteral("IPEOP"));
    const QString today = dateText(workstation_.clock().now().date());
    bool written = false;
    runCommand(messages, [&] {
        written = runBatch(workstation_, [&] {
            // The total is the one the contract holds on the server now (another cashier may have
            // recorded an instalment since this window read it), locked until the commit.
            const std::vector<LockedRecord> records = lockContractSet(workstation_, {chopl});
            const LockedRecord* current = nullptr;
            for (const LockedRecord& r : records)
                if (r.key == key)
                    current = &r;
            if (!current)
                throw DbError(changedElsewhereMessage(), 0, false);
            const QString stored = current->values[0];
            const std::optional<qint64> paid =
                stored.trimmed().isEmpty() ? std::optional<qint64>(0) : parseMoney(stored);
            const QString total = paid ? moneyText(*paid + *instalment) : QString();
            // A total the register could not hold is refused like a text that is not a number.
            // Shown with the caption of errors once the savepoint is undone; nothing is written.
            if (!paid || (width > 0 && total.size() > width))
                throw DbError(QStringLiteral("Неверный формат числа"), 0, false);
            for (const LockedRecord& r : records)
                updateRecord(workstation_.connection(), r.key, {chopl, QStringLiteral("DATAISP")},
                             {total, today});
        });
    });
    return written;
}

} // namespace zorvel
