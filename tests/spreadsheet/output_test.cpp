#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/recording_output.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/template_directory.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

using namespace zorvel;

namespace {

class OutputTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(templates.isValid() && out.isValid());
        test::writeSampleTemplate(templates.path());
        settings.templateDirectory = templates.path();
        settings.outputDirectory = QDir(out.path()).filePath(QStringLiteral("Зорвель"));
        settings.openCommand = QStringLiteral("true");
        settings.printCommand = QStringLiteral("lp {pdf}");
    }

    QTemporaryDir templates, out;
    OutputSettings settings;
};

TEST_F(OutputTest, StartFindsTheXlsxTemplateForAnOldName) {
    LibreOfficeOutput output(settings);
    // The program names its templates in lower case, as the build writes them.
    for (const char* name : {"sample.xls", "sample.xlsx", "sample"}) {
        Workbook book = output.start(QString::fromLatin1(name));
        EXPECT_EQ(book.sheet(1).cellText(8, 2), QStringLiteral("Наименование услуги")) << name;
        EXPECT_EQ(book.name(), QStringLiteral("sample"));
        EXPECT_TRUE(book.path().isEmpty());
    }
    EXPECT_EQ(output.start(QString()).sheet(1).name(), QStringLiteral("Лист1"));
    try {
        output.start(QStringLiteral("zub.xls"));
        ADD_FAILURE();
    } catch (const SpreadsheetError& e) {
        EXPECT_NE(e.message().indexOf(QStringLiteral("Не найден шаблон «zub.xls»")), -1) << e.what();
    }
}

TEST_F(OutputTest, TheProgramDirectoryIsTheDefaultAndCanBeOverridden) {
    EXPECT_EQ(QFileInfo(templateDirectory()).canonicalFilePath(),
              QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    setTemplateDirectory(templates.path());
    EXPECT_EQ(RecordingOutput().start(QStringLiteral("sample.xls")).name(), QStringLiteral("sample"));
    setTemplateDirectory(QString());
}

TEST_F(OutputTest, ShowSavesUnderTheTemplateNameAndTimeAndOpensIt) {
    QDateTime at(QDate(2024, 3, 5), QTime(14, 30, 7));
    settings.openCommand =
        QStringLiteral("cp {file} ") + QDir(out.path()).filePath(QStringLiteral("opened.xlsx"));
    LibreOfficeOutput output(settings, [&] { return at; });
    Workbook book = output.start(QStringLiteral("sample.xls"));
    book.sheet(1).setCell(9, "b", "Осмотр");
    QString first = output.show(book);
    QString second = output.show(book);
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("sample 2024-03-05 14-30-07.xlsx"));
    EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("sample 2024-03-05 14-30-07 (2).xlsx"));
    EXPECT_EQ(QFileInfo(first).absolutePath(), settings.outputDirectory);
    EXPECT_EQ(Workbook::open(first).sheet(1).cellText(9, 2), QStringLiteral("Осмотр"));
    // The opener runs detached; its copy shows that it got the file, in whatever time a loaded machine takes.
    QString opened = QDir(out.path()).filePath(QStringLiteral("opened.xlsx"));
    for (QDeadlineTimer deadline(60000); !QFileInfo::exists(opened) && !deadline.hasExpired();)
        QThread::msleep(20);
    EXPECT_TRUE(QFileInfo::exists(opened));

    settings.openCommand = QStringLiteral("/no/such/opener");
    LibreOfficeOutput broken(settings, [&] { return at; });
    try {
        broken.show(book);
        ADD_FAILURE();
    } catch (const SpreadsheetError& e) {
        EXPECT_NE(e.message().indexOf(QStringLiteral("/no/such/opener")), -1) << e.what();
        EXPECT_NE(e.message().indexOf(QStringLiteral("ZORVEL_OPEN_COMMAND")), -1) << e.what();
    }
}

// A machine without the desktop's opener shows the workbook in LibreOffice Calc's window; one whose
// LibreOffice has no window (the headless variant) or none at all is told what to install. A folder of
// stand-ins is the whole PATH: a "libreoffice" script that notes its arguments, with or without a window
// plug-in beside it.
TEST_F(OutputTest, WithoutTheOpenerCalcShowsTheWorkbookOrTheMessageNamesWhatToInstall) {
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QString noted = QDir(out.path()).filePath(QStringLiteral("calc-arguments.txt"));
    const QString office = QDir(bin.path()).filePath(QStringLiteral("libreoffice"));
    {
        QFile script(office);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part' && /bin/mv '%1.part' '%1'\n")
                .arg(noted)
                .toUtf8());
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::WriteOwner);
    }
    const QString plugin = QDir(bin.path()).filePath(QStringLiteral("libvclplug_gtk3lo.so"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    settings.openCommand = QStringLiteral("xdg-open");
    LibreOfficeOutput output(settings);
    Workbook book = output.start(QStringLiteral("sample.xls"));

    struct Case {
        const char* what;
        bool office, window;
    };
    for (const Case& c :
         {Case{"LibreOffice with a window", true, true}, Case{"LibreOffice without a window", true, false},
          Case{"no LibreOffice", false, false}}) {
        SCOPED_TRACE(c.what);
        QFile::setPermissions(office, c.office ? QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                               : QFileDevice::ReadOwner);
        if (c.window)
            QFile(plugin).open(QIODevice::WriteOnly);
        else
            QFile::remove(plugin);
        QFile::remove(noted);
        if (c.window) {
            const QString shown = output.show(book);
            for (QDeadlineTimer deadline(60000); !QFileInfo::exists(noted) && !deadline.hasExpired();)
                QThread::msleep(20);
            QFile arguments(noted);
            ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
            EXPECT_EQ(QString::fromUtf8(arguments.readAll()), QStringLiteral("--calc\n") + shown + u'\n');
            continue;
        }
        try {
            const QString shown = output.show(book);
            ADD_FAILURE() << shown.toStdString();
        } catch (const SpreadsheetError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral(
                "Не найдена программа «xdg-open» для открытия книги (ZORVEL_OPEN_COMMAND) и не "
                "установлен LibreOffice Calc с окном: установите пакеты xdg-utils и "
                "libreoffice-calc. Книга сохранена: ")))
                << e.what();
        }
    }
    qputenv("PATH", path);
}

TEST_F(OutputTest, SettingsComeFromTheEnvironment) {
    qputenv("ZORVEL_OUTPUT_DIR", "/tmp/выход");
    qputenv("ZORVEL_OPEN_COMMAND", "libreoffice --calc");
    qputenv("ZORVEL_PRINT_COMMAND", "lpr -P kassa {pdf}");
    OutputSettings set = OutputSettings::fromEnvironment();
    EXPECT_EQ(set.outputDirectory, QStringLiteral("/tmp/выход"));
    EXPECT_EQ(set.openCommand, QStringLiteral("libreoffice --calc"));
    EXPECT_EQ(set.printCommand, QStringLiteral("lpr -P kassa {pdf}"));
    for (const char* name : {"ZORVEL_OUTPUT_DIR", "ZORVEL_OPEN_COMMAND", "ZORVEL_PRINT_COMMAND"})
        qunsetenv(name);
    OutputSettings defaults = OutputSettings::fromEnvironment();
    EXPECT_TRUE(defaults.outputDirectory.endsWith(QStringLiteral("/Зорвель")));
    EXPECT_EQ(defaults.openCommand, QStringLiteral("xdg-open"));
    EXPECT_EQ(defaults.printCommand, QStringLiteral("lp {pdf}"));
}

TEST_F(OutputTest, PrintNamesWhatIsMissing) {
    settings.printCommand = QStringLiteral("/no/such/printer-program {pdf}");
    LibreOfficeOutput output(settings);
    Workbook book = output.start(QStringLiteral("sample.xls"));
    if (test::haveLibreOffice()) {
        try {
            output.print(book);
            ADD_FAILURE();
        } catch (const SpreadsheetError& e) {
            EXPECT_NE(
                e.message().indexOf(QStringLiteral("не найдена программа печати «/no/such/printer-program»")),
                -1)
                << e.what();
        }
    }
    QByteArray path = qgetenv("PATH");
    qputenv("PATH", out.path().toLocal8Bit());
    try {
        output.print(book);
        ADD_FAILURE();
    } catch (const SpreadsheetError& e) {
        EXPECT_NE(e.message().indexOf(QStringLiteral("не установлен LibreOffice")), -1) << e.what();
    }
    qputenv("PATH", path);
}

TEST(RecordingOutputTest, RecordsWhatCallersDidAndCanFailToStart) {
    QTemporaryDir templates;
    test::writeSampleTemplate(templates.path());
    RecordingOutput output(templates.path());
    Workbook book = output.start(QStringLiteral("sample.xls"));
    book.sheet(1).setCell(9, "b", "Первая");
    output.show(book);
    book.sheet(1).setCell(9, "b", "Вторая");
    output.print(book);
    QString saved = QDir(templates.path()).filePath(QStringLiteral("копия.xlsx"));
    output.saveAs(book, saved);
    output.close(book);
    EXPECT_TRUE(book.isNull());

    EXPECT_EQ(output.started(), QStringList{QStringLiteral("sample.xls")});
    EXPECT_EQ(output.lastShown().sheet(1).cellText(9, 2), QStringLiteral("Первая"));
    EXPECT_EQ(output.lastPrinted().sheet(1).cellText(9, 2), QStringLiteral("Вторая"));
    EXPECT_EQ(output.saved(), QStringList{saved});
    EXPECT_EQ(Workbook::open(saved).sheet(1).cellText(9, 2), QStringLiteral("Вторая"));
    EXPECT_EQ(output.closedCount(), 1);

    output.failStart(QStringLiteral("Нет Excel"));
    EXPECT_THROW(output.start(QStringLiteral("sample.xls")), SpreadsheetError);
    output.succeedStart();
    EXPECT_NO_THROW(output.start(QStringLiteral("sample.xls")));
}

} // namespace
