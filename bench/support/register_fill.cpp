#include "bench/support/register_fill.h"

#include "data/connection.h"

#include <sys/resource.h>

namespace zorvel::bench {

void fillRegister(const QString& path, int rows) {
    Connection c;
    c.connect(path);
    c.startTransaction();
    c.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 0; begin while (i < %1) do begin "
            "insert into people (ipeop, fam, nam, oth, kodgvv, data_usl, name, kod, summa, time_us, fiov, "
            "otdelenie, tip_pom, kol, ndog, simv, dataisp, medsestr, chopl, prover, datnar, dopoln) values "
            "(null, 'Иванов' || :i, 'Иван', 'Иванович', '29', '01.03.2026', 'Прием врача-офтальмолога "
            "первичный', 'A05.029', '600', '10:00:00', 'Петров П.П.', 'Офтальмологический кабинет общий "
            "(врач)', 'Поликлиника', 1, mod(:i, 50000), 'П', '01.03.2026', 'Сидорова А.А.', '0', 'Нет', "
            "'30.12.1899', 'Нет'); i = i + 1; end end")
            .arg(rows));
    c.commit();
}

void fillRegisterByDay(const QString& path, int rows, int perDay, const QDate& lastDay) {
    const int days = (rows + perDay - 1) / perDay;
    const QDate firstDay = lastDay.addDays(1 - days);
    Connection c;
    c.connect(path);
    c.startTransaction();
    // The date text is made on the server as the workstation writes it: DD.MM.YYYY.
    c.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 0; declare d timestamp; declare t varchar(10); "
            "declare k integer; declare n integer; declare dn integer; declare code integer; declare price "
            "integer; begin while (i < %1) do begin "
            // Dialect 1 multiplies and divides into a float: integer variables take the whole values.
            "dn = (i - mod(i, %2)) / %2; n = (i - mod(i, 2)) / 2; "
            "d = dateadd(dn day to cast('%3' as date)); "
            "t = lpad(extract(day from d), 2, '0') || '.' || lpad(extract(month from d), 2, '0') || '.' || "
            "extract(year from d); k = mod(i, 40); code = 10 + k * 7; price = 100 + k * 25; "
            "insert into people (ipeop, fam, nam, oth, kodgvv, data_usl, name, kod, summa, time_us, fiov, "
            "otdelenie, tip_pom, kol, ndog, simv, dataisp, medsestr, tehn, chopl, prover, datnar, dopoln) "
            "values (null, 'Иванов' || :n, 'Иван', 'Иванович', :code, :t, "
            "'Услуга № ' || :code || ' офтальмологического кабинета', 'A05.0' || :k, "
            ":price || '.50', '10:' || lpad(mod(:i, 60), 2, '0') || ':00', 'Петров' || mod(:i, 12) || "
            "' П.П.', 'Отделение ' || mod(:i, 9), "
            "iif(mod(:i, 3) = 0, 'Стационар', 'Поликлиника'), 1 + mod(:i, 3), mod(:n, 999999), 'П', :t, "
            "'Сидорова' || mod(:i, 7) || ' А.А.', 'Техников Т.Т.', iif(mod(:i, 10) = 0, '100', '0'), 'Нет', "
            "'30.12.1899', 'Нет'); i = i + 1; end end")
            .arg(rows)
            .arg(perDay)
            .arg(firstDay.toString(QStringLiteral("yyyy-MM-dd"))));
    c.commit();
}

long peakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace zorvel::bench
