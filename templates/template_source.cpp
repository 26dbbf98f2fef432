#include "templates/template_source.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace zorvel {

namespace {

struct Line {
    QString text;
    int number;
    QString command;
    QStringList fields; // after the command
    // The text after the first `n` fields following the command, blanks before it skipped.
    QString rest(int n) const;
};

QString Line::rest(int n) const {
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
            ++i;
    };
    auto skipWord = [&] {
        while (i < text.size() && text[i] != u' ' && text[i] != u'\t')
            ++i;
    };
    skipBlanks();
    skipWord(); // the command
    for (int k = 0; k < n; ++k) {
        skipBlanks();
        skipWord();
    }
    // Only the one separator run goes: the text keeps its own leading and trailing blanks after it.
    skipBlanks();
    return text.mid(i);
}

double number(const Line& line, const QString& field, const QString& fileName) {
    bool ok = false;
    double value = QString(field).replace(u',', u'.').toDouble(&ok);
    if (!ok)
        throw TemplateSourceError(fileName, line.number, QStringLiteral("«%1» is not a number").arg(field));
    return value;
}

} // namespace

TemplateSourceError::TemplateSourceError(const QString& fileName, int line, const QString& message)
    : SpreadsheetError(fileName.isEmpty() ? QStringLiteral("line %1: %2").arg(line).arg(message)
                                          : QStringLiteral("%1:%2: %3").arg(fileName).arg(line).arg(message)),
      line_(line) {}

Workbook buildTemplate(const QString& sourceText, const QString& fileName) {
    Workbook book = Workbook::blank();
    Worksheet* sheet = nullptr;
    bool firstSheet = true;
    const QStringList lines = sourceText.split(u'\n');
    static const QRegularExpression blanks(QStringLiteral("[ \t]+"));
    for (int index = 0; index < lines.size(); ++index) {
        Line line;
        line.text = lines[index];
        if (line.text.endsWith(u'\r'))
            line.text.chop(1);
        line.number = index + 1;
        QString trimmed = line.text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        QStringList fields = trimmed.split(blanks);
        line.command = fields.takeFirst();
        line.fields = fields;
        auto expect = [&](int count, const char* usage) {
            if (line.fields.size() != count)
                throw TemplateSourceError(fileName, line.number,
                                          QStringLiteral("usage: %1").arg(QLatin1String(usage)));
        };
        try {
            const QString& c = line.command;
            if (c == u"sheet") {
                QString name = line.rest(0).trimmed();
                if (name.isEmpty())
                    throw TemplateSourceError(fileName, line.number, QStringLiteral("usage: sheet <name>"));
                if (firstSheet) {
                    sheet = &book.sheet(1);
                    sheet->setName(name);
                    firstSheet = false;
                } else {
                    sheet = &book.addSheet(name);
                }
                continue;
            }
            if (!sheet)
                throw TemplateSourceError(fileName, line.number,
                                          QStringLiteral("the first command must be \"sheet <name>\""));
            if (c == u"width") {
                expect(2, "width <column letters> <chars>");
                QStringList columns = line.fields[0].split(u':');
                int first = columnNumber(columns.first()), last = columnNumber(columns.last());
                for (int column = std::min(first, last); column <= std::max(first, last); ++column)
                    sheet->setColumnWidth(column, number(line, line.fields[1], fileName));
            } else if (c == u"height") {
                expect(2, "height <row> <points>");
                sheet->setRowHeight(int(number(line, line.fields[0], fileName)),
                                    number(line, line.fields[1], fileName));
            } else if (c == u"cell") {
                if (line.fields.isEmpty())
                    throw TemplateSourceError(fileName, line.number,
                                              QStringLiteral("usage: cell <A1 address> <text>"));
                CellPosition at = parseCell(line.fields[0]);
                QString text = line.rest(1);
                text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
                sheet->setCell(at.row, at.column, text);
            } else if (c == u"bold") {
                expect(1, "bold <range>");
                sheet->range(line.fields[0]).setBold();
            } else if (c == u"merge") {
                expect(1, "merge <range>");
                sheet->range(line.fields[0]).merge();
            } else if (c == u"wrap") {
                expect(1, "wrap <range>");
                sheet->range(line.fields[0]).setWrapText();
            } else if (c == u"border") {
                expect(1, "border <range>");
                sheet->range(line.fields[0]).setBorders();
            } else if (c == u"align") {
                expect(2, "align <range> left|center|right");
                Range range = sheet->range(line.fields[0]);
                const QString& how = line.fields[1];
                if (how == u"left")
                    range.setHorizontalAlignment(HAlignLeft);
                else if (how == u"right")
                    range.setHorizontalAlignment(HAlignRight);
                else if (how == u"center")
                    range.setHorizontalAlignment(HAlignCenter).setVerticalAlignment(VAlignCenter);
                else
                    throw TemplateSourceError(fileName, line.number,
                                              QStringLiteral("usage: align <range> left|center|right"));
            } else if (c == u"size") {
                expect(2, "size <range> <points>");
                sheet->range(line.fields[0]).setFontSize(number(line, line.fields[1], fileName));
            } else if (c == u"format") {
                if (line.fields.size() < 2)
                    throw TemplateSourceError(fileName, line.number,
                                              QStringLiteral("usage: format <range> <number format>"));
                sheet->range(line.fields[0]).setNumberFormat(line.rest(1).trimmed());
            } else if (c == u"landscape") {
                expect(0, "landscape");
                sheet->setLandscape();
            } else if (c == u"fitwidth") {
                expect(0, "fitwidth");
                sheet->setFitToPageWidth();
            } else {
                throw TemplateSourceError(fileName, line.number,
                                          QStringLiteral("unknown command «%1»").arg(c));
            }
        } catch (const TemplateSourceError&) {
            throw;
        } catch (const SpreadsheetError& e) {
            throw TemplateSourceError(fileName, line.number, e.message());
        }
    }
    if (!sheet)
        throw TemplateSourceError(fileName, 1, QStringLiteral("no \"sheet <name>\" line"));
    return book;
}

void makeTemplate(const QString& sourcePath, const QString& outputPath) {
    QFile file(sourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw SpreadsheetError(QStringLiteral("cannot read %1").arg(sourcePath));
    Workbook book = buildTemplate(QString::fromUtf8(file.readAll()), QFileInfo(sourcePath).fileName());
    book.saveAs(outputPath);
}

} // namespace zorvel
