#include "consumables/consumables_window.h"

#include "consumables/date_field.h"
#include "consumables/stock_reports.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "data/filter.h"
#include "data/tables.h"
#include "spreadsheet/spreadsheet_output.h"
#include "widgets/data_grid.h"
#include "widgets/data_navigator.h"
#include "widgets/input_rules.h"
#include "widgets/look_ups.h"
#include "workstation/command.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace zorvel {

namespace {

const char* const kNothingSaved = "Нет данных для сохранения";
const char* const kNoSpreadsheet = "Невозможно вывести в Excel ";
const char* const kEmptyStock = "Найдены пустые записи";
const char* const kEmptyServices = "Найдены пустые записи в таблице пациентов";
// The most digits a quantity may have: it goes into an integer column.
constexpr int kQuantityDigits = 9;

QLineEdit* lineEdit(QWidget* parent, const char* objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

QPushButton* button(QWidget* parent, const char* objectName, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

// The label-like commands of the window ("Вывести", "вывести журнал"): flat buttons with their caption.
QPushButton* labelButton(QWidget* parent, const char* objectName, const QString& text) {
    QPushButton* b = button(parent, objectName, text);
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

int prihodWidth(const char* column) {
    for (const ColumnDescription& c : prihodTable().columns)
        if (c.name.compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
            return c.width;
    return 0;
}

} // namespace

ConsumablesWindow::ConsumablesWindow(Workstation& workstation, QWidget* parent)
    : QWidget(parent), workstation_(workstation) {
    setObjectName(QStringLiteral("TForm12"));
    setWindowTitle(QStringLiteral("Учет расходников"));

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("sPageControl1"));
    tabs_->addTab(buildEntryTab(), QStringLiteral("Ввод"));
    tabs_->addTab(buildBrowseTab(), QStringLiteral("Просмотр"));

    auto* balanceLabel = new QLabel(QStringLiteral("Остаток расходников на текущее число"), this);
    balanceLabel->setObjectName(QStringLiteral("sLabelFX1"));
    balance_ = new QTextEdit(this);
    balance_->setObjectName(QStringLiteral("sRichEdit1"));
    balance_->setAcceptRichText(false);

    reportDate_ = new DateField("sDateEdit2", this);
    QPushButton* report = labelButton(this, "sLabelFX8", QStringLiteral("Вывести"));
    connect(report, &QPushButton::clicked, this, &ConsumablesWindow::writeBalanceReport);
    auto* reportRow = new QHBoxLayout;
    reportRow->addWidget(new QLabel(QStringLiteral("на"), this));
    reportRow->addWidget(reportDate_);
    reportRow->addWidget(report);
    reportRow->addStretch(1);

    auto* dental = new QGroupBox(QStringLiteral("Зубопротезный кабинет "), this);
    dental->setObjectName(QStringLiteral("sGroupBox1"));
    journalFrom_ = new DateField("sDateEdit4", dental);
    journalTo_ = new DateField("sDateEdit5", dental);
    QPushButton* journal = labelButton(dental, "sLabelFX12", QStringLiteral("вывести журнал"));
    connect(journal, &QPushButton::clicked, this, &ConsumablesWindow::writeDentalJournal);
    auto* dentalRow = new QHBoxLayout(dental);
    dentalRow->addWidget(new QLabel(QStringLiteral("с"), dental));
    dentalRow->addWidget(journalFrom_);
    dentalRow->addWidget(new QLabel(QStringLiteral("по"), dental));
    dentalRow->addWidget(journalTo_);
    dentalRow->addWidget(journal);
    dentalRow->addStretch(1);

    QPushButton* commitButton = button(this, "sBitBtn3", QStringLiteral("Сохранить изменения"));
    commitButton->setToolTip(QStringLiteral("Сохранить изменения"));
    connect(commitButton, &QPushButton::clicked, this, &ConsumablesWindow::commit);
    QPushButton* closeButton = button(this, "sBitBtn1", QStringLiteral("Выход"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(commitButton);
    buttons->addWidget(closeButton);

    auto* side = new QVBoxLayout;
    side->addWidget(balanceLabel);
    side->addWidget(balance_, 1);
    side->addLayout(reportRow);
    side->addWidget(dental);

    auto* top = new QHBoxLayout;
    top->addWidget(tabs_, 3);
    top->addLayout(side, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(1100, 560);
}

QWidget* ConsumablesWindow::buildEntryTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("sTabSheet1"));
    receiptDate_ = new DateField("sDateEdit1", tab);
    codeEdit_ = lineEdit(tab, "sEdit2");
    nameEdit_ = lineEdit(tab, "sEdit3");
    priceEdit_ = lineEdit(tab, "sEdit4");
    quantityEdit_ = lineEdit(tab, "sEdit5");
    waybillEdit_ = lineEdit(tab, "sEdit1");
    waybillDate_ = new DateField("sDateEdit3", tab);
    QPushButton* save = button(tab, "sBitBtn2", QStringLiteral("Сохранить"));
    connect(save, &QPushButton::clicked, this, &ConsumablesWindow::saveReceipt);

    for (QWidget* field : {static_cast<QWidget*>(receiptDate_), static_cast<QWidget*>(nameEdit_),
                           static_cast<QWidget*>(waybillDate_)})
        attachEnterAdvances(field);
    for (QLineEdit* field : {priceEdit_, quantityEdit_, waybillEdit_}) {
        attachCharacterRule(field, CharacterRule::AmountDigits);
        attachEnterAdvances(field);
    }
    limitLength(codeEdit_, prihodWidth("KOD"));
    limitLength(nameEdit_, prihodWidth("NAME"));
    limitLength(priceEdit_, prihodWidth("SUMMA"));
    limitLength(quantityEdit_, kQuantityDigits);
    limitLength(waybillEdit_, prihodWidth("NONAKL"));
    // The code looks the consumable's name up in the price list; Enter then moves on to the name.
    attachEnterAdvances(codeEdit_);
    new PriceLookUp(codeEdit_, workstation_.prices(), workstation_.messages(),
                    {{nameEdit_, QStringLiteral("NAME")}});

    auto* form = new QFormLayout(tab);
    form->addRow(QStringLiteral("Дата получения"), receiptDate_);
    form->addRow(QStringLiteral("Код"), codeEdit_);
    form->addRow(QStringLiteral("Наименование\nлинзы"), nameEdit_);
    form->addRow(QStringLiteral("Цена расходника"), priceEdit_);
    form->addRow(QStringLiteral("Количество"), quantityEdit_);
    form->addRow(QStringLiteral("№ накладной"), waybillEdit_);
    form->addRow(QStringLiteral("Дата наккладной"), waybillDate_);
    form->addRow(save);
    return tab;
}

QWidget* ConsumablesWindow::buildBrowseTab() {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("sTabSheet2"));
    grid_ = new DataGrid(workstation_.receipts(),
                         {{QStringLiteral("DATAP"), QStringLiteral("Дата поставки")},
                          {QStringLiteral("KOD"), QStringLiteral("Код")},
                          {QStringLiteral("NAME"), QStringLiteral("Наименование расходника")},
                          {QStringLiteral("SUMMA"), QStringLiteral("Цена линзы")},
                          {QStringLiteral("KOL"), QStringLiteral("Количество")},
                          {QStringLiteral("NONAKL"), QStringLiteral("№ накладной")},
                          {QStringLiteral("DNAKL"), QStringLiteral("Дата накладной")}},
                         workstation_.messages(), tab);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    // Receipts are corrected, added and deleted right here; the commit button makes it permanent.
    grid_->allowEditing();
    navigator_ = new DataNavigator(workstation_.receipts(), workstation_.messages(), tab);
    navigator_->setObjectName(QStringLiteral("sDBNavigator1"));
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(grid_, 1);
    layout->addWidget(navigator_);
    return tab;
}

void ConsumablesWindow::showStock() {
    const QString today = dateText(workstation_.clock().now().date());
    runCommand(workstation_.messages(), [&] {
        DataSet& stock = workstation_.scratch7();
        stock.replaceSelect(stockSummaryStatement(today));
        balance_->clear();
        balance_->setPlainText(balancePanelText(stock));
    });
    show();
    raise();
    activateWindow();
}

void ConsumablesWindow::insertReceipt() {
    // A receipt is checked before it is written: a real date of receipt and a whole positive quantity.
    if (!receiptDate_->isComplete())
        throw DataError(QStringLiteral("Укажите дату получения"));
    bool whole = false;
    const qlonglong quantity = quantityEdit_->text().toLongLong(&whole);
    if (!whole || quantity <= 0)
        throw DataError(QStringLiteral("Количество должно быть целым числом больше нуля"));
    if (!waybillDate_->isBlank() && !waybillDate_->isComplete())
        throw DataError(QStringLiteral("'%1' не является правильной датой").arg(waybillDate_->displayText()));

    const std::pair<const char*, QString> values[] = {
        {"datap", receiptDate_->dateText()}, {"kod", codeEdit_->text()},     {"name", nameEdit_->text()},
        {"summa", priceEdit_->text()},       {"kol", quantityEdit_->text()}, {"NONAKL", waybillEdit_->text()},
        {"DNAKL", waybillDate_->dateText()},
    };
    DataSet& receipts = workstation_.receipts();
    receipts.insert();
    try {
        for (const auto& [column, value] : values)
            receipts.setFieldText(QString::fromLatin1(column), value);
        receipts.post();
    } catch (...) {
        // Nothing half-written stays pending in the receipts.
        receipts.cancel();
        throw;
    }
}

bool ConsumablesWindow::saveReceipt() {
    Messages& messages = workstation_.messages();
    DataSet& receipts = workstation_.receipts();
    QString date, code;
    if (!runCommand(messages, [&] {
            insertReceipt();
            date = receipts.fieldText(QStringLiteral("datap"));
            code = receipts.fieldText(QStringLiteral("kod"));
        }))
        return false;
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        messages.error(QString::fromUtf8(kNothingSaved));
    }
    return runCommand(messages, [&] {
        receipts.close();
        receipts.open();
        receipts.locate(QStringLiteral("datap;kod"), {date, code});
    });
}

void ConsumablesWindow::commit() {
    try {
        workstation_.commit();
    } catch (const std::exception&) {
        workstation_.messages().error(QString::fromUtf8(kNothingSaved));
    }
}

bool ConsumablesWindow::writeBalanceReport() {
    Messages& messages = workstation_.messages();
    const QString date = reportDate_->dateText();
    std::vector<StockRow> rows;
    if (!runCommand(messages, [&] {
            DataSet& stock = workstation_.scratch7();
            stock.replaceSelect(stockStatement(date));
            rows = readStockRows(stock);
        }))
        return false;
    SpreadsheetOutput& output = workstation_.spreadsheets();
    Workbook book;
    try {
        book = output.start(QStringLiteral("linz.xls"));
    } catch (const std::exception&) {
        messages.error(QString::fromUtf8(kNoSpreadsheet));
        return false;
    }
    // A report that fails while it is written is dropped: no workbook that looks complete is shown.
    const bool done = runCommand(messages, [&] {
        zorvel::writeBalanceReport(book.sheet(1), date, rows);
        output.show(book);
    });
    if (!done)
        output.close(book);
    return done;
}

bool ConsumablesWindow::writeDentalJournal() {
    Messages& messages = workstation_.messages();
    const QString from = journalFrom_->dateText();
    const QString to = journalTo_->dateText();
    DataSet& scratch = workstation_.scratch7();
    // Each statement's rows are read whole before anything is written, each with its own message.
    auto stockAsOf = [&](const QString& date, std::vector<StockRow>& rows) {
        try {
            scratch.replaceSelect(dentalStockStatement(date));
            rows = readStockRows(scratch);
            return true;
        } catch (const std::exception&) {
            messages.error(QString::fromUtf8(kEmptyStock));
            return false;
        }
    };
    std::vector<StockRow> opening, closing;
    std::vector<DentalService> services;
    if (!stockAsOf(from, opening))
        return false;
    SpreadsheetOutput& output = workstation_.spreadsheets();
    Workbook book;
    try {
        book = output.start(QStringLiteral("rashzub.xls"));
    } catch (const std::exception&) {
        messages.error(QString::fromUtf8(kNoSpreadsheet));
        return false;
    }
    bool read = true;
    try {
        scratch.replaceSelect(dentalServicesStatement(from, to));
        services = readDentalServices(scratch);
    } catch (const std::exception&) {
        messages.error(QString::fromUtf8(kEmptyServices));
        read = false;
    }
    if (read)
        read = stockAsOf(to, closing);
    // A journal that stops half-way is dropped, never shown as if it were whole.
    const bool done = read && runCommand(messages, [&] {
                          zorvel::writeDentalJournal(book.sheet(1), from, to, opening, services, closing);
                          output.show(book);
                      });
    if (!done)
        output.close(book);
    return done;
}

} // namespace zorvel
