// The contract clients' editing window (TForm13): its drop-downs over the record the grid stands on.

#include "tests/clients/clients_fixture.h"

#include "data/dataset.h"
#include "workstation/workstation.h"

#include <QComboBox>

namespace zorvel::test {
namespace {

class ClientEditTest : public ClientsTest {
protected:
    // One row whose kind of care keeps a trailing blank that the list's item lacks, and one without.
    QStringList registerRows() const override {
        return {clientRow("Иванов", "Завод", "01.03.2026"), clientRow("Петров", "Завод", "02.03.2026"),
                QStringLiteral("update peoplecbux set tip_pom = 'Стационар ' where fam = 'Иванов'"),
                QStringLiteral("update peoplecbux set tip_pom = 'Поликлиника' where fam = 'Петров'")};
    }
    DataSet& clients() { return app().workstation().clientRegister(); }
};

TEST_F(ClientEditTest, theKindOfCareShowsTheStoredValuesItemAndTheArrowKeysGoOnFromIt) {
    ASSERT_TRUE(clients().locate(QStringLiteral("FAM"), {QStringLiteral("Петров")}));
    click("sBitBtn6"); // the view tab's button shows the editing window
    QComboBox* kind = combo("sDBComboBox1", 13);
    EXPECT_EQ(kind->currentIndex(), 0);
    ASSERT_TRUE(clients().locate(QStringLiteral("FAM"), {QStringLiteral("Иванов")}));
    ASSERT_EQ(clients().fieldText("TIP_POM"), QStringLiteral("Стационар "));
    EXPECT_EQ(kind->currentIndex(), 1);
    EXPECT_EQ(kind->currentText(), QStringLiteral("Стационар"));
    EXPECT_EQ(clients().state(), DataSet::State::Browse); // shown, not written

    ASSERT_TRUE(focusField(kind));
    pressKey(Qt::Key_Down);
    EXPECT_EQ(clients().state(), DataSet::State::Edit);
    EXPECT_EQ(clients().fieldText("TIP_POM"), QStringLiteral("Дневной стационар"));
    click("sBitBtn2", 13); // "Отмена": the rows as stored again, the first one current
    ASSERT_EQ(clients().fieldText("FAM"), QStringLiteral("Иванов"));
    EXPECT_EQ(kind->currentIndex(), 1);
    EXPECT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
}

} // namespace
} // namespace zorvel::test
