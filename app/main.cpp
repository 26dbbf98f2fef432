// zorvel [--admin]: the cash-desk workstation. Reads put.ini from the current working directory.
// zorvel --help | --version: prints the usage and where the program's files are, or its version.
#include "app/main_window.h"
#include "app/run.h"
#include "spreadsheet/template_directory.h"
#include "workstation/site_config.h"

#include <QDir>
#include <QString>
#include <cstdio>
#include <cstring>

namespace {

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
    return zorvel::runWorkstation(argc, argv);
}
