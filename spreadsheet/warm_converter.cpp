#include "spreadsheet/warm_converter.h"

#include "spreadsheet/child_process.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/spreadsheet_error.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>
#include <unistd.h>

namespace zorvel {

namespace {

// LibreOffice's first start with a new profile takes seconds, more on a busy machine.
constexpr int kStartTimeoutMs = 180000;
// A document that has not come out of LibreOffice after this long will not.
constexpr int kJobTimeoutMs = 120000;

// The helper: starts LibreOffice listening on a pipe, connects to it, and converts one workbook per
// request line ("pdf<TAB>input<TAB>output"), answering "ok<TAB>pid" or "error<TAB>reason". A LibreOffice
// that died is started again and the job tried once more.
//
// LibreOffice runs in a process group of its own, and a watching thread ends that group, then the helper,
// as soon as the helper's input closes, its parent (the workstation) is gone, or SIGTERM, SIGHUP or SIGINT
// come (the workstation asks the kernel for SIGTERM when it ends): also while LibreOffice is still
// starting or converting, when the main thread is inside a call to LibreOffice and could not act.
const char kHelperScript[] = R"PY(
import os, select, signal, subprocess, sys, threading, time

soffice, profile, pipe, parent = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
office = None
office_lock = threading.Lock()

def end_office():
    if office_lock.acquire(timeout=5):
        try:
            if office is not None:
                os.killpg(office.pid, signal.SIGKILL)
        except Exception:
            pass

# A signal only wakes the watcher: the handler of the main thread would wait for LibreOffice's call.
wake_read, wake_write = os.pipe()
os.set_blocking(wake_write, False)
signal.set_wakeup_fd(wake_write)
for ending in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
    signal.signal(ending, lambda *_: None)

def watch():
    events = select.poll()
    events.register(wake_read, select.POLLIN)
    events.register(0, 0)  # the end of the input shows as POLLHUP
    while True:
        if events.poll(200) or os.getppid() != parent:
            end_office()
            os._exit(0)

threading.Thread(target=watch, daemon=True).start()

def reply(*parts):
    sys.stdout.write('\t'.join(p.replace('\t', ' ').replace('\n', ' ') for p in parts) + '\n')
    sys.stdout.flush()

try:
    import uno
    from com.sun.star.beans import PropertyValue
    from com.sun.star.connection import NoConnectException
except Exception as e:
    reply('failed', 'python3 без модуля uno (пакет python3-uno): %s' % e)
    sys.exit(0)

desktop = None

def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p

def describe(e):
    return str(getattr(e, 'Message', '') or e or type(e).__name__)

def stop():
    # The profile is thrown away with the run: LibreOffice has nothing to save, and it goes at once.
    global office, desktop
    desktop = None
    with office_lock:
        if office is not None:
            try:
                os.killpg(office.pid, signal.SIGKILL)
            except Exception:
                pass
            try:
                office.wait(timeout=5)
            except Exception:
                pass
            office = None

starts = 0

def start():
    global office, desktop, starts
    stop()
    # Each start listens on a pipe of its own: a LibreOffice that was killed may leave its pipe behind.
    starts += 1
    name = '%s-%d' % (pipe, starts)
    with office_lock:
        office = subprocess.Popen(
            [soffice, '-env:UserInstallation=' + profile, '--headless', '--invisible', '--norestore',
             '--nologo', '--nodefault', '--nolockcheck',
             '--accept=pipe,name=%s;urp;StarOffice.ComponentContext' % name],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
    reply('started', str(office.pid))
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext('com.sun.star.bridge.UnoUrlResolver', local)
    deadline = time.monotonic() + 170
    while True:
        try:
            context = resolver.resolve('uno:pipe,name=%s;urp;StarOffice.ComponentContext' % name)
            break
        except NoConnectException:
            if office.poll() is not None:
                raise RuntimeError('LibreOffice завершился с кодом %d' % office.returncode)
            if time.monotonic() > deadline:
                raise RuntimeError('LibreOffice не ответил')
            time.sleep(0.05)
    desktop = context.ServiceManager.createInstanceWithContext('com.sun.star.frame.Desktop', context)
    # The spreadsheet module and the PDF export load with their first use: use them once now, so that
    # the first document does not wait for them.
    try:
        blank = desktop.loadComponentFromURL('private:factory/scalc', '_blank', 0, (prop('Hidden', True),))
        try:
            blank.storeToURL(profile.rstrip('/') + '/warm.pdf', (prop('FilterName', 'calc_pdf_Export'),))
        finally:
            blank.close(True)
    except Exception:
        pass

def alive():
    if office is None or office.poll() is not None or desktop is None:
        return False
    try:
        desktop.getFrames()
        return True
    except Exception:
        return False

def convert(source, target):
    url = uno.systemPathToFileUrl
    document = desktop.loadComponentFromURL(url(source), '_blank', 0,
                                            (prop('Hidden', True), prop('ReadOnly', True)))
    if document is None:
        raise RuntimeError('книга не открылась')
    try:
        try:
            document.calculateAll()
        except Exception:
            pass
        document.storeToURL(url(target), (prop('FilterName', 'calc_pdf_Export'),))
    finally:
        try:
            document.close(True)
        except Exception:
            pass

try:
    start()
except Exception as e:
    reply('failed', describe(e))
    stop()
    sys.exit(0)
reply('ready', str(office.pid))

while True:
    line = sys.stdin.readline()
    if not line:
        break
    parts = line.rstrip('\n').split('\t')
    if parts[0] != 'pdf' or len(parts) != 3:
        break
    try:
        if not alive():
            start()
        try:
            convert(parts[1], parts[2])
        except Exception as e:
            # A LibreOffice that died under the job (its bridge gone) is started again, once.
            if alive() and 'disposed' not in describe(e).lower():
                raise
            start()
            convert(parts[1], parts[2])
        reply('ok', str(office.pid))
    except Exception as e:
        reply('error', describe(e))
stop()
)PY";

QString pythonProgram(const QString& wanted) {
    if (!wanted.isEmpty())
        return wanted;
    // Debian's python3-uno belongs to the system's interpreter, not to one a user put first on PATH.
    if (QFileInfo(QStringLiteral("/usr/bin/python3")).isExecutable())
        return QStringLiteral("/usr/bin/python3");
    return QStandardPaths::findExecutable(QStringLiteral("python3"));
}

} // namespace

WarmConverter::WarmConverter(QString python) : python_(pythonProgram(python)) {}

WarmConverter::~WarmConverter() {
    stopHelper();
}

bool WarmConverter::isRunning() const {
    return helper_ && helper_->state() == QProcess::Running;
}

bool WarmConverter::start(const std::function<bool()>& givenUp) {
    if (isRunning())
        return true;
    return launchHelper(givenUp);
}

bool WarmConverter::launchHelper(const std::function<bool()>& givenUp) {
    stopHelper();
    const QString soffice = LibreOffice::program();
    if (soffice.isEmpty()) {
        whyNot_ = QStringLiteral("не установлен LibreOffice (программа soffice не найдена)");
        return false;
    }
    if (python_.isEmpty() || !QFileInfo(python_).isExecutable()) {
        whyNot_ = QStringLiteral("не найден python3");
        return false;
    }
    if (!folder_) {
        folder_ =
            std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("zorvel-office-XXXXXX")));
        if (!folder_->isValid()) {
            folder_.reset();
            whyNot_ = QStringLiteral("не удалось создать временную папку");
            return false;
        }
    }
    const QString script = QDir(folder_->path()).filePath(QStringLiteral("convert.py"));
    {
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(kHelperScript) < 0) {
            whyNot_ = QStringLiteral("не удалось записать «%1»").arg(script);
            return false;
        }
    }
    const QString profile =
        QUrl::fromLocalFile(QDir(folder_->path()).filePath(QStringLiteral("profile"))).toString();
    const QString pipe = QStringLiteral("zorvel-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));

    helper_ = std::make_unique<QProcess>();
    helper_->setProcessChannelMode(QProcess::SeparateChannels);
    helper_->setStandardErrorFile(QProcess::nullDevice());
    // SIGTERM when the print thread or the workstation ends: the helper ends LibreOffice's group with it.
    startsCleanly(*helper_, SIGTERM);
    helper_->start(python_,
                   {script, soffice, profile, pipe, QString::number(QCoreApplication::applicationPid())});
    if (!helper_->waitForStarted(30000)) {
        whyNot_ = QStringLiteral("не удалось запустить %1").arg(python_);
        helper_.reset();
        return false;
    }
    const QString answer = ask({}, kStartTimeoutMs, givenUp);
    if (!answer.startsWith(QStringLiteral("ready\t"))) {
        whyNot_ = answer.startsWith(QStringLiteral("failed\t")) ? answer.section(u'\t', 1)
                                                                : QStringLiteral("LibreOffice не ответил");
        stopHelper();
        return false;
    }
    officePid_ = answer.section(u'\t', 1).toLongLong();
    whyNot_.clear();
    return true;
}

void WarmConverter::stopHelper() {
    if (!helper_)
        return;
    bool ended = helper_->state() != QProcess::Running && helper_->exitStatus() == QProcess::NormalExit;
    if (helper_->state() == QProcess::Running) {
        helper_->closeWriteChannel(); // the end of its input: LibreOffice is ended, then the helper
        ended = helper_->waitForFinished(20000);
        if (!ended) {
            helper_->kill();
            helper_->waitForFinished(5000);
        }
    }
    // A helper that did not end by itself leaves its LibreOffice behind: it goes with its process group
    // (LibreOffice was started as the leader of a group of its own).
    if (!ended && officePid_ > 0)
        ::kill(-static_cast<pid_t>(officePid_), SIGKILL);
    officePid_ = 0;
    helper_.reset();
}

QString WarmConverter::ask(const QString& request, int timeoutMs, const std::function<bool()>& givenUp) {
    if (!isRunning())
        return {};
    if (!request.isEmpty()) {
        helper_->write((request + u'\n').toUtf8());
        helper_->waitForBytesWritten(10000);
    }
    QDeadlineTimer deadline(timeoutMs);
    while (!helper_->canReadLine()) {
        if (helper_->state() != QProcess::Running || deadline.hasExpired() || (givenUp && givenUp()))
            return {};
        helper_->waitForReadyRead(static_cast<int>(std::min<qint64>(deadline.remainingTime(), 50)));
    }
    QString line = QString::fromUtf8(helper_->readLine()).trimmed();
    // LibreOffice's process, told as soon as it is started: its group can be ended even if the helper
    // dies before LibreOffice answers.
    if (line.startsWith(QStringLiteral("started\t"))) {
        officePid_ = line.section(u'\t', 1).toLongLong();
        return ask({}, static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)), givenUp);
    }
    return line;
}

QString WarmConverter::toPdf(const QString& input, const QString& outputDir) {
    const QString output =
        QDir(outputDir).filePath(QFileInfo(input).completeBaseName() + QStringLiteral(".pdf"));
    const QString request =
        QStringLiteral("pdf\t%1\t%2")
            .arg(QFileInfo(input).absoluteFilePath(), QFileInfo(output).absoluteFilePath());
    QString answer;
    // A helper that died or hangs is started again once; LibreOffice itself is restarted by the helper.
    for (int attempt = 0; attempt < 2 && answer.isEmpty(); ++attempt) {
        if (!isRunning() && !launchHelper())
            throw SpreadsheetError(QStringLiteral("LibreOffice недоступен: %1").arg(whyNot_));
        answer = ask(request, kJobTimeoutMs);
        if (answer.isEmpty())
            stopHelper();
    }
    if (answer.isEmpty())
        throw SpreadsheetError(QStringLiteral("LibreOffice не ответил при преобразовании «%1»")
                                   .arg(QFileInfo(input).fileName()));
    if (!answer.startsWith(QStringLiteral("ok\t")))
        throw SpreadsheetError(QStringLiteral("LibreOffice не смог преобразовать «%1» в pdf: %2")
                                   .arg(QFileInfo(input).fileName(), answer.section(u'\t', 1)));
    officePid_ = answer.section(u'\t', 1).toLongLong();
    QFileInfo result(output);
    if (!result.isFile() || result.size() == 0)
        throw SpreadsheetError(
            QStringLiteral("LibreOffice не записал «%1»").arg(QFileInfo(output).fileName()));
    return output;
}

} // namespace zorvel
