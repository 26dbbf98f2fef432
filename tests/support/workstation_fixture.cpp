#include "tests/support/workstation_fixture.h"

#include "data/connection.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "tests/support/test_database.h"

#include "app/main_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

namespace zorvel::test {

QStringList RecordingMessages::texts() const {
    QStringList list;
    for (const auto& m : shown)
        list << m.text;
    return list;
}

int RecordingQuestions::ask(const QString& text, const QString& caption, const QStringList& answers,
                            int defaultAnswer) {
    asked.push_back({text, caption, answers, defaultAnswer});
    if (script.empty())
        return defaultAnswer;
    const int answer = script.front();
    script.erase(script.begin());
    return answer;
}

void WorkstationTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    database_ = dir_.filePath(QStringLiteral("cash.fdb"));
    createTestDatabase(database_);
    // A commit trigger that refuses the commits of the attachments listed in COMMIT_REFUSED; a database
    // trigger is read when a connection attaches, so it is there before the workstation starts.
    static const char* const install[] = {
        "create table commit_refused (attachment numeric(18,0))",
        "create exception commit_refused 'Сервер не принял подтверждение транзакции'",
        "create trigger refuse_commit on transaction commit as begin "
        "if (exists(select * from commit_refused where attachment = current_connection)) then "
        "exception commit_refused; end",
    };
    for (const char* statement : install)
        prepare({QString::fromUtf8(statement)});
    writePutIni(
        QStringLiteral("[Put]\n1=%1\n2=%2\n").arg(database_, dir_.filePath(QStringLiteral("backup.fdb"))));
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
}

void WorkstationTest::TearDown() {
    app_.reset();
    QDir::setCurrent(previousDir_);
}

void WorkstationTest::writePutIni(const QString& text) {
    QFile file(dir_.filePath(QStringLiteral("put.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

void WorkstationTest::prepare(const QStringList& statements) {
    Connection connection;
    connection.connect(database_);
    connection.startTransaction();
    for (const QString& s : statements)
        connection.executeImmediate(s);
    connection.commit();
}

void WorkstationTest::refuseWorkstationCommits(bool on) {
    DataSet attachment(app_->workstation().connection(), QStringLiteral("attachment"));
    attachment.replaceSelect(QStringLiteral("select current_connection from rdb$database"));
    const QString id = attachment.text(0, 0);
    prepare({on ? QStringLiteral("insert into commit_refused values (%1)").arg(id)
                : QStringLiteral("delete from commit_refused")});
}

Application& WorkstationTest::start(bool administrator) {
    app_ = std::make_unique<Application>(Services{&messages, &clock, &files, &opener, &spreadsheets, &questions},
                                         administrator);
    // The contract number comes after the window is up; tests see the workstation once it is in place.
    waitForContractNumber();
    return *app_;
}

void WorkstationTest::waitForContractNumber() {
    waitForContractNumber(*app_);
}

void WorkstationTest::waitForContractNumber(Application& app) {
    MainWindow& window = app.mainWindow();
    QElapsedTimer waited;
    waited.start();
    while (window.contractNumberPending() && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_FALSE(window.contractNumberPending()) << "the contract number never came";
}

} // namespace zorvel::test
