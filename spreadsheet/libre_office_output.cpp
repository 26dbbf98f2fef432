#include "spreadsheet/libre_office_output.h"

#include "spreadsheet/child_process.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/template_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace zorvel {

namespace {

QString environment(const char* name, const QString& fallback) {
    QString value = qEnvironmentVariable(name).trimmed();
    return value.isEmpty() ? fallback : value;
}

// The program of a command line, checked to exist: a path or a name on PATH.
QString findProgram(const QStringList& arguments) {
    if (arguments.isEmpty())
        return {};
    const QString& program = arguments.first();
    if (program.contains(u'/'))
        return QFileInfo(program).isExecutable() && QFileInfo(program).isFile() ? program : QString();
    return QStandardPaths::findExecutable(program);
}

QStringList withFile(const QString& command, const QString& placeholder, const QString& path) {
    QStringList arguments = QProcess::splitCommand(command);
    bool placed = false;
    for (QString& argument : arguments)
        if (argument.contains(placeholder)) {
            argument.replace(placeholder, path);
            placed = true;
        }
    if (!placed)
        arguments << path;
    return arguments;
}

// Puts `from` at `to` whole: copied beside the target first, then renamed over it.
void replaceFile(const QString& from, const QString& to) {
    QString partial = to + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(from, partial) ||
        std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(to).constData()) != 0) {
        QFile::remove(partial);
        throw SpreadsheetError(QStringLiteral("Не удалось записать «%1»").arg(to));
    }
}

} // namespace

OutputSettings OutputSettings::fromEnvironment() {
    OutputSettings settings;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    settings.outputDirectory =
        environment("ZORVEL_OUTPUT_DIR", QDir(documents).filePath(QStringLiteral("Зорвель")));
    settings.openCommand = environment("ZORVEL_OPEN_COMMAND", QStringLiteral("xdg-open"));
    settings.printCommand = environment("ZORVEL_PRINT_COMMAND", QStringLiteral("lp {pdf}"));
    return settings;
}

LibreOfficeOutput::LibreOfficeOutput(OutputSettings settings, std::function<QDateTime()> clock)
    : settings_(std::move(settings)), clock_(std::move(clock)) {
    if (!clock_)
        clock_ = [] { return QDateTime::currentDateTime(); };
}

LibreOfficeOutput::~LibreOfficeOutput() {
    finishPrinting();
}

Workbook LibreOfficeOutput::start(const QString& templateName) {
    if (templateName.trimmed().isEmpty())
        return Workbook::blank();
    QString directory =
        settings_.templateDirectory.isEmpty() ? templateDirectory() : settings_.templateDirectory;
    return Workbook::fromTemplate(templatePath(templateName, directory));
}

QString LibreOfficeOutput::show(Workbook& workbook) {
    QDir folder(settings_.outputDirectory);
    if (!folder.mkpath(QStringLiteral(".")))
        throw SpreadsheetError(
            QStringLiteral("Не удалось создать папку «%1» (ZORVEL_OUTPUT_DIR)").arg(folder.path()));
    QString stem = workbook.name() + u' ' + clock_().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = folder.filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1 (%2).xlsx").arg(stem).arg(n));
    workbook.saveAs(path);
    QStringList command = withFile(settings_.openCommand, QStringLiteral("{file}"), path);
    QString program = findProgram(command);
    if (program.isEmpty()) {
        // Without the opener (a machine with no desktop's handler installed) the spreadsheet program
        // shows the workbook itself.
        QStringList calc = LibreOffice::windowedCalc();
        if (calc.isEmpty())
            throw SpreadsheetError(
                QStringLiteral("Не найдена программа «%1» для открытия книги (ZORVEL_OPEN_COMMAND) "
                               "и не установлен LibreOffice Calc с окном: установите пакеты xdg-utils и "
                               "libreoffice-calc. Книга сохранена: %2")
                    .arg(command.value(0), path));
        program = calc.takeFirst();
        command = QStringList{program} + calc + QStringList{path};
    }
    if (!startDetachedCleanly(program, command.mid(1)))
        throw SpreadsheetError(
            QStringLiteral("Не удалось запустить «%1». Книга сохранена: %2").arg(program, path));
    return path;
}

void LibreOfficeOutput::print(Workbook& workbook) {
    if (LibreOffice::program().isEmpty())
        throw SpreadsheetError(
            QStringLiteral("Печать невозможна: не установлен LibreOffice (программа soffice не найдена)"));
    QStringList command = QProcess::splitCommand(settings_.printCommand);
    if (findProgram(command).isEmpty())
        throw SpreadsheetError(QStringLiteral("Печать невозможна: не найдена программа печати «%1» "
                                              "(ZORVEL_PRINT_COMMAND)")
                                   .arg(command.value(0)));
    auto job = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("zorvel-print-XXXXXX")));
    if (!job->isValid())
        throw SpreadsheetError(QStringLiteral("Печать невозможна: не удалось создать временную папку"));
    // The copy is the workbook as it is now: the caller may close or change it at once.
    QString xlsx = QDir(job->path()).filePath(workbook.name() + QStringLiteral(".xlsx"));
    workbook.saveCopy(xlsx);
    printQueue().submit(std::move(job), xlsx, command);
}

void LibreOfficeOutput::warmUp() {
    if (!LibreOffice::program().isEmpty())
        printQueue().warmUp();
}

void LibreOfficeOutput::setPrintReports(PrintReports reports) {
    reports_ = reports;
    if (printQueue_)
        printQueue_->setReports(std::move(reports));
}

int LibreOfficeOutput::printsPending() const {
    return printQueue_ ? printQueue_->pending() : 0;
}

void LibreOfficeOutput::finishPrinting(bool showFailures) {
    if (printQueue_)
        printQueue_->finish(showFailures);
}

PrintQueue& LibreOfficeOutput::printQueue() {
    if (!printQueue_) {
        printQueue_ = std::make_unique<PrintQueue>(settings_.python);
        printQueue_->setReports(reports_);
    }
    return *printQueue_;
}

QString LibreOfficeOutput::saveAs(Workbook& workbook, const QString& path) {
    QFileInfo target(path);
    QString suffix = target.suffix().toLower();
    if (suffix != u"xls" && suffix != u"ods") {
        workbook.saveAs(path);
        return target.absoluteFilePath();
    }
    QTemporaryDir job;
    if (!job.isValid())
        throw SpreadsheetError(QStringLiteral("Не удалось создать временную папку"));
    QString xlsx = QDir(job.path()).filePath(target.completeBaseName() + QStringLiteral(".xlsx"));
    workbook.saveCopy(xlsx);
    QString converted = LibreOffice::convert(
        xlsx, suffix == u"xls" ? QStringLiteral("xls:MS Excel 97") : QStringLiteral("ods"), job.path());
    replaceFile(converted, target.absoluteFilePath());
    return target.absoluteFilePath();
}

} // namespace zorvel
