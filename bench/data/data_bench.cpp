// Start-up and the save cycle of the cash desk on a register of 10,000 and 100,000 rows.
// Run by hand: build/bin/data_bench [--schema=own|legacy|upgraded] [rows...]. Prints a table.
#include "bench/support/bench_database.h"
#include "bench/support/register_fill.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "workstation/workstation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace zorvel;

namespace {

struct Row {
    int rows;
    double startMs;
    double saveMs;
    double fullFetchMs;
    long memoryMb;
};

Row measure(int rows, bench::BenchSchema schema) {
    QTemporaryDir dir;
    QString path = dir.filePath("bench.fdb");
    bench::createFilledDatabase(path, schema, rows);

    Row r{rows, 0, 0, 0, 0};
    Workstation workstation(Services{});
    QElapsedTimer t;
    t.start();
    workstation.startWith(path);
    auto proposal = workstation.proposeContractNumber();
    r.startMs = t.nsecsElapsed() / 1e6;
    if (!proposal.ok)
        std::fprintf(stderr, "contract number failed\n");

    DataSet& people = workstation.serviceRegister();
    const int cycles = 5;
    t.restart();
    for (int i = 0; i < cycles; ++i) {
        QString time = QStringLiteral("12:00:%1").arg(i, 2, 10, QChar('0'));
        people.insert();
        people.setFieldText("fam", "Петров");
        people.setFieldText("data_usl", "02.03.2026");
        people.setFieldText("time_us", time);
        people.setFieldText("kol", "1");
        people.post();
        workstation.commit();
        people.close();
        people.open();
        if (!people.locate("data_usl;time_us", {"02.03.2026", time}))
            std::fprintf(stderr, "locate failed\n");
    }
    r.saveMs = t.nsecsElapsed() / 1e6 / cycles;

    t.restart();
    people.close();
    people.open();
    people.fetchAll();
    r.fullFetchMs = t.nsecsElapsed() / 1e6;
    r.memoryMb = bench::peakMemoryMb();
    return r;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bench::BenchSchema schema = bench::takeSchemaArgument(arguments);
    QList<int> sizes;
    for (const QString& a : arguments)
        sizes << a.toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    std::printf("| database | rows in PEOPLE | start-up, ms | save cycle, ms | full refetch, ms | peak "
                "memory, MB |\n");
    std::printf("|---|---:|---:|---:|---:|---:|\n");
    for (int rows : sizes) {
        Row r = measure(rows, schema);
        std::printf("| %s | %d | %.1f | %.1f | %.1f | %ld |\n", bench::schemaName(schema), r.rows, r.startMs,
                    r.saveMs, r.fullFetchMs, r.memoryMb);
        std::fflush(stdout);
    }
    return 0;
}
