// The combined table of services on a register of 1,000,000 rows, through the real window on the offscreen
// platform. Run by hand: build/bin/combined_bench [register rows]. Prints a table:
//  - the default statement for a month, first rows on screen;
//  - a grouping by two columns over a year;
//  - a title-click sort;
//  - the copy of about 100,000 result rows into the workbook, saved as the output service saves it.
#include "bench/support/register_fill.h"
#include "consumables/combined_copy.h"
#include "consumables/combined_statement.h"
#include "consumables/combined_table_window.h"
#include "data/connection.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "spreadsheet/template_directory.h"
#include "spreadsheet/workbook.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

using namespace zorvel;

namespace {

class PrintedMessages : public Messages {
public:
    void show(const QString& text, const QString& caption) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
};

class BenchClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 5), QTime(9, 0)); }
};

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Timing {
    QElapsedTimer wall;
    double cpu;
    Timing() : cpu(cpuSeconds()) { wall.start(); }
    void print(const char* what, long rows, const char* aim) {
        std::printf("| %s | %ld | %.2f | %.2f | %s |\n", what, rows, wall.nsecsElapsed() / 1e9,
                    cpuSeconds() - cpu, aim);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int rows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000000;
    QTemporaryDir dir;
    const QString database = dir.filePath("combined.fdb");
    createDatabase(database);
    {
        QElapsedTimer fill;
        fill.start();
        Connection c;
        c.connect(database);
        c.startTransaction();
        // A year of services, 28 days a month, every row distinct (its time), a thousand patients.
        c.executeImmediate(
            QStringLiteral(
                "execute block as declare i integer = 0; declare dd integer; declare mm integer; "
                "declare ss integer; begin while (i < %1) do begin "
                "dd = mod(i, 28) + 1; mm = mod(i / 28, 12) + 1; ss = i / 336; "
                "insert into people (fam, nam, oth, kodgvv, data_usl, name, kod, summa, time_us, fiov, "
                "otdelenie, "
                "tip_pom, kol, ndog, simv, dataisp, medsestr, chopl, prover, datnar, dopoln) values "
                "('Иванов' || mod(:i, 1000), 'Иван', 'Иванович', mod(:i, 300) + 1, "
                "lpad(:dd, 2, '0') || '.' || lpad(:mm, 2, '0') || '.2025', 'Прием врача-офтальмолога', "
                "'A05.029', "
                "'600', :ss, 'Петров П.П.', 'Офтальмологический кабинет', 'Поликлиника', 1, mod(:i, 50000), "
                "'П', "
                "'01.03.2025', 'Сидорова А.А.', '0', 'Нет', '30.12.1899', 'Нет'); i = i + 1; end end")
                .arg(rows));
        c.commit();
        std::fprintf(stderr, "register of %d rows filled in %.1f s\n", rows, fill.nsecsElapsed() / 1e9);
    }

    PrintedMessages messages;
    BenchClock clock;
    Workstation workstation(Services{&messages, &clock, nullptr, nullptr, nullptr});
    workstation.startWith(database);
    CombinedTableWindow window(workstation);
    window.show();
    QApplication::processEvents();
    auto* from = window.findChild<QLineEdit*>(QStringLiteral("sDateEdit1"));
    auto* to = window.findChild<QLineEdit*>(QStringLiteral("sDateEdit2"));
    std::printf("| measure | result rows | wall s | cpu s | aim |\n|---|---|---|---|---|\n");

    {
        from->setText(QStringLiteral("01.01.2025"));
        Timing t;
        to->setText(QStringLiteral("31.01.2025")); // the whole date rebuilds the table
        QApplication::processEvents();
        t.print("default statement for a month, first rows on screen", window.dataSet().fetchedCount(),
                "< 0.5");
    }
    {
        Timing t;
        window.sortBy(0);
        QApplication::processEvents();
        t.print("title-click sort of the month by surname, first rows on screen",
                window.dataSet().fetchedCount(), "< 0.5");
    }
    {
        const VisibleTexts texts = visibleTexts({QStringLiteral("fam, "), QStringLiteral("SUMMA, ")});
        to->setText(QStringLiteral("31.12.2025"));
        Timing t;
        window.setVisibleFields(texts.select, texts.group);
        QApplication::processEvents();
        window.dataSet().fetchAll();
        t.print("grouping by two columns over a year, all rows", window.dataSet().recordCount(), "< 0.5");
    }
    {
        window.setVisibleFields(QString(), QString());
        from->setText(QStringLiteral("01.03.2025"));
        to->setText(QStringLiteral("06.04.2025"));
        QApplication::processEvents();
        Timing t;
        Workbook book = Workbook::fromTemplate(templatePath(QStringLiteral("comb")));
        std::vector<QString> titles;
        for (const DataSet::Field& f : window.dataSet().fields())
            titles.push_back(combinedColumnTitle(f.name));
        copyDataSetToSheet(window.dataSet(), titles, book.sheet(1));
        const double written = t.wall.nsecsElapsed() / 1e9;
        book.saveAs(dir.filePath("comb.xlsx"));
        t.print("copy of the result into the workbook, saved", window.dataSet().recordCount(), "< 3");
        std::printf("| of which: cells written | | %.2f | | |\n", written);
    }
    std::printf("| peak memory, MB | | %ld | | < 400 |\n", bench::peakMemoryMb());
    return 0;
}
