#include "tests/clients/clients_fixture.h"

#include "data/filter.h"

#include <QAbstractButton>
#include <QApplication>

namespace zorvel::test {

void ClientsTest::SetUp() {
    WorkstationTest::SetUp();
    const char* prices[][5] = {
        {"П", "A01.001", "Прием терапевта", "1", "450"},
        {"Д", "A12.001", "Рентгенография", "12", "1250.50"},
        {"П", "A12.002", "Рентгеноскопия", "120", "900"},
        {"П", "A05.029", "Прием офтальмолога", "29", "600"},
    };
    QStringList statements;
    for (const auto& p : prices)
        statements << QStringLiteral("insert into prais (idp, simv, kod, name, kodgvv, summa) values "
                                     "(null, '%1', '%2', '%3', '%4', '%5')")
                          .arg(QString::fromUtf8(p[0]), QString::fromUtf8(p[1]), QString::fromUtf8(p[2]),
                               QString::fromUtf8(p[3]), QString::fromUtf8(p[4]));
    const char* departments[][2] = {
        {"Кабинет гинеколога", "1"}, {"Кабинет хирурга", "2"}, {"Рентгенологическое отделение", "12"}};
    for (const auto& d : departments)
        statements << QStringLiteral("insert into otdel (id_o, name, kod) values (null, '%1', '%2')")
                          .arg(QString::fromUtf8(d[0]), QString::fromUtf8(d[1]));
    statements << registerRows();
    prepare(statements);
    start();
    ASSERT_TRUE(activateWindow(clientsWindow()));
}

QString ClientsTest::focused() const {
    QWidget* w = QApplication::focusWidget();
    if (w && w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget()))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

void ClientsTest::typeInto(const char* objectName, const QString& text, int window) {
    QWidget* w = find<QWidget>(objectName, window);
    ASSERT_NE(w, nullptr) << objectName;
    ASSERT_TRUE(focusField(w)) << objectName;
    typeText(text);
}

void ClientsTest::click(const char* objectName, int window) {
    auto* b = find<QAbstractButton>(objectName, window);
    ASSERT_NE(b, nullptr) << objectName;
    b->click();
}

QStringList ClientsTest::savedRows(const QString& columns) {
    return committedRows(databasePath(),
                         QStringLiteral("select %1 from peoplecbux order by ipeop").arg(columns));
}

QString ClientsTest::clientRow(const QString& fam, const QString& organisation, const QString& date,
                               const QString& price, int quantity) {
    return QStringLiteral("insert into peoplecbux (ipeop, fam, nam, oth, organis, data_usl, summa, kol, "
                          "time_us, name) values (null, %1, 'Иван', 'Иванович', %2, %3, %4, %5, '10:00:00', "
                          "'Прием терапевта')")
        .arg(quotedValue(fam), quotedValue(organisation), quotedValue(date), quotedValue(price))
        .arg(quantity);
}

} // namespace zorvel::test
