// A hospital's database made before the workstation gets the indexes of its fast paths, and nothing else.
#include "tests/data/database_fixture.h"
#include "tests/support/committed_rows.h"
#include "tests/support/test_database.h"

#include "data/database_creation.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "data/required_indexes.h"
#include "data/tables.h"

#include <QFile>
#include <set>

namespace zorvel::test {
namespace {

QStringList descriptions(const std::vector<RequiredIndex>& indexes) {
    QStringList list;
    for (const RequiredIndex& i : indexes)
        list << i.description();
    return list;
}

// The indexes that no constraint made, as "NAME TABLE (COLUMNS)".
std::set<QString> userIndexes(Connection& connection) {
    DataSet indexes(connection, QStringLiteral("indexes"));
    indexes.replaceSelect(QStringLiteral(
        "select trim(i.rdb$index_name), trim(i.rdb$relation_name), coalesce(trim(s.rdb$field_name), ''), "
        "coalesce(i.rdb$index_type, 0), coalesce(cast(i.rdb$expression_source as varchar(1000)), '') "
        "from rdb$indices i left join rdb$index_segments s on s.rdb$index_name = i.rdb$index_name "
        "where coalesce(i.rdb$system_flag, 0) = 0 and i.rdb$relation_name <> 'CHANGE_LOG' and not exists (select * from rdb$relation_constraints c "
        "where c.rdb$index_name = i.rdb$index_name) order by 1, s.rdb$field_position"));
    std::map<QString, RequiredIndex> byName;
    for (; !indexes.atEnd(); indexes.next()) {
        const QString name = indexes.text(indexes.currentRow(), 0);
        RequiredIndex& index = byName[name];
        index.name = name;
        index.table = indexes.text(indexes.currentRow(), 1);
        if (!indexes.text(indexes.currentRow(), 2).isEmpty())
            index.columns << indexes.text(indexes.currentRow(), 2);
        index.descending = indexes.text(indexes.currentRow(), 3) == QLatin1String("1");
        QString expression = indexes.text(indexes.currentRow(), 4).trimmed().toUpper();
        if (expression.startsWith(u'(') && expression.endsWith(u')'))
            expression = expression.mid(1, expression.size() - 2).trimmed();
        index.expression = expression;
    }
    std::set<QString> result;
    for (const auto& [name, index] : byName)
        result.insert(name + u' ' + index.description());
    return result;
}

std::set<QString> requiredAsCreated() {
    std::set<QString> result;
    for (const RequiredIndex& i : requiredIndexes())
        result.insert(i.name + u' ' + i.description());
    return result;
}

TEST(RequiredIndexes, theSchemaScriptCreatesExactlyTheListedOnes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("own.fdb"));
    createDatabase(path);
    Connection connection;
    connection.connect(path);
    EXPECT_EQ(userIndexes(connection), requiredAsCreated());
    EXPECT_TRUE(missingIndexes(connection).empty());
}

// A long-lived database with years of rows and only its primary keys.
class UpgradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = dir_.filePath(QStringLiteral("hospital.fdb"));
        createDatabaseWithScript(path_, legacySchemaScript());
        Connection connection;
        connection.connect(path_);
        connection.startTransaction();
        for (int i = 0; i < 300; ++i)
            connection.executeImmediate(
                QStringLiteral(
                    "insert into people (ipeop, fam, ndog, data_usl, time_us, kodgvv, summa, kol) "
                    "values (null, 'Д''Артаньян %1', '%2', '0%3.03.2026', '09:00:%4', '29', '350', 1)")
                    .arg(i)
                    .arg(i / 3)
                    .arg(i % 9 + 1)
                    .arg(i % 60, 2, 10, QChar('0')));
        connection.commit();
    }
    // Every row of the register and the receipts, as text, so that a change to any value shows.
    QStringList contents() {
        QStringList rows;
        for (const char* select : {"select * from people order by ipeop", "select * from prihod order by idp",
                                   "select * from peoplecbux order by ipeop"})
            rows << committedRows(path_, QString::fromLatin1(select));
        return rows;
    }
    QStringList missing() {
        Connection connection;
        connection.connect(path_);
        return descriptions(missingIndexes(connection));
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(UpgradeTest, addsTheMissingIndexesOnceWithoutTouchingARow) {
    EXPECT_EQ(missing(), descriptions(requiredIndexes()));
    const QStringList before = contents();
    EXPECT_EQ(descriptions(addMissingIndexes(path_)), descriptions(requiredIndexes()));
    EXPECT_TRUE(missing().isEmpty());
    EXPECT_EQ(contents(), before);
    // A second run finds nothing to do.
    EXPECT_TRUE(addMissingIndexes(path_).empty());
    Connection connection;
    connection.connect(path_);
    EXPECT_EQ(userIndexes(connection), requiredAsCreated());
}

TEST_F(UpgradeTest, anIndexTheHospitalMadeItselfServesUnderItsOwnName) {
    {
        Connection connection;
        connection.connect(path_);
        connection.startTransaction();
        connection.executeImmediate(QStringLiteral("create index people_by_contract on people (ndog, fam)"));
        connection.commit();
    }
    QStringList expected = descriptions(requiredIndexes());
    expected.removeAll(QStringLiteral("PEOPLE (NDOG)"));
    EXPECT_EQ(descriptions(addMissingIndexes(path_)), expected);
    EXPECT_TRUE(missing().isEmpty());
}

TEST_F(UpgradeTest, anotherWorkstationsPendingWorkOnTheRegisterStopsItAndNothingIsAdded) {
    // A cashier's row posted and not yet committed: the server will not index the table under it.
    Connection cashier;
    cashier.connect(path_);
    cashier.startTransaction();
    DataSet people(cashier, peopleTable());
    people.open();
    people.insert();
    people.setFieldText(QStringLiteral("fam"), QStringLiteral("Петров"));
    people.post();
    try {
        addMissingIndexes(path_);
        FAIL() << "the indexes were added under another workstation's pending row";
    } catch (const DataError& e) {
        EXPECT_TRUE(
            e.text().startsWith(QStringLiteral("Индексы не добавлены: к базе подключены другие рабочие "
                                               "места (1")))
            << e.what();
    }
    EXPECT_EQ(missing(), descriptions(requiredIndexes()));
    // The cashier's work goes on and is kept.
    cashier.commitRetaining();
    people.close();
    cashier.disconnect();
    EXPECT_TRUE(contents().join(u'\n').contains(QStringLiteral("|Петров|")));
    EXPECT_EQ(addMissingIndexes(path_).size(), requiredIndexes().size());
}

TEST(ServerUpgrade, aDatabaseOnTheServerIsUpgradedByItsServerName) {
    QString host = qEnvironmentVariable("ZORVEL_TEST_SERVER");
    if (host.isEmpty())
        GTEST_SKIP() << "ZORVEL_TEST_SERVER is not set: no Firebird server to connect to";
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const QString name = host + ':' + dir.filePath("server.fdb");
    createDatabaseWithScript(name, legacySchemaScript());
    EXPECT_EQ(addMissingIndexes(name).size(), requiredIndexes().size());
    EXPECT_TRUE(addMissingIndexes(name).empty());
}

} // namespace
} // namespace zorvel::test
