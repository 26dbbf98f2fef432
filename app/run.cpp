#include "app/run.h"

#include "app/application.h"
#include "app/desktop_services.h"
#include "app/guarded_application.h"
#include "app/main_window.h"
#include "app/sign_in_dialog.h"
#include "spreadsheet/libre_office_output.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QStatusBar>

#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace zorvel {

namespace {

sigset_t endingSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

// SIGTERM, SIGINT and SIGHUP end the run as a closed main window does, so that its work is committed.
// They are blocked in every thread (the database engine's threads inherit the mask, and an interrupted
// wait inside the engine must not happen) and read from a signalfd on the user-interface thread instead.
// Programs the workstation starts get the default mask back (spreadsheet/child_process).
void holdEndingSignals() {
    sigset_t set = endingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void endRunOnSignal(QWidget& mainWindow) {
    sigset_t set = endingSignals();
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
        // A window's modal box (a message) holds its own event loop: the run still ends.
        QCoreApplication::quit();
    });
}

// While documents are printing, the main window's status bar and the contract window's caption say so;
// the cashier goes on working meanwhile.
void showPrinting(Application& app, const QString& contractCaption, int pending) {
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

// What the end of the run does when Qt leaves through exit() (the display gone): main's own end is passed
// by then.
Application* runningApplication = nullptr;
LibreOfficeOutput* runningOutput = nullptr;

void endRunAtExit() {
    Application* app = runningApplication;
    LibreOfficeOutput* output = runningOutput;
    runningApplication = nullptr;
    runningOutput = nullptr;
    if (output)
        output->finishPrinting(false); // no display: the failures cannot be shown
    if (app) {
        try {
            app->workstation().connection().commit();
        } catch (const std::exception&) {
            // Nothing is left to tell the user.
        }
        app->workstation().connection().disconnect();
    }
}

} // namespace

int runWorkstation(int& argc, char** argv, const std::function<void(Application&)>& started) {
    holdEndingSignals();
    GuardedApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(MainWindow::kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(MainWindow::kVersion));
    bool administrator = QApplication::arguments().contains(QStringLiteral("--admin"));

    MessageBoxes messages;
    SystemClock clock;
    FileDialogChooser files;
    DesktopOpener opener;
    LibreOfficeOutput spreadsheets;
    QuestionBoxes questions;
    DialogSignIn signIn;
    Services services{&messages, &clock, &files, &opener, &spreadsheets, &questions, &signIn};
    qtApp.setMessages(&messages);

    Application app(services, administrator);
    // "Отмена" in the sign-in ends the run before anything shows.
    if (app.mainWindow().signInCancelled())
        return 0;
    endRunOnSignal(app.mainWindow());
    runningApplication = &app;
    runningOutput = &spreadsheets;
    static const bool registered = std::atexit(endRunAtExit) == 0;
    (void)registered;
    const QString contractCaption = app.window(2) ? app.window(2)->windowTitle() : QString();
    spreadsheets.setPrintReports(
        {[&app, contractCaption](int pending) { showPrinting(app, contractCaption, pending); },
         [&messages](const QString& reason) { messages.error(reason); }});
    app.mainWindow().show();
    // LibreOffice starts for printing in the background while the cashier begins work.
    spreadsheets.warmUp();
    if (started)
        started(app);
    // The main window ends the run when it closes; the other windows only hide.
    QApplication::setQuitOnLastWindowClosed(false);
    const int code = qtApp.exec();
    // Documents still queued are printed (and their failures shown) before the run ends.
    spreadsheets.finishPrinting();
    runningApplication = nullptr;
    runningOutput = nullptr;
    return code;
}

} // namespace zorvel
