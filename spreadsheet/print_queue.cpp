#include "spreadsheet/print_queue.h"

#include "spreadsheet/child_process.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/warm_converter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <vector>

namespace zorvel {

namespace {

QString findProgram(const QString& program) {
    if (program.contains(u'/'))
        return QFileInfo(program).isExecutable() && QFileInfo(program).isFile() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

// Hands the PDF to the print command and waits for it: the job's folder goes afterwards, so the command
// must be done with the file (lp copies it).
void runPrintCommand(QStringList command, const QString& pdf) {
    bool placed = false;
    for (QString& argument : command)
        if (argument.contains(QStringLiteral("{pdf}"))) {
            argument.replace(QStringLiteral("{pdf}"), pdf);
            placed = true;
        }
    if (!placed)
        command << pdf;
    const QString program = findProgram(command.value(0));
    if (program.isEmpty())
        throw SpreadsheetError(QStringLiteral("Печать невозможна: не найдена программа печати «%1» "
                                              "(ZORVEL_PRINT_COMMAND)")
                                   .arg(command.value(0)));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Whatever the command starts goes with it when it hangs.
    startsInOwnGroup(process);
    process.start(program, command.mid(1));
    const bool started = process.waitForStarted(30000);
    const bool finished = started && process.waitForFinished(120000);
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (!started)
        throw SpreadsheetError(QStringLiteral("Книга не напечатана: не удалось запустить «%1»: %2")
                                   .arg(command.first(), process.errorString()));
    if (!finished) {
        killOwnGroup(process);
        process.kill();
        process.waitForFinished();
        throw SpreadsheetError(
            QStringLiteral("Книга не напечатана: «%1» не завершилась").arg(command.first()));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        // lp's own words for a machine without a printer (not any "destination", which cp says too).
        if (output.contains(QStringLiteral("default destination"), Qt::CaseInsensitive) ||
            output.contains(QStringLiteral("scheduler"), Qt::CaseInsensitive))
            throw SpreadsheetError(
                QStringLiteral("Книга не напечатана: нет принтера по умолчанию (%1)").arg(output));
        throw SpreadsheetError(QStringLiteral("Книга не напечатана: «%1» завершилась с кодом %2: %3")
                                   .arg(command.first())
                                   .arg(process.exitCode())
                                   .arg(output));
    }
}

} // namespace

PrintQueue::PrintQueue(QString python) : python_(std::move(python)), context_(std::make_unique<QObject>()) {}

PrintQueue::~PrintQueue() {
    finish();
    closing_ = true;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void PrintQueue::setReports(PrintReports reports) {
    reports_ = std::move(reports);
}

void PrintQueue::warmUp() {
    ensureThread();
}

void PrintQueue::ensureThread() {
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
}

void PrintQueue::submit(std::unique_ptr<QTemporaryDir> folder, const QString& workbookFile,
                        const QStringList& printCommand) {
    ensureThread();
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(Job{std::move(folder), workbookFile, printCommand});
        ++pending_;
    }
    changed_.notify_all();
    if (reports_.pendingChanged)
        reports_.pendingChanged(pending());
}

int PrintQueue::pending() const {
    std::lock_guard lock(mutex_);
    return pending_;
}

bool PrintQueue::isWarm() const {
    std::lock_guard lock(mutex_);
    return warm_;
}

qint64 PrintQueue::officeProcessId() const {
    std::lock_guard lock(mutex_);
    return officePid_;
}

void PrintQueue::finish(bool deliverReports) {
    const bool eventLoop = deliverReports && QCoreApplication::instance() != nullptr &&
                           QThread::currentThread() == context_->thread();
    std::unique_lock lock(mutex_);
    while (pending_ > 0) {
        if (eventLoop) {
            // Failures of the jobs being finished are shown as they come.
            lock.unlock();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            lock.lock();
            changed_.wait_for(lock, std::chrono::milliseconds(20));
        } else {
            changed_.wait(lock);
        }
    }
    lock.unlock();
    if (eventLoop)
        QCoreApplication::sendPostedEvents(context_.get());
}

void PrintQueue::run() {
    WarmConverter converter(python_);
    // Given up only when the queue goes with no job left: a queued job waits for LibreOffice.
    bool warm = converter.start([this] {
        std::lock_guard lock(mutex_);
        return closing_ && jobs_.empty();
    });
    {
        std::lock_guard lock(mutex_);
        warm_ = warm;
        officePid_ = converter.officeProcessId();
    }
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        QString failure;
        try {
            QString pdf;
            if (warm) {
                try {
                    pdf = converter.toPdf(job.workbookFile, job.folder->path());
                } catch (const SpreadsheetError&) {
                    // A LibreOffice that cannot be had again leaves the one-shot conversion; a document
                    // LibreOffice refused is refused there too.
                    if (converter.isRunning())
                        throw;
                    warm = false;
                }
            }
            if (!warm)
                pdf = LibreOffice::convert(job.workbookFile, QStringLiteral("pdf"), job.folder->path());
            runPrintCommand(job.printCommand, pdf);
        } catch (const SpreadsheetError& e) {
            failure = e.message();
        } catch (const std::exception& e) {
            failure = QString::fromLocal8Bit(e.what());
        }
        job.folder.reset();
        std::unique_lock lock(mutex_);
        --pending_;
        const int left = pending_;
        warm_ = warm;
        officePid_ = warm ? converter.officeProcessId() : 0;
        // The reports are on their way before finish() can see the job done, so none is lost at the end.
        std::vector<std::function<void()>> reports;
        if (!failure.isEmpty() && reports_.failed)
            reports.push_back([this, failure] { reports_.failed(failure); });
        if (reports_.pendingChanged)
            reports.push_back([this, left] { reports_.pendingChanged(left); });
        const bool queued = QCoreApplication::instance() != nullptr;
        if (queued)
            for (auto& report : reports)
                QMetaObject::invokeMethod(context_.get(), std::move(report), Qt::QueuedConnection);
        lock.unlock();
        changed_.notify_all();
        if (!queued)
            for (auto& report : reports)
                report();
    }
}

} // namespace zorvel
