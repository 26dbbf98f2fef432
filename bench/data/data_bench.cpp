// Start-up and the save cycle of the cash desk on a register of 10,000 and 100,000 rows.
// Run by hand: build/bin/data_bench [rows...]. Prints a table.
#include "workstation/workstation.h"
#include "bench/support/register_fill.h"
#include "data/database_creation.h"
#include "data/dataset.h"

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

Row measure(int rows) {
    QTemporaryDir dir;
    const QString path = bench::registerDatabase(rows, dir.path());

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
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    std::printf("| rows in PEOPLE | start-up, ms | save cycle, ms | full refetch, ms | peak memory, MB |\n");
    std::printf("|---:|---:|---:|---:|---:|\n");
    for (int rows : sizes) {
        Row r = measure(rows);
        std::printf("| %d | %.1f | %.1f | %.1f | %ld |\n", r.rows, r.startMs, r.saveMs, r.fullFetchMs,
                    r.memoryMb);
        std::fflush(stdout);
    }
    return 0;
}
