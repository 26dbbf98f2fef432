#include "tests/support/workstation_fixture.h"

#include "app/guarded_application.h"
#include "app/main_window.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "widgets/data_grid.h"

#include <QCoreApplication>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace zorvel::test {
namespace {

class EventLoopErrorsTest : public WorkstationTest {
protected:
    void SetUp() override {
        WorkstationTest::SetUp();
        guarded()->setMessages(&messages);
    }
    void TearDown() override {
        guarded()->setMessages(nullptr);
        WorkstationTest::TearDown();
    }
    static GuardedApplication* guarded() {
        return static_cast<GuardedApplication*>(QCoreApplication::instance());
    }
    // Runs the event loop until `count` messages were shown, or five seconds passed.
    void waitForMessages(size_t count) {
        static_cast<void>(QTest::qWaitFor([&] { return messages.shown.size() >= count; }, 5000));
    }
    QString count(const QString& sql) { return committedRows(databasePath(), sql).value(0); }
};

// A timer's tick or a signal's handler that throws ends only its event: the error is shown by the rules of
// every command, the run goes on, and rows posted before it are kept.
TEST_F(EventLoopErrorsTest, anErrorOfATimerOrASignalIsShownAndTheRunGoesOnWithItsWork) {
    Application& app = start();
    DataSet& reg = app.workstation().serviceRegister();
    reg.insert();
    reg.setFieldText(QStringLiteral("FAM"), QStringLiteral("Сохранённый"));
    reg.post();
    messages.shown.clear();
    QTimer::singleShot(0,
                       [] { throw DbError(QStringLiteral("conversion error from string \"x\""), 0, false); });
    QTimer::singleShot(
        0, [] { throw DbError(QStringLiteral("lock conflict on no wait transaction"), 0, true); });
    QTimer::singleShot(0, [] { throw DataError(QStringLiteral("pFIBDataSet2: поле 'X' не найдено")); });
    waitForMessages(3);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("conversion error from string \"x\""));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("Данная запись редактируется, ее изменение Вам невозможно"));
    EXPECT_EQ(messages.shown[2].text, QStringLiteral("pFIBDataSet2: поле 'X' не найдено"));
    // Still running, the posted row is there and becomes permanent when the run ends.
    EXPECT_EQ(reg.fieldText(QStringLiteral("FAM")), QStringLiteral("Сохранённый"));
    stop();
    EXPECT_EQ(count(QStringLiteral("select count(*) from people where fam = 'Сохранённый'")),
              QStringLiteral("1"));
}

// A select whose later rows cannot be converted fails while the grid scrolls to them: the grid shows the
// server's error once and stays usable.
TEST_F(EventLoopErrorsTest, aGridWhoseLaterRowsCannotBeReadShowsTheErrorOnce) {
    prepare({"execute block as declare i integer = 0; begin while (i < 1000) do begin "
             "insert into people (ipeop, ndog) values (null, iif(:i = 600, 'x', :i)); i = i + 1; end end"});
    Application& app = start();
    DataSet& numbers = app.workstation().scratch7();
    numbers.replaceSelect(QStringLiteral("select cast(ndog as integer) as n from people order by ipeop"));
    DataGrid grid(numbers, {{QStringLiteral("N"), QStringLiteral("№")}}, messages);
    grid.show();
    messages.shown.clear();
    for (int i = 0; i < 10 && grid.dataModel().canFetchMore({}); ++i)
        grid.dataModel().fetchMore({});
    waitForMessages(1);
    ASSERT_EQ(messages.shown.size(), 1u) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("conversion")))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(grid.dataModel().hasFailed());
    EXPECT_EQ(grid.dataModel().data(grid.dataModel().index(5, 0), Qt::DisplayRole).toString(), QString());
    // Opened again on rows that can be read, the grid shows them.
    numbers.replaceSelect(QStringLiteral("select ndog as n from people order by ipeop"));
    EXPECT_FALSE(grid.dataModel().hasFailed());
    EXPECT_EQ(grid.dataModel().data(grid.dataModel().index(5, 0), Qt::DisplayRole).toString(),
              QStringLiteral("5"));
}

// The workstation's attachment is dropped by the server (an administrator ends it), and the cashier moves
// the register grid to a row it has not read yet (the register read its first and last rows only): the
// move tells the error once, the register stays where it stood, and the program keeps running.
TEST_F(EventLoopErrorsTest, theRegisterGridLosingItsConnectionOnAMoveThatMustReadShowsTheErrorOnce) {
    prepare({"execute block as declare i integer = 0; begin while (i < 5000) do begin "
             "insert into people (ipeop, fam, ndog) values (null, 'Пациент' || :i, :i); i = i + 1; end end"});
    Application& app = start();
    MainWindow& window = app.mainWindow();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.findChild<QTabWidget*>(QStringLiteral("sPageControl1"))->setCurrentIndex(1);
    auto* grid = window.findChild<DataGrid*>(QStringLiteral("DBGrid2"));
    ASSERT_NE(grid, nullptr);
    DataSet& reg = app.workstation().serviceRegister();
    ASSERT_EQ(grid->model()->rowCount(), 5000);
    grid->setCurrentIndex(grid->model()->index(10, 0));
    ASSERT_EQ(reg.currentRow(), 10);
    ASSERT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    {
        Connection administrator;
        administrator.connect(databasePath());
        administrator.startTransaction();
        administrator.executeImmediate(
            QStringLiteral("delete from mon$attachments where mon$attachment_id <> current_connection"));
        administrator.commit();
    }
    grid->setCurrentIndex(grid->model()->index(2500, 0));
    waitForMessages(1);
    ASSERT_EQ(messages.shown.size(), 1u) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
    EXPECT_EQ(reg.currentRow(), 10);
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace zorvel::test
