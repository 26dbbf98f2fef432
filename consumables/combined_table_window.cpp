#include "consumables/combined_table_window.h"

#include "consumables/combined_copy.h"
#include "consumables/date_field.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "spreadsheet/spreadsheet_output.h"
#include "widgets/data_grid.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

CombinedTableWindow::CombinedTableWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation),
      dataSet_(std::make_unique<DataSet>(workstation.connection(), QStringLiteral("pFIBDataSet1"))) {
    setObjectName(QStringLiteral("TForm14"));
    setWindowTitle(QStringLiteral("Журнал расходников"));

    auto* period = new QGroupBox(QStringLiteral("Выберите период"), this);
    period->setObjectName(QStringLiteral("sGroupBox1"));
    from_ = new DateField("sDateEdit1", period);
    to_ = new DateField("sDateEdit2", period);
    auto* periodRow = new QHBoxLayout(period);
    periodRow->addWidget(new QLabel(QStringLiteral("С"), period));
    periodRow->addWidget(from_);
    periodRow->addWidget(new QLabel(QStringLiteral("По"), period));
    periodRow->addWidget(to_);
    periodRow->addStretch(1);
    // The table is rebuilt once a date is whole, never for a date typed only in part.
    connect(from_, &DateField::dateCompleted, this, &CombinedTableWindow::rebuild);
    connect(to_, &DateField::dateCompleted, this, &CombinedTableWindow::rebuild);

    grid_ = new DataGrid(*dataSet_, {}, workstation_.messages(), this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->horizontalHeader()->setSectionsClickable(true);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CombinedTableWindow::sortBy);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* copy = popup_->addAction(QStringLiteral("Вывести в excel"));
    copy->setObjectName(QStringLiteral("excel1"));
    connect(copy, &QAction::triggered, this, &CombinedTableWindow::copyToWorkbook);
    QAction* fields = popup_->addAction(QStringLiteral("Видимые поля"));
    fields->setObjectName(QStringLiteral("N1"));
    connect(fields, &QAction::triggered, this, &CombinedTableWindow::visibleFieldsRequested);
    QAction* filters = popup_->addAction(QStringLiteral("Фильтры"));
    filters->setObjectName(QStringLiteral("N2"));
    connect(filters, &QAction::triggered, this, &CombinedTableWindow::filtersRequested);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(grid_->viewport()->mapToGlobal(at)); });

    statementEdit_ = new QLineEdit(this);
    statementEdit_->setObjectName(QStringLiteral("Edit1"));
    statementEdit_->setReadOnly(true);
    statementEdit_->hide();

    auto* close = new QPushButton(QStringLiteral("Выход"), this);
    close->setObjectName(QStringLiteral("sBitBtn1"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period);
    layout->addWidget(grid_, 1);
    layout->addWidget(statementEdit_);
    layout->addLayout(bottom);
    resize(1100, 600);
}

CombinedTableWindow::~CombinedTableWindow() {
    dataSet_->close();
}

QString CombinedTableWindow::statement() const {
    return statementEdit_->text();
}

void CombinedTableWindow::setVisibleFields(const QString& select, const QString& group) {
    texts_.select = select;
    texts_.group = group;
    rebuild();
}

void CombinedTableWindow::setCondition(const QString& condition) {
    texts_.condition = condition;
    rebuild();
}

bool CombinedTableWindow::rebuild() {
    if (!from_->isComplete() || !to_->isComplete())
        return false;
    const QString sql = combinedStatement(texts_, from_->dateText(), to_->dateText());
    statementEdit_->setText(sql);
    return open(sql + u'\n', false);
}

bool CombinedTableWindow::sortBy(int column) {
    if (!dataSet_->isOpen() || column < 0 || column >= static_cast<int>(dataSet_->fields().size()))
        return false;
    // The unsorted statement is the base; a sorted one never becomes it, so order clauses never pile up.
    if (!sorted_)
        baseQueryText_ = dataSet_->selectSql();
    const QString field = grid_->dataModel().columnField(column);
    return open(sortedStatement(baseQueryText_, field, column + 1), true);
}

bool CombinedTableWindow::open(const QString& sql, bool sorted) {
    try {
        dataSet_->replaceSelect(sql);
        setTitles();
        lastGood_ = sql;
        sorted_ = lastGoodSorted_ = sorted;
        return true;
    } catch (const std::exception& e) {
        // The statement shows below the grid, the server says why, and the last good result comes back.
        statementEdit_->show();
        workstation_.messages().error(errorMessage(e));
        if (!lastGood_.isEmpty()) {
            runCommand(workstation_.messages(), [this] {
                dataSet_->replaceSelect(lastGood_);
                setTitles();
            });
            sorted_ = lastGoodSorted_;
        }
        return false;
    }
}

void CombinedTableWindow::setTitles() {
    std::vector<DataSetModel::Column> columns;
    for (const DataSet::Field& f : dataSet_->fields())
        columns.push_back({f.name, combinedColumnTitle(f.name)});
    grid_->dataModel().setColumns(std::move(columns));
}

bool CombinedTableWindow::copyToWorkbook() {
    Messages& messages = workstation_.messages();
    SpreadsheetOutput& output = workstation_.spreadsheets();
    Workbook book;
    if (!runCommand(messages, [&] {
            book = output.start(QStringLiteral("comb"));
            output.eventsOff();
        }))
        return false;
    std::vector<QString> titles;
    for (int c = 0; c < grid_->dataModel().columnCount(); ++c)
        titles.push_back(grid_->dataModel().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    // A copy that fails half-way is dropped, never shown as if it held the whole result.
    const bool done = runCommand(messages, [&] {
        copyDataSetToSheet(*dataSet_, titles, book.sheet(1));
        output.show(book);
    });
    if (!done)
        output.close(book);
    return done;
}

} // namespace zorvel
