#include "tests/support/workstation_fixture.h"

#include "workstation/backup.h"
#include "data/backup_service.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/tables.h"

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
    Connection check;
    check.connect(restored);
    DataSet rows(check, peopleTable());
    rows.open();
    QStringList names;
    for (; !rows.atEnd(); rows.next())
        names << rows.fieldText("fam");
    // The committed rows, not the uncommitted one: the copy is consistent.
    EXPECT_EQ(names, (QStringList{"Д'Артаньян", "Портос"}));
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
}

} // namespace
} // namespace zorvel::test
