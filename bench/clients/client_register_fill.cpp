#include "bench/clients/client_register_fill.h"

#include "data/connection.h"
#include "data/database_creation.h"

namespace zorvel::bench {

void makeClientRegister(const QString& path, int rows, int persons, int linesPerPerson) {
    createDatabase(path);
    Connection c;
    c.connect(path);
    c.startTransaction();
    const int billed = persons * linesPerPerson;
    // Persons are told apart by surname and first name, so two of three name parts differ between them.
    c.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 0; declare k integer; declare p integer; declare d "
            "integer; "
            "begin while (i < %1) do begin k = mod(i, 5); p = (i - mod(i, %2)) / %2; d = mod(i, 28) + 1; "
            "insert into peoplecbux (ipeop, fam, nam, oth, kodgvv, data_usl, name, kod, summa, time_us, "
            "fiov, otdelenie, tip_pom, kol, ndog, simv, dataisp, medsestr, chopl, prover, datanar, organis, "
            "nomnapr, datnapr) values (null, 'Сотрудник' || :p, 'Имя' || :p, 'Отчество', "
            "'2' || :k, right('0' || :d, 2) || '.02.2026', "
            "decode(:k, 0, 'Прием терапевта', 1, 'Рентгенография органов грудной клетки', "
            "2, 'Общий анализ крови', 3, 'Прием офтальмолога', 'Электрокардиография'), "
            "'A0' || :k || '.001', decode(:k, 0, '450', 1, '1250.50', 2, '310.25', 3, '600', '799.99'), "
            "'10:00:00', decode(:k, 2, null, 'Петров П.П.'), 'Поликлиника', 'Поликлиника', "
            "1 + mod(:i, 3), '7', 'П', '01.02.2026', 'Сидорова А.А.', '0', 'Нет', '01.02.2026', '%3', "
            "mod(:i, 900) + 1, '25.01.2026'); i = i + 1; end end")
            .arg(billed)
            .arg(linesPerPerson)
            .arg(QString::fromUtf16(kBilledOrganisation)));
    c.commit();
    c.startTransaction();
    c.executeImmediate(
        QStringLiteral(
            "execute block as declare i integer = 0; declare m integer; declare d integer; begin while "
            "(i < %1) do begin m = mod((i - mod(i, 28)) / 28, 12) + 1; d = mod(i, 28) + 1; insert into "
            "peoplecbux (ipeop, fam, nam, oth, kodgvv, data_usl, name, kod, summa, time_us, "
            "fiov, otdelenie, tip_pom, kol, ndog, simv, dataisp, medsestr, chopl, prover, datanar, organis, "
            "nomnapr, datnapr) values (null, 'Фамилия' || mod(:i, 20000), 'Имя', 'Отчество', '29', "
            "right('0' || :d, 2) || '.' || right('0' || :m, 2) || '.2025', "
            "'Прием офтальмолога', 'A05.029', '600', '11:00:00', 'Петров П.П.', 'Поликлиника', "
            "'Поликлиника', 1, '8', 'П', '01.01.2025', 'Сидорова А.А.', '0', 'Нет', '01.01.2025', "
            "'Организация ' || mod(:i, 20), '1', '01.01.2025'); i = i + 1; end end")
            .arg(rows - billed));
    c.commit();
    c.startTransaction();
    c.executeImmediate(QStringLiteral("insert into prais (idp, simv, kod, name, kodgvv, summa) values "
                                      "(null, 'П', 'A05.029', 'Прием офтальмолога', '29', '600')"));
    c.executeImmediate(QStringLiteral(
        "insert into otdel (id_o, name, kod) values (null, 'Офтальмологический кабинет', '11')"));
    c.commit();
}

} // namespace zorvel::bench
