#include "app/main_window.h"

#include "cashdesk/lens_cost_tab.h"
#include "cashdesk/price_list.h"
#include "cashdesk/register_tab.h"
#include "cashdesk/service_entry_tab.h"
#include "data/dataset.h"
#include "data/required_indexes.h"
#include "spreadsheet/template_directory.h"
#include "widgets/data_grid.h"
#include "workstation/backup.h"
#include "workstation/command.h"
#include "workstation/services.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

namespace zorvel {

namespace {

QAction* addItem(QMenu* menu, const char* objectName, const char* text, bool enabled) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setObjectName(QString::fromLatin1(objectName));
    action->setEnabled(enabled);
    return action;
}

QMenu* addMenu(QMenuBar* bar, const char* objectName, const char* title) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(title));
    menu->setObjectName(QString::fromLatin1(objectName));
    return menu;
}

} // namespace

MainWindow::MainWindow(Workstation& workstation, bool administrator, QWidget* parent)
    : QMainWindow(parent), workstation_(workstation), administrator_(administrator) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QString::fromUtf8(kProgramName) + ' ' + QString::fromLatin1(kVersion));
    // Room for the price list and the register without scrolling sideways on an ordinary screen.
    resize(1180, 780);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    priceGrid_ = new DataGrid(workstation_.prices(),
                              {{QStringLiteral("IDP"), QStringLiteral("№")},
                               {QStringLiteral("SIMV"), QStringLiteral("Символ")},
                               {QStringLiteral("KOD"), QStringLiteral("Код")},
                               {QStringLiteral("NAME"), QStringLiteral("Наименование услуги")},
                               {QStringLiteral("KODGVV"), QStringLiteral("Код услуги")},
                               {QStringLiteral("SUMMA"), QStringLiteral("Сумма")}},
                              workstation_.messages(), central);
    priceGrid_->setObjectName(QStringLiteral("DBGrid1"));
    priceGrid_->setToolTip(QStringLiteral("Прайс платных услуг"));
    layout->addWidget(priceGrid_, 1);

    tabs_ = new QTabWidget(central);
    tabs_->setObjectName(QStringLiteral("sPageControl1"));
    tabs_->setToolTip(QStringLiteral("Просмотр сохраненных данных"));
    entryTab_ = new ServiceEntryTab(workstation_, tabs_);
    tabs_->addTab(entryTab_, QStringLiteral("Ввод данных для кассы"));
    tabs_->setTabToolTip(0, QStringLiteral("Добавление данных о платных услугах"));
    registerTab_ = new RegisterTab(workstation_, tabs_);
    tabs_->addTab(registerTab_, QStringLiteral("Касса"));
    tabs_->setTabToolTip(1, QStringLiteral("Просмотр сохраненных данных"));
    lensCostTab_ = new LensCostTab(workstation_, entryTab_->dateEdit(), entryTab_->timeEdit(), tabs_);
    tabs_->addTab(lensCostTab_, QStringLiteral("Стоимость линз"));
    tabs_->setTabVisible(2, false);
    tabs_->setCurrentIndex(0);
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::tabChanged);
    layout->addWidget(tabs_, 2);
    progress_ = new QProgressBar(central);
    progress_->setObjectName(QStringLiteral("pb1"));
    progress_->setValue(0);
    layout->addWidget(progress_);
    setCentralWidget(central);

    connect(entryTab_, &ServiceEntryTab::partialPaymentRequested, this, &MainWindow::partialPaymentRequested);
    connect(entryTab_, &ServiceEntryTab::contractPrintRequested, this, &MainWindow::contractPrintRequested);
    connect(entryTab_, &ServiceEntryTab::closeRequested, this, &QWidget::close);
    connect(registerTab_, &RegisterTab::contractPrintRequested, this, &MainWindow::contractPrintRequested);
    connect(registerTab_, &RegisterTab::refundRequested, this, [this] { showWindow(7); });
    connect(registerTab_, &RegisterTab::recordEditRequested, this, [this] { showWindow(6); });
    connect(registerTab_, &RegisterTab::debtsRequested, this, &MainWindow::debtsRequested);
    // The debts list and the record editor are the administrator's.
    registerTab_->setAdministrator(administrator_);
    buildMenu();

    clock_ = new QTimer(this);
    clock_->setObjectName(QStringLiteral("Timer1"));
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainWindow::tick);
    startUp();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    QMenu* file = addMenu(bar, "N1", "Файл");
    connect(addItem(file, "N9", "Договорники", true), &QAction::triggered, this, [this] { showWindow(5); });
    // Only the administrator backs the database up.
    QAction* backup = addItem(file, "N13", "Резервное копирование", administrator_);
    connect(backup, &QAction::triggered, this, &MainWindow::backUp);
    administratorActions_.push_back(backup);
    QMenu* records = addMenu(bar, "N2", "Записи");
    // Only the administrator replaces or empties the price list that every cashier searches.
    QAction* clear = addItem(records, "N3", "Отчистка базы прайса", administrator_);
    connect(clear, &QAction::triggered, this, [this] { clearPriceList(workstation_); });
    QAction* import = addItem(records, "excel1", "Экспорт из excel", administrator_);
    connect(import, &QAction::triggered, this, &MainWindow::importPrices);
    // Who changed what in the registers and the price list, as the database keeps it.
    QAction* journal = addItem(records, "NJournal", "Журнал изменений", administrator_);
    connect(journal, &QAction::triggered, this, &MainWindow::journalRequested);
    administratorActions_.insert(administratorActions_.end(), {clear, import, journal});
    QMenu* reports = addMenu(bar, "N7", "Отчеты");
    connect(addItem(reports, "N8", "Отчет по кассе", true), &QAction::triggered, this,
            [this] { showWindow(4); });
    connect(addItem(reports, "N10", "Разрез по отделениям", true), &QAction::triggered, this,
            [this] { showWindow(8); });
    connect(addItem(reports, "N12", "Расходники", true), &QAction::triggered, this,
            &MainWindow::consumablesRequested);
    // The accountant's query over the whole register is the administrator's.
    QAction* combined = addItem(reports, "N11", "Комбинированная таблица", administrator_);
    connect(combined, &QAction::triggered, this, [this] { showWindow(14); });
    administratorActions_.push_back(combined);
    QMenu* helpMenu = addMenu(bar, "N4", "Помощь");
    connect(addItem(helpMenu, "N5", "О программе", true), &QAction::triggered, this, &MainWindow::about);
    connect(addItem(helpMenu, "N6", "Справка", true), &QAction::triggered, this, &MainWindow::help);
}

void MainWindow::startUp() {
    tick();
    clock_->start();
    Workstation::Start start = workstation_.start();
    signInCancelled_ = start.state == Workstation::StartState::SignInCancelled;
    if (signInCancelled_)
        return;
    if (start.state == Workstation::StartState::NotConfigured) {
        workstation_.messages().show(QStringLiteral("Нет файла put.ini"), QString::fromUtf8(kProgramName));
        return;
    }
    if (start.state == Workstation::StartState::NotConnected) {
        setWindowTitle(windowTitle() + QStringLiteral(" НЕВОЗМОЖНО ПОДКЛЮЧЕНИЕ"));
        // The caption says the connection failed; the message says why.
        workstation_.messages().error(start.error);
        return;
    }
    setWindowTitle(windowTitle() + QStringLiteral(" Подключенная база:") + start.databaseName);
    // Who works here, when it is not the built-in user every workstation shares.
    if (start.signedIn || start.user != QLatin1String("SYSDBA"))
        setWindowTitle(windowTitle() + QStringLiteral(" Пользователь: ") + start.user);
    applyRights(start.administrator);
    if (!start.journalKept)
        addStatusNotice(QStringLiteral("journalNotice"),
                        QStringLiteral("Журнал изменений не ведется: выполните zorvel-upgrade"));
    if (!start.roleRefused.isEmpty())
        addStatusNotice(QStringLiteral("roleNotice"),
                        QStringLiteral("Роль пользователя не принята сервером: ") + start.roleRefused);
    if (!start.missingIndexes.isEmpty())
        reportMissingIndexes(start.missingIndexes, start.databaseName);
    // The contract number walks the whole register: on a large one that takes a while, so it runs on a
    // connection of its own while the cashier already types.
    DataSet& reg = workstation_.serviceRegister();
    registerMoved_ = false;
    connect(&reg, &DataSet::currentChanged, this, [this] { registerMoved_ = true; });
    connect(&reg, &DataSet::reset, this, [this] { registerMoved_ = true; });
    contractNumberPending_ = true;
    workstation_.proposeContractNumberInBackground(
        this, [this](const Workstation::ContractProposal& proposal) { takeContractProposal(proposal); });
}

void MainWindow::applyRights(bool administrator) {
    const bool requested = administrator_;
    administrator_ = requested && administrator;
    for (QAction* action : administratorActions_)
        action->setEnabled(administrator_);
    registerTab_->setAdministrator(administrator_);
    if (requested && !administrator)
        addStatusNotice(QStringLiteral("rightsNotice"), QStringLiteral("Нет прав администратора"));
}

void MainWindow::addStatusNotice(const QString& objectName, const QString& text) {
    auto* notice = new QLabel(text, this);
    notice->setObjectName(objectName);
    notice->setToolTip(text);
    statusBar()->addWidget(notice);
}

void MainWindow::takeContractProposal(const Workstation::ContractProposal& given) {
    DataSet& reg = workstation_.serviceRegister();
    disconnect(&reg, nullptr, this, nullptr);
    Workstation::ContractProposal proposal = given;
    runCommand(workstation_.messages(), [&] {
        // Its own connection failed: walk on the workstation's.
        if (!proposal.error.isEmpty())
            proposal = workstation_.proposeContractNumber();
        if (proposal.ok)
            entryTab_->contractNumberEdit()->setText(QString::number(proposal.next));
        else
            workstation_.messages().error(QStringLiteral("Неверный формат номера по порядку ") +
                                          proposal.badNumber);
    });
    // The walk leaves the register on its last record, or on the one with the bad number, unless the
    // cashier has moved it since.
    runCommand(workstation_.messages(), [&] {
        if (registerMoved_ || !reg.isOpen() || reg.isFiltered() || reg.state() != DataSet::State::Browse ||
            proposal.rowKey.isEmpty())
            return;
        if (proposal.rows > 0)
            reg.rememberCount(proposal.rows, proposal.largestKey);
        if (proposal.ok)
            reg.last();
        else
            reg.locateKey(proposal.rowKey);
    });
    contractNumberPending_ = false;
    emit contractNumberProposed();
}

void MainWindow::reportMissingIndexes(const QStringList& missing, const QString& databaseName) {
    // The cashier works on as usual, only slower: the administrator reads it in the status line and in the
    // run's log, without a box to close.
    const QString text = QStringLiteral("В базе нет индексов для быстрой работы (%1). Администратору: "
                                        "закрыть программу на всех рабочих местах и выполнить %2")
                             .arg(missing.join(QStringLiteral(", ")), upgradeCommand(databaseName));
    auto* notice = new QLabel(text, this);
    notice->setObjectName(QStringLiteral("indexNotice"));
    notice->setToolTip(text);
    statusBar()->addWidget(notice, 1);
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

void MainWindow::setWindows(const std::array<QWidget*, 17>& windows) {
    windows_ = windows;
}

void MainWindow::tick() {
    QDateTime now = workstation_.clock().now();
    entryTab_->dateEdit()->setText(dateText(now.date()));
    entryTab_->timeEdit()->setText(timeText(now.time()));
    if (QWidget* clients = windows_[5])
        if (auto* entryTime = clients->findChild<QLineEdit*>(QStringLiteral("sEdit14")))
            entryTime->setText(timeText(now.time()));
}

void MainWindow::showWindow(int number) {
    QWidget* w = windows_[static_cast<size_t>(number)];
    if (!w)
        return;
    w->show();
    w->raise();
    w->activateWindow();
}

void MainWindow::about() {
    workstation_.messages().show(
        QString::fromUtf8(kProgramName) + ' ' + QString::fromLatin1(kVersion) +
            QStringLiteral("\nУчет платных медицинских услуг.\n"
                           "Создана в 2026 году, автор — отдел информационных технологий "
                           "больницы."),
        QStringLiteral("О программе"));
}

void MainWindow::backUp() {
    runCommand(workstation_.messages(),
               [this] { backUpDatabase(workstation_.messages(), workstation_.clock().now().date()); });
}

void MainWindow::importPrices() {
    // The progress bar counts the imported rows and is back at 0 when the import ends, however it ends.
    importPriceListFromFile(workstation_, [this](int value, int maximum) {
        progress_->setMaximum(std::max(maximum, 1));
        progress_->setValue(value);
    });
    progress_->setValue(0);
}

void MainWindow::tabChanged(int index) {
    if (tabs_->widget(index) != registerTab_)
        return;
    lensCostTab_->takePatient(entryTab_->surnameEdit()->text(), entryTab_->firstNameEdit()->text(),
                              entryTab_->patronymicEdit()->text(), entryTab_->careKindCombo()->currentText(),
                              entryTab_->doctorCombo()->currentText(),
                              entryTab_->departmentNameEdit()->text());
}

void MainWindow::help() {
    if (!workstation_.services().opener)
        return;
    // The hospital's own help file in the working folder; without one, the user's help that comes with
    // the program (beside the templates), so that a fresh installation has its help too.
    QString help = QDir::current().filePath(QStringLiteral("зорвель.chm"));
    const QString shipped = QDir(templateDirectory()).filePath(QStringLiteral("зорвель.html"));
    if (!QFileInfo::exists(help) && QFileInfo::exists(shipped))
        help = shipped;
    workstation_.services().opener->open(help);
}

} // namespace zorvel
