#include "tests/support/workstation_fixture.h"

#include "tests/support/test_database.h"

#include "app/main_window.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/required_indexes.h"
#include "data/tables.h"
#include "spreadsheet/template_directory.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableView>
#include <QTimer>
#include <QTimerEvent>

namespace zorvel::test {
namespace {

using StartupTest = WorkstationTest;

// The walk for the contract number leaves the register on its last record, or on the record whose number
// is not a whole number, so that "Печать" right after start takes the newest contract.
TEST_F(StartupTest, connectsOpensTheSixDataSetsAndProposesTheNextContractNumber) {
    struct Case {
        QStringList numbers;
        QString proposal;
        QStringList messages;
        int currentRow;
    } cases[] = {
        {{}, "1", {}, -1},
        {{"'7'", "NULL", "'12'"}, "13", {}, 2},
        {{"'7'", "'12a'", "'15'"}, "", {"Неверный формат номера по порядку 12a"}, 1},
        // Written otherwise than plain digits: judged one by one as the field judges a number.
        {{"'007'", "'9'", "'-3'"}, "10", {}, 2},
        {{"'5'", "'1.5'", "'3'"}, "", {"Неверный формат номера по порядку 1.5"}, 1},
    };
    for (const Case& c : cases) {
        prepare({"delete from people"});
        for (const QString& n : c.numbers)
            prepare({QStringLiteral("insert into people (ipeop, ndog) values (null, %1)").arg(n)});
        messages.shown.clear();
        Application& app = start();
        EXPECT_EQ(app.mainWindow().windowTitle(),
                  QStringLiteral("Зорвель 1.0 Подключенная база:") + databasePath());
        EXPECT_EQ(find<QLineEdit>("sEdit20")->text(), c.proposal);
        EXPECT_EQ(messages.texts(), c.messages);
        Workstation& w = app.workstation();
        for (DataSet* d : {&w.prices(), &w.serviceRegister(), &w.departments(), &w.clientRegister(),
                           &w.refundedRegister(), &w.receipts()})
            EXPECT_TRUE(d->isOpen()) << d->name().toStdString();
        EXPECT_EQ(w.serviceRegister().currentRow(), c.currentRow) << c.numbers.join(',').toStdString();
    }
}

TEST_F(StartupTest, aDatabaseWithoutTheIndexesWorksAndTheStatusLineSaysWhatToRun) {
    // As a hospital's own database comes: the register without its contract and saved-row indexes.
    if (!legacySchema())
        prepare({"drop index people_ndog", "drop index people_saved"});
    prepare({"insert into people (ipeop, ndog, data_usl, time_us) values (null, '41', '05.03.2026', "
             "'08:00:00')"});
    Application& app = start();
    EXPECT_EQ(app.mainWindow().windowTitle(),
              QStringLiteral("Зорвель 1.0 Подключенная база:") + databasePath());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(find<QLineEdit>("sEdit20")->text(), QStringLiteral("42"));
    auto* notice = find<QLabel>("indexNotice");
    ASSERT_NE(notice, nullptr);
    QStringList every;
    for (const RequiredIndex& index : requiredIndexes())
        every << index.description();
    // The long-lived database lacks every one of them.
    const QString missing = legacySchema() ? every.join(QStringLiteral(", "))
                                           : QStringLiteral("PEOPLE (DATA_USL, TIME_US), PEOPLE (NDOG)");
    EXPECT_EQ(notice->text(),
              QStringLiteral("В базе нет индексов для быстрой работы (") + missing +
                  QStringLiteral("). Администратору: закрыть программу на всех рабочих местах и "
                                 "выполнить zorvel-upgrade ") +
                  databasePath());
    // The saved row is still found again.
    EXPECT_TRUE(app.workstation().serviceRegister().locate("data_usl;time_us", {"05.03.2026", "08:00:00"}));
    stop();

    // With them, nothing is said.
    if (legacySchema())
        ASSERT_EQ(addMissingIndexes(databasePath()).size(), requiredIndexes().size());
    else
        prepare({"create index people_ndog on people (ndog)",
                 "create index people_saved on people (data_usl, time_us)"});
    start();
    EXPECT_EQ(find<QLabel>("indexNotice"), nullptr);
}

TEST_F(StartupTest, onALargeRegisterTheLastRecordIsCurrentWithoutReadingEveryRecord) {
    prepare({"execute block as declare i integer = 0; begin while (i < 3000) do begin "
             "insert into people (ipeop, fam, ndog) values (null, 'Пациент' || :i, mod(:i, 700)); "
             "i = i + 1; end end",
             "insert into people (ipeop, fam, ndog) values (null, 'Последний', '42')"});
    Application& app = start();
    DataSet& reg = app.workstation().serviceRegister();
    EXPECT_EQ(find<QLineEdit>("sEdit20")->text(), QStringLiteral("700"));
    EXPECT_EQ(reg.currentRow(), 3000);
    EXPECT_EQ(reg.fieldText(QStringLiteral("FAM")), QStringLiteral("Последний"));
    auto* grid = find<QTableView>("DBGrid2");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->currentIndex().row(), 3000);
    EXPECT_EQ(reg.recordCount(), 3001);
    // The bad number in the middle of the register: the register stands on it.
    stop();
    prepare({"update people set ndog = '7б' where fam = 'Пациент1500'"});
    messages.shown.clear();
    Application& again = start();
    EXPECT_EQ(messages.texts(), QStringList{"Неверный формат номера по порядку 7б"});
    EXPECT_EQ(again.workstation().serviceRegister().fieldText(QStringLiteral("FAM")),
              QStringLiteral("Пациент1500"));
    EXPECT_EQ(again.workstation().serviceRegister().currentRow(), 1500);
}

TEST_F(StartupTest, withoutTheDatabaseKeyNothingIsConnected) {
    const char* files[] = {
        "",                      // no key at all
        "[Other]\n1=cash.fdb\n", // the key in another section
        "[Put]\n2=backup\n",     // only the backup key
    };
    for (const char* text : files) {
        writePutIni(QString::fromUtf8(text));
        messages.shown.clear();
        Application& app = start();
        ASSERT_EQ(messages.shown.size(), 1u) << text;
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("Нет файла put.ini"));
        EXPECT_EQ(app.mainWindow().windowTitle(), QStringLiteral("Зорвель 1.0"));
        EXPECT_TRUE(find<QLineEdit>("sEdit20")->text().isEmpty());
        EXPECT_FALSE(app.workstation().serviceRegister().isOpen());
        // The clock ticks behind the message all the same.
        EXPECT_TRUE(app.mainWindow().findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }
}

TEST_F(StartupTest, aDatabaseThatCannotBeOpenedIsReportedInTheCaption) {
    writePutIni(QStringLiteral("[Put]\n1=%1\n").arg(folder() + "/put.ini"));
    Application& app = start();
    EXPECT_EQ(app.mainWindow().windowTitle(), QStringLiteral("Зорвель 1.0 НЕВОЗМОЖНО ПОДКЛЮЧЕНИЕ"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
    EXPECT_TRUE(find<QLineEdit>("sEdit20")->text().isEmpty());
}

TEST_F(StartupTest, theSixteenWindowsExistHiddenWithTheirCaptions) {
    Application& app = start();
    const char* captions[] = {"Печать договора",
                              "Паспортные данные",
                              "Отчет по кассе",
                              "Договорники",
                              "Редактирование",
                              "Возврат",
                              "По отделениям в разрезе",
                              "Частичная оплата услуг",
                              "Задолжности",
                              "Выставление счетов",
                              "Учет расходников",
                              "Редактирование договорников",
                              "Журнал расходников",
                              "Видимые поля",
                              "Фильтры по полям"};
    EXPECT_EQ(app.window(1)->objectName(), QStringLiteral("TForm1"));
    for (int n = 2; n <= 16; ++n) {
        QWidget* w = app.window(n);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), QStringLiteral("TForm%1").arg(n));
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(captions[n - 2]));
        EXPECT_FALSE(w->isVisible());
    }
}

TEST_F(StartupTest, theMenuShowsEveryEntryWithItsEnabledState) {
    Application& app = start();
    struct Entry {
        const char* name;
        const char* text;
        bool enabled;
    } entries[] = {
        {"N9", "Договорники", true},           {"N13", "Резервное копирование", false},
        {"N3", "Отчистка базы прайса", false}, {"excel1", "Экспорт из excel", false},
        {"N8", "Отчет по кассе", true},        {"N10", "Разрез по отделениям", true},
        {"N12", "Расходники", true},           {"N11", "Комбинированная таблица", false},
        {"N5", "О программе", true},           {"N6", "Справка", true},
    };
    for (const Entry& e : entries) {
        auto* action = app.mainWindow().findChild<QAction*>(QString::fromLatin1(e.name));
        ASSERT_NE(action, nullptr) << e.name;
        EXPECT_EQ(action->text(), QString::fromUtf8(e.text));
        EXPECT_EQ(action->isEnabled(), e.enabled) << e.name;
    }
    QStringList menus;
    for (QAction* a : app.mainWindow().menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"Файл", "Записи", "Отчеты", "Помощь"}));

    // A window shown from the menu hides again when closed; the run goes on.
    app.mainWindow().findChild<QAction*>("N8")->trigger();
    EXPECT_TRUE(app.window(4)->isVisible());
    app.window(4)->close();
    EXPECT_FALSE(app.window(4)->isVisible());

    // Help: the user's help that comes with the program while the working folder has no help file of
    // its own, then the working folder's.
    const QString shipped = QDir(templateDirectory()).filePath("зорвель.html");
    ASSERT_TRUE(QFileInfo::exists(shipped)) << shipped.toStdString();
    app.mainWindow().findChild<QAction*>("N6")->trigger();
    const QString chm = QDir(folder()).filePath("зорвель.chm");
    QFile(chm).open(QIODevice::WriteOnly);
    app.mainWindow().findChild<QAction*>("N6")->trigger();
    EXPECT_EQ(opener.opened, (QStringList{shipped, chm}));
    app.mainWindow().findChild<QAction*>("N5")->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("О программе"));
}

TEST_F(StartupTest, workPostedButNotCommittedBecomesPermanentWhenTheRunEnds) {
    {
        Application& app = start();
        DataSet& prices = app.workstation().prices();
        prices.insert();
        prices.setFieldText("name", "Прием");
        prices.post();
        stop();
    }
    Connection other;
    other.connect(databasePath());
    DataSet prices(other, praisTable());
    prices.open();
    EXPECT_EQ(prices.recordCount(), 1);
}

TEST_F(StartupTest, theClockFillsTheDateAndTimeFields) {
    Application& app = start();
    EXPECT_EQ(find<QLineEdit>("sEdit12")->text(), QStringLiteral("05.03.2026"));
    EXPECT_EQ(find<QLineEdit>("sEdit13")->text(), QStringLiteral("09:07:03"));
    // The main window's timer runs every second from its creation on, and each of its time-outs ticks; a
    // time-out is delivered here as the timer's own event, without waiting for the wall clock.
    auto* timer = app.mainWindow().findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_FALSE(timer->isSingleShot());
    clock.time = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    QTimerEvent timeout(timer->timerId());
    QCoreApplication::sendEvent(timer, &timeout);
    EXPECT_EQ(find<QLineEdit>("sEdit12")->text(), QStringLiteral("31.12.2026"));
    EXPECT_EQ(find<QLineEdit>("sEdit13")->text(), QStringLiteral("23:59:59"));
    EXPECT_EQ(find<QLineEdit>("sEdit14", 5)->text(), QStringLiteral("23:59:59"));
}

} // namespace
} // namespace zorvel::test
