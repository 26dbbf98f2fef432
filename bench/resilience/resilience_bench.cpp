// resilience_bench [runs]: how quickly a run ends. The workstation (this program with --workstation) is
// started on a fresh embedded database, and ended as a closed main window ends it (SIGTERM closes the main
// window), once right after its window shows, while LibreOffice is still starting for printing, and once
// with LibreOffice up; the time from the close to the end of the process, median and maximum.
#include "app/run.h"
#include "data/database_creation.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

namespace {

// Whether a process of the run (found by its temporary folder in its command line) is LibreOffice's.
bool officeRuns(const QString& temporary) {
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(name));
        if (command.open(QIODevice::ReadOnly)) {
            const QByteArray text = command.readAll();
            if (text.contains("soffice.bin") && text.contains(temporary.toLocal8Bit()))
                return true;
        }
    }
    return false;
}

// One run ended `settle` after its window showed (or once LibreOffice is up); milliseconds from the
// close to the end of the process, -1 when it did not start.
double closeTime(const QString& program, const QString& folder, bool officeUp) {
    const QString temporary = QDir(folder).filePath(QStringLiteral("tmp"));
    QDir(temporary).removeRecursively();
    QDir().mkpath(temporary);
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), temporary);
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run.setProcessEnvironment(environment);
    run.setWorkingDirectory(folder);
    run.start(program, {QStringLiteral("--workstation")});
    if (!run.waitForStarted(30000))
        return -1;
    QDeadlineTimer deadline(180000);
    while (!run.canReadLine() && run.state() == QProcess::Running && !deadline.hasExpired())
        run.waitForReadyRead(100);
    if (!run.canReadLine())
        return -1;
    if (officeUp) {
        while (!officeRuns(temporary) && !deadline.hasExpired())
            QThread::msleep(50);
        QThread::msleep(3000); // its first document loaded
    }
    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(run.processId()), SIGTERM);
    run.waitForFinished(120000);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == "--workstation")
        return zorvel::runWorkstation(argc, argv, [](zorvel::Application&) {
            std::printf("ready\n");
            std::fflush(stdout);
        });
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    QTemporaryDir folder;
    const QString database = QDir(folder.path()).filePath(QStringLiteral("bench.fdb"));
    zorvel::createDatabase(database);
    QFile ini(QDir(folder.path()).filePath(QStringLiteral("put.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Put]\n1=%1\n").arg(database).toUtf8());
    ini.close();
    std::printf("%-46s %10s %10s %6s\n", "close to process end", "median ms", "max ms", "runs");
    for (bool officeUp : {false, true}) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            const double ms = closeTime(QCoreApplication::applicationFilePath(), folder.path(), officeUp);
            if (ms >= 0)
                times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        const double median = times.empty() ? 0 : times[times.size() / 2];
        const double maximum = times.empty() ? 0 : times.back();
        std::printf("%-46s %10.0f %10.0f %6zu\n",
                    officeUp ? "LibreOffice up, nothing printing"
                             : "right after start (LibreOffice starting)",
                    median, maximum, times.size());
    }
    return 0;
}
