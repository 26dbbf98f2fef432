// The invoicing run on a register of 1,000,000 lines: one organisation with 1,000 persons and 5,000
// lines in the period, from the click on the documents button to the saved five-sheet workbook.
// Run by hand: build/bin/bills_bench [rows]. Prints a table. Offscreen unless QT_QPA_PLATFORM says
// otherwise.
#include "app/application.h"
#include "bench/clients/client_register_fill.h"
#include "bench/support/register_fill.h"
#include "clients/bills.h"
#include "data/dataset.h"
#include "spreadsheet/recording_output.h"
#include "spreadsheet/workbook.h"
#include "workstation/services.h"
#include "workstation/workstation.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace zorvel;

namespace {

class SilentMessages : public Messages {
public:
    void show(const QString& text, const QString&) override { shown << text; }
    QStringList shown;
};

class FixedClock : public Clock {
public:
    QDateTime now() const override { return {QDate(2026, 3, 5), QTime(9, 0, 0)}; }
};

double ms(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication qapp(argc, argv);
    const int rows = argc > 1 ? QString(argv[1]).toInt() : 1000000;
    const int persons = 1000;
    const int linesPerPerson = 5;

    QTemporaryDir dir;
    const QString path = dir.filePath("bills.fdb");
    QElapsedTimer t;
    t.start();
    bench::makeClientRegister(path, rows, persons, linesPerPerson);
    std::fprintf(stderr, "register of %d lines made in %.1f s\n", rows, ms(t) / 1000);
    QFile ini(dir.filePath("put.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Put]\n1=%1\n").arg(path).toUtf8());
    ini.close();
    QDir::setCurrent(dir.path());

    SilentMessages messages;
    FixedClock clock;
    RecordingOutput output;
    int failures = 0;
    Application app(Services{&messages, &clock, nullptr, nullptr, &output}, false);
    QWidget* window = app.window(11);
    window->show();
    QCoreApplication::processEvents();
    window->findChild<QLineEdit*>("sDateEdit1")->setText(bench::kPeriodStart);
    window->findChild<QLineEdit*>("sDateEdit2")->setText(bench::kPeriodEnd);
    window->findChild<QComboBox*>("sComboBox1")
        ->setCurrentText(QString::fromUtf16(bench::kBilledOrganisation));
    window->findChild<QLineEdit*>("sEdit7")->setText("34");
    const long memoryBefore = bench::peakMemoryMb();

    t.restart();
    window->findChild<QPushButton*>("sBitBtn2")->click();
    const double runMs = ms(t);
    const long memoryPeak = bench::peakMemoryMb();

    if (!messages.shown.isEmpty() || output.shown().size() != 1) {
        ++failures;
    } else {
        Workbook book = Workbook::open(output.shown().last());
        const Worksheet& register5 = book.sheet(5);
        // 1,000 persons: the last one numbered 1000, the grand total naming every subtotal.
        int lastPerson = 0;
        const int used = register5.usedRowCount();
        for (int row = 7; row <= used; ++row)
            lastPerson = std::max(lastPerson, register5.cellValue(row, 1).toInt());
        if (lastPerson != persons)
            ++failures;
        if (book.sheet(4).pageBreaks().size() != persons)
            ++failures;
        std::fprintf(stderr, "workbook %.1f MB, %d rows of acts\n",
                     QFileInfo(output.shown().last()).size() / 1e6, book.sheet(4).usedRowCount());
    }

    std::printf(
        "| lines in PEOPLECBUX | persons | lines billed | click to saved workbook, ms | peak MB before | "
        "peak MB | failed checks |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|\n");
    std::printf("| %d | %d | %d | %.1f | %ld | %ld | %d |\n", rows, persons, persons * linesPerPerson, runMs,
                memoryBefore, memoryPeak, failures);
    for (const QString& m : messages.shown)
        std::fprintf(stderr, "message: %s\n", qPrintable(m));
    return 0;
}
