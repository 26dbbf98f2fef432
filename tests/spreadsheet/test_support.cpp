#include "test_support.h"

#include "spreadsheet/cell_reference.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/package.h"
#include "templates/template_source.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace zorvel::test {

QString sourceDir() {
    return QStringLiteral(ZORVEL_TEST_SOURCE_DIR);
}

QString writeSampleTemplate(const QString& dir) {
    QString path = QDir(dir).filePath(QStringLiteral("sample.xlsx"));
    makeTemplate(QDir(sourceDir()).filePath(QStringLiteral("sample.tpl")), path);
    return path;
}

std::string packagePart(const QString& path, const std::string& part) {
    return Package::read(path).part(part);
}

QList<QStringList> csvOf(const QString& xlsx, const QString& outputDir) {
    QString csv =
        LibreOffice::convert(xlsx, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), outputDir);
    QFile file(csv);
    file.open(QIODevice::ReadOnly);
    QList<QStringList> rows;
    QStringList fields;
    QString field;
    bool quoted = false;
    // Quoted fields may hold commas, doubled quotes and line feeds.
    const QString text = QString::fromUtf8(file.readAll());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else if (c == u'\n') {
            fields << field;
            rows << fields;
            fields.clear();
            field.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    return rows;
}

bool haveLibreOffice() {
    return !LibreOffice::program().isEmpty();
}

void expectDisplayedCells(const Workbook& book, std::initializer_list<Expected> table) {
    for (const Expected& e : table) {
        CellPosition at = parseCell(QString::fromLatin1(e.cell));
        const Worksheet& sheet = book.sheet(e.sheet);
        const QString expected = QString::fromUtf8(e.text);
        const QString actual = expected.startsWith(u'=') ? sheet.cellFormula(at.row, at.column)
                                                         : sheet.cellText(at.row, at.column);
        EXPECT_EQ(actual.toStdString(), expected.toStdString()) << "sheet " << e.sheet << " " << e.cell;
    }
}

LibreOfficeLocale::LibreOfficeLocale()
    : previous_(qgetenv("LC_ALL")), wasSet_(qEnvironmentVariableIsSet("LC_ALL")) {
    qputenv("LC_ALL", "C.UTF-8");
}

LibreOfficeLocale::~LibreOfficeLocale() {
    if (wasSet_)
        qputenv("LC_ALL", previous_);
    else
        qunsetenv("LC_ALL");
}

} // namespace zorvel::test
