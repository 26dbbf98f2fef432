#pragma once

#include "workstation/workstation.h"

#include <QWidget>
#include <array>
#include <memory>

namespace zorvel {

class MainWindow;

// The whole workstation of one run: the context, the main window (whose creation connects to the
// database) and the other fifteen windows, created once each, in order, and kept until the end.
class Application {
public:
    Application(Services services, bool administrator);
    ~Application();

    Workstation& workstation() { return *workstation_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    // TForm1 to TForm16 by number.
    QWidget* window(int number) const { return windows_[static_cast<size_t>(number)]; }
    // "Журнал изменений" (JournalWindow).
    QWidget* journalWindow() const { return journal_.get(); }

private:
    // TForm2 to TForm16, in order; each window is made by its own class.
    std::unique_ptr<QWidget> createWindow(int number);
    // The main window's hand-offs to the windows that take them.
    void connectHandOffs();

    std::unique_ptr<Workstation> workstation_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::array<QWidget*, 17> windows_{};
    std::array<std::unique_ptr<QWidget>, 17> owned_;
    std::unique_ptr<QWidget> journal_;
};

} // namespace zorvel
