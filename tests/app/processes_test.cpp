// The processes a run starts: they hold nothing of the workstation (no database file, no socket), and
// nothing of a run outlives it, however it ends. The real program runs as a child process here.
#include "tests/support/workstation_fixture.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "spreadsheet/child_process.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/workbook.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <functional>

namespace zorvel::test {
namespace {

QString readlinkText(const QString& link) {
    QByteArray buffer(4096, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), buffer.data(), buffer.size());
    return n > 0 ? QString::fromLocal8Bit(buffer.left(n)) : QString();
}

// What this process holds above its standard streams: nothing of it may turn up in a child.
QSet<QString> ownDescriptors() {
    QSet<QString> own;
    const QString folder = QStringLiteral("/proc/self/fd");
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (name.toInt() > 2)
            own.insert(readlinkText(folder + u'/' + name));
    own.remove(QStringLiteral("/dev/null"));
    own.remove(QString());
    return own;
}

QMap<int, QString> descriptorsOf(qint64 pid) {
    QMap<int, QString> found;
    const QString folder = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        found.insert(name.toInt(), readlinkText(folder + u'/' + name));
    return found;
}

QString procText(qint64 pid, const char* file) {
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = f.readAll();
    data.replace('\0', ' ');
    return QString::fromLocal8Bit(data);
}

qint64 parentOf(qint64 pid) {
    // "pid (name) state ppid ...": the name may hold blanks, the rest follows its closing parenthesis.
    const QString stat = procText(pid, "stat");
    return stat.mid(stat.lastIndexOf(u')') + 2).section(u' ', 1, 1).toLongLong();
}

QList<qint64> allProcesses() {
    QList<qint64> pids;
    for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = name.toLongLong(&number);
        if (number)
            pids << pid;
    }
    return pids;
}

// The processes whose environment holds `marker` (every process a run starts inherits it).
QList<qint64> processesWith(const QString& marker) {
    QList<qint64> found;
    for (qint64 pid : allProcesses())
        if (pid != QCoreApplication::applicationPid() && procText(pid, "environ").contains(marker))
            found << pid;
    return found;
}

QString describe(const QList<qint64>& pids) {
    QStringList lines;
    for (qint64 pid : pids)
        lines << QStringLiteral("%1 %2").arg(pid).arg(procText(pid, "cmdline").left(120));
    return lines.join(u'\n');
}

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

void expectOnlyStandardStreams(const QMap<int, QString>& fds, const QString& who) {
    EXPECT_EQ(fds.keys(), (QList<int>{0, 1, 2}))
        << who.toStdString() << ": " << QStringList(fds.values()).join(u' ').toStdString();
}

// The child's descriptors above its standard streams: none is one of ours, none is the database.
void expectNothingOfOurs(qint64 pid, const QSet<QString>& own, const QString& database, const QString& who) {
    const QMap<int, QString> fds = descriptorsOf(pid);
    for (auto it = fds.begin(); it != fds.end(); ++it) {
        EXPECT_FALSE(it.value().startsWith(database)) << who.toStdString() << " fd " << it.key();
        // Kernel objects without an identity of their own (an eventfd) say nothing.
        if (it.key() > 2 && !it.value().startsWith(QStringLiteral("anon_inode:"))) {
            EXPECT_FALSE(own.contains(it.value()))
                << who.toStdString() << " fd " << it.key() << " " << it.value().toStdString();
        }
    }
}

using ProcessesTest = WorkstationTest;

TEST_F(ProcessesTest, aChildHoldsOnlyItsStandardStreamsAndNothingOfTheDatabase) {
    // The database is open in this process (the engine's file and lock files) while the children start.
    start();
    const QSet<QString> own = ownDescriptors();
    ASSERT_TRUE(std::any_of(own.begin(), own.end(), [&](const QString& t) { return t == databasePath(); }))
        << "the engine holds the database file";

    {
        QProcess child;
        startsCleanly(child);
        child.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
        ASSERT_TRUE(child.waitForStarted(30000));
        // The exec has happened once /proc shows the new program.
        ASSERT_TRUE(
            waitFor([&] { return procText(child.processId(), "cmdline").startsWith("/bin/sleep"); }, 10000));
        expectOnlyStandardStreams(descriptorsOf(child.processId()), QStringLiteral("a started program"));
        child.kill();
        child.waitForFinished();
    }
    {
        const QString tag = QStringLiteral("31.%1").arg(QCoreApplication::applicationPid());
        ASSERT_TRUE(startDetachedCleanly(QStringLiteral("/bin/sleep"), {tag}));
        qint64 detached = 0;
        ASSERT_TRUE(waitFor(
            [&] {
                for (qint64 pid : allProcesses())
                    if (procText(pid, "cmdline") == QStringLiteral("/bin/sleep %1 ").arg(tag))
                        detached = pid;
                return detached != 0;
            },
            10000));
        expectOnlyStandardStreams(descriptorsOf(detached), QStringLiteral("the detached opener"));
        ::kill(static_cast<pid_t>(detached), SIGKILL);
    }
    if (LibreOffice::program().isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the print path is not tried";
    // The print command writes which descriptors above the standard three it holds (before it opens
    // any); the warm helper and LibreOffice are read while they run.
    const QString listing = QDir(folder()).filePath(QStringLiteral("print-fds.txt"));
    const QString script = QDir(folder()).filePath(QStringLiteral("print.py"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("import os, sys\n"
               "def held(n):\n"
               "    try:\n"
               "        os.fstat(n)\n"
               "        return True\n"
               "    except OSError:\n"
               "        return False\n"
               "extra = [str(n) for n in range(3, 4096) if held(n)]\n"
               "open(sys.argv[1], 'w').write('held:' + ' '.join(extra))\n");
    file.close();
    OutputSettings settings = OutputSettings::fromEnvironment();
    settings.outputDirectory = folder();
    settings.printCommand = QStringLiteral("/usr/bin/python3 %1 %2 {pdf}").arg(script, listing);
    LibreOfficeOutput output(settings);
    QStringList failures;
    output.setPrintReports({[](int) {}, [&](const QString& reason) { failures << reason; }});
    Workbook book = output.start(QString());
    book.sheet(1).setCell(1, QStringLiteral("a"), QStringLiteral("Печать"));
    output.print(book);
    ASSERT_TRUE(waitFor([&] { return output.printsPending() == 0; }, 300000));
    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
    QFile printed(listing);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(printed.readAll()), QStringLiteral("held:"));
    const qint64 office = output.printQueue().officeProcessId();
    if (office > 0) {
        expectNothingOfOurs(parentOf(office), own, databasePath(), QStringLiteral("the print helper"));
        for (qint64 pid : allProcesses())
            if (::getpgid(static_cast<pid_t>(pid)) == office && !procText(pid, "cmdline").isEmpty())
                expectNothingOfOurs(pid, own, databasePath(),
                                    QStringLiteral("LibreOffice ") + procText(pid, "cmdline").left(60));
    }
}

// The real program, killed while LibreOffice is still starting and once it may be up: nothing of the run
// stays, and the database opens again at once (a leftover holding the file would refuse it).
TEST_F(ProcessesTest, aKilledRunLeavesNothingRunningAndItsDatabaseOpensAgain) {
    for (int after : {1000, 5000}) {
        const QString temporary = QDir(folder()).filePath(QStringLiteral("tmp-%1").arg(after));
        ASSERT_TRUE(QDir().mkpath(temporary));
        const QString marker = QStringLiteral("TMPDIR=") + temporary;
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temporary);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("ZORVEL_OUTPUT_DIR"), folder());
        run.setProcessEnvironment(environment);
        run.setWorkingDirectory(folder());
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(QStringLiteral(ZORVEL_EXECUTABLE), {});
        ASSERT_TRUE(run.waitForStarted(30000));
        QThread::msleep(after);
        ASSERT_EQ(run.state(), QProcess::Running) << after;
        const QString started = describe(processesWith(marker));
        run.kill();
        run.waitForFinished(30000);
        const bool gone = waitFor([&] { return processesWith(marker).isEmpty(); }, 15000);
        EXPECT_TRUE(gone) << "killed after " << after << " ms; running then:\n"
                          << started.toStdString() << "\nstill running:\n"
                          << describe(processesWith(marker)).toStdString();
        Connection again;
        EXPECT_NO_THROW(again.connect(databasePath())) << "killed after " << after << " ms";
        again.disconnect();
    }
}

// A log-out (SIGHUP) or a termination ends the run as a close does: the posted service is committed.
TEST_F(ProcessesTest, aLogOutOrATerminationCommitsThePostedWork) {
    for (int signal : {SIGHUP, SIGTERM}) {
        const QString surname = QStringLiteral("Сигнал%1").arg(signal);
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("ZORVEL_PROBE_SURNAME"), surname);
        environment.insert(QStringLiteral("ZORVEL_OUTPUT_DIR"), folder());
        run.setProcessEnvironment(environment);
        run.setWorkingDirectory(folder());
        run.setProcessChannelMode(QProcess::SeparateChannels);
        run.start(QStringLiteral(ZORVEL_RUN_PROBE), {});
        ASSERT_TRUE(run.waitForStarted(30000));
        ASSERT_TRUE(waitFor(
            [&] {
                run.waitForReadyRead(50);
                return run.canReadLine() || run.state() != QProcess::Running;
            },
            120000));
        ASSERT_EQ(run.readLine().trimmed(), QByteArray("posted")) << run.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(run.processId()), signal);
        ASSERT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << signal;
        Connection check;
        check.connect(databasePath());
        DataSet found(check, QStringLiteral("found"));
        found.replaceSelect(QStringLiteral("select count(*) from people where fam = '%1'").arg(surname));
        EXPECT_EQ(found.text(0, 0), QStringLiteral("1")) << signal;
        found.close();
        check.commit();
    }
}

} // namespace
} // namespace zorvel::test
