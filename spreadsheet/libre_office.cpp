#include "spreadsheet/libre_office.h"

#include "spreadsheet/child_process.h"
#include "spreadsheet/spreadsheet_error.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <csignal>

namespace zorvel {

QString LibreOffice::program() {
    for (const char* name : {"soffice", "libreoffice"}) {
        QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QStringList LibreOffice::windowedCalc() {
    const QString office = program();
    if (office.isEmpty())
        return {};
    // A LibreOffice with a window has its user-interface plug-ins beside the program; the variant
    // without one has none.
    const QDir programDir = QFileInfo(QFileInfo(office).canonicalFilePath()).dir();
    if (programDir.entryList({QStringLiteral("libvclplug_*")}, QDir::Files).isEmpty())
        return {};
    const QString calc = QStandardPaths::findExecutable(QStringLiteral("localc"));
    if (!calc.isEmpty())
        return {calc};
    return {office, QStringLiteral("--calc")};
}

QString LibreOffice::convert(const QString& input, const QString& format, const QString& outputDir) {
    QString soffice = program();
    if (soffice.isEmpty())
        throw SpreadsheetError(QStringLiteral("Не установлен LibreOffice (программа soffice не найдена)"));
    QTemporaryDir profile;
    if (!profile.isValid())
        throw SpreadsheetError(QStringLiteral("Не удалось создать временную папку для LibreOffice"));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // soffice starts LibreOffice's own processes: the watcher ends them all with the job or with the run.
    const Command command = watchedCommand(
        soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                  QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--nologo"),
                  QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), outputDir, input});
    startsCleanly(process, SIGTERM);
    process.start(command.program, command.arguments);
    if (!process.waitForStarted(30000))
        throw SpreadsheetError(QStringLiteral("Не удалось запустить LibreOffice (%1)").arg(soffice));
    if (!process.waitForFinished(300000)) {
        process.terminate(); // the watcher ends LibreOffice's group
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished();
        throw SpreadsheetError(QStringLiteral("LibreOffice не ответил при преобразовании «%1»").arg(input));
    }
    QString extension = format.section(u':', 0, 0);
    QString output = QDir(outputDir).filePath(QFileInfo(input).completeBaseName() + u'.' + extension);
    QFileInfo result(output);
    if (!result.isFile() || result.size() == 0)
        throw SpreadsheetError(QStringLiteral("LibreOffice не смог преобразовать «%1» в %2: %3")
                                   .arg(QFileInfo(input).fileName(), extension,
                                        QString::fromLocal8Bit(process.readAll()).trimmed()));
    return output;
}

} // namespace zorvel
