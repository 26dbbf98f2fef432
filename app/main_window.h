#pragma once

#include "workstation/workstation.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTabWidget;
class QTimer;

namespace zorvel {

class DataGrid;
class LensCostTab;
class RegisterTab;
class ServiceEntryTab;

// The cashier's main window (TForm1): the hub from which every other window is reached. Creating it
// connects the workstation to its database; closing it ends the run.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static inline const char* const kProgramName = "Зорвель";
    static inline const char* const kVersion = "1.0";

    MainWindow(Workstation& workstation, bool administrator, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The other fifteen windows, created after this one (index 2 to 16 for TForm2 to TForm16).
    void setWindows(const std::array<QWidget*, 17>& windows);
    QWidget* window(int number) const { return windows_[static_cast<size_t>(number)]; }

    // Puts the current date and time into the entry fields; the timer calls it every second.
    void tick();

    // The next contract number is computed after the window shows, off this thread; true until it is in
    // place (or its message shown).
    bool contractNumberPending() const { return contractNumberPending_; }

    // The user gave up the sign-in: the run ends before the window shows.
    bool signInCancelled() const { return signInCancelled_; }

    ServiceEntryTab& entryTab() const { return *entryTab_; }
    RegisterTab& registerTab() const { return *registerTab_; }

signals:
    // Hand-offs to other windows, connected by the Application, which knows every window: "печать
    // договора" (entry and register tabs), "Частичная оплата", "Список должников".
    void contractPrintRequested();
    void partialPaymentRequested();
    void debtsRequested();
    // "Расходники": the consumables window fills its balance panel and shows itself.
    void consumablesRequested();
    // The next contract number is in place, or the reason it is not has been shown.
    void contractNumberProposed();
    // "Журнал изменений": the change journal's window shows itself with today's entries.
    void journalRequested();

protected:
    // Closing the main window ends the run, whatever other windows are open.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void startUp();
    // The administrator's commands open when the run was started with --admin and the database grants
    // the user the rights; a user without them is told so in the status line.
    void applyRights(bool administrator);
    void addStatusNotice(const QString& objectName, const QString& text);
    // Tells once, without stopping the cashier, which indexes the database lacks and what to run.
    void reportMissingIndexes(const QStringList& missing, const QString& databaseName);
    void takeContractProposal(const Workstation::ContractProposal& proposal);
    void showWindow(int number);
    void about();
    void help();
    void backUp();
    // "Экспорт из excel": the price list loaded from a workbook the user chooses, counted on pb1.
    void importPrices();
    // Opening the register tab hands the entry tab's patient to the lens-cost tab.
    void tabChanged(int index);

    Workstation& workstation_;
    bool administrator_;
    std::vector<QAction*> administratorActions_;
    std::array<QWidget*, 17> windows_{};
    DataGrid* priceGrid_ = nullptr; // DBGrid1
    QTabWidget* tabs_ = nullptr;
    ServiceEntryTab* entryTab_ = nullptr;
    RegisterTab* registerTab_ = nullptr;
    LensCostTab* lensCostTab_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* clock_ = nullptr;
    bool contractNumberPending_ = false;
    bool signInCancelled_ = false;
    // The register has moved since start (a save, a search): the walk's row is not forced on it then.
    bool registerMoved_ = false;
};

} // namespace zorvel
