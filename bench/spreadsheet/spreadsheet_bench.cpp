// spreadsheet_bench: how fast the engine fills and saves a large report, and what printing costs.
// Writes 100,000 cells one by one (texts, numbers, formulas) into a template and saves; then prints a
// one-sheet workbook through LibreOffice with a copying print command: one-shot, and through the warm
// converter kept for the run. Run by hand; prints a table.

#include "spreadsheet/libre_office.h"
#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/workbook.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zorvel;

namespace {

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void row(const char* what, const QString& value) {
    std::printf("| %-44s | %18s |\n", what, qPrintable(value));
}

// A report template: a heading, column widths and a bordered, bold header row.
QString makeTemplate(const QString& dir) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    sheet.setCell(1, 1, QStringLiteral("Отчет по кассе"));
    sheet.range("A1:J1").merge().setBold().setHorizontalAlignment(HAlignCenter);
    const char* headings[] = {"Фамилия", "Имя", "Отчество", "Услуга", "Цена", "Кол-во", "Скидка", "Код", "№", "Сумма"};
    for (int c = 1; c <= 10; ++c) {
        sheet.setCell(2, c, QString::fromUtf8(headings[c - 1]));
        sheet.setColumnWidth(c, 12);
    }
    sheet.range("A2:J2").setBorders().setBold();
    sheet.range("E3:J10002").setNumberFormat(QStringLiteral("#,##0.00"));
    QString path = QDir(dir).filePath(QStringLiteral("report.xlsx"));
    book.saveAs(path);
    return path;
}

} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    QString templatePath = makeTemplate(dir.path());
    const int rows = 10000, columns = 10;
    static const char* const surnames[] = {"Иванов", "Петрова", "Сидоров", "Кузнецова", "Смирнов"};

    QElapsedTimer total;
    total.start();
    Workbook book = Workbook::fromTemplate(templatePath);
    Worksheet& sheet = book.sheet(1);
    QElapsedTimer writing;
    writing.start();
    for (int r = 3; r < 3 + rows; ++r) {
        sheet.setCell(r, 1, QString::fromUtf8(surnames[r % 5]));
        sheet.setCell(r, 2, QStringLiteral("Имя %1").arg(r % 97));
        sheet.setCell(r, 3, QStringLiteral("Отчество"));
        sheet.setCell(r, 4, QStringLiteral("Услуга №%1\nкабинет %2").arg(r).arg(r % 13));
        sheet.setCell(r, 5, QString::number(100 + r % 900) + QStringLiteral(".50"));
        sheet.setCell(r, 6, QString::number(1 + r % 3));
        sheet.setCell(r, 7, QStringLiteral("0,1"));
        sheet.setCell(r, 8, QString::number(r));
        sheet.setCell(r, 9, QString::number(r - 2));
        sheet.setCell(r, 10, QStringLiteral("=e%1*f%1*(1-g%1").arg(r));
    }
    sheet.setCell(3 + rows, 10, QStringLiteral("=sum(j3:j%1").arg(2 + rows));
    qint64 writeMs = writing.elapsed();
    QElapsedTimer saving;
    saving.start();
    QString output = QDir(dir.path()).filePath(QStringLiteral("filled.xlsx"));
    book.saveAs(output);
    qint64 saveMs = saving.elapsed();
    qint64 totalMs = total.elapsed();
    long peak = peakMegabytes();

    QElapsedTimer reading;
    reading.start();
    Workbook back = Workbook::open(output);
    QString check = back.sheet(1).cellText(3 + rows - 1, 1);
    qint64 readMs = reading.elapsed();

    const int cells = rows * columns + 1;
    std::printf("| %-44s | %18s |\n|%s|%s|\n", "measure", "value", "----------------------------------------------",
                "--------------------");
    row("cells written one by one", QString::number(cells));
    row("write time", QStringLiteral("%1 ms").arg(writeMs));
    row("write rate", QStringLiteral("%1 cells/s").arg(qint64(cells * 1000.0 / std::max<qint64>(writeMs, 1))));
    row("save time", QStringLiteral("%1 ms").arg(saveMs));
    row("open template + write + save", QStringLiteral("%1 ms").arg(totalMs));
    row("overall rate", QStringLiteral("%1 cells/s").arg(qint64(cells * 1000.0 / std::max<qint64>(totalMs, 1))));
    row("saved file size", QStringLiteral("%1 KB").arg(QFileInfo(output).size() / 1024));
    row("peak memory (ru_maxrss)", QStringLiteral("%1 MB").arg(peak));
    row("reopen the saved file", QStringLiteral("%1 ms").arg(readMs));
    (void)check;

    if (LibreOffice::program().isEmpty()) {
        row("print", QStringLiteral("skipped: no soffice"));
        return 0;
    }
    // Printing: a one-sheet workbook of 40 rows, the print command a copy.
    Workbook small = Workbook::fromTemplate(templatePath);
    for (int r = 3; r < 43; ++r)
        for (int c = 1; c <= 10; ++c)
            small.sheet(1).setCell(r, c, QString::number(r * c));
    OutputSettings settings;
    settings.outputDirectory = dir.path();
    const QString printed = QDir(dir.path()).filePath(QStringLiteral("printed.pdf"));
    settings.printCommand = QStringLiteral("cp {pdf} ") + printed;

    QElapsedTimer converting;
    converting.start();
    QString copy = QDir(dir.path()).filePath(QStringLiteral("small.xlsx"));
    small.saveCopy(copy);
    qint64 smallSaveMs = converting.elapsed();
    QDir(dir.path()).mkdir(QStringLiteral("pdf"));
    converting.restart();
    LibreOffice::convert(copy, QStringLiteral("pdf"), QDir(dir.path()).filePath(QStringLiteral("pdf")));
    qint64 convertMs = converting.elapsed();
    row("one sheet: saving the workbook", QStringLiteral("%1 ms").arg(smallSaveMs));
    row("one sheet: one-shot soffice --convert-to pdf", QStringLiteral("%1 ms").arg(convertMs));

    // The warm converter: started in the background, then each print from the call to the PDF handed
    // to the print command (the copy appearing), and what the caller itself waits.
    LibreOfficeOutput printer(settings);
    QElapsedTimer warming;
    warming.start();
    printer.warmUp();
    while (!printer.printQueue().isWarm() && warming.elapsed() < 180000)
        QThread::msleep(5);
    const qint64 warmMs = warming.elapsed();
    if (!printer.printQueue().isWarm()) {
        row("print, warm converter", QStringLiteral("not available (python3-uno?)"));
        return 0;
    }
    row("warm converter: start in the background", QStringLiteral("%1 ms").arg(warmMs));
    std::vector<qint64> handed, waited;
    for (int i = 0; i < 7; ++i) {
        QFile::remove(printed);
        QElapsedTimer click;
        click.start();
        printer.print(small);
        waited.push_back(click.nsecsElapsed() / 1000);
        while (!QFileInfo::exists(printed) && click.elapsed() < 120000)
            QThread::usleep(500);
        handed.push_back(click.elapsed());
        printer.finishPrinting();
    }
    const qint64 first = handed.front();
    std::vector<qint64> rest(handed.begin() + 1, handed.end());
    std::sort(rest.begin(), rest.end());
    std::sort(waited.begin(), waited.end());
    row("click to PDF at print command: first job", QStringLiteral("%1 ms").arg(first));
    row("click to PDF at print command: median", QStringLiteral("%1 ms").arg(rest[rest.size() / 2]));
    row("click to PDF at print command: slowest", QStringLiteral("%1 ms").arg(rest.back()));
    row("print(): the caller's wait, median", QStringLiteral("%1 us").arg(waited[waited.size() / 2]));
    return 0;
}
