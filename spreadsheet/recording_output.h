#pragma once

#include "spreadsheet/spreadsheet_output.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zorvel {

// The test double of SpreadsheetOutput. It starts workbooks from the templates of a given folder and
// records what was started, shown, printed, saved and closed; a shown or printed workbook is kept as a
// snapshot file in the double's own temporary folder, to be read back as it was at that moment:
//
//     RecordingOutput output(templatesDir);
//     buildContract(output, ...);
//     Workbook shown = output.lastShown();
//     EXPECT_EQ(shown.sheet(1).cellText(9, 1), "Имя");
//
// failStart() makes the next starts throw, as a missing spreadsheet program would; failTemplate() makes
// the starts of one template throw, as that template missing from the program's folder would.
class RecordingOutput : public SpreadsheetOutput {
public:
    // An empty folder means templateDirectory().
    explicit RecordingOutput(QString templateDirectory = {});

    Workbook start(const QString& templateName) override;
    QString show(Workbook& workbook) override;
    void print(Workbook& workbook) override;
    QString saveAs(Workbook& workbook, const QString& path) override;
    void close(Workbook& workbook) override;

    void failStart(const QString& message = QStringLiteral("Не найден шаблон"));
    void failTemplate(const QString& templateName,
                      const QString& message = QStringLiteral("Не найден шаблон"));
    void succeedStart() {
        startFails_ = false;
        failingTemplates_.clear();
    }

    const QStringList& started() const { return started_; }
    // Snapshot files, in order.
    const QStringList& shown() const { return shown_; }
    const QStringList& printed() const { return printed_; }
    // The paths callers saved to (the files are written there).
    const QStringList& saved() const { return saved_; }
    int closedCount() const { return closed_; }
    // The last shown or printed workbook read back; throws SpreadsheetError when there is none.
    Workbook lastShown() const;
    Workbook lastPrinted() const;

private:
    QString snapshot(Workbook& workbook, const char* kind);

    QTemporaryDir folder_;
    QString templateDirectory_;
    bool startFails_ = false;
    QString failMessage_;
    QHash<QString, QString> failingTemplates_; // template name -> message
    QStringList started_, shown_, printed_, saved_;
    int closed_ = 0;
};

} // namespace zorvel
