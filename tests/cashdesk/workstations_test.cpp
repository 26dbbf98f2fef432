// Two workstations on one register: the contract number, instalments, the verification mark, the record
// editor and what each one's views show of the other's work. With ZORVEL_TEST_SERVER set both go through
// the Firebird server on that host, as the cash desks of a hospital do; otherwise both attach the file.

#include "tests/cashdesk/register_fixture.h"

#include "app/application.h"
#include "app/main_window.h"
#include "cashdesk/debts_window.h"
#include "cashdesk/partial_payment_window.h"
#include "cashdesk/register_batch.h"
#include "cashdesk/register_tab.h"
#include "cashdesk/service_entry_tab.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/errors.h"
#include "widgets/patient_search_panel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace zorvel::test {
namespace {

class TwoWorkstationsTest : public RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        const QString server = qEnvironmentVariable("ZORVEL_TEST_SERVER");
        if (!server.isEmpty()) {
            stop();
            QFile::setPermissions(folder(), QFileDevice::Permissions(0x7777));
            committedThrough = server + u':' + databasePath();
            writePutIni(QStringLiteral("[Put]\n1=%1\n").arg(committedThrough));
            start();
        }
        other = std::make_unique<Application>(
            Services{&otherMessages, &clock, nullptr, &opener, &spreadsheets, &otherQuestions}, false);
        waitForContractNumber(*other);
    }
    void TearDown() override {
        other.reset();
        RegisterTest::TearDown();
    }

    static ServiceEntryTab& entry(Application& a) { return a.mainWindow().entryTab(); }
    static DataSet& registerOf(Application& a) { return a.workstation().serviceRegister(); }
    static void fill(Application& a, const QString& surname, const QString& name, const QString& patronymic) {
        const QWidget& tab = entry(a);
        tab.findChild<QLineEdit*>("sEdit2")->setText(surname);
        tab.findChild<QLineEdit*>("sEdit3")->setText(name);
        tab.findChild<QLineEdit*>("sEdit4")->setText(patronymic);
        tab.findChild<QLineEdit*>("sEdit8")->setText(QStringLiteral("300"));
        tab.findChild<QLineEdit*>("sEdit5")->setText(QStringLiteral("1"));
    }
    static void standOn(Application& a, const QString& service) {
        ASSERT_TRUE(registerOf(a).locate(QStringLiteral("FAM;NDOG;NAME"), {"Иванов", "17", service}));
    }
    // Opens the instalments window on the contract and records an instalment, as Enter does.
    static bool pay(Application& a, const QString& amount) {
        auto& window = *static_cast<PartialPaymentWindow*>(a.window(9));
        if (!window.isVisible())
            window.openForCurrentContract();
        window.findChild<QLineEdit*>("sEdit1")->setText(amount);
        return window.recordInstalment();
    }
    QStringList contract17(const QString& columns) { return committed(columns).mid(0, 3); }

    std::unique_ptr<Application> other;
    RecordingMessages otherMessages;
    RecordingQuestions otherQuestions;
};

TEST_F(TwoWorkstationsTest, aContractNumberTheOtherWorkstationTookMeanwhileIsAskedAbout) {
    // Both propose the same number at start.
    ASSERT_EQ(entry(app()).contractNumberEdit()->text(), QStringLiteral("19"));
    ASSERT_EQ(entry(*other).contractNumberEdit()->text(), QStringLiteral("19"));
    fill(*other, QStringLiteral("Петров"), QStringLiteral("Петр"), QStringLiteral("Петрович"));
    ASSERT_TRUE(entry(*other).save());

    fill(app(), QStringLiteral("Сидоров"), QStringLiteral("Семен"), QString());
    questions.script = {2}; // "Отмена": nothing is saved
    EXPECT_FALSE(entry(app()).save());
    ASSERT_EQ(questions.asked.size(), 1u);
    const RecordingQuestions::Question& q = questions.asked[0];
    EXPECT_EQ(q.text, QStringLiteral("Договор № 19 уже оформлен на другого пациента: Петров Петр Петрович.\n"
                                     "Следующий свободный номер: 20."));
    EXPECT_EQ(q.caption, QStringLiteral("Уведомление"));
    EXPECT_EQ(q.answers, (QStringList{"Взять № 20", "Оставить № 19", "Отмена"}));
    EXPECT_EQ(q.defaultAnswer, 0);
    EXPECT_EQ(committed("fam, ndog").size(), 6);

    // The default answer: the next free number, kept for the patient's further services, which are not
    // interrupted again.
    EXPECT_TRUE(entry(app()).save());
    EXPECT_EQ(entry(app()).contractNumberEdit()->text(), QStringLiteral("20"));
    EXPECT_TRUE(entry(app()).save());
    EXPECT_EQ(questions.asked.size(), 2u);
    // The other workstation's own patient under its number is never asked about.
    EXPECT_TRUE(entry(*other).save());
    EXPECT_TRUE(otherQuestions.asked.empty());
    EXPECT_EQ(committed("fam, ndog").mid(5), (QStringList{"<NULL>|Петров|19", "<NULL>|Сидоров|20",
                                                          "<NULL>|Сидоров|20", "<NULL>|Петров|19"}));

    // Keeping the number is the cashier's choice, made knowingly.
    fill(app(), QStringLiteral("Кузнецов"), QStringLiteral("Иван"), QString());
    entry(app()).contractNumberEdit()->setText(QStringLiteral("19"));
    questions.script = {1};
    EXPECT_TRUE(entry(app()).save());
    EXPECT_EQ(committed("fam, ndog").mid(9), QStringList{"<NULL>|Кузнецов|19"});

    // A record of the number with the same surname and no first name is another patient's all the same.
    other->workstation().connection().executeImmediate(
        QStringLiteral("insert into people (ipeop, fam, ndog) values (null, 'Кузнецов', '21')"));
    other->workstation().commit();
    entry(app()).contractNumberEdit()->setText(QStringLiteral("21"));
    questions.script = {2};
    EXPECT_FALSE(entry(app()).save());
    ASSERT_EQ(questions.asked.size(), 4u);
    EXPECT_TRUE(questions.asked.back().text.startsWith(
        QStringLiteral("Договор № 21 уже оформлен на другого пациента: Кузнецов.")));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
}

TEST_F(TwoWorkstationsTest, instalmentsFromTwoWorkstationsOnOneContractAddUp) {
    // Both windows are open on the contract, read while nothing was paid, before either pays; this one
    // still shows 0 when it pays after the other.
    standOn(app(), QStringLiteral("Перевязка"));
    standOn(*other, QStringLiteral("Снятие швов"));
    for (Application* a : {&app(), other.get()})
        static_cast<PartialPaymentWindow*>(a->window(9))->openForCurrentContract();
    ASSERT_TRUE(pay(*other, QStringLiteral("500")));
    ASSERT_EQ(registerOf(app()).fieldText("CHOPL"), QStringLiteral("0"));
    ASSERT_TRUE(pay(app(), QStringLiteral("200")));
    EXPECT_EQ(contract17("chopl"), (QStringList{"Прием хирурга|700", "Перевязка|700", "Снятие швов|700"}));
    EXPECT_EQ(registerOf(app()).fieldText("CHOPL"), QStringLiteral("700"));
    EXPECT_EQ(registerOf(app()).fieldText("NAME"), QStringLiteral("Перевязка"));

    // A record of the contract that the other workstation holds uncommitted: the lock message, nothing
    // written; once it commits, the instalment adds to what it committed.
    DataSet& theirs = registerOf(*other);
    theirs.edit();
    theirs.setFieldText("FIOV", QStringLiteral("Смирнов"));
    theirs.post();
    EXPECT_FALSE(pay(app(), QStringLiteral("100")));
    EXPECT_EQ(messageTexts(), QStringList{QString::fromUtf8(kLockMessage)});
    EXPECT_EQ(contract17("chopl"), (QStringList{"Прием хирурга|700", "Перевязка|700", "Снятие швов|700"}));
    other->workstation().commit();
    EXPECT_TRUE(pay(app(), QStringLiteral("100")));
    EXPECT_EQ(contract17("chopl, fiov"),
              (QStringList{"Прием хирурга|800|<NULL>", "Перевязка|800|<NULL>", "Снятие швов|800|Смирнов"}));
    EXPECT_TRUE(otherMessages.shown.empty());
}

TEST_F(TwoWorkstationsTest, aMarkKeepsTheOtherWorkstationsWorkAndRefusesToWriteOverItsMark) {
    standOn(app(), QStringLiteral("Перевязка"));
    standOn(*other, QStringLiteral("Перевязка"));
    // The other workstation records an instalment after this one read the records: the mark keeps it.
    ASSERT_TRUE(pay(*other, QStringLiteral("500")));
    ASSERT_TRUE(app().mainWindow().registerTab().markVerification(QStringLiteral("Да ")));
    const QString yes = storedYes();
    EXPECT_EQ(committed("chopl, prover"),
              (QStringList{"Прием хирурга|500|" + yes, "Перевязка|500|" + yes, "Снятие швов|500|" + yes,
                           "Тонометрия|0|Нет", "Прием терапевта|0|Нет"}));

    // The other workstation still shows "Нет": its "Нет" would write over the mark just committed here,
    // so it is refused, and its register shows the mark as it is now.
    ASSERT_EQ(registerOf(*other).fieldText("PROVER"), QStringLiteral("Нет"));
    EXPECT_FALSE(other->mainWindow().registerTab().markVerification(QStringLiteral("Нет")));
    ASSERT_EQ(otherMessages.texts(), QStringList{changedElsewhereMessage()});
    EXPECT_EQ(otherMessages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(contract17("prover"),
              (QStringList{"Прием хирурга|" + yes, "Перевязка|" + yes, "Снятие швов|" + yes}));
    EXPECT_EQ(registerOf(*other).fieldText("PROVER"), yes);
    EXPECT_EQ(registerOf(*other).fieldText("NAME"), QStringLiteral("Перевязка"));
    // Seen, it may be changed.
    EXPECT_TRUE(other->mainWindow().registerTab().markVerification(QStringLiteral("Нет")));
    EXPECT_EQ(contract17("prover"), (QStringList{"Прием хирурга|Нет", "Перевязка|Нет", "Снятие швов|Нет"}));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
}

TEST_F(TwoWorkstationsTest, theRecordEditorStartsOnlyFromTheRecordAsTheServerHoldsIt) {
    standOn(app(), QStringLiteral("Перевязка"));
    standOn(*other, QStringLiteral("Перевязка"));
    DataSet& theirs = registerOf(*other);
    theirs.edit();
    theirs.setFieldText("FIOV", QStringLiteral("Смирнов"));
    theirs.post();
    other->workstation().commit();

    // Typing into the surname of a record changed elsewhere: refused, and the editor shows it as it is.
    QWidget* editor = app().window(6);
    auto* surname = editor->findChild<QLineEdit*>("DBEdit1");
    QLineEdit* doctor = editor->findChild<QComboBox*>("sDBComboBox2")->lineEdit();
    emit surname->textEdited(QStringLiteral("Иванова"));
    EXPECT_EQ(messageTexts(), QStringList{changedElsewhereMessage()});
    EXPECT_EQ(surname->text(), QStringLiteral("Иванов"));
    EXPECT_EQ(doctor->text(), QStringLiteral("Смирнов"));
    EXPECT_EQ(registerOf(app()).state(), DataSet::State::Browse);

    // Typed again on the record as it is now: saved, the other workstation's doctor kept. Meanwhile the
    // record is locked: the other workstation's write meets the lock.
    emit surname->textEdited(QStringLiteral("Иванова"));
    theirs.edit();
    theirs.setFieldText("KOL", QStringLiteral("2"));
    EXPECT_THROW(theirs.post(), DbError);
    editor->findChild<QPushButton*>("sBitBtn1")->click();
    EXPECT_EQ(committed("fam, fiov").mid(1, 1), QStringList{"Перевязка|Иванова|Смирнов"});
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(TwoWorkstationsTest, theRegisterShowsWhatTheOtherWorkstationSavedOnRefreshAndSearch) {
    fill(*other, QStringLiteral("Сидоров"), QStringLiteral("Семен"), QString());
    ASSERT_TRUE(entry(*other).save());
    RegisterTab& tab = app().mainWindow().registerTab();

    tab.findChild<QAbstractButton*>("nbRefresh")->click();
    EXPECT_EQ(view().size(), 6);
    EXPECT_TRUE(registerOf(app()).locate(QStringLiteral("FAM"), {QStringLiteral("Сидоров")}));

    // Saved after the refresh: a new search finds it.
    fill(*other, QStringLiteral("Сидоров"), QStringLiteral("Семен"), QString());
    ASSERT_TRUE(entry(*other).save());
    auto* panel = tab.findChild<PatientSearchPanel*>();
    panel->findChild<QCheckBox*>("sCheckBox1")->click();
    panel->findChild<QLineEdit*>("sEdit9")->setText(QStringLiteral("Сидоров"));
    panel->findChild<QPushButton*>("sBitBtn3")->click();
    EXPECT_EQ(view().size(), 2);

    // The debts list is read when it opens.
    auto& debts = *static_cast<DebtsWindow*>(app().window(10));
    debts.loadDebts();
    DataSet& list = app().workstation().debts();
    QStringList contracts;
    for (list.first(); !list.atEnd(); list.next())
        contracts << list.text(list.currentRow(), 0);
    EXPECT_TRUE(contracts.contains(QStringLiteral("19"))) << contracts.join('|').toStdString();

    // A price and a department the other workstation saved are found by the look-ups.
    Connection& theirs = other->workstation().connection();
    theirs.executeImmediate(QStringLiteral("insert into prais (idp, simv, kod, name, kodgvv, summa) values "
                                           "(null, 'П', 'B01.077', 'Массаж', '77', '650')"));
    theirs.executeImmediate(
        QStringLiteral("insert into otdel (id_o, name, kod) values (null, 'Кабинет массажа', '44')"));
    other->workstation().commit();
    QWidget& tab1 = entry(app());
    auto* number = tab1.findChild<QLineEdit*>("sEdit1");
    typeText(number, QStringLiteral("77"));
    pressEnter(number);
    EXPECT_EQ(tab1.findChild<QLineEdit*>("sEdit6")->text(), QStringLiteral("Массаж"));
    EXPECT_EQ(tab1.findChild<QLineEdit*>("sEdit8")->text(), QStringLiteral("650"));
    tab1.findChild<QLineEdit*>("sEdit18")->setText(QStringLiteral("44"));
    EXPECT_EQ(entry(app()).departmentNameEdit()->text(), QStringLiteral("Кабинет массажа"));
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
}

} // namespace
} // namespace zorvel::test
