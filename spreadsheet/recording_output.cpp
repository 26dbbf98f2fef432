#include "spreadsheet/recording_output.h"

#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/template_directory.h"

#include <QDir>
#include <QFileInfo>

namespace zorvel {

RecordingOutput::RecordingOutput(QString templateDirectory)
    : templateDirectory_(std::move(templateDirectory)) {}

Workbook RecordingOutput::start(const QString& templateName) {
    started_ << templateName;
    if (startFails_)
        throw SpreadsheetError(failMessage_);
    if (auto failing = failingTemplates_.constFind(templateName); failing != failingTemplates_.constEnd())
        throw SpreadsheetError(*failing);
    if (templateName.trimmed().isEmpty())
        return Workbook::blank();
    QString directory = templateDirectory_.isEmpty() ? templateDirectory() : templateDirectory_;
    return Workbook::fromTemplate(templatePath(templateName, directory));
}

QString RecordingOutput::snapshot(Workbook& workbook, const char* kind) {
    if (!folder_.isValid())
        throw SpreadsheetError(QStringLiteral("Не удалось создать временную папку"));
    QString path = QDir(folder_.path())
                       .filePath(QStringLiteral("%1-%2-%3.xlsx")
                                     .arg(QString::fromLatin1(kind))
                                     .arg(shown_.size() + printed_.size() + 1)
                                     .arg(workbook.name()));
    workbook.saveCopy(path);
    return path;
}

QString RecordingOutput::show(Workbook& workbook) {
    QString path = snapshot(workbook, "shown");
    shown_ << path;
    return path;
}

void RecordingOutput::print(Workbook& workbook) {
    printed_ << snapshot(workbook, "printed");
}

QString RecordingOutput::saveAs(Workbook& workbook, const QString& path) {
    workbook.saveAs(path);
    saved_ << path;
    return QFileInfo(path).absoluteFilePath();
}

void RecordingOutput::close(Workbook& workbook) {
    ++closed_;
    SpreadsheetOutput::close(workbook);
}

void RecordingOutput::failStart(const QString& message) {
    startFails_ = true;
    failMessage_ = message;
}

void RecordingOutput::failTemplate(const QString& templateName, const QString& message) {
    failingTemplates_.insert(templateName, message);
}

Workbook RecordingOutput::lastShown() const {
    if (shown_.isEmpty())
        throw SpreadsheetError(QStringLiteral("Ни одна книга не показана"));
    return Workbook::open(shown_.last());
}

Workbook RecordingOutput::lastPrinted() const {
    if (printed_.isEmpty())
        throw SpreadsheetError(QStringLiteral("Ни одна книга не напечатана"));
    return Workbook::open(printed_.last());
}

} // namespace zorvel
