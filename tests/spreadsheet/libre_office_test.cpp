// LibreOffice as an independent reader and writer of our workbooks. Each conversion takes seconds, so
// the cases are few and each checks much.

#include "spreadsheet/libre_office.h"
#include "spreadsheet/libre_office_output.h"
#include "spreadsheet/workbook.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace zorvel;

namespace {

class LibreOfficeTest : public testing::Test {
protected:
    void SetUp() override {
        if (!test::haveLibreOffice())
            GTEST_SKIP() << "LibreOffice (soffice) is not installed";
        ASSERT_TRUE(dir.isValid());
        templatePath = test::writeSampleTemplate(dir.path());
    }

    // The sample contract with three services, a total typed as callers type it and a changed input of
    // the template's own percent formula.
    QString filled(const char* name) {
        Workbook book = Workbook::fromTemplate(templatePath);
        Worksheet& sheet = book.sheet(1);
        const char* rows[][4] = {{"Осмотр", "2", "100"}, {"Снимок", "1", "250,5"}, {"Слепок", "3", "10"}};
        for (int i = 0; i < 3; ++i) {
            sheet.setCell(9 + i, "b", QString::fromUtf8(rows[i][0]));
            sheet.setCell(9 + i, "i", QString::fromUtf8(rows[i][1]));
            sheet.setCell(9 + i, "j", QString::fromUtf8(rows[i][2]));
        }
        sheet.setCell(12, "k", "=sum(k9:k11");
        sheet.setCell(5, "g", "2000");
        QString path = QDir(dir.path()).filePath(QString::fromUtf8(name));
        book.saveAs(path);
        return path;
    }

    test::PinnedLocale locale;
    QTemporaryDir dir;
    QString templatePath;
};

TEST_F(LibreOfficeTest, ComputesTheFormulasOnOpening) {
    const test::ComputedSheet computed(filled("computed.xlsx"));
    ASSERT_GE(computed.rowCount(), 12);
    auto at = [&](int row, int column) { return computed.at(row, column); };
    EXPECT_EQ(at(9, 11), QStringLiteral("200.00"));
    EXPECT_EQ(at(10, 11), QStringLiteral("250.50"));
    EXPECT_EQ(at(12, 11), QStringLiteral("480.50")); // =sum(k9:k11 completed
    EXPECT_EQ(at(5, 8), QStringLiteral("480"));      // the template's =g5* 24% with G5 changed
    EXPECT_EQ(at(9, 2), QStringLiteral("Осмотр"));
}

// LibreOffice writes shared strings and cached values; .ods goes through LibreOffice on opening.
TEST_F(LibreOfficeTest, ReadsWhatLibreOfficeSaved) {
    QString ods = LibreOffice::convert(filled("mine.xlsx"), QStringLiteral("ods"), dir.path());
    Workbook book = Workbook::open(ods);
    struct Expected {
        int sheet;
        int row;
        int column;
        const char* text;
    };
    const Expected table[] = {
        {1, 1, 1, "Договор №\nна оказание платных услуг"},
        {1, 8, 2, "Наименование услуги"},
        {1, 9, 2, "Осмотр"},
        {1, 10, 10, "250.50"},
        {1, 10, 11, "250.50"},
        {1, 12, 11, "480.50"},
        {1, 5, 8, "480"},
        {1, 14, 1, "Да "},
        {2, 1, 1, "Вторая страница"},
        {2, 2, 1, "00123"},
        {2, 3, 2, "01.01.2024"},
    };
    for (const Expected& e : table)
        EXPECT_EQ(book.sheet(e.sheet).cellText(e.row, e.column), QString::fromUtf8(e.text))
            << e.sheet << ":" << e.row << "," << e.column;
    EXPECT_EQ(book.sheet(1).cellFormula(12, 11), QStringLiteral("=SUM(K9:K11)"));
    EXPECT_EQ(book.sheet(1).mergedRanges(), QStringList{QStringLiteral("A1:K1")});
    EXPECT_EQ(book.path(), QFileInfo(ods).absoluteFilePath());
}

TEST_F(LibreOfficeTest, PrintsAPdfHoldingWhatWasWritten) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QString printed = QDir(dir.path()).filePath(QStringLiteral("printed.pdf"));
    OutputSettings settings;
    settings.templateDirectory = dir.path();
    settings.outputDirectory = dir.path();
    settings.printCommand = QStringLiteral("cp {pdf} ") + printed;
    LibreOfficeOutput output(settings);
    Workbook book = output.start(QStringLiteral("sample.xls"));
    book.sheet(1).setCell(9, "b", "Консультация стоматолога");
    book.sheet(1).setCell(9, "j", "1500");
    output.print(book);
    output.finishPrinting();

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), printed, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(60000));
    QString content = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Консультация стоматолога", "1,500.00", "Наименование услуги"})
        EXPECT_NE(content.indexOf(QString::fromUtf8(expected)), -1) << expected << "\n"
                                                                    << content.toStdString();
}

} // namespace
