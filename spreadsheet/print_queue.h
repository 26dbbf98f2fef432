#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QObject;
class QTemporaryDir;

namespace zorvel {

// What the print queue tells its owner, always on the owner's thread (the user-interface thread): how
// many jobs are queued or running, and each job that failed, with its reason.
struct PrintReports {
    std::function<void(int pending)> pendingChanged;
    std::function<void(const QString& reason)> failed;
};

// Printing off the user-interface thread: jobs are converted to PDF by a LibreOffice kept warm for the
// run (one-shot LibreOffice where that cannot be had) and handed to the print command, one after another
// in the order they were queued, on a thread of the queue's own. A job queued is never dropped: the
// queue finishes every job before it goes.
//
// Reports reach the owner through its event loop; without a QCoreApplication they are made on the print
// thread.
class PrintQueue {
public:
    // `python`: the interpreter with the uno module; empty: the system's python3.
    explicit PrintQueue(QString python = {});
    ~PrintQueue();
    PrintQueue(const PrintQueue&) = delete;
    PrintQueue& operator=(const PrintQueue&) = delete;

    void setReports(PrintReports reports);
    // Starts the print thread and LibreOffice in the background; the first job no longer waits for them.
    void warmUp();
    // Queues a job: `workbookFile` lies in `folder`, which goes when the job is done. `printCommand` is
    // the print command's arguments, "{pdf}" standing for the PDF (appended when no argument holds it).
    void submit(std::unique_ptr<QTemporaryDir> folder, const QString& workbookFile,
                const QStringList& printCommand);
    // Jobs queued or running.
    int pending() const;
    // Waits until every queued job is done; the reports of those jobs are delivered meanwhile unless
    // `deliverReports` is false (the run ends without an event loop to show them).
    void finish(bool deliverReports = true);

    // Whether the warm LibreOffice runs, and its process (0 when none); for diagnostics and tests.
    bool isWarm() const;
    qint64 officeProcessId() const;

private:
    struct Job {
        std::unique_ptr<QTemporaryDir> folder;
        QString workbookFile;
        QStringList printCommand;
    };
    void ensureThread();
    void run();

    QString python_;
    PrintReports reports_;
    std::unique_ptr<QObject> context_; // lives on the owner's thread; reports are queued to it

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    int pending_ = 0;
    bool stopping_ = false;
    // The queue goes: a LibreOffice still starting is not waited for.
    std::atomic<bool> closing_ = false;
    bool warm_ = false;
    qint64 officePid_ = 0;
    std::thread thread_;
};

} // namespace zorvel
