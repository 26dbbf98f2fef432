#include "tests/cashdesk/entry_fixture.h"

#include "app/main_window.h"

#include <QApplication>

namespace zorvel::test {

void EntryTest::SetUp() {
    WorkstationTest::SetUp();
    // Stored order matters to the look-up: "3" finds the row of 3 before those of 30 and 31.
    const char* prices[][5] = {
        {"П", "A01.001", "Прием терапевта", "1", "450"},
        {"П", "A02.003", "Прием хирурга", "3", "500"},
        {"Д", "A03.030", "Перевязка", "30", "700"},
        {"П", "A03.031", "Снятие швов", "31", "800"},
        {"П", "A05.029", "Прием офтальмолога", "29", "600"},
        {"П", "A05.028", "Тонометрия", "28", "200"},
        {"П", "A05.027", "Острота зрения", "27", "150"},
        {"П", "A05.032", "Периметрия", "32", "300"},
        {"П", "A05.998", "Оформление документов", "998", "50"},
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
    prepare(statements);
    start();
    ASSERT_TRUE(activateWindow(&app().mainWindow()));
}

QString EntryTest::focused() const {
    QWidget* w = QApplication::focusWidget();
    if (w && w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget()))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

void EntryTest::typeInto(const char* objectName, const QString& text) {
    QWidget* field = find<QWidget>(objectName);
    ASSERT_NE(field, nullptr) << objectName;
    ASSERT_TRUE(focusField(field)) << objectName;
    typeText(text);
}

void EntryTest::choose(const char* objectName, const QString& entry) {
    QComboBox* box = combo(objectName);
    ASSERT_TRUE(focusField(box));
    const int wanted = box->findText(entry);
    ASSERT_GE(wanted, 0) << entry.toStdString();
    // Home chooses the first entry, each Down the next one.
    pressKey(Qt::Key_Home);
    for (int i = 0; i < wanted; ++i)
        pressKey(Qt::Key_Down);
    EXPECT_EQ(box->currentText(), entry);
}

QStringList EntryTest::savedRows(const QString& columns) {
    return committedRows(databasePath(), QStringLiteral("select %1 from people order by ipeop").arg(columns));
}

} // namespace zorvel::test
