// The change journal the database keeps: written by triggers in the same transaction as the change,
// whatever made it, and never edited.
#include "tests/data/database_fixture.h"
#include "tests/support/test_database.h"

#include "data/change_journal.h"
#include "data/database_creation.h"
#include "data/database_upgrade.h"
#include "data/dataset.h"
#include "data/errors.h"

namespace zorvel::test {
namespace {

// A database of either schema with the journal: the workstation's own has it from its creation, the
// long-lived one gets it from zorvel-upgrade.
class JournalTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (legacySchema()) {
            connection().commit();
            upgradeDatabase(databasePath());
            connection().startTransaction();
        }
    }
    // The entries after `afterId`, oldest first: "USER|TABLE|ACTION|CONTRACT|CHANGES".
    QStringList entries(Connection& through, int afterId = 0) {
        DataSet log(through, QStringLiteral("log"));
        log.replaceSelect(QStringLiteral("select user_name, table_name, action, coalesce(contract, ''), "
                                         "coalesce(changes, '') from change_log where id > %1 order by id")
                              .arg(afterId));
        QStringList list;
        for (; !log.atEnd(); log.next()) {
            QStringList values;
            for (int i = 0; i < 5; ++i)
                values << log.text(log.currentRow(), i);
            list << values.join(u'|');
        }
        return list;
    }
    QStringList entries() { return entries(connection()); }
    void run(const QString& sql) { connection().executeImmediate(sql); }
    QString lastKey() { return scalar(connection(), QStringLiteral("select max(ipeop) from people")); }
};

TEST_F(JournalTest, insertUpdateAndDeleteOfARegisterRowEachLeaveOneEntryWithTheirValues) {
    run(QStringLiteral(
        "insert into people (ipeop, fam, nam, data_usl, time_us, ndog, kodgvv, name, summa, kol, "
        "chopl) values (null, 'Д''Артаньян', 'Шарль', '05.03.2026', '09:07:03', '17', '28', "
        "'Тонометрия', '200', 2, '0')"));
    const QString key = lastKey();
    run(QStringLiteral("update people set summa = '250', kol = 3 where ipeop = ") + key);
    // Writing the same values again changes nothing: no entry.
    run(QStringLiteral("update people set summa = '250', fam = 'Д''Артаньян' where ipeop = ") + key);
    run(QStringLiteral("delete from people where ipeop = ") + key);
    EXPECT_EQ(
        entries(),
        (QStringList{"SYSDBA|PEOPLE|I|17|FAM: Д'Артаньян; NAM: Шарль; KODGVV: 28; DATA_USL: 05.03.2026; "
                     "NAME: Тонометрия; SUMMA: 200; TIME_US: 09:07:03; KOL: 2; CHOPL: 0",
                     "SYSDBA|PEOPLE|U|17|SUMMA: 200 -> 250; KOL: 2 -> 3",
                     "SYSDBA|PEOPLE|D|17|FAM: Д'Артаньян; NAM: Шарль; KODGVV: 28; DATA_USL: 05.03.2026; "
                     "NAME: Тонометрия; SUMMA: 250; TIME_US: 09:07:03; KOL: 3; CHOPL: 0"}));
    EXPECT_EQ(scalar(connection(), QStringLiteral("select count(distinct row_key) from change_log")), "1");
    EXPECT_EQ(scalar(connection(), QStringLiteral("select max(row_key) from change_log")), key);
}

TEST_F(JournalTest, everyJournaledTableIsFollowed) {
    run(QStringLiteral(
        "insert into prais (idp, kodgvv, name, summa) values (null, '28', 'Тонометрия', '200')"));
    run(QStringLiteral(
        "insert into peoplev (ipeop, fam, ndog, summa, kol) values (null, 'Петров', '5', '10', 1)"));
    run(QStringLiteral("insert into peoplecbux (ipeop, fam, ndog, organis, summa, kol) "
                       "values (null, 'Сидоров', '6', 'Н-ская таможня', '10', 1)"));
    run(QStringLiteral("insert into prihod (idp, datap, kod, name, summa, kol) "
                       "values (null, '05.03.2026', '973', 'Линза', '1500', 4)"));
    run(QStringLiteral("update otdel set name = name"));
    const QStringList all = entries();
    ASSERT_EQ(all.size(), 4) << all.join('\n').toStdString();
    EXPECT_TRUE(all[0] == "SYSDBA|PRAIS|I||NAME: Тонометрия; KODGVV: 28; SUMMA: 200") << all[0].toStdString();
    EXPECT_TRUE(all[1].startsWith("SYSDBA|PEOPLEV|I|5|FAM: Петров;")) << all[1].toStdString();
    EXPECT_TRUE(all[2].contains("ORGANIS: Н-ская таможня")) << all[2].toStdString();
    EXPECT_TRUE(all[3] == "SYSDBA|PRIHOD|I||DATAP: 05.03.2026; NAME: Линза; SUMMA: 1500; KOL: 4; KOD: 973")
        << all[3].toStdString();
}

TEST_F(JournalTest, aRolledBackChangeLeavesNoEntryAndACommittedOneKeepsIt) {
    run(QStringLiteral("insert into people (ipeop, fam, ndog) values (null, 'Иванов', '1')"));
    connection().commit();
    connection().startTransaction();
    {
        // A batch undone to its savepoint, then a whole transaction rolled back.
        Savepoint batch(connection());
        run(QStringLiteral("update people set chopl = '100'"));
        run(QStringLiteral("update people set prover = 'Да '"));
    }
    run(QStringLiteral("delete from people"));
    connection().rollback();
    connection().startTransaction();
    EXPECT_EQ(entries().size(), 1);
    EXPECT_EQ(scalar(connection(), QStringLiteral("select count(*) from people")), "1");
}

TEST_F(JournalTest, nobodyEditsOrDeletesAnEntrySysdbaIncluded) {
    run(QStringLiteral("insert into people (ipeop, fam, ndog) values (null, 'Иванов', '1')"));
    connection().commit();
    connection().startTransaction();
    for (const QString& sql : {QStringLiteral("update change_log set changes = 'ничего'"),
                               QStringLiteral("update change_log set user_name = 'KASSIR' where id > 0"),
                               QStringLiteral("delete from change_log")}) {
        try {
            run(sql);
            ADD_FAILURE() << sql.toStdString() << " was not refused";
        } catch (const DbError& error) {
            EXPECT_TRUE(error.text().contains("CHANGE_LOG_READ_ONLY")) << error.text().toStdString();
        }
    }
    // An entry typed by hand carries the database's own time, number and user whatever it says.
    run(QStringLiteral("insert into change_log (id, changed_at, user_name, table_name, action, changes) "
                       "values (1, '01.01.2000', 'KASSIR', 'PEOPLE', 'D', 'подлог')"));
    EXPECT_EQ(entries(), (QStringList{entries()[0], "SYSDBA|PEOPLE|D||подлог"}));
    EXPECT_EQ(scalar(connection(), QStringLiteral("select count(*) from change_log where id = 1")), "1");
    EXPECT_EQ(
        scalar(connection(),
               QStringLiteral("select count(*) from change_log where extract(year from changed_at) = 2000")),
        "0");
}

TEST_F(JournalTest, aChangeOnAnotherConnectionIsJournaledWithThatConnectionsUserAndHost) {
    run(QStringLiteral("insert into people (ipeop, fam, ndog, summa) values (null, 'Иванов', '1', '100')"));
    run(QStringLiteral("grant zorvel_cashier to kassir_petrova"));
    connection().commit();
    // The embedded engine takes the user name as given; a cashier's rights come with the role.
    Connection console(ConnectionSettings{QStringLiteral("KASSIR_PETROVA"), QStringLiteral("x"),
                                          QString::fromLatin1(kCashierRole)});
    console.connect(databasePath());
    console.startTransaction();
    console.executeImmediate(QStringLiteral("update people set summa = '1' where ndog = '1'"));
    console.commit();
    connection().startTransaction();
    EXPECT_EQ(entries().last(), QStringLiteral("KASSIR_PETROVA|PEOPLE|U|1|SUMMA: 100 -> 1"));
    // No server gives an address here: the workstation's host name told at connect.
    EXPECT_EQ(scalar(connection(),
                     QStringLiteral("select first 1 client_address from change_log order by id desc")),
              workstationHost());
    // The cashier does not read the journal.
    console.startTransaction();
    DataSet log(console, QStringLiteral("log"));
    EXPECT_THROW(log.replaceSelect(QStringLiteral("select count(*) from change_log")), DbError);
}

TEST_F(JournalTest, aChangesTextLongerThanItsColumnIsCutWithAMarkAndTheSaveGoesThrough) {
    // A hospital's own wide column, journaled like the others once the trigger is written anew.
    connection().commit();
    {
        Connection admin;
        admin.connect(databasePath());
        admin.startTransaction();
        admin.executeImmediate(QStringLiteral("alter table people add remark varchar(5000)"));
        admin.executeImmediate(QStringLiteral("drop trigger people_journal"));
        admin.commit();
        admin.startTransaction();
        EXPECT_EQ(addMissingJournalObjects(admin).size(), 1u);
        admin.commit();
    }
    connection().disconnect();
    connection().connect(databasePath());
    connection().startTransaction();
    run(QStringLiteral("insert into people (ipeop, fam, ndog) values (null, 'Иванов', '1')"));
    const QString longText = QString(4500, QChar(u'ж'));
    run(QStringLiteral("update people set remark = '%1', fam = 'Петров'").arg(longText));
    EXPECT_EQ(scalar(connection(), QStringLiteral("select fam from people")), "Петров");
    const QString changes = entries().last().section(u'|', 4);
    EXPECT_EQ(changes.size(), kJournalChangesWidth);
    EXPECT_TRUE(changes.startsWith(QStringLiteral("FAM: Иванов -> Петров; REMARK:  -> жжж")));
    EXPECT_TRUE(changes.endsWith(QString::fromUtf8(kJournalCutMark)));
}

TEST(JournalSchema, theNewDatabaseHasEveryListedObjectAndTheUpgradeAddsThemOnceToAHospitalsDatabase) {
    QTemporaryDir dir;
    const QString own = dir.filePath(QStringLiteral("own.fdb"));
    createDatabase(own);
    {
        Connection connection;
        connection.connect(own);
        EXPECT_TRUE(missingJournalObjects(connection).empty());
        EXPECT_TRUE(upgradeDatabase(own).empty());
    }
    const QString hospital = dir.filePath(QStringLiteral("hospital.fdb"));
    createDatabaseWithScript(hospital, legacySchemaScript());
    {
        Connection connection;
        connection.connect(hospital);
        EXPECT_EQ(missingJournalObjects(connection).size(), journalObjects().size());
        EXPECT_FALSE(journalKept(connection));
    }
    const UpgradeResult added = upgradeDatabase(hospital);
    EXPECT_EQ(added.journal.size(), journalObjects().size());
    EXPECT_EQ(added.indexes.size(), requiredIndexes().size());
    EXPECT_TRUE(upgradeDatabase(hospital).empty());
    Connection connection;
    connection.connect(hospital);
    EXPECT_TRUE(journalKept(connection));
    // CHAR columns are journaled without their padding.
    connection.startTransaction();
    connection.executeImmediate(
        QStringLiteral("insert into prihod (idp, datap, kod, kol) values (null, '05.03.2026', '7', 1)"));
    DataSet log(connection, QStringLiteral("log"));
    log.replaceSelect(QStringLiteral("select changes from change_log"));
    EXPECT_EQ(log.text(0, 0), QStringLiteral("DATAP: 05.03.2026; KOL: 1; KOD: 7"));
}

TEST(JournalSchema, anOverlongUserNameIsRefusedClearlyBeforeItReachesTheServer) {
    EXPECT_THROW(databaseParameters(ConnectionSettings{QString(300, u'A'), QStringLiteral("x"), {}}),
                 DataError);
    EXPECT_NO_THROW(databaseParameters(ConnectionSettings{QStringLiteral("O'BRIEN"), QString(), {}}));
}

} // namespace
} // namespace zorvel::test
