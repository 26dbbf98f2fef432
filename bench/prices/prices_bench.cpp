// The price import and the balance report on large data.
// Run by hand: build/bin/prices_bench [register rows]. Prints a table.
//  - import 20,000 rows from a workbook into a price list that holds 20,000 rows already;
//  - the balance report (linz.xls) over 5,000 consumable codes and 1,000,000 register rows.
#include "bench/support/register_fill.h"
#include "cashdesk/price_list.h"
#include "consumables/stock_reports.h"
#include "data/connection.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "spreadsheet/template_directory.h"
#include "spreadsheet/workbook.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

class FixedFile : public FileChooser {
public:
    QString openFile(const QString&, const QString&) override { return path; }
    QString path;
};

void execute(const QString& database, const QString& sql) {
    Connection c;
    c.connect(database);
    c.startTransaction();
    c.executeImmediate(sql);
    c.commit();
}

double seconds(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e9;
}

// Processor time of the whole process (the embedded engine's threads included): on a machine shared with
// other work, wall time alone says little.
double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int registerRows = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 1000000;
    const int priceRows = 20000;
    const int codes = 5000;
    QTemporaryDir dir;
    PrintedMessages messages;
    BenchClock clock;
    FixedFile files;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("| measure | rows | seconds | aim |\n|---|---|---|---|\n");

    // The import.
    {
        const QString database = dir.filePath("prices.fdb");
        createDatabase(database);
        execute(database,
                QStringLiteral("execute block as declare i integer = 0; begin while (i < %1) do begin "
                               "insert into prais (simv, kod, name, summa, kodgvv) values ('П', 'A' || :i, "
                               "'Услуга ' || :i, '500', mod(:i, 99999)); i = i + 1; end end")
                    .arg(priceRows));
        Workbook book = Workbook::blank();
        Worksheet& sheet = book.sheet(1);
        for (int r = 1; r <= priceRows; ++r) {
            sheet.setCell(r, 1, QStringLiteral("Д"));
            sheet.setCell(r, 2, QStringLiteral("B%1").arg(r));
            sheet.setCell(r, 3, QStringLiteral("Новая услуга прайса номер %1").arg(r));
            sheet.setNumber(r, 7, 1000 + r / 100.0);
            sheet.setCell(r, 8, QString::number(r % 99999));
        }
        sheet.range(QStringLiteral("G1:G%1").arg(priceRows)).setNumberFormat(QStringLiteral("#,##0.00"));
        files.path = dir.filePath("prices.xlsx");
        book.saveAs(files.path);

        Workstation workstation(Services{&messages, &clock, &files, nullptr, nullptr});
        workstation.startWith(database);
        QElapsedTimer t;
        t.start();
        const Workbook read = Workbook::open(files.path);
        const double readSeconds = seconds(t);
        importPriceList(workstation, read);
        const double batchSeconds = seconds(t) - readSeconds;
        workstation.connection().executeImmediate(QStringLiteral("delete from prais where simv = 'Д'"));
        workstation.commit();
        t.restart();
        const double cpu = cpuSeconds();
        const int imported = importPriceListFromFile(workstation);
        const double importSeconds = seconds(t);
        std::printf("| import a workbook into a price list of %d (the menu's command) | %d | %.2f (cpu %.2f) "
                    "| < 2 |\n",
                    priceRows, imported, importSeconds, cpuSeconds() - cpu);
        std::printf("| of which: reading the workbook | %d | %.2f | |\n", priceRows, readSeconds);
        std::printf("| of which: the rows into the database, one commit | %d | %.2f | |\n", priceRows,
                    batchSeconds);
        std::printf("| price list after the import | %d | | |\n", workstation.prices().recordCount());
    }

    // The balance report.
    {
        const QString database = dir.filePath("stock.fdb");
        createDatabase(database);
        execute(database,
                QStringLiteral("execute block as declare i integer = 1; begin while (i <= %1) do begin "
                               "insert into prihod (datap, name, summa, kol, kod, nonakl, dnakl) values "
                               "('01.01.2025', 'Расходник ' || :i, '100', 1000, :i, '1', '01.01.2025'); "
                               "i = i + 1; end end")
                    .arg(codes));
        QElapsedTimer fill;
        fill.start();
        execute(database,
                QStringLiteral(
                    "execute block as declare i integer = 0; declare code integer; declare dd integer; "
                    "declare mm integer; begin while (i < %1) do begin "
                    "code = mod(i, %2) + 1; dd = mod(i, 28) + 1; mm = mod(i / 28, 12) + 1; "
                    "insert into people (fam, nam, oth, kodgvv, data_usl, name, summa, time_us, kol, ndog) "
                    "values "
                    "('Иванов' || mod(:i, 1000), 'Иван', 'Иванович', :code, "
                    "lpad(:dd, 2, '0') || '.' || lpad(:mm, 2, '0') || '.2025', "
                    "'Услуга', '100', '10:00:00', 1, mod(:i, 50000)); i = i + 1; end end")
                    .arg(registerRows)
                    .arg(codes));
        std::fprintf(stderr, "register of %d rows filled in %.1f s\n", registerRows, seconds(fill));

        Workstation workstation(Services{&messages, &clock, &files, nullptr, nullptr});
        workstation.startWith(database);
        QElapsedTimer t;
        t.start();
        const double cpu = cpuSeconds();
        DataSet& stock = workstation.scratch7();
        stock.replaceSelect(stockStatement(QStringLiteral("05.03.2026")));
        const std::vector<StockRow> rows = readStockRows(stock);
        const double querySeconds = seconds(t);
        Workbook book = Workbook::fromTemplate(templatePath(QStringLiteral("linz.xls")));
        writeBalanceReport(book.sheet(1), QStringLiteral("05.03.2026"), rows);
        book.saveAs(dir.filePath("linz-report.xlsx"));
        const double reportSeconds = seconds(t);
        std::printf("| klinz over %d codes and %d register rows | %zu | %.2f | |\n", codes, registerRows,
                    rows.size(), querySeconds);
        std::printf("| balance report written and saved | %zu | %.2f (cpu %.2f) | < 2 |\n", rows.size(),
                    reportSeconds, cpuSeconds() - cpu);
        std::printf("| peak memory, MB | | %ld | |\n", bench::peakMemoryMb());
    }
    return 0;
}
