// What acts on a contract set (the verification mark, an instalment, the passport data, the contract
// print) acts on exactly the current record's set: the records of the same surname, first name,
// patronymic, service date and contract number. The patient's visit of another day under the same
// number and a namesake's services under it stay out. A batch change is all or nothing: a write that the
// server refuses half-way leaves every record as it was.

#include "tests/cashdesk/register_fixture.h"

#include "app/main_window.h"
#include "cashdesk/partial_payment_window.h"
#include "cashdesk/passport_window.h"
#include "cashdesk/register_tab.h"
#include "data/dataset.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

namespace zorvel::test {
namespace {

class ContractSetTest : public RegisterTest {
protected:
    // Beside the standard records (Иванов Иван Иванович's contract 17 of 05.03.2026: Прием хирурга,
    // Перевязка, Снятие швов), contract 17 also holds his visit of another day and the services of two
    // namesakes of the same day: one differs in the first name, one in the patronymic.
    void SetUp() override {
        RegisterTest::SetUp();
        Record otherDay = standardRecords()[0];
        otherDay.service = QStringLiteral("Прием другого дня");
        otherDay.date = QStringLiteral("06.03.2026");
        otherDay.time = QStringLiteral("09:00:01");
        Record otherName = standardRecords()[0];
        otherName.service = QStringLiteral("Прием однофамильца");
        otherName.name = QStringLiteral("Петр");
        otherName.time = QStringLiteral("09:00:06");
        Record otherPatronymic = standardRecords()[0];
        otherPatronymic.service = QStringLiteral("Прием тезки");
        otherPatronymic.patronymic = QStringLiteral("Петрович");
        otherPatronymic.time = QStringLiteral("09:00:07");
        insert({otherDay, otherName, otherPatronymic});
        restart();
        standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Перевязка"));
    }
};

const QStringList kContractSet = {"Прием хирурга", "Перевязка", "Снятие швов"};

// One act on the current contract set; `column` is what it writes and `value` what it writes there
// (none for the print, which lists the set).
struct Act {
    const char* name;
    std::function<void(ContractSetTest&, Application&)> run;
    const char* column;
    const char* value;
};

void PrintTo(const Act& act, std::ostream* os) {
    *os << act.name;
}

void markVerification(ContractSetTest&, Application& app) {
    auto* mark = app.mainWindow().findChild<QComboBox*>(QStringLiteral("sDBComboBox1"));
    ASSERT_NE(mark, nullptr);
    const int index = mark->findText(QStringLiteral("Да "));
    mark->setCurrentIndex(index);
    emit mark->activated(index);
}

void payInstalment(ContractSetTest&, Application& app) {
    app.mainWindow().findChild<QPushButton*>(QStringLiteral("sBitBtn11"))->click();
    auto* instalment = app.window(9)->findChild<QLineEdit*>(QStringLiteral("sEdit1"));
    ASSERT_NE(instalment, nullptr);
    instalment->setText(QStringLiteral("100"));
    ASSERT_TRUE(focusField(instalment));
    pressEnter();
}

void enterPassport(ContractSetTest&, Application& app) {
    auto& window = *static_cast<PassportWindow*>(app.window(3));
    window.edit();
    window.findChild<QLineEdit*>(QStringLiteral("sDBEdit1"))->setText(QStringLiteral("4509"));
    window.findChild<QPushButton*>(QStringLiteral("sBitBtn1"))->click();
}

void printContract(ContractSetTest&, Application& app) {
    app.mainWindow().findChild<QPushButton*>(QStringLiteral("sBitBtn6"))->click();
}

class ContractSetActTest : public ContractSetTest, public ::testing::WithParamInterface<Act> {
protected:
    // The records the act reached: those holding the written value, or the rows the contract window lists.
    QStringList reached() {
        const Act& act = GetParam();
        QStringList names;
        if (!act.column) {
            auto* grid = app().window(2)->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
            for (int row = 0; grid && row < grid->rowCount(); ++row)
                names << (grid->item(row, 4) ? grid->item(row, 4)->text() : QString());
            return names;
        }
        // A CHAR(3) mark reads back as "Да" on a long-lived database: trailing blanks do not count.
        const QString holding = (u'|' + QString::fromUtf8(act.value)).trimmed();
        for (const QString& row : committed(QString::fromLatin1(act.column)))
            if (row.trimmed().endsWith(holding))
                names << row.section(u'|', 0, 0);
        return names;
    }
};

TEST_P(ContractSetActTest, reachesTheSetAndNeitherAnotherDayNorANamesake) {
    GetParam().run(*this, app());
    EXPECT_TRUE(messages.shown.empty()) << messageTexts().join('|').toStdString();
    EXPECT_EQ(reached(), kContractSet);
}

const Act kActs[] = {
    {"mark", markVerification, "prover", "Да "},
    // The date of the last payment is today's, not the service's nor the one the records held.
    {"instalment", payInstalment, "chopl, dataisp", "100|12.03.2026"},
    {"passport", enterPassport, "seria", "4509"},
    {"print", printContract, nullptr, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Acts, ContractSetActTest, ::testing::ValuesIn(kActs),
                         [](const ::testing::TestParamInfo<Act>& info) { return info.param.name; });

// The server refuses the third write of a batch (a trigger raises on it): the message says why, and
// neither this workstation's transaction nor the database keeps the two records written before it.
class ThirdWriteRefusedTest : public ContractSetActTest {
protected:
    void SetUp() override {
        ContractSetActTest::SetUp();
        prepare(
            {QStringLiteral("create exception third_write_refused 'Третья запись не принята сервером'"),
             QStringLiteral("create trigger third_write_refused for people before update as "
                            "declare variable n integer; begin "
                            "n = coalesce(cast(rdb$get_context('USER_TRANSACTION', 'writes') as integer), "
                            "0) + 1; "
                            "rdb$set_context('USER_TRANSACTION', 'writes', n); "
                            "if (n = 3) then exception third_write_refused; end")});
        restart();
        standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Перевязка"));
    }
};

TEST_P(ThirdWriteRefusedTest, leavesEveryRecordAsItWas) {
    const QString columns = QString::fromLatin1(GetParam().column);
    const QStringList before = committed(columns);
    GetParam().run(*this, app());
    ASSERT_EQ(messages.shown.size(), 1u) << messageTexts().join('|').toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("Третья запись не принята сервером")))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    // What this workstation still holds uncommitted would be made permanent by its next commit.
    app().workstation().commit();
    EXPECT_EQ(committed(columns), before);
}

INSTANTIATE_TEST_SUITE_P(Batches, ThirdWriteRefusedTest, ::testing::Values(kActs[0], kActs[1], kActs[2]),
                         [](const ::testing::TestParamInfo<Act>& info) { return info.param.name; });

} // namespace
} // namespace zorvel::test
