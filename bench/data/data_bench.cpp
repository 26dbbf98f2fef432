// The cash desk on a large register: how soon the main window is usable and the next contract number in
// place, the save cycle, the last row, the patient search and the contract set, and the workstation's
// memory with the register grid scrolled to the end. Run by hand: build/bin/data_bench [--schema=own|legacy|upgraded] [rows...]
// (100,000 and 1,000,000 by default). Prints a table. Each size is measured in a process of its own, so
// that filling the register does not count in its memory; ZORVEL_BENCH_DIR keeps the filled databases.
#include "app/application.h"
#include "app/main_window.h"
#include "bench/support/bench_database.h"
#include "bench/support/register_fill.h"
#include "data/dataset.h"
#include "data/filter.h"
#include "data/tables.h"
#include "widgets/data_grid.h"
#include "workstation/contract_set.h"
#include "workstation/services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

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

double ms(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

int measure(int rows, const QString& path) {
    QTemporaryDir dir;
    QFile ini(dir.filePath("put.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Put]\n1=%1\n").arg(path).toUtf8());
    ini.close();
    QDir::setCurrent(dir.path());

    SilentMessages messages;
    SteppedClock clock;
    QElapsedTimer t;
    t.start();
    Application app(Services{&messages, &clock, nullptr, nullptr, nullptr}, false);
    MainWindow& window = app.mainWindow();
    window.resize(1280, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the main window was not shown\n");
    QCoreApplication::processEvents();
    auto* surname = window.findChild<QLineEdit*>("sEdit2");
    auto* prices = window.findChild<DataGrid*>("DBGrid1");
    const bool usable = surname->isEnabled() && prices->model()->rowCount() > 0;
    const double windowMs = ms(t);
    while (window.contractNumberPending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double contractMs = ms(t);
    const QString contract = window.findChild<QLineEdit*>("sEdit20")->text();

    // The save cycle twice: on the register the window's grids show, and on a dataset of the same table
    // that no grid shows, which is the data layer's own part of it.
    DataSet& people = app.workstation().serviceRegister();
    DataSet alone(app.workstation().connection(), peopleTable());
    alone.open();
    alone.last(); // counted once, as the register was at start
    const int cycles = 5;
    struct Cycle {
        double totalMs = 0;
        double commitMs = 0;
    };
    int saved = 0;
    auto saveCycles = [&](DataSet& data) {
        Cycle cycle;
        QElapsedTimer whole;
        whole.start();
        for (int i = 0; i < cycles; ++i, ++saved) {
            const QString time = QStringLiteral("12:%1:%2")
                                     .arg(saved / 60, 2, 10, QChar('0'))
                                     .arg(saved % 60, 2, 10, QChar('0'));
            data.insert();
            data.setFieldText("fam", "Петров");
            data.setFieldText("data_usl", "02.03.2026");
            data.setFieldText("time_us", time);
            data.setFieldText("kol", "1");
            data.post();
            const double afterPost = ms(whole);
            QElapsedTimer commit;
            commit.start();
            app.workstation().commit();
            cycle.commitMs += ms(commit);
            const double afterCommit = ms(whole);
            data.close();
            data.open();
            const double afterOpen = ms(whole);
            if (!data.locate("data_usl;time_us", {"02.03.2026", time}))
                std::fprintf(stderr, "locate failed\n");
            if (qEnvironmentVariableIsSet("ZORVEL_BENCH_PHASES"))
                std::fprintf(stderr, "posted %.1f, committed %.1f, reopened %.1f, located %.1f\n", afterPost,
                             afterCommit, afterOpen, ms(whole));
        }
        cycle.totalMs = ms(whole) / cycles;
        cycle.commitMs /= cycles;
        return cycle;
    };
    const Cycle inWindow = saveCycles(people);
    const Cycle dataLayer = saveCycles(alone);
    alone.close();

    people.close();
    people.open();
    t.restart();
    people.last();
    const double lastMs = ms(t);

    t.restart();
    people.setFilterText(equalsTerm("fam", QStringLiteral("Иванов%1").arg(rows / 2)) + " and " +
                         equalsTerm("data_usl", "01.03.2026"));
    people.setFiltered(true);
    const int found = people.recordCount();
    const double searchMs = ms(t);

    t.restart();
    people.setFiltered(false);
    people.setFilterText(contractSetFilter(people));
    people.setFiltered(true);
    const int contractRows = people.recordCount();
    const double contractSetMs = ms(t);
    people.setFiltered(false);

    // The register tab with its grid scrolled to the end, then back to the start.
    window.findChild<QTabWidget*>("sPageControl1")->setCurrentIndex(1);
    auto* grid = window.findChild<DataGrid*>("DBGrid2");
    QCoreApplication::processEvents();
    t.restart();
    grid->scrollToBottom();
    QCoreApplication::processEvents();
    people.last();
    QCoreApplication::processEvents();
    const double scrollMs = ms(t);
    grid->scrollToTop();
    QCoreApplication::processEvents();

    std::printf("| %d | %.0f%s | %.0f (%s) | %.1f (%.1f) | %.1f (%.1f) | %.1f | %.1f (%d) | %.1f (%d) | %.1f "
                "| %ld |\n",
                rows, windowMs, usable ? "" : " not usable", contractMs, qPrintable(contract),
                inWindow.totalMs, inWindow.commitMs, dataLayer.totalMs, dataLayer.commitMs, lastMs, searchMs,
                found, contractSetMs, contractRows, scrollMs, bench::peakMemoryMb());
    if (!messages.shown.isEmpty())
        std::fprintf(stderr, "messages: %s\n", qPrintable(messages.shown.join(" | ")));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    if (argc == 4 && QByteArray(argv[1]) == "--measure") {
        QApplication app(argc, argv);
        return measure(QString(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bench::BenchSchema schema = bench::takeSchemaArgument(arguments);
    QList<int> sizes;
    for (const QString& size : arguments)
        sizes << size.toInt();
    if (sizes.isEmpty())
        sizes = {100000, 1000000};
    QTemporaryDir scratch;
    std::printf("schema: %s\n", bench::schemaName(schema));
    std::printf(
        "| rows in PEOPLE | window usable, ms | contract number in place, ms | save cycle with the window's "
        "grids, ms (of it the commit) | save cycle, data layer alone, ms (of it the commit) | last row, "
        "ms | search surname + date, ms (rows) | contract set, ms (rows) | grid scrolled to the end, ms "
        "| peak memory, MB |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    std::fflush(stdout);
    for (int rows : sizes) {
        const QString path = bench::registerDatabase(rows, scratch.path(), schema);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"--measure", QString::number(rows), path});
        child.waitForFinished(-1);
    }
    return 0;
}
