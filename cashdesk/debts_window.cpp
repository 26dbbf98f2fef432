#include "cashdesk/debts_window.h"

#include "cashdesk/debts_export.h"
#include "data/dataset.h"
#include "spreadsheet/spreadsheet_output.h"
#include "widgets/data_grid.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QAction>
#include <QVBoxLayout>

namespace zorvel {

namespace {

struct DebtColumn {
    const char* field;
    const char16_t* title;
    int width;
};

// The three amounts are cast without a name: the data layer calls them F_1, F_2 and F_3, or the server
// gives them a name of its own (CAST...). They are taken by their place in the statement.
const DebtColumn kColumns[] = {
    {"DNDOG", u"№ договора", 65},      {"DFAM", u"Фамилия", 80},          {"DNAM", u"Имя", 80},
    {"DOTH", u"Отчество", 80},         {"F_1", u"Оплачено", 96},          {"F_2", u"Сумма по договору", 96},
    {"F_3", u"Осталось к оплате", 99}, {"DDATAISP", u"Дата платежа", 96},
};

} // namespace

DebtsWindow::DebtsWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm10"));
    setWindowTitle(QStringLiteral("Задолжности"));
    std::vector<DataSetModel::Column> columns;
    for (const DebtColumn& c : kColumns)
        columns.push_back({QString::fromLatin1(c.field), QString::fromUtf16(c.title)});
    grid_ = new DataGrid(workstation.debts(), columns, workstation.messages(), this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    save_ = new QAction(QStringLiteral("Сохранить"), grid_);
    save_->setObjectName(QStringLiteral("N1"));
    grid_->addAction(save_);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(save_, &QAction::triggered, this, &DebtsWindow::exportDebts);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    resize(760, 480);
}

// The grid's columns as the statement's result names them, in the statement's order.
std::vector<DataSetModel::Column> DebtsWindow::resultColumns() const {
    const DataSet& debts = workstation_.debts();
    std::vector<DataSetModel::Column> columns;
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        const bool known = debts.isOpen() && c < static_cast<int>(debts.fields().size());
        columns.push_back(
            {known ? debts.fields()[static_cast<size_t>(c)].name : QString::fromLatin1(kColumns[c].field),
             QString::fromUtf16(kColumns[c].title)});
    }
    return columns;
}

void DebtsWindow::sizeColumns() {
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
        grid_->setColumnWidth(c, kColumns[c].width);
}

void DebtsWindow::loadDebts() {
    const bool loaded = runCommand(workstation_.messages(), [this] {
        workstation_.debts().replaceSelect(QString::fromLatin1(kDebtsQuery));
    });
    grid_->dataModel().setColumns(resultColumns());
    sizeColumns();
    if (!loaded)
        return;
    show();
    raise();
    activateWindow();
}

bool DebtsWindow::exportDebts() {
    DataSet& debts = workstation_.debts();
    std::vector<DebtLine> lines;
    const bool read = runCommand(workstation_.messages(), [&] {
        if (!debts.isOpen())
            return;
        const int count = std::min<int>(static_cast<int>(debts.fields().size()), std::size(kColumns));
        for (debts.first(); !debts.atEnd(); debts.next()) {
            QStringList v;
            for (int c = 0; c < count; ++c)
                v << debts.text(debts.currentRow(), c);
            while (v.size() < static_cast<int>(std::size(kColumns)))
                v << QString();
            lines.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
        }
    });
    if (!read)
        return false;
    SpreadsheetOutput& out = workstation_.spreadsheets();
    Workbook book;
    try {
        book = out.start(QStringLiteral("dolg.xls"));
    } catch (const std::exception&) {
        workstation_.messages().error(QStringLiteral("Невозможно вывести в Excel "));
        return false;
    }
    return runCommand(workstation_.messages(), [&] {
        fillDebts(book.sheet(1), lines);
        out.show(book);
    });
}

} // namespace zorvel
