#include "tests/support/libre_office_sheet.h"

#include "spreadsheet/cell_reference.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zorvel::test {

namespace {

// CSV as LibreOffice writes it: quoted fields may hold commas, doubled quotes and line feeds.
QList<QStringList> parseCsv(const QString& text) {
    QList<QStringList> rows;
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
            rows << fields;
            fields.clear();
            field.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !fields.isEmpty())
        rows << (fields << field);
    return rows;
}

} // namespace

bool haveLibreOffice() {
    return !LibreOffice::program().isEmpty();
}

PinnedLocale::PinnedLocale() : previous_(qgetenv("LC_ALL")), wasSet_(qEnvironmentVariableIsSet("LC_ALL")) {
    qputenv("LC_ALL", "C.UTF-8");
}

PinnedLocale::~PinnedLocale() {
    if (wasSet_)
        qputenv("LC_ALL", previous_);
    else
        qunsetenv("LC_ALL");
}

ComputedSheet::ComputedSheet(const QString& xlsx) {
    read(xlsx);
}

ComputedSheet::ComputedSheet(Workbook& book) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("computed.xlsx"));
    book.saveCopy(path);
    read(path);
}

void ComputedSheet::read(const QString& xlsx) {
    PinnedLocale locale;
    QTemporaryDir dir;
    QString csv;
    try {
        csv = LibreOffice::convert(xlsx, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                                   dir.path());
    } catch (const SpreadsheetError& e) {
        ADD_FAILURE() << "LibreOffice did not convert " << xlsx.toStdString() << ": " << e.what();
        return;
    }
    QFile file(csv);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no CSV from " << xlsx.toStdString();
        return;
    }
    rows_ = parseCsv(QString::fromUtf8(file.readAll()));
}

QString ComputedSheet::at(const char* cell) const {
    const CellPosition p = parseCell(QString::fromLatin1(cell));
    return at(p.row, p.column);
}

QString ComputedSheet::at(int row, int column) const {
    return rows_.value(row - 1).value(column - 1);
}

} // namespace zorvel::test
