// The demonstration register that `zorvel-createdb --demo` adds: rows as the cash desk itself writes them,
// so that the register tab, the documents, the debts list and the reports work on them as on real ones.
#include "tests/data/database_fixture.h"

#include "data/database_creation.h"
#include "data/dataset.h"
#include "data/tables.h"

#include <QDate>
#include <QRegularExpression>
#include <QSet>
#include <map>

namespace zorvel::test {
namespace {

using DemoDataTest = DatabaseTest;

TEST_F(DemoDataTest, aContractPaidInInstalmentsAndADebtSavedAsTheCashDeskSavesThem) {
    runScript(connection(), demoDataScript());
    DataSet rows(connection(), peopleTable());
    rows.open();

    struct Contract {
        qint64 sum = 0; // rubles; the demo prices are whole
        QSet<QString> paid, paidOn, dates;
        int rows = 0;
    };
    std::map<QString, Contract> contracts;
    QSet<QString> keys;
    const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    for (rows.first(); !rows.atEnd(); rows.next()) {
        auto text = [&](const char* column) { return rows.fieldText(QString::fromLatin1(column)); };
        SCOPED_TRACE(text("NDOG").toStdString() + " " + text("NAME").toStdString());
        Contract& c = contracts[text("NDOG")];
        ++c.rows;
        c.sum += text("SUMMA").toLongLong() * text("KOL").toLongLong();
        c.paid << text("CHOPL");
        c.paidOn << text("DATAISP");
        c.dates << text("DATA_USL");
        const QDate served = QDate::fromString(text("DATA_USL"), QStringLiteral("dd.MM.yyyy"));
        const QDate paidOn = QDate::fromString(text("DATAISP"), QStringLiteral("dd.MM.yyyy"));
        EXPECT_TRUE(served.isValid());
        EXPECT_TRUE(paidOn.isValid());
        EXPECT_GT(paidOn, served); // an instalment came after the visit
        EXPECT_TRUE(time.match(text("TIME_US")).hasMatch());
        EXPECT_EQ(text("PROVER"), QStringLiteral("Нет"));
        EXPECT_EQ(text("DOPOLN"), QStringLiteral("Нет"));
        EXPECT_EQ(text("DATNAR"), QStringLiteral("30.12.1899"));
        EXPECT_EQ(text("NOMNAR"), QString());
        EXPECT_FALSE(text("KODGVV").isEmpty());
        EXPECT_FALSE(text("OTDELENIE").isEmpty());
        // The screens find a saved row again by its date and time.
        EXPECT_FALSE(keys.contains(text("DATA_USL") + text("TIME_US")));
        keys << text("DATA_USL") + text("TIME_US");
    }
    ASSERT_EQ(contracts.size(), 3u);
    for (const auto& [number, c] : contracts) {
        SCOPED_TRACE(number.toStdString());
        EXPECT_GE(c.rows, 2);
        // An instalment writes the paid-so-far total and its date into every row of the contract.
        EXPECT_EQ(c.paid.size(), 1);
        EXPECT_EQ(c.paidOn.size(), 1);
        EXPECT_EQ(c.dates.size(), 1);
    }
    EXPECT_EQ(contracts["1"].paid.values().first().toLongLong(), contracts["1"].sum);
    EXPECT_LT(contracts["2"].paid.values().first().toLongLong(), contracts["2"].sum);
    EXPECT_EQ(contracts["3"].paid.values().first().toLongLong(), contracts["3"].sum);

    // The debts list lists only the contract not paid in full, with what is still to pay.
    DataSet debts(connection(), QStringLiteral("debts"));
    debts.replaceSelect(QStringLiteral(
        "select dndog,dfam,dnam,doth,cast(dchopl as numeric(7,2)),cast(DSUMDOG as numeric(7,2)),cast (DOST "
        "as numeric(7,2)),DDATAISP from dolg where  dost<>0   group by "
        "dndog,dfam,dnam,doth,dchopl,DSUMDOG,DOST,DDATAISP"));
    debts.first();
    ASSERT_FALSE(debts.atEnd());
    EXPECT_EQ(debts.fieldText(QStringLiteral("dndog")), QStringLiteral("2"));
    // The amount still to pay is the seventh column (read by position: its name is the data layer's).
    EXPECT_EQ(debts.text(debts.currentRow(), 6).toDouble(),
              double(contracts["2"].sum - contracts["2"].paid.values().first().toLongLong()));
    debts.next();
    EXPECT_TRUE(debts.atEnd());
}

// The contract clients' services of two organisations lie in the month the database is made, up to that
// day, so that this month's bills and register of treated persons have lines.
TEST_F(DemoDataTest, twoOrganisationsServicesInTheCurrentMonthAndReceiptsBeforeThem) {
    const QDate today = QDate::currentDate();
    runScript(connection(), demoDataScript());
    DataSet clients(connection(), QStringLiteral("clients"));
    clients.replaceSelect(QStringLiteral("select organis, data_usl, datnapr from peoplecbux"));
    std::map<QString, int> lines;
    for (clients.first(); !clients.atEnd(); clients.next()) {
        const QDate served =
            QDate::fromString(clients.fieldText(QStringLiteral("DATA_USL")), QStringLiteral("dd.MM.yyyy"));
        const QDate referred =
            QDate::fromString(clients.fieldText(QStringLiteral("DATNAPR")), QStringLiteral("dd.MM.yyyy"));
        EXPECT_EQ(QDate(served.year(), served.month(), 1), QDate(today.year(), today.month(), 1));
        EXPECT_LE(served, today);
        EXPECT_LE(referred, served);
        ++lines[clients.fieldText(QStringLiteral("ORGANIS"))];
    }
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& [organisation, count] : lines)
        EXPECT_GE(count, 2) << organisation.toStdString();

    DataSet stock(connection(), QStringLiteral("stock"));
    stock.replaceSelect(QStringLiteral("select kod1, kolo from klinz('%1') where kolo > 0")
                            .arg(today.toString(QStringLiteral("dd.MM.yyyy"))));
    int consumables = 0;
    for (stock.first(); !stock.atEnd(); stock.next())
        ++consumables;
    EXPECT_GE(consumables, 2);
}

} // namespace
} // namespace zorvel::test
