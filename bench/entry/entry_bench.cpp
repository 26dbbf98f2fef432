// The cashier's save through the real main window on a register of 10,000 and 100,000 rows: from Enter in
// the quantity field to the focus on the service number with the new row current in the register grid.
// Run by hand: build/bin/entry_bench [--schema=own|legacy|upgraded] [rows...]. Prints a table. Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "app/application.h"
#include "app/main_window.h"
#include "bench/support/bench_database.h"
#include "bench/support/register_fill.h"
#include "data/connection.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "widgets/data_grid.h"
#include "workstation/services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
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

void fill(const QString& path, int rows, bench::BenchSchema schema) {
    bench::createFilledDatabase(path, schema, rows);
    Connection c;
    c.connect(path);
    c.startTransaction();
    c.executeImmediate(QStringLiteral("insert into prais (idp, simv, kod, name, kodgvv, summa) values "
                                      "(null, 'П', 'A05.029', 'Прием врача-офтальмолога', '29', '600')"));
    c.executeImmediate(QStringLiteral(
        "insert into otdel (id_o, name, kod) values (null, 'Офтальмологический кабинет', '11')"));
    c.commit();
}

struct Row {
    int rows;
    double startMs;
    double medianMs;
    double maxMs;
    double paintedMs; // median, with the window's pending layout and paint done
    int failures;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Row measure(int rows, bench::BenchSchema schema) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.fdb");
    fill(path, rows, schema);
    QFile ini(dir.filePath("put.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Put]\n1=%1\n").arg(path).toUtf8());
    ini.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());

    Row r{rows, 0, 0, 0, 0, 0};
    SilentMessages messages;
    SteppedClock clock;
    QElapsedTimer t;
    t.start();
    std::vector<double> plain, painted;
    {
        Application app(Services{&messages, &clock, nullptr, nullptr, nullptr}, false);
        MainWindow& window = app.mainWindow();
        window.resize(1280, 900);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            std::fprintf(stderr, "the main window did not become active\n");
        QCoreApplication::processEvents();
        r.startMs = t.nsecsElapsed() / 1e6;

        auto* surname = window.findChild<QLineEdit*>("sEdit2");
        auto* serviceNumber = window.findChild<QLineEdit*>("sEdit1");
        auto* quantity = window.findChild<QLineEdit*>("sEdit5");
        auto* grid = window.findChild<DataGrid*>("DBGrid2");
        DataSet& people = app.workstation().serviceRegister();
        surname->setText("Петров");
        serviceNumber->setFocus();
        QTest::keyClicks(serviceNumber, "29");
        QTest::keyClick(serviceNumber, Qt::Key_Return);

        const int cycles = 21;
        for (int i = 0; i < cycles; ++i) {
            // Every save a second later, so each new row is found by its own time.
            clock.time = clock.time.addSecs(1);
            window.tick();
            const QString time = timeText(clock.time.time());
            // Half of the saves with the register tab in view, where its grid follows the new row.
            window.findChild<QTabWidget*>("sPageControl1")->setCurrentIndex(i % 2);
            quantity->setText("1");
            quantity->setFocus();
            QCoreApplication::processEvents();

            t.restart();
            QTest::keyClick(quantity, Qt::Key_Return);
            const double ms = t.nsecsElapsed() / 1e6;
            QCoreApplication::processEvents();
            const double withPaint = t.nsecsElapsed() / 1e6;

            const bool ok = QApplication::focusWidget() == serviceNumber &&
                            people.fieldText("TIME_US") == time &&
                            grid->currentIndex().row() == people.currentRow() && messages.shown.isEmpty();
            if (!ok)
                ++r.failures;
            plain.push_back(ms);
            painted.push_back(withPaint);
        }
    }
    QDir::setCurrent(previous);
    r.medianMs = median(plain);
    r.maxMs = *std::max_element(plain.begin(), plain.end());
    r.paintedMs = median(painted);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bench::BenchSchema schema = bench::takeSchemaArgument(arguments);
    QList<int> sizes;
    for (const QString& a : arguments)
        sizes << a.toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    std::printf("| database | rows in PEOPLE | start-up, ms | save, median ms | save, max ms | save and "
                "repaint, median ms "
                "| failed checks |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (int rows : sizes) {
        Row r = measure(rows, schema);
        std::printf("| %s | %d | %.1f | %.1f | %.1f | %.1f | %d |\n", bench::schemaName(schema), r.rows,
                    r.startMs, r.medianMs, r.maxMs, r.paintedMs, r.failures);
        std::fflush(stdout);
    }
    return 0;
}
