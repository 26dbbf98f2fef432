#include "spreadsheet/libre_office_output.h"

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
    if (program.isEmpty())
        throw SpreadsheetError(
            QStringLiteral("Не найдена программа «%1» для открытия книги (ZORVEL_OPEN_COMMAND). "
                           "Книга сохранена: %2")
                .arg(command.value(0), path));
    if (!QProcess::startDetached(program, command.mid(1)))
        throw SpreadsheetError(
            QStringLiteral("Не удалось запустить «%1». Книга сохранена: %2").arg(program, path));
    return path;
}

void LibreOfficeOutput::print(Workbook& workbook) {
    if (LibreOffice::program().isEmpty())
        throw SpreadsheetError(
            QStringLiteral("Печать невозможна: не установлен LibreOffice (программа soffice не найдена)"));
    QStringList probe = QProcess::splitCommand(settings_.printCommand);
    if (findProgram(probe).isEmpty())
        throw SpreadsheetError(QStringLiteral("Печать невозможна: не найдена программа печати «%1» "
                                              "(ZORVEL_PRINT_COMMAND)")
                                   .arg(probe.value(0)));
    QTemporaryDir job;
    if (!job.isValid())
        throw SpreadsheetError(QStringLiteral("Печать невозможна: не удалось создать временную папку"));
    QString xlsx = QDir(job.path()).filePath(workbook.name() + QStringLiteral(".xlsx"));
    workbook.saveCopy(xlsx);
    QString pdf = LibreOffice::convert(xlsx, QStringLiteral("pdf"), job.path());

    QStringList command = withFile(settings_.printCommand, QStringLiteral("{pdf}"), pdf);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(findProgram(command), command.mid(1));
    // The job folder goes away afterwards, so the command must be done with the file (lp copies it).
    bool finished = process.waitForStarted(30000) && process.waitForFinished(120000);
    QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    if (!finished) {
        process.kill();
        process.waitForFinished();
        throw SpreadsheetError(
            QStringLiteral("Книга не напечатана: «%1» не завершилась").arg(command.first()));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (output.contains(QStringLiteral("destination"), Qt::CaseInsensitive) ||
            output.contains(QStringLiteral("scheduler"), Qt::CaseInsensitive))
            throw SpreadsheetError(
                QStringLiteral("Книга не напечатана: нет принтера по умолчанию (%1)").arg(output));
        throw SpreadsheetError(QStringLiteral("Книга не напечатана: «%1» завершилась с кодом %2: %3")
                                   .arg(command.first())
                                   .arg(process.exitCode())
                                   .arg(output));
    }
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
