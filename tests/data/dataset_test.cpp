#include "tests/data/database_fixture.h"

#include "data/dataset.h"
#include "data/errors.h"
#include "data/filter.h"
#include "data/tables.h"

namespace zorvel::test {
namespace {

class DataSetTest : public DatabaseTest {
protected:
    void addPrice(const QString& number, const QString& name) {
        connection().executeImmediate(
            QStringLiteral("insert into prais (idp, kodgvv, name, summa) values (null, '%1', %2, '100')")
                .arg(number, quotedValue(name)));
    }
    // Many register rows at once, on the server.
    void addPeople(int count) {
        connection().executeImmediate(
            QStringLiteral("execute block as declare i integer = 0; begin while (i < %1) do begin "
                           "insert into people (ipeop, fam, data_usl, time_us, kol) values (null, 'Пациент' "
                           "|| :i, '01.03.2026', "
                           "'10:' || :i, 1); i = i + 1; end end")
                .arg(count));
    }
    QStringList column(DataSet& data, const QString& field) {
        QStringList values;
        for (data.first(); !data.atEnd(); data.next())
            values << data.fieldText(field);
        return values;
    }
};

TEST_F(DataSetTest, emptyTextIsStoredAsNullAndReadsBackEmpty) {
    DataSet people(connection(), peopleTable());
    people.open();
    EXPECT_TRUE(people.atEnd());
    people.insert();
    people.setFieldText(QStringLiteral("fam"), QStringLiteral("Иванов"));
    people.setFieldText(QStringLiteral("SERIA"), QString());
    people.setFieldText(QStringLiteral("kol"), QString());
    people.post();
    EXPECT_EQ(scalar(connection(),
                     QStringLiteral("select count(*) from people where seria is null and kol is null")),
              QStringLiteral("1"));
    people.close();
    people.open();
    EXPECT_EQ(people.fieldText(QStringLiteral("seria")), QString());
    EXPECT_EQ(people.fieldText(QStringLiteral("KOL")), QString());
    EXPECT_EQ(people.fieldText(QStringLiteral("Fam")), QStringLiteral("Иванов"));
    EXPECT_THROW(people.fieldText(QStringLiteral("nosuch")), DataError);
}

TEST_F(DataSetTest, aQuantityThatIsNotAWholeNumberIsRefusedAndTheNewRowCancelled) {
    DataSet people(connection(), peopleTable());
    people.open();
    people.insert();
    EXPECT_THROW(people.setFieldText(QStringLiteral("KOL"), QStringLiteral("1.5")), DataError);
    EXPECT_THROW(people.setFieldText(QStringLiteral("KOL"), QStringLiteral("2a")), DataError);
    people.cancel();
    EXPECT_EQ(people.state(), DataSet::State::Browse);
    EXPECT_EQ(people.recordCount(), 0);
}

TEST_F(DataSetTest, aRowTheServerRefusesIsNotLeftPendingNorSaved) {
    DataSet people(connection(), peopleTable());
    people.open();
    people.insert();
    people.setFieldText(QStringLiteral("FAM"), QString(300, QChar(u'Я')));
    EXPECT_THROW(people.post(), DbError);
    EXPECT_EQ(people.state(), DataSet::State::Browse);
    EXPECT_EQ(people.recordCount(), 0);
    connection().commitRetaining();
    people.close();
    people.open();
    EXPECT_EQ(people.recordCount(), 0);
}

TEST_F(DataSetTest, theSaveCycleFindsTheNewRowAmongThousands) {
    addPeople(3000);
    connection().commitRetaining();
    DataSet people(connection(), peopleTable());
    people.open();
    people.insert();
    people.setFieldText(QStringLiteral("fam"), QStringLiteral("Д'Артаньян"));
    people.setFieldText(QStringLiteral("data_usl"), QStringLiteral("02.03.2026"));
    people.setFieldText(QStringLiteral("time_us"), QStringLiteral("11:12:13"));
    people.setFieldText(QStringLiteral("kol"), QStringLiteral("2"));
    people.post();
    connection().commitRetaining();
    people.close();
    people.open();
    ASSERT_TRUE(people.locate(QStringLiteral("data_usl;time_us"), {"02.03.2026", "11:12:13"}));
    EXPECT_EQ(people.fieldText(QStringLiteral("fam")), QStringLiteral("Д'Артаньян"));
    EXPECT_FALSE(people.fieldText(QStringLiteral("ipeop")).isEmpty());
    EXPECT_EQ(people.recordCount(), 3001);
    // Locate compares the beginning of the text and respects case; no match leaves the row where it was.
    ASSERT_TRUE(people.locate(QStringLiteral("FAM"), {"Пациент299"}));
    EXPECT_EQ(people.fieldText(QStringLiteral("fam")), QStringLiteral("Пациент299"));
    int row = people.currentRow();
    EXPECT_FALSE(people.locate(QStringLiteral("fam"), {"пациент"}));
    EXPECT_EQ(people.currentRow(), row);
    // A beginning finds the row, from wherever the cursor stands: a name cut short, a time without its
    // seconds (padded in a CHAR column, whole in a VARCHAR one).
    people.first();
    ASSERT_TRUE(people.locate(QStringLiteral("fam"), {"Д'Арт"}));
    EXPECT_EQ(people.fieldText(QStringLiteral("fam")), QStringLiteral("Д'Артаньян"));
    people.first();
    ASSERT_TRUE(people.locate(QStringLiteral("data_usl;time_us"), {"02.03", "11:12"}));
    EXPECT_EQ(people.fieldText(QStringLiteral("time_us")), QStringLiteral("11:12:13"));
}

// Rows join a large register before the fetch reaches them (a new row, a row found on the server): each
// row still shows exactly once.
TEST_F(DataSetTest, rowsPlacedAheadOfTheFetchAreNotSeenTwice) {
    addPeople(3000);
    connection().commitRetaining();
    DataSet people(connection(), peopleTable());
    people.open();
    ASSERT_LT(people.fetchedCount(), 3000);
    ASSERT_TRUE(people.locate(QStringLiteral("fam"), {"Пациент2999"}));
    EXPECT_EQ(people.fieldText(QStringLiteral("fam")), QStringLiteral("Пациент2999"));
    people.insert();
    people.setFieldText(QStringLiteral("fam"), QStringLiteral("Новый"));
    people.post();
    QStringList names = column(people, QStringLiteral("fam"));
    EXPECT_EQ(names.size(), 3001);
    EXPECT_EQ(names.count(QStringLiteral("Пациент2999")), 1);
    EXPECT_EQ(names.count(QStringLiteral("Новый")), 1);
    EXPECT_EQ(people.recordCount(), 3001);
}

TEST_F(DataSetTest, filtersMatchPrefixesAndWholeTextsWithCaseRespected) {
    addPrice(QStringLiteral("3"), QStringLiteral("Три"));
    addPrice(QStringLiteral("13"), QStringLiteral("Тринадцать"));
    addPrice(QStringLiteral("30"), QStringLiteral("Тридцать"));
    addPrice(QStringLiteral("301"), QStringLiteral("Д'Артаньян"));
    addPrice(QStringLiteral("4"), QStringLiteral("д'артаньян"));
    DataSet prices(connection(), praisTable());
    prices.open();
    struct Case {
        QString filter;
        QStringList numbers;
    } cases[] = {
        {QStringLiteral("kodgvv= '3*'"), {"3", "30", "301"}},
        {prefixTerm(QStringLiteral("kodgvv"), QStringLiteral("30")), {"30", "301"}},
        {prefixTerm(QStringLiteral("kodgvv"), QString()), {"3", "13", "30", "301", "4"}},
        {QStringLiteral("kodgvv='3'"), {"3"}},
        {equalsTerm(QStringLiteral("name"), QStringLiteral("Д'Артаньян")), {"301"}},
        {equalsTerm(QStringLiteral("name"), QStringLiteral("Д'Артаньян")) + " and " +
             equalsTerm(QStringLiteral("kodgvv"), QStringLiteral("4")),
         {}},
        {QStringLiteral("name='Три' and kodgvv= '3*'"), {"3"}},
        {QStringLiteral("name='три'"), {}},
    };
    prices.setFiltered(true);
    for (const Case& c : cases) {
        prices.setFilterText(c.filter);
        EXPECT_EQ(column(prices, QStringLiteral("kodgvv")), c.numbers) << c.filter.toStdString();
        EXPECT_EQ(prices.recordCount(), c.numbers.size()) << c.filter.toStdString();
    }
    // The filter stays set across close and open; switched off, every row shows again.
    prices.setFilterText(QStringLiteral("kodgvv= '3*'"));
    prices.close();
    prices.open();
    EXPECT_EQ(prices.recordCount(), 3);
    prices.setFiltered(false);
    EXPECT_EQ(prices.recordCount(), 5);
    // A filter that cannot be used is refused and the rows stay as they were.
    prices.setFilterText(QStringLiteral("kodgvv=3"));
    EXPECT_THROW(prices.setFiltered(true), DataError);
    EXPECT_FALSE(prices.isFiltered());
    EXPECT_EQ(prices.recordCount(), 5);
}

TEST_F(DataSetTest, aDeletedReceiptStaysDeletedAfterReopen) {
    DataSet receipts(connection(), prihodTable());
    receipts.open();
    for (const char* name : {"Линза", "Пломба"}) {
        receipts.insert();
        receipts.setFieldText(QStringLiteral("name"), QString::fromUtf8(name));
        receipts.setFieldText(QStringLiteral("kol"), QStringLiteral("3"));
        receipts.post();
    }
    ASSERT_TRUE(receipts.locate(QStringLiteral("name"), {"Линза"}));
    receipts.remove();
    EXPECT_EQ(receipts.recordCount(), 1);
    receipts.close();
    receipts.open();
    EXPECT_EQ(column(receipts, QStringLiteral("name")), QStringList{"Пломба"});
}

TEST_F(DataSetTest, anEditIsWrittenThroughTheUpdateStatement) {
    addPrice(QStringLiteral("5"), QStringLiteral("Пять"));
    DataSet prices(connection(), praisTable());
    prices.open();
    prices.edit();
    prices.setFieldText(QStringLiteral("summa"), QStringLiteral("250.50"));
    prices.post();
    EXPECT_EQ(scalar(connection(), QStringLiteral("select summa from prais")), QStringLiteral("250.50"));
    EXPECT_EQ(prices.fieldText(QStringLiteral("summa")), QStringLiteral("250.50"));
}

TEST_F(DataSetTest, aSavepointUndoesTheWholeBatchWhenOneStepFails) {
    addPeople(3);
    DataSet people(connection(), peopleTable());
    people.open();
    try {
        Savepoint batch(connection());
        for (people.first(); !people.atEnd(); people.next()) {
            people.edit();
            // The third row gets a value too long for its column and the server refuses it.
            people.setFieldText(QStringLiteral("seria"),
                                people.currentRow() == 2 ? QStringLiteral("123456") : QStringLiteral("1234"));
            people.post();
        }
        batch.release();
        FAIL() << "the batch should have failed";
    } catch (const DbError&) {
    }
    EXPECT_EQ(scalar(connection(), QStringLiteral("select count(*) from people where seria is not null")),
              QStringLiteral("0"));
}

TEST_F(DataSetTest, operationsOnAClosedOrReadOnlyDataSetAreRefused) {
    DataSet people(connection(), peopleTable());
    EXPECT_THROW(people.fieldText(QStringLiteral("fam")), DataError);
    EXPECT_THROW(people.insert(), DataError);
    DataSet scratch(connection(), QStringLiteral("pFIBDataSet6"));
    EXPECT_THROW(scratch.open(), DataError);
    scratch.replaceSelect(QStringLiteral("select fam from people"));
    EXPECT_THROW(scratch.insert(), DataError);
    EXPECT_THROW(scratch.replaceSelect(QStringLiteral("select nosuch from people")), DbError);
}

} // namespace
} // namespace zorvel::test
