#include "tests/support/workstation_fixture.h"

#include "data/connection.h"
#include "data/database_creation.h"

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
    createDatabase(database_);
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

Application& WorkstationTest::start(bool administrator) {
    app_ = std::make_unique<Application>(
        Services{&messages, &clock, nullptr, &opener, &spreadsheets, &questions}, administrator);
    return *app_;
}

} // namespace zorvel::test
