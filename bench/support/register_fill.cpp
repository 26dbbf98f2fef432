#include "bench/support/register_fill.h"

#include "data/connection.h"
#include "data/database_creation.h"

#include <QDir>
#include <QFile>

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
    c.executeImmediate(QStringLiteral("insert into prais (idp, simv, kod, name, kodgvv, summa) values "
                                      "(null, 'П', 'A05.029', 'Прием врача-офтальмолога', '29', '600')"));
    c.executeImmediate(QStringLiteral(
        "insert into otdel (id_o, name, kod) values (null, 'Офтальмологический кабинет', '11')"));
    c.commit();
}

QString registerDatabase(int rows, const QString& scratchFolder) {
    const QString kept = qEnvironmentVariable("ZORVEL_BENCH_DIR");
    const QString folder = kept.isEmpty() ? scratchFolder : kept;
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("register-%1.fdb").arg(rows));
    if (!kept.isEmpty() && QFile::exists(path))
        return path;
    QFile::remove(path);
    createDatabase(path);
    fillRegister(path, rows);
    return path;
}

long peakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace zorvel::bench
