#pragma once

#include "app/application.h"
#include "spreadsheet/recording_output.h"
#include "tests/support/committed_rows.h"
#include "tests/support/print_to.h"
#include "workstation/services.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace zorvel::test {

// Records messages instead of showing boxes.
class RecordingMessages : public Messages {
public:
    struct Message {
        QString text;
        QString caption;
    };
    void show(const QString& text, const QString& caption) override { shown.push_back({text, caption}); }
    QStringList texts() const;
    std::vector<Message> shown;
};

// Answers every file question with `path` (empty: the user cancelled).
class ChosenFile : public FileChooser {
public:
    QString openFile(const QString&, const QString&) override {
        ++asked;
        return path;
    }
    QString path;
    int asked = 0;
};

// Records each question and answers it at once: with the next scripted answer, else the default one.
class RecordingQuestions : public Questions {
public:
    struct Question {
        QString text;
        QString caption;
        QStringList answers;
        int defaultAnswer = 0;
    };
    int ask(const QString& text, const QString& caption, const QStringList& answers,
            int defaultAnswer) override;
    std::vector<Question> asked;
    std::vector<int> script;
};

class FixedClock : public Clock {
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 3, 5), QTime(9, 7, 3)};
};

class RecordingOpener : public DocumentOpener {
public:
    void open(const QString& path) override { opened << path; }
    QStringList opened;
};

// A whole workstation on a fresh embedded database, started from a put.ini in a temporary working folder.
class WorkstationTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString folder() const { return dir_.path(); }
    QString databasePath() const { return database_; }
    void writePutIni(const QString& text);
    // Runs SQL on the database before the workstation starts (a connection of its own, committed).
    void prepare(const QStringList& statements);
    // While on, the server refuses every commit of the started workstation's transaction (a commit trigger
    // raises), as when its commit fails; its posted work stays in the open transaction.
    void refuseWorkstationCommits(bool on);
    // Builds the sixteen windows and connects, as the program does at start.
    Application& start(bool administrator = false);
    Application& app() { return *app_; }
    // Spins the event loop until the main window has its contract number (start() does it).
    void waitForContractNumber();
    static void waitForContractNumber(Application& app);
    // Ends the run as closing the main window does: windows go, the transaction is committed.
    void stop() { app_.reset(); }
    template <typename T> T* find(const char* objectName, int window = 1) {
        return app_->window(window)->findChild<T*>(QString::fromLatin1(objectName));
    }

    RecordingMessages messages;
    RecordingQuestions questions;
    FixedClock clock;
    RecordingOpener opener;
    ChosenFile files;
    // Workbooks started from the built templates beside the test executable, recorded when shown,
    // printed or saved.
    RecordingOutput spreadsheets;

private:
    QTemporaryDir dir_;
    QString database_;
    QString previousDir_;
    std::unique_ptr<Application> app_;
};

} // namespace zorvel::test
