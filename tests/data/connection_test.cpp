#include "tests/data/database_fixture.h"

#include "data/database_creation.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "data/tables.h"

#include <QFile>

namespace zorvel::test {
namespace {

TEST(Connection, badDatabaseNamesAreReportedAndLeaveTheConnectionClosed) {
    QTemporaryDir dir;
    QString notADatabase = dir.filePath("notes.fdb");
    QFile file(notADatabase);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(20000, 'x'));
    file.close();

    for (const QString& name :
         {dir.filePath("missing.fdb"), notADatabase, QStringLiteral("127.0.0.1/1:/tmp/none.fdb")}) {
        Connection connection;
        try {
            connection.connect(name);
            FAIL() << "connected to " << name.toStdString();
        } catch (const DbError& e) {
            EXPECT_FALSE(e.text().isEmpty());
            EXPECT_FALSE(e.isLockConflict());
        }
        EXPECT_FALSE(connection.isConnected());
        EXPECT_THROW(connection.startTransaction(), DataError);
        DataSet people(connection, peopleTable());
        EXPECT_THROW(people.open(), DataError);
    }
}

TEST(Connection, errorsReadAsTheUserSeesThem) {
    EXPECT_EQ(errorMessage(DbError("lock conflict on no wait transaction", 335544345, true)),
              QStringLiteral("Данная запись редактируется, ее изменение Вам невозможно"));
    EXPECT_EQ(errorMessage(DbError("Dynamic SQL Error", 335544569, false)),
              QStringLiteral("Dynamic SQL Error"));
    EXPECT_EQ(errorMessage(DataError("Поле 'X' не найдено")), QStringLiteral("Поле 'X' не найдено"));
}

using ConnectionTest = DatabaseTest;

TEST_F(ConnectionTest, aRefusedStatementKeepsTheTransactionUsable) {
    EXPECT_THROW(connection().executeImmediate(QStringLiteral("delete from nosuchtable")), DbError);
    connection().executeImmediate(
        QStringLiteral("insert into otdel (id_o, name, kod) values (null, 'Кабинет', '1')"));
    connection().commitRetaining();
    EXPECT_EQ(scalar(connection(), QStringLiteral("select name from otdel")), QStringLiteral("Кабинет"));
}

// Several workstations share a database through a Firebird server; the run starts one on loopback.
TEST(ServerConnection, aWorkstationWorksThroughTheServerOnLoopback) {
    QString host = qEnvironmentVariable("ZORVEL_TEST_SERVER");
    if (host.isEmpty())
        GTEST_SKIP() << "ZORVEL_TEST_SERVER is not set: no Firebird server to connect to";
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    QString name = host + ':' + dir.filePath("server.fdb");
    createDatabase(name);
    {
        Connection connection;
        connection.connect(name);
        connection.startTransaction();
        DataSet people(connection, peopleTable());
        people.open();
        people.insert();
        people.setFieldText("fam", QStringLiteral("Д'Артаньян"));
        people.post();
        connection.commitRetaining();
    }
    Connection other;
    other.connect(name);
    DataSet people(other, peopleTable());
    people.open();
    ASSERT_FALSE(people.atEnd());
    EXPECT_EQ(people.fieldText("fam"), QStringLiteral("Д'Артаньян"));
}

} // namespace
} // namespace zorvel::test
