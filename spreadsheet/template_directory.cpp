#include "spreadsheet/template_directory.h"

#include "spreadsheet/spreadsheet_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zorvel {

namespace {

QString& overridden() {
    static QString directory;
    return directory;
}

} // namespace

QString programDirectory() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Tools and tests without an application object still know their executable.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString templateDirectory() {
    if (!overridden().isEmpty())
        return overridden();
    const QString named = qEnvironmentVariable("ZORVEL_DATA_DIR");
    if (!named.isEmpty())
        return named;
    const QString program = programDirectory();
    // The data folder as installed, relative to the installed executable (../share/zorvel for /usr/bin).
    const QString installed = QDir::cleanPath(QDir(program).filePath(QStringLiteral(ZORVEL_DATA_FROM_BIN)));
    if (QFileInfo(installed).isDir())
        return installed;
    return program;
}

void setTemplateDirectory(const QString& directory) {
    overridden() = directory;
}

QString templatePath(const QString& templateName, const QString& directory) {
    QString base = templateName.trimmed();
    QString suffix = QFileInfo(base).suffix().toLower();
    if (suffix == u"xls" || suffix == u"xlsx" || suffix == u"xlt" || suffix == u"xltx")
        base.chop(suffix.size() + 1);
    QString path = QDir(directory).filePath(base + QStringLiteral(".xlsx"));
    if (base.isEmpty() || !QFileInfo(path).isFile())
        throw SpreadsheetError(
            QStringLiteral("Не найден шаблон «%1» (%2)").arg(templateName, QDir::toNativeSeparators(path)));
    return path;
}

} // namespace zorvel
