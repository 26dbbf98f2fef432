#include "app/application.h"

#include "app/main_window.h"
#include "app/placeholder_window.h"
#include "cashdesk/debts_window.h"
#include "cashdesk/partial_payment_window.h"
#include "cashdesk/passport_window.h"
#include "cashdesk/record_editor_window.h"
#include "cashdesk/refund_window.h"
#include "clients/client_edit_window.h"
#include "clients/clients_window.h"
#include "clients/invoice_window.h"
#include "consumables/combined_table_window.h"
#include "consumables/consumables_window.h"
#include "consumables/field_filter_window.h"
#include "consumables/visible_fields_window.h"
#include "documents/contract_window.h"
#include "journal/journal_window.h"
#include "reports/cash_report_window.h"
#include "reports/department_breakdown_window.h"

#include "workstation/site_config.h"

namespace zorvel {

namespace {

struct WindowName {
    const char* objectName;
    const char* caption;
};

const WindowName kWindows[17] = {
    {"", ""},
    {"TForm1", ""},
    {"TForm2", "Печать договора"},
    {"TForm3", "Паспортные данные"},
    {"TForm4", "Отчет по кассе"},
    {"TForm5", "Договорники"},
    {"TForm6", "Редактирование"},
    {"TForm7", "Возврат"},
    {"TForm8", "По отделениям в разрезе"},
    {"TForm9", "Частичная оплата услуг"},
    {"TForm10", "Задолжности"},
    {"TForm11", "Выставление счетов"},
    {"TForm12", "Учет расходников"},
    {"TForm13", "Редактирование договорников"},
    {"TForm14", "Журнал расходников"},
    {"TForm15", "Видимые поля"},
    {"TForm16", "Фильтры по полям"},
};

void showWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// Windows whose commands are not built yet stay placeholders with their name and caption.
std::unique_ptr<QWidget> createPlaceholder(int number) {
    return std::make_unique<PlaceholderWindow>(QString::fromLatin1(kWindows[number].objectName),
                                               QString::fromUtf8(kWindows[number].caption));
}

} // namespace

Application::Application(Services services, bool administrator)
    : workstation_(std::make_unique<Workstation>(services)) {
    // The administrator's names (organisations, signatories) are read once, at start.
    loadSiteConfig();
    mainWindow_ = std::make_unique<MainWindow>(*workstation_, administrator);
    windows_[1] = mainWindow_.get();
    for (int n = 2; n <= 16; ++n) {
        owned_[static_cast<size_t>(n)] = createWindow(n);
        windows_[static_cast<size_t>(n)] = owned_[static_cast<size_t>(n)].get();
    }
    mainWindow_->setWindows(windows_);
    auto journal = std::make_unique<JournalWindow>(*workstation_);
    QObject::connect(mainWindow_.get(), &MainWindow::journalRequested, journal.get(),
                     &JournalWindow::openToday);
    journal_ = std::move(journal);
    connectHandOffs();
}

std::unique_ptr<QWidget> Application::createWindow(int number) {
    switch (number) {
    case 2:
        return std::make_unique<ContractWindow>(*workstation_);
    case 3:
        return std::make_unique<PassportWindow>(*workstation_);
    case 4:
        return std::make_unique<CashReportWindow>(*workstation_);
    case 5:
        // Its entry time (sEdit14) ticks with the main window's clock.
        return std::make_unique<ClientsWindow>(*workstation_);
    case 6:
        return std::make_unique<RecordEditorWindow>(*workstation_);
    case 7:
        return std::make_unique<RefundWindow>(*workstation_);
    case 8:
        return std::make_unique<DepartmentBreakdownWindow>(*workstation_);
    case 9:
        return std::make_unique<PartialPaymentWindow>(*workstation_);
    case 10:
        return std::make_unique<DebtsWindow>(*workstation_);
    case 11:
        return std::make_unique<InvoiceWindow>(*workstation_);
    case 12:
        return std::make_unique<ConsumablesWindow>(*workstation_);
    case 13:
        return std::make_unique<ClientEditWindow>(*workstation_);
    case 14:
        return std::make_unique<CombinedTableWindow>(*workstation_);
    case 15:
        return std::make_unique<VisibleFieldsWindow>();
    case 16:
        return std::make_unique<FieldFilterWindow>();
    default:
        return createPlaceholder(number);
    }
}

void Application::connectHandOffs() {
    auto* contract = static_cast<ContractWindow*>(windows_[2]);
    auto* passport = static_cast<PassportWindow*>(windows_[3]);
    // "печать договора": the current contract is listed and the window shows itself.
    QObject::connect(mainWindow_.get(), &MainWindow::contractPrintRequested, contract,
                     [contract] { contract->loadContract(); });
    QObject::connect(contract, &ContractWindow::passportRequested, passport, &PassportWindow::edit);
    auto* partialPayment = static_cast<PartialPaymentWindow*>(windows_[9]);
    auto* debts = static_cast<DebtsWindow*>(windows_[10]);
    // "Частичная оплата": the register narrowed to the current contract, and the instalments window.
    QObject::connect(mainWindow_.get(), &MainWindow::partialPaymentRequested, partialPayment,
                     &PartialPaymentWindow::openForCurrentContract);
    // Its "Печать" prints the current contract as the register tab's button does.
    QObject::connect(partialPayment, &PartialPaymentWindow::contractPrintRequested, contract,
                     [contract] { contract->loadContract(); });
    // "Список должников": the list read again, then shown.
    QObject::connect(mainWindow_.get(), &MainWindow::debtsRequested, debts, &DebtsWindow::loadDebts);
    // The contract clients' window opens the invoicing window and the editor of its current record.
    auto* clients = static_cast<ClientsWindow*>(windows_[5]);
    QObject::connect(clients, &ClientsWindow::invoicingRequested, clients,
                     [invoicing = windows_[11]] { showWindow(invoicing); });
    QObject::connect(clients, &ClientsWindow::editingRequested, clients,
                     [editor = windows_[13]] { showWindow(editor); });
    auto* consumables = static_cast<ConsumablesWindow*>(windows_[12]);
    // "Расходники": the balance as of today, then the window.
    QObject::connect(mainWindow_.get(), &MainWindow::consumablesRequested, consumables,
                     &ConsumablesWindow::showStock);
    // The combined table shows its companions from its context menu; their "Применить" rebuilds it.
    auto* combined = static_cast<CombinedTableWindow*>(windows_[14]);
    auto* visibleFields = static_cast<VisibleFieldsWindow*>(windows_[15]);
    auto* fieldFilters = static_cast<FieldFilterWindow*>(windows_[16]);
    QObject::connect(combined, &CombinedTableWindow::visibleFieldsRequested, visibleFields,
                     [=] { showWindow(visibleFields); });
    QObject::connect(combined, &CombinedTableWindow::filtersRequested, fieldFilters,
                     [=] { showWindow(fieldFilters); });
    QObject::connect(visibleFields, &VisibleFieldsWindow::applied, combined,
                     &CombinedTableWindow::setVisibleFields);
    QObject::connect(fieldFilters, &FieldFilterWindow::applied, combined, &CombinedTableWindow::setCondition);
}

Application::~Application() {
    // Windows go before the workstation, whose connection commits the transaction at the end of the run.
    journal_.reset();
    for (auto& w : owned_)
        w.reset();
    mainWindow_.reset();
    workstation_.reset();
}

} // namespace zorvel
