// zorvel [--admin]: the cash-desk workstation. Reads put.ini from the current working directory.
// zorvel --help | --version: prints the usage and where the program's files are, or its version.
#include "app/application.h"
#include "app/desktop_services.h"
#include "app/guarded_application.h"
#include "app/main_window.h"
#include "app/sign_in_dialog.h"
#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/template_directory.h"
#include "workstation/site_config.h"

#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QStatusBar>
#include <csignal>
#include <cstdio>
#include <cstring>
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

// The usage, with the folders this copy of the program reads: an administrator sees where an installed
// program looks for its templates and its configuration.
void printUsage() {
    const QString text =
        QStringLiteral("Использование: zorvel [--admin]\n"
                       "Рабочее место кассира платных медицинских услуг «%1».\n"
                       "  --admin    пункты меню администратора\n"
                       "  --help     эта справка\n"
                       "  --version  версия программы\n"
                       "\n"
                       "put.ini в текущей папке (%2):\n"
                       "  [Put]\n"
                       "  1=база данных (путь к файлу или сервер:/путь)\n"
                       "  2=путь резервной копии\n"
                       "Новая база: zorvel-createdb ПУТЬ, демонстрационная: zorvel-createdb --demo ПУТЬ\n"
                       "Шаблоны и справка: %3\n"
                       "Настройка: %4\n")
            .arg(QString::fromUtf8(zorvel::MainWindow::kProgramName), QDir::currentPath(),
                 zorvel::templateDirectory(), zorvel::siteConfigPath());
    std::fputs(text.toUtf8().constData(), stdout);
}

} // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed, so that they work on a console.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", zorvel::MainWindow::kProgramName, zorvel::MainWindow::kVersion);
            return 0;
        }
    }
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
    zorvel::DialogSignIn signIn;
    zorvel::Services services{&messages, &clock, &files, &opener, &spreadsheets, &questions, &signIn};
    qtApp.setMessages(&messages);

    zorvel::Application app(services, administrator);
    // "Отмена" in the sign-in ends the run before anything shows.
    if (app.mainWindow().signInCancelled())
        return 0;
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
