// The three cash-desk reports on a register of 1,000,000 services: a month (30,000 services) and a year
// (365,000), each from the click on the window's button to the workbook saved in the output folder.
// Run by hand: build/bin/report_bench [database]. The register is made once (about a minute) and kept
// at the given path (default /tmp/zorvel_report_bench.fdb) for the next runs. Each report runs in a
// process of its own, so that its peak memory is its own. Prints a table.

#include "bench/support/register_fill.h"
#include "data/connection.h"
#include "data/database_creation.h"
#include "reports/cash_report_window.h"
#include "spreadsheet/libre_office_output.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace zorvel;

namespace {

constexpr int kRegisterRows = 1000000;
constexpr int kPerDay = 1000;
const QDate kLastDay(2026, 12, 31);

class PrintedMessages : public Messages {
public:
    void show(const QString& text, const QString& caption) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        ++count;
    }
    int count = 0;
};

// Processor time of this process so far (all threads, the embedded server's included), in ms: on a
// machine shared with other work it says what the report costs where the wall clock cannot.
long long cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000LL +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

void makeRegister(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    createDatabase(path);
    bench::fillRegisterByDay(path, kRegisterRows, kPerDay, kLastDay);
    Connection c;
    c.connect(path);
    c.startTransaction();
    for (int k = 0; k < 40; ++k)
        c.executeImmediate(QStringLiteral("insert into prais (idp, simv, kod, name, kodgvv, summa) values "
                                          "(null, 'П', 'A05.0%1', 'Услуга %2', '%2', '%3.50')")
                               .arg(k)
                               .arg(10 + k * 7)
                               .arg(100 + k * 25));
    for (int d = 0; d < 9; ++d)
        c.executeImmediate(
            QStringLiteral("insert into otdel (id_o, name, kod) values (null, 'Отделение %1', '%2')")
                .arg(d)
                .arg(40 + d));
    c.commit();
    std::printf("register of %d services made in %.1f s\n", kRegisterRows, timer.elapsed() / 1000.0);
}

// One report in this process: prints "milliseconds cpuMilliseconds peakMB fileKB".
int runOne(const QString& database, const QString& button, const QString& start, const QString& end) {
    QTemporaryDir out;
    OutputSettings settings = OutputSettings::fromEnvironment();
    settings.outputDirectory = out.path();
    settings.openCommand = QStringLiteral("true");
    LibreOfficeOutput output(settings);
    PrintedMessages messages;
    SystemClock clock;
    Workstation workstation(Services{&messages, &clock, nullptr, nullptr, &output});
    if (workstation.startWith(database).state != Workstation::StartState::Connected)
        return 2;
    CashReportWindow window(workstation);
    window.findChild<QLineEdit*>(QStringLiteral("sDateEdit1"))->setText(start);
    window.findChild<QLineEdit*>(QStringLiteral("sDateEdit2"))->setText(end);
    QPushButton* click = window.findChild<QPushButton*>(button);
    QElapsedTimer timer;
    const long long cpuBefore = cpuMs();
    timer.start();
    click->click();
    const qint64 ms = timer.elapsed();
    const long long cpu = cpuMs() - cpuBefore;
    const QStringList files = QDir(out.path()).entryList(QDir::Files);
    if (messages.count > 0 || files.size() != 1)
        return 3;
    std::printf("%lld %lld %ld %lld\n", static_cast<long long>(ms), cpu, bench::peakMemoryMb(),
                QFileInfo(QDir(out.path()).filePath(files.value(0))).size() / 1024);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == u"--run")
        return runOne(args.value(2), args.value(3), args.value(4), args.value(5));

    const QString database = args.value(1, QStringLiteral("/tmp/zorvel_report_bench.fdb"));
    if (!QFileInfo::exists(database))
        makeRegister(database);

    struct Report {
        const char* name;
        const char* button;
    } reports[] = {{"По договорам (kassa)", "sBitBtn1"},
                   {"По оплате (оplata)", "sBitBtn3"},
                   {"Планирование (plan)", "sBitBtn4"}};
    struct Period {
        const char* name;
        const char* start;
        const char* end;
        const char* aim;
    } periods[] = {{"month, 30,000", "01.11.2026", "30.11.2026", "< 1 s"},
                   {"year, 365,000", "01.01.2026", "31.12.2026", "< 5 s"}};

    std::printf("register: %d services in PEOPLE, %d a day\n\n", kRegisterRows, kPerDay);
    std::printf("| %-22s | %-14s | %12s | %10s | %6s | %7s | %8s |\n", "report", "period", "click→saved",
                "CPU", "aim", "peak MB", "file KB");
    std::printf("|%s|%s|%s|%s|%s|%s|%s|\n", "------------------------", "----------------", "--------------",
                "------------", "--------", "---------", "----------");
    for (const Period& p : periods)
        for (const Report& r : reports) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--run"), database, QString::fromLatin1(r.button),
                         QString::fromLatin1(p.start), QString::fromLatin1(p.end)});
            child.waitForFinished(-1);
            const QStringList fields = QString::fromUtf8(child.readAllStandardOutput()).split(u' ');
            if (child.exitCode() != 0 || fields.size() != 4) {
                std::printf("| %-22s | %-14s | failed (exit %d)\n", r.name, p.name, child.exitCode());
                continue;
            }
            std::printf("| %-22s | %-14s | %9s ms | %7s ms | %6s | %7s | %8s |\n", r.name, p.name,
                        qPrintable(fields[0]), qPrintable(fields[1]), p.aim, qPrintable(fields[2]),
                        qPrintable(fields[3].trimmed()));
        }
    return 0;
}
