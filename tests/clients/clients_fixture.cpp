#include "tests/clients/clients_fixture.h"

#include "data/connection.h"
#include "data/dataset.h"
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
    Connection connection;
    connection.connect(databasePath());
    connection.startTransaction();
    QStringList list;
    {
        DataSet rows(connection, QStringLiteral("saved rows"));
        // Each column as the workstation reads it (a CHAR column without its padding), with a NULL mark.
        QStringList selected;
        for (const QString& c : columns.split(','))
            selected << c.trimmed() << QStringLiteral("iif(%1 is null, 1, 0)").arg(c.trimmed());
        rows.replaceSelect(
            QStringLiteral("select %1 from peoplecbux order by ipeop").arg(selected.join(',')));
        for (; !rows.atEnd(); rows.next()) {
            QStringList values;
            for (int i = 0; i + 1 < static_cast<int>(rows.fields().size()); i += 2)
                values << (rows.text(rows.currentRow(), i + 1) == QLatin1String("1")
                               ? QStringLiteral("<NULL>")
                               : rows.text(rows.currentRow(), i));
            list << values.join('|');
        }
    }
    connection.commit();
    return list;
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
