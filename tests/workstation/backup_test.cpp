#include "tests/support/workstation_fixture.h"

#include "data/backup_service.h"
#include "data/connection.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "data/tables.h"
#include "workstation/backup.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace zorvel::test {
namespace {

using BackupTest = WorkstationTest;

TEST_F(BackupTest, aBackupOfADatabaseInUseRestoresWithTheSameRowsAndIsNeverOverwritten) {
    prepare({"insert into people (ipeop, fam, ndog) values (null, 'Д''Артаньян', '1')",
             "insert into people (ipeop, fam, ndog) values (null, 'Портос', '2')"});
    Application& app = start();
    // Work in progress on the workstation while the backup runs: posted, not committed.
    DataSet& people = app.workstation().serviceRegister();
    people.insert();
    people.setFieldText("fam", "Арамис");
    people.post();

    const QDate today(2026, 12, 10);
    backUpDatabase(messages, today);
    ASSERT_EQ(messages.texts(), QStringList{"Спасибо за своевременное резервирование базы"});
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Уведомление"));
    QString backup = folder() + "/backup.fdb 10.12.2026";
    ASSERT_TRUE(QFileInfo(backup).isFile());
    QDateTime written = QFileInfo(backup).lastModified();
    qint64 size = QFileInfo(backup).size();

    messages.shown.clear();
    backUpDatabase(messages, today);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(messages.shown[0].text.contains(backup));
    EXPECT_EQ(QFileInfo(backup).lastModified(), written);
    EXPECT_EQ(QFileInfo(backup).size(), size);

    QString restored = folder() + "/restored.fdb";
    restoreDatabase(backup, restored);
    // The committed rows, not the uncommitted one: the copy is consistent.
    EXPECT_EQ(committedRows(restored, "select fam from people order by ipeop"),
              (QStringList{"Д'Артаньян", "Портос"}));
}

TEST_F(BackupTest, failuresAreReportedInsteadOfThanks) {
    struct Case {
        QString putIni;
        QString expected;
    } cases[] = {
        {"[Put]\n2=backup\n", "Не найден путь для сохранения"},
        {QStringLiteral("[Put]\n1=%1\n").arg(databasePath()), "Не задан путь для резервной копии"},
        {QStringLiteral("[Put]\n1=%1\n2=%2\n").arg(databasePath(), folder() + "/no/such/folder/copy"),
         "Резервное копирование не выполнено"},
        {QStringLiteral("[Put]\n1=%1\n2=%2\n").arg(folder() + "/missing.fdb", folder() + "/copy"),
         "Резервное копирование не выполнено"},
    };
    for (const Case& c : cases) {
        writePutIni(c.putIni);
        messages.shown.clear();
        backUpDatabase(messages, QDate(2026, 12, 10));
        ASSERT_EQ(messages.shown.size(), 1u) << c.putIni.toStdString();
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
        EXPECT_TRUE(messages.shown[0].text.startsWith(c.expected)) << messages.shown[0].text.toStdString();
    }
    // The failed backup of a missing database left no file that would refuse the day's next try.
    EXPECT_FALSE(QFileInfo::exists(folder() + "/copy 10.12.2026"));
}

QByteArray fingerprint(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Through a Firebird server the backup is written on the server's host; the loopback server of the test
// run writes into this test's folder, where the outcome can be seen.
TEST_F(BackupTest, throughTheServerASecondBackupOfTheDayIsRefusedWithoutTouchingTheFirst) {
    const QString host = qEnvironmentVariable("ZORVEL_TEST_SERVER");
    if (host.isEmpty())
        GTEST_SKIP() << "ZORVEL_TEST_SERVER is not set: no Firebird server to back up through";
    QFile::setPermissions(folder(), QFileDevice::Permissions(0x7777));
    const QString database = host + ':' + folder() + "/server.fdb";
    createDatabase(database);
    {
        Connection connection;
        connection.connect(database);
        connection.startTransaction();
        connection.executeImmediate(
            "insert into people (ipeop, fam, ndog) values (null, 'Д''Артаньян', '1')");
        connection.commit();
    }
    writePutIni(QStringLiteral("[Put]\n1=%1\n2=%2\n").arg(database, folder() + "/copy.fbk"));
    const QString backup = folder() + "/copy.fbk 10.12.2026";

    backUpDatabase(messages, QDate(2026, 12, 10));
    ASSERT_EQ(messages.texts(), QStringList{"Спасибо за своевременное резервирование базы"});
    ASSERT_TRUE(QFileInfo(backup).isFile());
    const QByteArray first = fingerprint(backup);
    const QDateTime written = QFileInfo(backup).lastModified();

    messages.shown.clear();
    backUpDatabase(messages, QDate(2026, 12, 10));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(messages.shown[0].text.startsWith("Резервная копия уже существует и не перезаписана"))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(backup));
    EXPECT_EQ(fingerprint(backup), first);
    EXPECT_EQ(QFileInfo(backup).lastModified(), written);

    // The copy is the database's: it restores through the server with its row.
    const QString restored = host + ':' + folder() + "/restored.fdb";
    restoreDatabase(backup, restored);
    EXPECT_EQ(committedRows(restored, "select fam from people order by ipeop"), QStringList{"Д'Артаньян"});

    // A file of that name that is no backup at all is left as it is too.
    const QString foreign = folder() + "/copy.fbk 11.12.2026";
    {
        QFile file(foreign);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("не копия");
    }
    messages.shown.clear();
    backUpDatabase(messages, QDate(2026, 12, 11));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Резервная копия уже существует и не перезаписана"))
        << messages.shown[0].text.toStdString();
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("не копия"));

    // A backup that fails leaves no file behind, so the day's backup can still be made.
    writePutIni(QStringLiteral("[Put]\n1=%1\n2=%2\n")
                    .arg(host + ':' + folder() + "/missing.fdb", folder() + "/copy.fbk"));
    messages.shown.clear();
    backUpDatabase(messages, QDate(2026, 12, 12));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Резервное копирование не выполнено"));
    EXPECT_FALSE(QFileInfo::exists(folder() + "/copy.fbk 12.12.2026"));

    // Where the server cannot take the name, the backup is refused rather than made unguarded.
    writePutIni(QStringLiteral("[Put]\n1=%1\n2=%2\n").arg(database, folder() + "/no/such/folder/copy.fbk"));
    messages.shown.clear();
    backUpDatabase(messages, QDate(2026, 12, 12));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Резервное копирование не выполнено"));
    EXPECT_TRUE(messages.shown[0].text.contains("нельзя убедиться")) << messages.shown[0].text.toStdString();
}

} // namespace
} // namespace zorvel::test
