#include "spreadsheet/child_process.h"

#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifndef CLOSE_RANGE_CLOEXEC
#define CLOSE_RANGE_CLOEXEC (1U << 2)
#endif

namespace zorvel {

namespace {

// Everything below runs in the child between fork and exec: only calls that are safe there.

// Every descriptor above the standard three closes when the program starts (close-on-exec rather than
// closed at once, so that QProcess still hears of a program that could not be started).
void closeOnExecAboveStandard() {
    if (::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    rlimit limit{};
    rlim_t last = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 1024;
    if (last == RLIM_INFINITY || last > 1 << 20)
        last = 1 << 20;
    for (int fd = 3; fd < static_cast<int>(last); ++fd) {
        int flags = ::fcntl(fd, F_GETFD);
        if (flags >= 0)
            ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
    }
}

// The workstation blocks the signals that end a run (it reads them from a signalfd) and the database
// client ignores SIGPIPE: a child would inherit both.
void defaultSignals() {
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    for (int signal : {SIGPIPE, SIGHUP, SIGINT, SIGTERM, SIGQUIT, SIGCHLD, SIGUSR1, SIGUSR2, SIGALRM})
        ::sigaction(signal, &standard, nullptr);
}

void prepareChild(pid_t parent, int deathSignal, bool ownGroup) {
    defaultSignals();
    if (ownGroup)
        ::setpgid(0, 0);
    if (deathSignal > 0) {
        ::prctl(PR_SET_PDEATHSIG, deathSignal);
        // The parent may have gone before the request was made.
        if (::getppid() != parent)
            ::_exit(127);
    }
    closeOnExecAboveStandard();
}

const char kWatcher[] = R"PY(
import os, select, signal, subprocess, sys
parent = int(sys.argv[1])
wake_read, wake_write = os.pipe()
os.set_blocking(wake_write, False)
signal.set_wakeup_fd(wake_write)
for ending in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
    signal.signal(ending, lambda *_: None)
child = subprocess.Popen(sys.argv[2:], start_new_session=True)
events = select.poll()
events.register(wake_read, select.POLLIN)
events.register(0, 0)
try:
    events.register(os.pidfd_open(child.pid), select.POLLIN)
except Exception:
    pass
while child.poll() is None:
    if events.poll(100) and child.poll() is None or os.getppid() != parent:
        try:
            os.killpg(child.pid, signal.SIGKILL)
        except Exception:
            pass
        os._exit(137)
code = child.returncode
try:
    os.killpg(child.pid, signal.SIGKILL)
except Exception:
    pass
sys.exit(code if code >= 0 else 128 - code)
)PY";

} // namespace

Command watchedCommand(const QString& program, const QStringList& arguments) {
    const QString python = QStringLiteral("/usr/bin/python3");
    if (::access(QFile::encodeName(python).constData(), X_OK) != 0)
        return {program, arguments};
    return {python, QStringList{QStringLiteral("-c"), QString::fromLatin1(kWatcher),
                                QString::number(::getpid()), program} +
                        arguments};
}

void startsCleanly(QProcess& process, int deathSignal) {
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent, deathSignal] { prepareChild(parent, deathSignal, false); });
}

void startsInOwnGroup(QProcess& process, int deathSignal) {
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent, deathSignal] { prepareChild(parent, deathSignal, true); });
}

void killOwnGroup(QProcess& process) {
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
}

bool startDetachedCleanly(const QString& program, const QStringList& arguments) {
    // Everything the child needs is made before the fork.
    std::vector<QByteArray> texts;
    texts.push_back(QFile::encodeName(program));
    for (const QString& argument : arguments)
        texts.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        errno = error;
        return false;
    }
    if (child == 0) {
        // A session of its own, then a grandchild that init adopts: nothing ties it to the run.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0)
            ::_exit(grandchild < 0 ? 127 : 0);
        defaultSignals();
        const int nothing = ::open("/dev/null", O_RDONLY);
        if (nothing >= 0 && nothing != 0) {
            ::dup2(nothing, 0);
            ::close(nothing);
        }
        closeOnExecAboveStandard();
        ::execv(argv[0], argv.data());
        const int error = errno;
        [[maybe_unused]] auto written = ::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof error)) {
        errno = error;
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        errno = ECHILD;
        return false;
    }
    return true;
}

} // namespace zorvel
