// Each cashier signs in as themself, the administrator's commands come from the database's rights, and
// the change journal is read in its window.
#include "tests/support/workstation_fixture.h"

#include "tests/support/test_database.h"

#include "app/main_window.h"
#include "app/sign_in_dialog.h"
#include "data/change_journal.h"
#include "data/connection.h"
#include "data/database_upgrade.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "journal/journal_window.h"
#include "spreadsheet/worksheet.h"
#include "widgets/data_grid.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zorvel::test {
namespace {

// Answers the sign-in from a script; an empty script gives up ("Отмена").
class ScriptedSignIn : public SignIn {
public:
    bool requiredAtStart() const override { return required; }
    bool ask(Credentials& credentials) override {
        offered << credentials.user;
        if (script.empty())
            return false;
        credentials = script.front();
        script.erase(script.begin());
        return true;
    }
    bool required = true;
    std::vector<Credentials> script;
    QStringList offered; // the user name each ask started with
};

// The built-in password for the run: no ISC_USER, no ISC_PASSWORD, restored afterwards.
class BuiltInPassword {
public:
    BuiltInPassword() : user_(qgetenv("ISC_USER")), password_(qgetenv("ISC_PASSWORD")) {
        qunsetenv("ISC_USER");
        qunsetenv("ISC_PASSWORD");
    }
    ~BuiltInPassword() {
        if (!user_.isEmpty())
            qputenv("ISC_USER", user_);
        if (!password_.isEmpty())
            qputenv("ISC_PASSWORD", password_);
    }

private:
    QByteArray user_;
    QByteArray password_;
};

class AccountabilityTest : public WorkstationTest {
protected:
    void SetUp() override {
        WorkstationTest::SetUp();
        // The long-lived database gets the journal from zorvel-upgrade; the own one has it from the start.
        if (legacySchema())
            upgradeDatabase(databasePath());
        prepare({"insert into people (ipeop, fam, ndog, summa, kol, data_usl, time_us) "
                 "values (null, 'Иванов', '17', '500', 1, '05.03.2026', '09:00:00')"});
        // The journal's window opens on today as the server's clock has it.
        clock.time = QDateTime::currentDateTime();
    }
    Application& startSigningIn(bool administrator) {
        app_ = std::make_unique<Application>(
            Services{&messages, &clock, &files, &opener, &spreadsheets, &questions, &signIn}, administrator);
        if (!app_->mainWindow().signInCancelled())
            waitForContractNumber(*app_);
        return *app_;
    }
    template <typename T> T* findIn(const char* objectName) {
        return app_->mainWindow().findChild<T*>(QString::fromLatin1(objectName));
    }
    bool administratorsCommands() {
        bool all = true, none = true;
        for (const char* name : {"N13", "N3", "excel1", "N11", "NJournal"}) {
            const bool on = findIn<QAction>(name)->isEnabled();
            all = all && on;
            none = none && !on;
        }
        EXPECT_TRUE(all || none);
        return all;
    }
    QString statusNotice(const char* name) {
        auto* label = findIn<QLabel>(name);
        return label ? label->text() : QString();
    }
    void TearDown() override {
        app_.reset();
        WorkstationTest::TearDown();
    }

    ScriptedSignIn signIn;
    std::unique_ptr<Application> app_;
};

TEST_F(AccountabilityTest, sysdbaWithTheBuiltInPasswordStartsAsBeforeAndOpensTheJournalAsAdministrator) {
    signIn.required = false;
    startSigningIn(true);
    EXPECT_TRUE(signIn.offered.isEmpty());
    EXPECT_EQ(app_->mainWindow().windowTitle(),
              QStringLiteral("Зорвель 1.0 Подключенная база:") + databasePath());
    EXPECT_TRUE(administratorsCommands());
    EXPECT_TRUE(statusNotice("rightsNotice").isEmpty());
    EXPECT_TRUE(statusNotice("journalNotice").isEmpty());

    // A change of this run and one of another connection, then the journal of today.
    Connection& own = app_->workstation().connection();
    own.executeImmediate(QStringLiteral("update people set summa = '450' where ndog = '17'"));
    own.commitRetaining();
    findIn<QAction>("NJournal")->trigger();
    auto* window = static_cast<JournalWindow*>(app_->journalWindow());
    ASSERT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->objectName(), QStringLiteral("JournalWindow"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Журнал изменений"));
    EXPECT_EQ(window->fromEdit()->text(), clock.time.date().toString("dd.MM.yyyy"));
    DataSet& entries = window->entries();
    entries.fetchAll();
    ASSERT_EQ(entries.fetchedCount(), 2);
    // Newest first.
    EXPECT_EQ(entries.fieldText("ACTION_TEXT"), QStringLiteral("Изменена"));
    EXPECT_EQ(entries.fieldText("CHANGES"), QStringLiteral("SUMMA: 500 -> 450"));
    EXPECT_EQ(entries.fieldText("USER_NAME"), QStringLiteral("SYSDBA"));
    EXPECT_EQ(entries.text(1, entries.fieldIndex("ACTION_TEXT")), QStringLiteral("Добавлена"));

    // Narrowed by contract and by a user who changed nothing (the value quoted as typed).
    window->contractEdit()->setText(QStringLiteral("18"));
    EXPECT_TRUE(window->showEntries());
    EXPECT_EQ(entries.recordCount(), 0);
    window->contractEdit()->setText(QStringLiteral("17"));
    window->userEdit()->setText(QStringLiteral("o'brien"));
    EXPECT_TRUE(window->showEntries());
    EXPECT_EQ(entries.recordCount(), 0);
    window->userEdit()->setText(QStringLiteral("sysdba"));
    EXPECT_TRUE(window->showEntries());
    EXPECT_EQ(entries.recordCount(), 2);

    // "В Excel": the entries shown, one row each below the headings.
    window->findChild<QPushButton*>("journalExcelButton")->click();
    ASSERT_EQ(spreadsheets.shown().size(), 1) << messages.texts().join('\n').toStdString();
    Workbook book = spreadsheets.lastShown();
    Worksheet& sheet = book.sheet(1);
    EXPECT_EQ(sheet.cellText(1, "H"), QStringLiteral("Изменения"));
    EXPECT_EQ(sheet.cellText(2, "H"), QStringLiteral("SUMMA: 500 -> 450"));
    EXPECT_EQ(sheet.cellText(2, "G"), QStringLiteral("17"));
    EXPECT_EQ(sheet.cellText(3, "F"), QStringLiteral("Добавлена"));
    EXPECT_EQ(sheet.cellText(4, "A"), QString());

    // A half-typed period is refused with a message and keeps what is shown.
    messages.shown.clear();
    window->toEdit()->setText(QStringLiteral("12.1"));
    EXPECT_FALSE(window->showEntries());
    EXPECT_EQ(messages.texts(), QStringList{"Неверно указан период"});
}

TEST_F(AccountabilityTest, cancellingTheSignInEndsTheRunAndAnOverlongNameIsToldAndAskedAgain) {
    BuiltInPassword builtIn;
    startSigningIn(false);
    EXPECT_TRUE(app_->mainWindow().signInCancelled());
    EXPECT_EQ(signIn.offered.size(), 1);
    app_.reset();

    // On the embedded engine the name is taken as given, apostrophes and all; one too long for the
    // connection's parameters is told, and the next try goes in.
    signIn.offered.clear();
    signIn.script = {{QString(300, u'A'), QStringLiteral("x")},
                     {QStringLiteral("kassir_ivanova"), QString()}};
    prepare({"grant zorvel_cashier to kassir_ivanova"});
    startSigningIn(true);
    ASSERT_FALSE(app_->mainWindow().signInCancelled());
    EXPECT_EQ(messages.texts(), QStringList{"Слишком длинное имя пользователя"});
    EXPECT_EQ(signIn.offered, (QStringList{"", QString(300, u'A')}));
    EXPECT_TRUE(app_->mainWindow().windowTitle().endsWith(QStringLiteral(" Пользователь: KASSIR_IVANOVA")))
        << app_->mainWindow().windowTitle().toStdString();
    EXPECT_FALSE(administratorsCommands());
    EXPECT_EQ(statusNotice("rightsNotice"), QStringLiteral("Нет прав администратора"));
}

TEST_F(AccountabilityTest, aServerThatRefusesTheRoleLeavesTheUserWorkingWithTheirOwnRightsAndSaysWhy) {
    BuiltInPassword builtIn;
    // The database refuses any attachment in the cashier's role; the cashier may still read the tables.
    prepare({"create exception role_refused 'Роль не принимается'",
             "create trigger refuse_role on connect as begin "
             "if (current_role = 'ZORVEL_CASHIER') then exception role_refused; end",
             "grant zorvel_cashier to kassir_sidorova"});
    QStringList grants;
    for (const char* table : {"prais", "people", "otdel", "peoplecbux", "peoplev", "prihod"})
        grants << QStringLiteral("grant select on %1 to kassir_sidorova").arg(QString::fromLatin1(table));
    prepare(grants);
    signIn.script = {{QStringLiteral("kassir_sidorova"), QStringLiteral("x")}};
    startSigningIn(false);
    EXPECT_TRUE(app_->mainWindow().windowTitle().endsWith(QStringLiteral(" Пользователь: KASSIR_SIDOROVA")))
        << app_->mainWindow().windowTitle().toStdString() << messages.texts().join('\n').toStdString();
    EXPECT_TRUE(
        statusNotice("roleNotice").startsWith(QStringLiteral("Роль пользователя не принята сервером: ")))
        << statusNotice("roleNotice").toStdString();
    EXPECT_TRUE(statusNotice("roleNotice").contains(QStringLiteral("Роль не принимается")));
    // Without the role a change the user has no right to is refused by the server, and leaves no entry.
    Connection& own = app_->workstation().connection();
    EXPECT_THROW(own.executeImmediate(QStringLiteral("update people set summa = '1'")), DbError);
}

TEST(SignInDialogTest, asksForTheNameAndPasswordAndOffersTheLastNameNextTime) {
    SignInDialog dialog(QString{});
    EXPECT_EQ(dialog.objectName(), QStringLiteral("LoginDialog"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Вход в Зорвель"));
    EXPECT_EQ(dialog.userEdit()->objectName(), QStringLiteral("loginUserEdit"));
    EXPECT_EQ(dialog.passwordEdit()->objectName(), QStringLiteral("loginPasswordEdit"));
    EXPECT_EQ(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.signInButton()->text(), QStringLiteral("Войти"));
    EXPECT_TRUE(dialog.signInButton()->isDefault());
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("Отмена"));
    // A name longer than the server keeps is not taken.
    dialog.userEdit()->setText(QString(300, u'A'));
    EXPECT_EQ(dialog.userEdit()->text().size(), 31);

    // Through the real dialog: "Войти" with a name, then the next run offers it; "Отмена" gives up.
    const QString name = QStringLiteral("KASSIR_%1").arg(QCoreApplication::applicationPid());
    auto answer = [](const QString& user, bool signIn) {
        QTimer::singleShot(0, [=] {
            auto* shown = qobject_cast<SignInDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            if (!user.isEmpty())
                shown->userEdit()->setText(user);
            shown->passwordEdit()->setText(QStringLiteral("secret"));
            (signIn ? shown->signInButton() : shown->cancelButton())->click();
        });
    };
    DialogSignIn signIn;
    SignIn::Credentials given;
    answer(name, true);
    ASSERT_TRUE(signIn.ask(given));
    EXPECT_EQ(given.user, name);
    EXPECT_EQ(given.password, QStringLiteral("secret"));
    SignIn::Credentials next;
    QString offered;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<SignInDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        offered = shown->userEdit()->text();
        shown->cancelButton()->click();
    });
    EXPECT_FALSE(signIn.ask(next));
    EXPECT_EQ(offered, name);
}

using JournalNoticeTest = WorkstationTest;

TEST_F(JournalNoticeTest, aDatabaseWithoutTheJournalWorksAsBeforeAndSaysSoInTheStatusLine) {
    // The long-lived database as it comes has no journal; the own one has it.
    start(true);
    auto* notice = app().mainWindow().findChild<QLabel*>("journalNotice");
    if (legacySchema()) {
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(notice->text(), QStringLiteral("Журнал изменений не ведется: выполните zorvel-upgrade"));
    } else {
        EXPECT_EQ(notice, nullptr);
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    // SYSDBA is the administrator with or without the roles.
    EXPECT_TRUE(find<QAction>("NJournal")->isEnabled());
}

// Through the Firebird server, which checks the passwords: users made for the test and dropped after it.
class ServerSignInTest : public AccountabilityTest {
protected:
    void SetUp() override {
        server_ = qEnvironmentVariable("ZORVEL_TEST_SERVER");
        if (server_.isEmpty())
            GTEST_SKIP() << "ZORVEL_TEST_SERVER is not set: no Firebird server to sign in through";
        AccountabilityTest::SetUp();
        QFile::setPermissions(folder(), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(databasePath(), QFileDevice::Permissions(0x6666));
        remote_ = server_ + u':' + databasePath();
        writePutIni(QStringLiteral("[Put]\n1=%1\n").arg(remote_));
        const QString suffix =
            QStringLiteral("%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter_);
        cashier_ = QStringLiteral("ZK") + suffix;
        administrator_ = QStringLiteral("ZA") + suffix;
        asSysdba({QStringLiteral("create user %1 password 'kassa1'").arg(cashier_),
                  QStringLiteral("create user %1 password 'admin1'").arg(administrator_),
                  QStringLiteral("grant zorvel_cashier to %1").arg(cashier_),
                  QStringLiteral("grant zorvel_admin to %1").arg(administrator_)});
        usersMade_ = true;
    }
    void TearDown() override {
        app_.reset();
        if (usersMade_)
            asSysdba({QStringLiteral("drop user %1").arg(cashier_),
                      QStringLiteral("drop user %1").arg(administrator_)});
        AccountabilityTest::TearDown();
    }
    void asSysdba(const QStringList& statements) {
        Connection sysdba(ConnectionSettings{QStringLiteral("SYSDBA"), QStringLiteral("quorlinet"), {}});
        sysdba.connect(remote_);
        sysdba.startTransaction();
        for (const QString& s : statements)
            sysdba.executeImmediate(s);
        sysdba.commit();
    }
    QString workstationValue(const QString& sql) {
        DataSet value(app_->workstation().connection(), QStringLiteral("value"));
        value.replaceSelect(sql);
        return value.text(0, 0);
    }

    inline static int counter_ = 0;
    QString server_;
    QString remote_;
    QString cashier_;
    QString administrator_;
    bool usersMade_ = false;
    BuiltInPassword builtIn_;
};

TEST_F(ServerSignInTest, aCashierSignsInWithTheRightPasswordAndTheirAdminSwitchEnablesNothing) {
    signIn.script = {{cashier_.toLower(), QStringLiteral("wrong")},
                     {cashier_.toLower(), QStringLiteral("kassa1")}};
    startSigningIn(true);
    ASSERT_FALSE(app_->mainWindow().signInCancelled());
    EXPECT_EQ(messages.texts(), QStringList{"Неверное имя пользователя или пароль"});
    EXPECT_EQ(signIn.offered, (QStringList{"", cashier_.toLower()}));
    EXPECT_EQ(app_->mainWindow().windowTitle(), QStringLiteral("Зорвель 1.0 Подключенная база:") + remote_ +
                                                    QStringLiteral(" Пользователь: ") + cashier_);
    EXPECT_FALSE(administratorsCommands());
    EXPECT_EQ(statusNotice("rightsNotice"), QStringLiteral("Нет прав администратора"));
    // The role is in force, so the register works, and the change is journaled under the cashier's name
    // with the address the server saw; the journal itself is closed to the cashier.
    EXPECT_EQ(workstationValue(QStringLiteral("select current_role from rdb$database")),
              QString::fromLatin1(kCashierRole));
    Connection& own = app_->workstation().connection();
    own.executeImmediate(QStringLiteral("update people set summa = '450' where ndog = '17'"));
    own.commitRetaining();
    EXPECT_THROW(workstationValue(QStringLiteral("select count(*) from change_log")), DbError);
    Connection sysdba(ConnectionSettings{QStringLiteral("SYSDBA"), QStringLiteral("quorlinet"), {}});
    sysdba.connect(remote_);
    DataSet last(sysdba, QStringLiteral("last"));
    last.replaceSelect(
        QStringLiteral("select first 1 user_name, client_address, changes from change_log order by id desc"));
    EXPECT_EQ(last.text(0, 0), cashier_);
    EXPECT_FALSE(last.text(0, 1).isEmpty());
    EXPECT_NE(last.text(0, 1), workstationHost());
    EXPECT_EQ(last.text(0, 2), QStringLiteral("SUMMA: 500 -> 450"));
}

TEST_F(ServerSignInTest, anAdministratorsRoleOpensTheCommandsAndBadInputIsRefusedWithoutEntering) {
    // An apostrophe in the name and an empty password are refused as any wrong pair is; then the
    // administrator signs in.
    signIn.script = {{QStringLiteral("O'BRIEN"), QStringLiteral("x")},
                     {cashier_, QString()},
                     {administrator_, QStringLiteral("admin1")}};
    startSigningIn(true);
    ASSERT_FALSE(app_->mainWindow().signInCancelled());
    EXPECT_EQ(messages.texts(),
              (QStringList{"Неверное имя пользователя или пароль", "Неверное имя пользователя или пароль"}));
    EXPECT_TRUE(administratorsCommands());
    EXPECT_TRUE(statusNotice("rightsNotice").isEmpty());
    EXPECT_EQ(workstationValue(QStringLiteral("select current_role from rdb$database")),
              QString::fromLatin1(kAdministratorRole));
    findIn<QAction>("NJournal")->trigger();
    auto* window = static_cast<JournalWindow*>(app_->journalWindow());
    ASSERT_TRUE(window->isVisible());
    ASSERT_TRUE(window->entries().isOpen()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(window->entries().recordCount(), 1) << messages.texts().join('\n').toStdString();
    app_.reset();

    // Without --admin the administrator's commands stay closed as before.
    signIn.script = {{administrator_, QStringLiteral("admin1")}};
    startSigningIn(false);
    EXPECT_FALSE(administratorsCommands());
    EXPECT_TRUE(statusNotice("rightsNotice").isEmpty());
}

} // namespace
} // namespace zorvel::test
