// zorvel [--admin]: the cash-desk workstation. Reads put.ini from the current working directory.
#include "app/application.h"
#include "app/desktop_services.h"
#include "app/main_window.h"
#include "spreadsheet/libre_office_output.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(zorvel::MainWindow::kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(zorvel::MainWindow::kVersion));
    bool administrator = QApplication::arguments().contains(QStringLiteral("--admin"));

    zorvel::MessageBoxes messages;
    zorvel::SystemClock clock;
    zorvel::FileDialogChooser files;
    zorvel::DesktopOpener opener;
    zorvel::LibreOfficeOutput spreadsheets;
    zorvel::Services services{&messages, &clock, &files, &opener, &spreadsheets};

    zorvel::Application app(services, administrator);
    app.mainWindow().show();
    // The main window ends the run when it closes; the other windows only hide.
    QApplication::setQuitOnLastWindowClosed(false);
    return qtApp.exec();
}
