#pragma once

#include <QString>

#include <functional>
#include <memory>

class QProcess;
class QTemporaryDir;

namespace zorvel {

// One LibreOffice kept running for the whole run, so that a document costs its conversion (tens of
// milliseconds) instead of LibreOffice's start (seconds). It listens on a private pipe with a profile of
// its own and is driven through its UNO bridge by a small python3 helper (Debian's python3-uno); a
// LibreOffice that dies is started again for the next job.
//
// The object belongs to one thread: it is made, used and destroyed there (the print thread).
class WarmConverter {
public:
    // `python` names the interpreter that has the uno module; empty: /usr/bin/python3, or python3 on
    // PATH.
    explicit WarmConverter(QString python = {});
    ~WarmConverter();
    WarmConverter(const WarmConverter&) = delete;
    WarmConverter& operator=(const WarmConverter&) = delete;

    // Starts LibreOffice and waits until it answers. False when it cannot be had on this machine (no
    // soffice, no python3 with uno, LibreOffice refused to start), or when `given up` says so while it
    // waits (the run ends before LibreOffice is up); whyNot() then says why.
    bool start(const std::function<bool()>& givenUp = {});
    bool isRunning() const;
    QString whyNot() const { return whyNot_; }

    // Converts a workbook into a PDF in `outputDir` and returns the file written. Throws SpreadsheetError
    // with LibreOffice's reason when the document cannot be converted.
    QString toPdf(const QString& input, const QString& outputDir);

    // The LibreOffice process, 0 when none runs; for diagnostics and tests.
    qint64 officeProcessId() const { return officePid_; }

private:
    bool launchHelper(const std::function<bool()>& givenUp = {});
    void stopHelper();
    // One request line; the answer line, empty when the helper did not answer.
    QString ask(const QString& request, int timeoutMs, const std::function<bool()>& givenUp = {});

    QString python_;
    std::unique_ptr<QTemporaryDir> folder_; // the helper script and LibreOffice's profile
    std::unique_ptr<QProcess> helper_;
    qint64 officePid_ = 0;
    QString whyNot_;
};

} // namespace zorvel
