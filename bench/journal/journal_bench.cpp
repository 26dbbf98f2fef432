// The change journal on a register of 1,000,000 rows and a journal of 10,000,000 entries: what the journal
// adds to a cashier's save and to an in-place edit (the same statements with the register's journal trigger
// switched off), the journal window showing a month, and the export of about 100,000 entries to a workbook.
// Run by hand: build/bin/journal_bench [register rows] [journal entries]. Prints a table. With
// ZORVEL_BENCH_DIR set the filled database is kept there (journal-<rows>-<entries>.fdb) for later runs.
#include "bench/support/register_fill.h"
#include "data/change_journal.h"
#include "data/connection.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "journal/journal_window.h"
#include "spreadsheet/recording_output.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zorvel;

namespace {

class SilentMessages : public Messages {
public:
    void show(const QString& text, const QString&) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
};

class TodayClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The journal's entries spread evenly over the year up to now, written on the server side with the
// journal's own before-insert trigger off (it would stamp them all with the present moment).
void fillJournal(const QString& path, int entries) {
    Connection c;
    c.connect(path);
    c.startTransaction();
    c.executeImmediate(QStringLiteral("ALTER TRIGGER CHANGE_LOG_BI INACTIVE"));
    c.commit();
    c.startTransaction();
    const int step = 500000;
    for (int done = 0; done < entries; done += step) {
        const int n = std::min(step, entries - done);
        c.executeImmediate(
            QStringLiteral(
                "EXECUTE BLOCK AS DECLARE I INTEGER = 0; DECLARE K INTEGER; BEGIN "
                "WHILE (I < %1) DO BEGIN K = GEN_ID(GEN_CHANGE_LOG_ID, 1); "
                "INSERT INTO CHANGE_LOG (ID, CHANGED_AT, USER_NAME, CLIENT_ADDRESS, TABLE_NAME, ROW_KEY, "
                "ACTION, "
                "CONTRACT, CHANGES) VALUES (:K, CURRENT_TIMESTAMP - 365 + 365.0 * :K / %2, "
                "'KASSIR' || MOD(:K, 7), '10.0.0.' || MOD(:K, 20), 'PEOPLE', MOD(:K, 1000000), "
                "IIF(MOD(:K, 5) = 0, 'I', 'U'), MOD(:K, 90000), 'SUMMA: ' || MOD(:K, 3000) || ' -> ' || "
                "MOD(:K, 2999) || '; CHOPL: 0 -> ' || MOD(:K, 500)); I = I + 1; END END")
                .arg(n)
                .arg(entries));
        c.commitRetaining();
    }
    c.commit();
    c.startTransaction();
    c.executeImmediate(QStringLiteral("ALTER TRIGGER CHANGE_LOG_BI ACTIVE"));
    c.commit();
}

QString journalDatabase(int rows, int entries, const QString& scratch) {
    const QString kept = qEnvironmentVariable("ZORVEL_BENCH_DIR");
    const QString folder = kept.isEmpty() ? scratch : kept;
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("journal-%1-%2.fdb").arg(rows).arg(entries));
    if (QFile::exists(path))
        return path;
    QElapsedTimer t;
    t.start();
    createDatabase(path);
    {
        // The register's own entries are not what is measured: filled with its trigger off.
        Connection c;
        c.connect(path);
        c.startTransaction();
        c.executeImmediate(QStringLiteral("ALTER TRIGGER PEOPLE_JOURNAL INACTIVE"));
        c.commit();
    }
    bench::fillRegister(path, rows);
    {
        Connection c;
        c.connect(path);
        c.startTransaction();
        c.executeImmediate(QStringLiteral("ALTER TRIGGER PEOPLE_JOURNAL ACTIVE"));
        c.commit();
    }
    fillJournal(path, entries);
    std::fprintf(stderr, "filled in %.0f s\n", t.elapsed() / 1000.0);
    return path;
}

struct Cycle {
    double save = 0;      // insert + commit retaining
    double edit = 0;      // update by key + commit retaining
    double statement = 0; // the insert statement alone, no commit
};

// A cashier's save at the data layer (insert, commit retaining) and an in-place edit of one row (update by
// key, commit retaining), median over `n`, with the register's journal trigger on or off; and the insert
// statement alone, which leaves out the commit's write to disk.
Cycle saveCycle(const QString& path, bool journal, int n) {
    {
        Connection c;
        c.connect(path);
        c.startTransaction();
        c.executeImmediate(QStringLiteral("ALTER TRIGGER PEOPLE_JOURNAL ") +
                           (journal ? QStringLiteral("ACTIVE") : QStringLiteral("INACTIVE")));
        c.commit();
    }
    Connection c;
    c.connect(path);
    c.startTransaction();
    // Every run writes sums of its own, so that each edit changes its row.
    static int run = 0;
    ++run;
    std::vector<double> saves, edits, statements;
    QElapsedTimer t;
    for (int i = 0; i < n; ++i) {
        t.start();
        c.executeImmediate(
            QStringLiteral("INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, "
                           "SUMMA, TIME_US, KOL, NDOG, DATAISP, CHOPL, PROVER, DOPOLN) VALUES "
                           "(NULL, 'Иванов', 'Иван', 'Иванович', '29', '05.03.2026', 'Прием', "
                           "'A01', '500', '10:%1:%2', 1, '777', '05.03.2026', '0', 'Нет', 'Нет')")
                .arg(i / 60, 2, 10, QChar('0'))
                .arg(i % 60, 2, 10, QChar('0')));
        c.commitRetaining();
        saves.push_back(t.nsecsElapsed() / 1e6);
        t.start();
        c.executeImmediate(QStringLiteral("UPDATE PEOPLE SET SUMMA = '%1' WHERE IPEOP = %2")
                               .arg(run * 1000 + i)
                               .arg(1000 + i));
        c.commitRetaining();
        edits.push_back(t.nsecsElapsed() / 1e6);
    }
    for (int i = 0; i < n; ++i) {
        t.start();
        c.executeImmediate(
            QStringLiteral("INSERT INTO PEOPLE (IPEOP, FAM, NAM, OTH, KODGVV, DATA_USL, NAME, KOD, "
                           "SUMMA, TIME_US, KOL, NDOG, DATAISP, CHOPL, PROVER, DOPOLN) VALUES "
                           "(NULL, 'Петров', 'Иван', 'Иванович', '29', '05.03.2026', 'Прием', "
                           "'A01', '500', '11:%1:%2', 1, '778', '05.03.2026', '0', 'Нет', 'Нет')")
                .arg(i / 60, 2, 10, QChar('0'))
                .arg(i % 60, 2, 10, QChar('0')));
        statements.push_back(t.nsecsElapsed() / 1e6);
    }
    c.rollback();
    return {median(saves), median(edits), median(statements)};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const int rows = args.size() > 0 ? args[0].toInt() : 1000000;
    const int entries = args.size() > 1 ? args[1].toInt() : 10000000;
    QTemporaryDir scratch;
    const QString path = journalDatabase(rows, entries, scratch.path());

    std::printf("register rows %d, journal entries %d\n\n", rows, entries);
    std::printf("%-52s %10s\n", "step", "ms");
    const int n = 300;
    // Off, on, off, on: the machine's load drifts; the better of the two runs of each.
    Cycle off = saveCycle(path, false, n), on = saveCycle(path, true, n);
    const Cycle off2 = saveCycle(path, false, n), on2 = saveCycle(path, true, n);
    auto best = [](Cycle& a, const Cycle& b) {
        a.save = std::min(a.save, b.save);
        a.edit = std::min(a.edit, b.edit);
        a.statement = std::min(a.statement, b.statement);
    };
    best(off, off2);
    best(on, on2);
    std::printf("%-52s %10.3f\n", "save (insert + commit), journal off, median", off.save);
    std::printf("%-52s %10.3f\n", "save (insert + commit), journal on, median", on.save);
    std::printf("%-52s %10.3f\n", "  what the journal adds", on.save - off.save);
    std::printf("%-52s %10.3f\n", "insert statement alone, journal off, median", off.statement);
    std::printf("%-52s %10.3f\n", "insert statement alone, journal on, median", on.statement);
    std::printf("%-52s %10.3f\n", "  what the journal adds", on.statement - off.statement);
    std::printf("%-52s %10.3f\n", "in-place edit (update + commit), journal off", off.edit);
    std::printf("%-52s %10.3f\n", "in-place edit (update + commit), journal on", on.edit);
    std::printf("%-52s %10.3f\n", "  what the journal adds", on.edit - off.edit);

    SilentMessages messages;
    TodayClock clock;
    RecordingOutput spreadsheets;
    Services services{&messages, &clock, nullptr, nullptr, &spreadsheets, nullptr, nullptr};
    Workstation workstation(services);
    workstation.startWith(path);
    JournalWindow window(workstation);
    window.show();
    QApplication::processEvents();
    const QDate today = QDate::currentDate();
    // A month: from the click to the first screen of entries painted.
    std::vector<double> month;
    for (int i = 0; i < 5; ++i) {
        window.fromEdit()->setText(today.addMonths(-1 - i).toString("dd.MM.yyyy"));
        window.toEdit()->setText(today.addDays(-i).toString("dd.MM.yyyy"));
        QElapsedTimer t;
        t.start();
        window.showEntries();
        window.repaint();
        QApplication::processEvents();
        month.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("%-52s %10.1f\n", "journal window, a month (median of 5)", median(month));
    // About 100,000 entries: as many days as hold them.
    const int days = std::max(1, int(100000.0 * 365 / entries + 0.999));
    window.fromEdit()->setText(today.addDays(-days - 10).toString("dd.MM.yyyy"));
    window.toEdit()->setText(today.addDays(-11).toString("dd.MM.yyyy"));
    window.showEntries();
    QElapsedTimer t;
    t.start();
    window.exportEntries();
    const double exportMs = t.nsecsElapsed() / 1e6;
    std::printf(
        "%-52s %10.0f\n",
        qPrintable(
            QStringLiteral("export of %1 entries to journal.xlsx").arg(window.entries().fetchedCount())),
        exportMs);
    return 0;
}
