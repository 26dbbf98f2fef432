// zorvel [--admin]: the cash-desk workstation. Reads put.ini from the current working directory.
#include "app/application.h"
#include "app/desktop_services.h"
#include "app/guarded_application.h"
#include "app/main_window.h"
#include "spreadsheet/libre_office_output.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QStatusBar>
#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t terminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

// SIGTERM and SIGINT end the run as a closed main window does, so that its work is committed. They are
// blocked in every thread (the database engine's threads inherit the mask, and an interrupted wait inside
// the engine must not happen) and read from a signalfd on the user-interface thread instead.
void holdTerminationSignals() {
    sigset_t set = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void endRunOnTerminate(QWidget& mainWindow) {
    sigset_t set = terminationSignals();
    // The database client installs handlers of its own when it connects; with the signals blocked they
    // never run, and the signalfd takes them.
    int fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0)
        return;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, &mainWindow, [&mainWindow, fd] {
        signalfd_siginfo info;
        [[maybe_unused]] auto got = ::read(fd, &info, sizeof info);
        mainWindow.close();
    });
}

// While documents are printing, the main window's status bar and the contract window's caption say so;
// the cashier goes on working meanwhile.
void showPrinting(zorvel::Application& app, const QString& contractCaption, int pending) {
    QStatusBar* status = app.mainWindow().statusBar();
    QWidget* contractWindow = app.window(2);
    if (pending > 0) {
        const QString text = QStringLiteral("Идет печать, документов в очереди: %1").arg(pending);
        status->showMessage(text);
        if (contractWindow)
            contractWindow->setWindowTitle(contractCaption + QStringLiteral(" — ") + text);
    } else {
        status->clearMessage();
        if (contractWindow)
            contractWindow->setWindowTitle(contractCaption);
    }
}

} // namespace

int main(int argc, char** argv) {
    holdTerminationSignals();
    zorvel::GuardedApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(zorvel::MainWindow::kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(zorvel::MainWindow::kVersion));
    bool administrator = QApplication::arguments().contains(QStringLiteral("--admin"));

    zorvel::MessageBoxes messages;
    zorvel::SystemClock clock;
    zorvel::FileDialogChooser files;
    zorvel::DesktopOpener opener;
    zorvel::LibreOfficeOutput spreadsheets;
    zorvel::QuestionBoxes questions;
    zorvel::Services services{&messages, &clock, &files, &opener, &spreadsheets, &questions};
    qtApp.setMessages(&messages);

    zorvel::Application app(services, administrator);
    endRunOnTerminate(app.mainWindow());
    const QString contractCaption = app.window(2) ? app.window(2)->windowTitle() : QString();
    spreadsheets.setPrintReports(
        {[&app, contractCaption](int pending) { showPrinting(app, contractCaption, pending); },
         [&messages](const QString& reason) { messages.error(reason); }});
    app.mainWindow().show();
    // LibreOffice starts for printing in the background while the cashier begins work.
    spreadsheets.warmUp();
    // The main window ends the run when it closes; the other windows only hide.
    QApplication::setQuitOnLastWindowClosed(false);
    const int code = qtApp.exec();
    // Documents still queued are printed (and their failures shown) before the run ends.
    spreadsheets.finishPrinting();
    return code;
}
