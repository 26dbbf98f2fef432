// Printing off the caller's thread: the jobs go to the print command in the order they were queued, the
// caller is not held while a job runs, none is dropped at the end, a failure comes back with its reason on
// the caller's thread, and a LibreOffice that dies is started again. LibreOffice starts take seconds, so
// each case checks much.

#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/workbook.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>

using namespace zorvel;

namespace {

class PrintQueueTest : public testing::Test {
protected:
    void SetUp() override {
        if (!test::haveLibreOffice())
            GTEST_SKIP() << "LibreOffice (soffice) is not installed";
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir(QStringLiteral("out"));
        settings.templateDirectory = dir.path();
        settings.outputDirectory = dir.path();
        test::writeSampleTemplate(dir.path());
        reports.pendingChanged = [this](int n) {
            pendingSeen << n;
            EXPECT_EQ(QThread::currentThread(), app.thread());
        };
        reports.failed = [this](const QString& reason) {
            failures << reason;
            EXPECT_EQ(QThread::currentThread(), app.thread());
        };
    }

    // A print command that numbers the PDFs it is given in out/, after waiting for `gate` to exist; while
    // `fail` exists it fails instead, saying why.
    QString numberingCommand(const QString& gate = {}, const QString& fail = {}) {
        QString script = QDir(dir.path()).filePath(QStringLiteral("print.sh"));
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            QStringLiteral("while [ -n \"%1\" ] && [ ! -e \"%1\" ]; do sleep 0.05; done\n"
                           "if [ -n \"%3\" ] && [ -e \"%3\" ]; then echo принтер недоступен; exit 3; fi\n"
                           "n=$(ls \"%2\" | wc -l)\n"
                           "cp \"$1\" \"%2/$n.pdf\"\n")
                .arg(gate, QDir(dir.path()).filePath(QStringLiteral("out")), fail)
                .toUtf8());
        return QStringLiteral("sh ") + script + QStringLiteral(" {pdf}");
    }

    Workbook document(LibreOfficeOutput& output, const QString& text) {
        Workbook book = output.start(QStringLiteral("sample.xls"));
        book.sheet(1).setCell(9, "b", text);
        return book;
    }

    QString printedText(int n) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QDir(dir.path()).filePath(QStringLiteral("out/%1.pdf").arg(n)), QStringLiteral("-")});
        text.waitForFinished(60000);
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    int argc = 1;
    char name[16] = "print_queue";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir dir;
    OutputSettings settings;
    PrintReports reports;
    QList<int> pendingSeen;
    QStringList failures;
};

TEST_F(PrintQueueTest, jobsGoOutInOrderWithoutHoldingTheCallerAndNoneIsDroppedAtTheEnd) {
    const QString gate = QDir(dir.path()).filePath(QStringLiteral("go"));
    settings.printCommand = numberingCommand(gate);
    {
        LibreOfficeOutput output(settings);
        output.setPrintReports(reports);
        output.warmUp();
        for (int n = 1; n <= 3; ++n) {
            Workbook book = document(output, QStringLiteral("Документ номер %1").arg(n));
            // The print command waits for the gate, so print() has come back while its job is running.
            output.print(book);
            EXPECT_EQ(output.printsPending(), n);
        }
        EXPECT_EQ(pendingSeen, (QList<int>{1, 2, 3}));
        QFile(gate).open(QIODevice::WriteOnly);
        // The end of the run: the output goes only when its jobs are done.
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
    EXPECT_EQ(pendingSeen.last(), 0);
    for (int n = 0; n < 3; ++n)
        EXPECT_NE(printedText(n).indexOf(QStringLiteral("Документ номер %1").arg(n + 1)), -1) << n;
}

TEST_F(PrintQueueTest, aFailedJobIsReportedWithItsReasonAndADeadLibreOfficeIsStartedAgain) {
    // The print command fails, with its reason, while the file "fail" exists.
    const QString fail = QDir(dir.path()).filePath(QStringLiteral("fail"));
    settings.printCommand = numberingCommand({}, fail);
    LibreOfficeOutput output(settings);
    output.setPrintReports(reports);
    QFile(fail).open(QIODevice::WriteOnly);
    Workbook failing = document(output, QStringLiteral("Не напечатается"));
    output.print(failing);
    output.finishPrinting();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_NE(failures[0].indexOf(QStringLiteral("завершилась с кодом 3")), -1) << failures[0].toStdString();
    EXPECT_NE(failures[0].indexOf(QStringLiteral("принтер недоступен")), -1) << failures[0].toStdString();

    // The same LibreOffice stays for the next job; killed, it is started again for the one after.
    failures.clear();
    QFile::remove(fail);
    ASSERT_TRUE(output.printQueue().isWarm());
    const qint64 office = output.printQueue().officeProcessId();
    ASSERT_GT(office, 0);
    Workbook first = document(output, QStringLiteral("Первый"));
    output.print(first);
    output.finishPrinting();
    EXPECT_EQ(output.printQueue().officeProcessId(), office);

    // Its whole process group ended, and gone before the next job (a zombie is gone for good too).
    ASSERT_EQ(::kill(-static_cast<pid_t>(office), SIGKILL), 0) << std::strerror(errno);
    const auto alive = [office] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(office));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        const qsizetype end = fields.lastIndexOf(')');
        return end < 0 || fields.mid(end + 2, 1) != "Z";
    };
    for (QDeadlineTimer deadline(60000); alive() && !deadline.hasExpired();)
        QThread::msleep(20);
    ASSERT_FALSE(alive()) << "LibreOffice " << office << " did not end";
    Workbook second = document(output, QStringLiteral("Второй"));
    output.print(second);
    output.finishPrinting();
    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
    EXPECT_TRUE(output.printQueue().isWarm());
    EXPECT_NE(output.printQueue().officeProcessId(), office);
    EXPECT_NE(printedText(0).indexOf(QStringLiteral("Первый")), -1);
    EXPECT_NE(printedText(1).indexOf(QStringLiteral("Второй")), -1);
}

TEST_F(PrintQueueTest, withoutAWarmLibreOfficeEachJobStartsOneOfItsOwn) {
    settings.printCommand = numberingCommand();
    settings.python = QDir(dir.path()).filePath(QStringLiteral("no-python"));
    LibreOfficeOutput output(settings);
    output.setPrintReports(reports);
    Workbook book = document(output, QStringLiteral("Без UNO"));
    output.print(book);
    output.finishPrinting();
    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
    EXPECT_FALSE(output.printQueue().isWarm());
    EXPECT_NE(printedText(0).indexOf(QStringLiteral("Без UNO")), -1);
}

} // namespace
