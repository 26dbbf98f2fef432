#include "tests/data/database_fixture.h"

#include "data/dataset.h"
#include "data/tables.h"
#include "widgets/data_grid.h"
#include "workstation/services.h"

#include <QSignalSpy>
#include <QTest>

namespace zorvel::test {
namespace {

class NoMessages : public Messages {
public:
    void show(const QString& text, const QString&) override { shown << text; }
    QStringList shown;
};

class DataGridTest : public DatabaseTest {
protected:
    // What the grid shows in a column, row by row, against what the dataset holds.
    static void expectShowsTheDataSet(DataGrid& grid, const QString& field) {
        DataSetModel& model = grid.dataModel();
        DataSet& data = grid.dataSet();
        ASSERT_EQ(model.rowCount(), data.fetchedCount());
        int column = -1;
        for (int c = 0; c < model.columnCount(); ++c)
            if (!model.columnField(c).compare(field, Qt::CaseInsensitive))
                column = c;
        ASSERT_GE(column, 0);
        for (int r = 0; r < model.rowCount(); ++r)
            EXPECT_EQ(model.data(model.index(r, column), Qt::DisplayRole).toString(),
                      data.text(r, data.fieldIndex(field)))
                << "row " << r;
        EXPECT_EQ(grid.currentIndex().row(), data.currentRow());
    }
};

// The cashier's save cycle (a new row, posted to its place in the key's order, the register reopened and
// the saved row found) keeps the grid's rows in step with the register without rebuilding them: only the
// new row is added, and a reopen with as many rows repaints them. A dataset that stays closed empties the
// grid once the events run.
TEST_F(DataGridTest, aSaveCycleAddsOneRowAndAReopenWithAsManyRowsKeepsThem) {
    DataSet people(connection(), peopleTable());
    people.open();
    for (const char* name : {"Антонов", "Борисов", "Власов"}) {
        people.insert();
        people.setFieldText("fam", QString::fromUtf8(name));
        people.post();
    }
    NoMessages messages;
    DataGrid grid(people, {}, messages);
    DataSetModel& model = grid.dataModel();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    people.last();
    people.insert(); // before the last row, where the dataset stands
    people.setFieldText("fam", QStringLiteral("Григорьев"));
    expectShowsTheDataSet(grid, "fam");
    people.post(); // goes to the end, after Власов
    EXPECT_EQ(people.fieldText("fam"), QStringLiteral("Григорьев"));
    EXPECT_EQ(people.currentRow(), 3);
    expectShowsTheDataSet(grid, "fam");

    people.close();
    people.open();
    ASSERT_TRUE(people.locate("fam", {QStringLiteral("Григорьев")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid.currentIndex().row() == people.currentRow(); }, 5000));
    expectShowsTheDataSet(grid, "fam");
    EXPECT_EQ(inserted.size(), 1);
    EXPECT_EQ(removed.size(), 0);
    EXPECT_EQ(resets.size(), 0);

    // A cancelled new row and a deleted one: the grid stays where the dataset stands.
    people.locate("fam", {QStringLiteral("Борисов")});
    people.insert();
    people.cancel();
    EXPECT_EQ(people.fieldText("fam"), QStringLiteral("Борисов"));
    expectShowsTheDataSet(grid, "fam");
    people.remove();
    EXPECT_EQ(people.fieldText("fam"), QStringLiteral("Власов"));
    expectShowsTheDataSet(grid, "fam");

    people.close();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return model.rowCount() == 0 && grid.currentIndex().row() == -1; }, 5000));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
}

} // namespace
} // namespace zorvel::test
