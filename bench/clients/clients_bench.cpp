// The contract clients' window on a register of 1,000,000 lines: opening TForm5 from the menu, the save
// of one line (insert, commit, reopen, stand on the new line), and the view tab's filter.
// Run by hand: build/bin/clients_bench [rows]. Prints a table. Offscreen unless QT_QPA_PLATFORM says
// otherwise.
#include "app/application.h"
#include "app/main_window.h"
#include "bench/clients/client_register_fill.h"
#include "bench/support/register_fill.h"
#include "data/dataset.h"
#include "data/filter.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zorvel;

namespace {

class SilentMessages : public Messages {
public:
    void show(const QString& text, const QString&) override { shown << text; }
    QStringList shown;
};

class SteppedClock : public Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 3, 5), QTime(9, 0, 0)};
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication qapp(argc, argv);
    const int rows = argc > 1 ? QString(argv[1]).toInt() : 1000000;

    QTemporaryDir dir;
    const QString path = dir.filePath("clients.fdb");
    QElapsedTimer t;
    t.start();
    bench::makeClientRegister(path, rows, 1000, 5);
    std::fprintf(stderr, "register of %d lines made in %.1f s\n", rows, ms(t) / 1000);
    QFile ini(dir.filePath("put.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Put]\n1=%1\n").arg(path).toUtf8());
    ini.close();
    QDir::setCurrent(dir.path());

    SilentMessages messages;
    SteppedClock clock;
    int failures = 0;
    t.restart();
    Application app(Services{&messages, &clock, nullptr, nullptr, nullptr}, false);
    const double startMs = ms(t);
    MainWindow& main = app.mainWindow();
    main.show();
    QCoreApplication::processEvents();

    // Opening from the menu "Файл" → "Договорники", with the window painted.
    QWidget* window = app.window(5);
    t.restart();
    main.findChild<QAction*>("N9")->trigger();
    QCoreApplication::processEvents();
    const double openMs = ms(t);
    if (!window->isVisible())
        ++failures;

    auto edit = [&](const char* name) { return window->findChild<QLineEdit*>(name); };
    auto button = [&](const char* name) { return window->findChild<QPushButton*>(name); };
    edit("sEdit2")->setText("Петров");
    edit("sEdit3")->setText("Петр");
    edit("sDateEdit4")->setText("05.03.2026");
    edit("sEdit5")->setText("1");
    window->findChild<QComboBox*>("sComboBox1")
        ->setCurrentText(QString::fromUtf16(bench::kBilledOrganisation));
    QLineEdit* number = edit("sEdit1");
    number->setFocus();
    QTest::keyClicks(number, "29");
    QTest::keyClick(number, Qt::Key_Return);

    DataSet& clients = app.workstation().clientRegister();
    std::vector<double> saves;
    for (int i = 0; i < 11; ++i) {
        clock.time = clock.time.addSecs(1);
        main.tick();
        QCoreApplication::processEvents();
        t.restart();
        button("sBitBtn1")->click();
        QCoreApplication::processEvents();
        saves.push_back(ms(t));
        if (clients.fieldText("TIME_US") != timeText(clock.time.time()) || !messages.shown.isEmpty()) {
            std::fprintf(stderr, "save %d is not the current line\n", i);
            ++failures;
        }
    }

    // The view tab's filter panel: surname and date.
    window->findChild<QTabWidget*>("sPageControl1")->setCurrentIndex(1);
    QCoreApplication::processEvents();
    window->findChild<QCheckBox*>("sCheckBox1")->click();
    window->findChild<QCheckBox*>("sCheckBox6")->click();
    edit("sEdit9")->setText("Сотрудник500");
    edit("sDateEdit2")->setText("09.02.2026"); // the first line of person 500
    t.restart();
    button("sBitBtn3")->click();
    QCoreApplication::processEvents();
    const double panelMs = ms(t);
    if (clients.fieldText("FAM") != QStringLiteral("Сотрудник500")) {
        std::fprintf(stderr, "the panel's filter did not find the person\n");
        ++failures;
    }
    t.restart();
    button("sBitBtn4")->click();
    QCoreApplication::processEvents();
    const double removeMs = ms(t);

    // The same filter of the register by organisation and date, as the invoicing narrows it.
    t.restart();
    clients.setFilterText(equalsTerm("organis", QString::fromUtf16(bench::kBilledOrganisation)) + " and " +
                          equalsTerm("data_usl", "05.02.2026"));
    clients.setFiltered(true);
    QCoreApplication::processEvents();
    const double organisationMs = ms(t);
    if (clients.recordCount() == 0) {
        std::fprintf(stderr, "the organisation's filter found nothing\n");
        ++failures;
    }
    clients.setFiltered(false);

    std::printf("| lines in PEOPLECBUX | start-up, ms | open TForm5, ms | save, median ms | save, max ms | "
                "filter surname+date, ms | filter off, ms | filter organisation+date, ms | peak MB | "
                "failed checks |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    std::printf("| %d | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %ld | %d |\n", rows, startMs, openMs,
                median(saves), *std::max_element(saves.begin(), saves.end()), panelMs, removeMs,
                organisationMs, bench::peakMemoryMb(), failures);
    for (const QString& m : messages.shown)
        std::fprintf(stderr, "message: %s\n", qPrintable(m));
    return 0;
}
