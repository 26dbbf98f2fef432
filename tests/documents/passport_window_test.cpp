// Passport data are written into the current record's contract and nowhere else, all or none.

#include "tests/documents/contract_support.h"

#include "cashdesk/passport_window.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/errors.h"

#include <QLineEdit>
#include <QPushButton>

namespace zorvel::test {
namespace {

class PassportWindowTest : public ContractTest {
protected:
    // Иванов's contract 17 of three services, his contract 18 and Петров's contract 17 of the same day.
    void startWithContracts() {
        std::vector<Service> services;
        for (const char* name : {"Прием офтальмолога", "Тонометрия", "Периметрия"}) {
            Service s;
            s.service = QString::fromUtf8(name);
            s.price = QStringLiteral("100");
            s.time = QStringLiteral("09:00:0%1").arg(services.size());
            services.push_back(s);
        }
        Service otherContract = services[0];
        otherContract.contract = QStringLiteral("18");
        otherContract.service = QStringLiteral("Прием невролога");
        Service otherPatient = services[0];
        otherPatient.surname = QStringLiteral("Петров");
        otherPatient.service = QStringLiteral("Прием хирурга");
        services.insert(services.begin() + 1, otherContract);
        services.push_back(otherPatient);
        for (Service& s : services) {
            s.series.clear();
            s.number.clear();
            s.issuedBy.clear();
            s.address.clear();
        }
        insert(services);
        start();
    }

    PassportWindow& passportWindow() { return *static_cast<PassportWindow*>(app().window(3)); }

    void typePassport() {
        passportWindow().edit();
        const char* values[][2] = {{"sDBEdit1", "4509"},
                                   {"sDBEdit2", "123456"},
                                   {"sDBEdit3", "ОВД Центрального района"},
                                   {"sDBEdit4", "ул. Ленина, 1"}};
        for (auto [field, value] : values)
            find<QLineEdit>(field, 3)->setText(QString::fromUtf8(value));
        find<QPushButton>("sBitBtn1", 3)->click();
    }

    // NAME and the four passport values of every record, as another workstation sees them.
    QStringList committedPassports() {
        return committedRows(
            databasePath(),
            QStringLiteral("select name, seria, nomer, vidan, adress from people order by ipeop"));
    }

    const QString passport = QStringLiteral("|4509|123456|ОВД Центрального района|ул. Ленина, 1");
    const QString none = QStringLiteral("|<NULL>|<NULL>|<NULL>|<NULL>");
};

TEST_F(PassportWindowTest, theWindowAsTheCashierFindsIt) {
    start();
    PassportWindow& w = passportWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Паспортные данные"));
    EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    for (auto [field, width] :
         {std::pair{"sDBEdit1", 4}, {"sDBEdit2", 15}, {"sDBEdit3", 50}, {"sDBEdit4", 70}})
        EXPECT_EQ(find<QLineEdit>(field, 3)->maxLength(), width) << field;
    EXPECT_EQ(find<QPushButton>("sBitBtn1", 3)->toolTip(), QStringLiteral("Закрыть"));
}

TEST_F(PassportWindowTest, withTheContractListedOnlyThatContractChanges) {
    startWithContracts();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Тонометрия"));
    requestContract();
    DataSet& reg = app().workstation().serviceRegister();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Тонометрия"));
    typePassport();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
    EXPECT_FALSE(passportWindow().isVisible());
    EXPECT_EQ(committedPassports(),
              (QStringList{"Прием офтальмолога" + passport, "Прием невролога" + none, "Тонометрия" + passport,
                           "Периметрия" + passport, "Прием хирурга" + none}));
    // The register stays narrowed to the contract, on the record that was current.
    EXPECT_TRUE(reg.isFiltered());
    EXPECT_EQ(reg.fieldText("NAME"), QStringLiteral("Тонометрия"));
    EXPECT_EQ(reg.fieldText("VIDAN"), QStringLiteral("ОВД Центрального района"));
}

TEST_F(PassportWindowTest, withTheWholeRegisterInViewStillOnlyTheCurrentContractChanges) {
    startWithContracts();
    DataSet& reg = app().workstation().serviceRegister();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Периметрия"));
    typePassport();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(committedPassports(),
              (QStringList{"Прием офтальмолога" + passport, "Прием невролога" + none, "Тонометрия" + passport,
                           "Периметрия" + passport, "Прием хирурга" + none}));
    EXPECT_FALSE(reg.isFiltered());
    EXPECT_EQ(reg.recordCount(), 5);
    EXPECT_EQ(reg.fieldText("NAME"), QStringLiteral("Периметрия"));
}

// Another workstation holds the contract's last record: nothing of the contract changes, and the lock
// is reported.
TEST_F(PassportWindowTest, aRecordThatCannotBeWrittenLeavesTheWholeContractAsItWas) {
    startWithContracts();
    Connection other;
    other.connect(databasePath());
    other.startTransaction();
    other.executeImmediate(QStringLiteral("update people set vidan = 'Другой' where name = 'Периметрия'"));

    DataSet& reg = app().workstation().serviceRegister();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Тонометрия"));
    typePassport();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(kLockMessage));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_FALSE(passportWindow().isVisible());
    other.rollback();

    // This workstation's own transaction holds no part of the change either.
    EXPECT_EQ(reg.fieldText("NAME"), QStringLiteral("Тонометрия"));
    reg.first();
    for (; !reg.atEnd(); reg.next())
        EXPECT_EQ(reg.fieldText("SERIA"), QString()) << reg.fieldText("NAME").toStdString();
    app().workstation().commit();
    for (const QString& row : committedPassports())
        EXPECT_TRUE(row.endsWith(none)) << row.toStdString();
}

// The server refuses the commit: the cashier is told, the window still closes on the same record, and the
// values stay posted in the open transaction until the next commit that succeeds.
TEST_F(PassportWindowTest, aRefusedCommitIsToldAndTheValuesWaitForTheNextCommit) {
    startWithContracts();
    DataSet& reg = app().workstation().serviceRegister();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Тонометрия"));
    refuseWorkstationCommits(true);
    typePassport();
    ASSERT_EQ(messages.shown.size(), 1u) << messages.texts().join('|').toStdString();
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Нет данных для сохранения"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_FALSE(passportWindow().isVisible());
    EXPECT_EQ(reg.fieldText("NAME"), QStringLiteral("Тонометрия"));
    EXPECT_EQ(reg.fieldText("SERIA"), QStringLiteral("4509"));
    for (const QString& row : committedPassports())
        EXPECT_TRUE(row.endsWith(none)) << row.toStdString();

    refuseWorkstationCommits(false);
    app().workstation().commit();
    EXPECT_EQ(committedPassports(),
              (QStringList{"Прием офтальмолога" + passport, "Прием невролога" + none, "Тонометрия" + passport,
                           "Периметрия" + passport, "Прием хирурга" + none}));
}

// Opened on a contract that has its passport data and closed untouched: the data stay as they were.
TEST_F(PassportWindowTest, closedUntouchedTheContractKeepsItsPassportData) {
    startWithContracts();
    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Тонометрия"));
    typePassport();
    ASSERT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
    const QStringList before = committedPassports();

    standOn(QStringLiteral("Иванов"), QStringLiteral("17"), QStringLiteral("Периметрия"));
    requestContract();
    passportWindow().edit();
    EXPECT_EQ(find<QLineEdit>("sDBEdit3", 3)->text(), QStringLiteral("ОВД Центрального района"));
    find<QPushButton>("sBitBtn1", 3)->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(committedPassports(), before);
}

} // namespace
} // namespace zorvel::test
