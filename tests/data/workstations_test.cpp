#include "tests/data/database_fixture.h"

#include "data/dataset.h"
#include "data/errors.h"
#include "data/query.h"
#include "data/tables.h"

namespace zorvel::test {
namespace {

// Two workstations on one database: each has its own connection and its one transaction.
class WorkstationsTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        connection().executeImmediate(QStringLiteral(
            "insert into prais (idp, kodgvv, name, summa) values (null, '1', 'Прием', '100')"));
        connection().commitRetaining();
        other = secondWorkstation();
    }
    int prices(Connection& c) {
        DataSet data(c, praisTable());
        data.open();
        return data.recordCount();
    }
    std::unique_ptr<Connection> other;
};

TEST_F(WorkstationsTest, committedWorkIsSeenAndUncommittedWorkIsNot) {
    EXPECT_EQ(prices(*other), 1);
    Query clear(connection());
    clear.setSql(QStringLiteral("delete from prais"));
    clear.execute();
    EXPECT_EQ(prices(connection()), 0);
    EXPECT_EQ(prices(*other), 1);
    connection().commitRetaining();
    EXPECT_EQ(prices(*other), 0);
}

TEST_F(WorkstationsTest, aWriteAgainstAnotherWorkstationsUncommittedChangeFailsAtOnce) {
    DataSet mine(connection(), praisTable());
    mine.open();
    mine.edit();
    mine.setFieldText("summa", "150");
    mine.post();

    DataSet theirs(*other, praisTable());
    theirs.open();
    theirs.edit();
    theirs.setFieldText("summa", "999");
    try {
        theirs.post();
        FAIL() << "the write should meet the lock";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isLockConflict()) << e.text().toStdString();
        EXPECT_EQ(errorMessage(e),
                  QStringLiteral("Данная запись редактируется, ее изменение Вам невозможно"));
    }
    EXPECT_EQ(theirs.state(), DataSet::State::Browse);
    EXPECT_EQ(theirs.fieldText("summa"), QStringLiteral("100"));

    // A delete meets the lock too and leaves the row in place.
    EXPECT_THROW(theirs.remove(), DbError);
    other->commitRetaining();
    connection().commitRetaining();
    theirs.close();
    theirs.open();
    EXPECT_EQ(theirs.recordCount(), 1);
    EXPECT_EQ(theirs.fieldText("summa"), QStringLiteral("150"));
}

} // namespace
} // namespace zorvel::test
