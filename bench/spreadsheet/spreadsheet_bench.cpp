// spreadsheet_bench: how fast the engine fills and saves a large report, and what printing costs.
// Writes 100,000 cells one by one (texts, numbers, formulas) into a template and saves; then a year's
// cash report of 8,000,000 cells, written and saved; then prints a
// one-sheet workbook through LibreOffice with a copying print command: one-shot, and through the warm
// converter kept for the run. Run by hand; prints a table.

#include "spreadsheet/libre_office.h"
#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/workbook.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTime>

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
    const char* headings[] = {"Фамилия", "Имя",    "Отчество", "Услуга", "Цена",
                              "Кол-во",  "Скидка", "Код",      "№",      "Сумма"};
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

// A year's cash report at full size: 22 columns of texts, numbers and a formula per row, 8,000,000
// cells in all, borders over the whole table and a bold totals row, written and saved. Returns the
// times in ms (write, save) and the file size in KB.
struct LargeFigures {
    qint64 writeMs = 0, saveMs = 0, fileKb = 0, writeCpuMs = 0, saveCpuMs = 0;
};

// Processor time of this process so far, in ms: on a shared machine it says what the work costs
// where the wall clock cannot.
qint64 cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000LL +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

LargeFigures largeReport(const QString& dir, const QString& templatePath) {
    const int rows = 8000000 / 22, columns = 22;
    static const char* const surnames[] = {"Иванов", "Петрова", "Сидоров", "Кузнецова", "Смирнов"};
    static const char* const departments[] = {"Хирургия", "Терапия", "Офтальмология", "Стоматология"};
    LargeFigures figures;
    QElapsedTimer timer;
    timer.start();
    qint64 cpu = cpuMs();
    Workbook book = Workbook::fromTemplate(templatePath);
    Worksheet& sheet = book.sheet(1);
    for (int k = 1; k <= rows; ++k) {
        const int r = k + 2;
        sheet.setNumber(r, 1, k);
        sheet.setCell(r, 2, QString::fromUtf8(surnames[k % 5]) + QString::number(k % 3000));
        sheet.setCell(r, 3, QStringLiteral("Имя%1").arg(k % 200));
        sheet.setCell(r, 4, QStringLiteral("Отчество%1").arg(k % 150));
        sheet.setCell(r, 5, QString::number(100000 + k / 3));
        sheet.setCell(r, 6, QString::number(1 + k % 981));
        sheet.setCell(r, 7, QStringLiteral("Услуга № %1 по прейскуранту").arg(1 + k % 981));
        sheet.setCell(r, 8, QStringLiteral("у.е."));
        sheet.setCell(r, 9, QString::number(2000 + k % 981));
        sheet.setCell(r, 10, QStringLiteral("Поликлиника"));
        sheet.setCell(r, 11, QStringLiteral("Врач%1 В.В.").arg(k % 60));
        sheet.setCell(r, 12, QStringLiteral("Сестра%1 С.С.").arg(k % 40));
        sheet.setCell(r, 13, k % 7 == 0 ? QString() : QStringLiteral("Техник%1").arg(k % 10));
        sheet.setCell(r, 14, QString::number(10 + k % 63));
        sheet.setCell(r, 15, QString::fromUtf8(departments[k % 4]));
        sheet.setCell(r, 16, QString::number(100 + k % 900) + QStringLiteral(".50"));
        sheet.setCell(r, 17, QString::number(1 + k % 3));
        const QString n = QString::number(r);
        sheet.setCell(r, 18, QStringLiteral("=p") + n + QStringLiteral("*q") + n);
        sheet.setCell(r, 19, QDate(2026, 1, 1).addDays(k / 1000).toString(QStringLiteral("dd.MM.yyyy")));
        sheet.setCell(r, 20, QTime(8, 0).addSecs(k % 36000).toString(QStringLiteral("HH:mm:ss")));
        sheet.setCell(r, 21, QStringLiteral("30.12.1899"));
        sheet.setCell(r, 22, QStringLiteral("Нет"));
    }
    const int total = rows + 4;
    sheet.range(total, 1, total, 18).setBold();
    sheet.setCell(total, 1, QStringLiteral("ИТОГО:"));
    sheet.setCell(total, 18, QStringLiteral("=sum(r3:r") + QString::number(rows + 3));
    sheet.range(2, 1, total, columns - 1).setBorders();
    figures.writeMs = timer.elapsed();
    figures.writeCpuMs = cpuMs() - cpu;
    cpu = cpuMs();
    timer.restart();
    const QString output = QDir(dir).filePath(QStringLiteral("year.xlsx"));
    book.saveAs(output);
    figures.saveMs = timer.elapsed();
    figures.saveCpuMs = cpuMs() - cpu;
    figures.fileKb = QFileInfo(output).size() / 1024;
    QFile::remove(output);
    return figures;
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
    std::printf("| %-44s | %18s |\n|%s|%s|\n", "measure", "value",
                "----------------------------------------------", "--------------------");
    row("cells written one by one", QString::number(cells));
    row("write time", QStringLiteral("%1 ms").arg(writeMs));
    row("write rate",
        QStringLiteral("%1 cells/s").arg(qint64(cells * 1000.0 / std::max<qint64>(writeMs, 1))));
    row("save time", QStringLiteral("%1 ms").arg(saveMs));
    row("open template + write + save", QStringLiteral("%1 ms").arg(totalMs));
    row("overall rate",
        QStringLiteral("%1 cells/s").arg(qint64(cells * 1000.0 / std::max<qint64>(totalMs, 1))));
    row("saved file size", QStringLiteral("%1 KB").arg(QFileInfo(output).size() / 1024));
    row("peak memory (ru_maxrss)", QStringLiteral("%1 MB").arg(peak));
    row("reopen the saved file", QStringLiteral("%1 ms").arg(readMs));
    (void)check;

    // The full-size year: its peak is the process's peak from here on, the small run's being far below.
    const LargeFigures large = largeReport(dir.path(), templatePath);
    row("8,000,000 cells: write (22 columns, borders)", QStringLiteral("%1 ms").arg(large.writeMs));
    row("8,000,000 cells: save", QStringLiteral("%1 ms").arg(large.saveMs));
    row("8,000,000 cells: write + save", QStringLiteral("%1 ms").arg(large.writeMs + large.saveMs));
    row("8,000,000 cells: write, CPU", QStringLiteral("%1 ms").arg(large.writeCpuMs));
    row("8,000,000 cells: save, CPU", QStringLiteral("%1 ms").arg(large.saveCpuMs));
    row("8,000,000 cells: file size", QStringLiteral("%1 KB").arg(large.fileKb));
    row("8,000,000 cells: peak memory (ru_maxrss)", QStringLiteral("%1 MB").arg(peakMegabytes()));

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
