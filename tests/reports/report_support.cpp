#include "tests/reports/report_support.h"

#include "spreadsheet/cell_reference.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/template_directory.h"
#include "spreadsheet/worksheet.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zorvel::test {

Workbook reportTemplate(const QString& name) {
    return Workbook::fromTemplate(templatePath(name));
}

void expectCells(const Worksheet& sheet, const std::vector<Expect>& cells, const char* report) {
    for (const Expect& c : cells) {
        const CellPosition at = parseCell(QString::fromLatin1(c.cell));
        const QString expected = QString::fromUtf8(c.text);
        const QString actual = expected.startsWith(u'=') ? sheet.cellFormula(at.row, at.column)
                                                         : sheet.cellValue(at.row, at.column);
        EXPECT_EQ(actual.toStdString(), expected.toStdString()) << report << " " << c.cell;
    }
}

bool haveLibreOffice() {
    return !LibreOffice::program().isEmpty();
}

Computed::Computed(Workbook& book) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("computed.xlsx"));
    book.saveCopy(path);
    read(path);
}

Computed::Computed(const QString& xlsx) {
    read(xlsx);
}

void Computed::read(const QString& xlsx) {
    QTemporaryDir dir;
    const QString csv =
        LibreOffice::convert(xlsx, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), dir.path());
    QFile file(csv);
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "no CSV from " << xlsx.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
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
            field.clear();
            rows_ << fields;
            fields.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !fields.isEmpty())
        rows_ << (fields << field);
}

QString Computed::at(const char* cell) const {
    const CellPosition p = parseCell(QString::fromLatin1(cell));
    return rows_.value(p.row - 1).value(p.column - 1);
}

} // namespace zorvel::test
