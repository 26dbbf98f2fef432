#include "tests/cashdesk/register_fixture.h"

#include "tests/support/test_database.h"

#include "data/dataset.h"
#include "data/filter.h"

namespace zorvel::test {

std::vector<Record> RegisterTest::standardRecords() {
    std::vector<Record> r(5);
    r[0].service = QStringLiteral("Прием хирурга");
    r[1].service = QStringLiteral("Перевязка");
    r[2].service = QStringLiteral("Снятие швов");
    r[3].service = QStringLiteral("Тонометрия");
    r[3].contract = QStringLiteral("18");
    r[4].service = QStringLiteral("Прием терапевта");
    r[4].surname = QStringLiteral("Петров");
    for (size_t i = 0; i < r.size(); ++i)
        r[i].time = QStringLiteral("09:00:0%1").arg(i + 1);
    return r;
}

void RegisterTest::SetUp() {
    WorkstationTest::SetUp();
    // The records were served on 05.03.2026 and last changed on 01.03.2026; the workstation's today is
    // another day, so that a date written as "today" is never taken for either.
    clock.time = QDateTime(kToday, QTime(9, 7, 3));
    const char* prices[][5] = {
        {"П", "A01.001", "Прием терапевта", "1", "450"}, {"П", "A02.003", "Прием хирурга", "3", "500"},
        {"Д", "A03.030", "Перевязка", "30", "700"},      {"П", "A03.031", "Снятие швов", "31", "800"},
        {"П", "A05.028", "Тонометрия", "28", "200"},
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
    insert(standardRecords());
    start();
}

void RegisterTest::insert(const std::vector<Record>& records) {
    QStringList statements;
    for (const Record& r : records) {
        QStringList values;
        for (const QString& v :
             {r.surname, r.name, r.patronymic, r.date, r.contract, r.service, QStringLiteral("500"), r.time,
              r.paid, r.mark, r.surcharge, QStringLiteral("01.03.2026")})
            values << (v.isEmpty() ? QStringLiteral("NULL") : quotedValue(v));
        statements << QStringLiteral("insert into people (ipeop, fam, nam, oth, data_usl, ndog, name, summa, "
                                     "time_us, chopl, prover, dopoln, dataisp, kol, kodgvv, tip_pom) "
                                     "values (null, %1, 1, '3', 'Поликлиника')")
                          .arg(values.join(QStringLiteral(", ")));
    }
    prepare(statements);
}

void RegisterTest::restart() {
    stop();
    messages.shown.clear();
    start();
}

DataSet& RegisterTest::people() {
    return app().workstation().serviceRegister();
}

void RegisterTest::standOn(const QString& surname, const QString& contract, const QString& service) {
    ASSERT_TRUE(people().locate(QStringLiteral("FAM;NDOG;NAME"), {surname, contract, service}))
        << service.toStdString();
}

QStringList RegisterTest::committed(const QString& columns, const QString& table) {
    QStringList selected{QStringLiteral("name")};
    for (const QString& c : columns.split(u',', Qt::SkipEmptyParts))
        selected << c.trimmed();
    return committedRows(committedThrough.isEmpty() ? databasePath() : committedThrough,
                         QStringLiteral("select %1 from %2 order by ipeop").arg(selected.join(u','), table));
}

QString RegisterTest::storedYes() {
    return legacySchema() ? QStringLiteral("Да") : QStringLiteral("Да ");
}

QStringList RegisterTest::view() {
    QStringList names;
    DataSet& reg = people();
    const int column = reg.fieldIndex(QStringLiteral("NAME"));
    reg.fetchAll();
    for (int row = 0; row < reg.fetchedCount(); ++row)
        names << reg.text(row, column);
    return names;
}

} // namespace zorvel::test
