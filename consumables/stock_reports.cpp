#include "consumables/stock_reports.h"

#include "data/dataset.h"
#include "spreadsheet/range.h"
#include "spreadsheet/worksheet.h"

namespace zorvel {

namespace {

// Numbers go in as numbers; a text that begins with "=" stays a text, never a formula.
void put(Worksheet& sheet, int row, int column, const QString& text) {
    if (text.startsWith(u'='))
        sheet.setText(row, column, text);
    else
        sheet.setCell(row, column, text);
}

void putText(Worksheet& sheet, int row, int column, const QString& text) {
    sheet.setText(row, column, text);
}

void centre(Range range) {
    range.setHorizontalAlignment(HAlignCenter).setVerticalAlignment(VAlignCenter);
}

void headings(Worksheet& sheet, int row, const QStringList& texts) {
    for (int c = 0; c < texts.size(); ++c)
        sheet.setText(row, c + 1, texts[c]);
}

const QStringList kStockHeadings = {QStringLiteral("Код услуги"), QStringLiteral("Наименование"),
                                    QStringLiteral("Стоимость"), QStringLiteral("Остаток")};

// The four columns of a stock block from `row` on; returns the row after the last.
int writeStockBlock(Worksheet& sheet, int row, const std::vector<StockRow>& rows) {
    for (const StockRow& s : rows) {
        put(sheet, row, 1, s.code);
        putText(sheet, row, 2, s.name);
        put(sheet, row, 3, s.price);
        put(sheet, row, 4, s.left);
        ++row;
    }
    return row;
}

} // namespace

QString sqlLiteral(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

QString stockSummaryStatement(const QString& date) {
    return QStringLiteral("select kod1,name1,summ1,sum(kolo)  from klinz(") + sqlLiteral(date) +
           QStringLiteral(")  group by kod1,name1,summ1");
}

QString stockStatement(const QString& date) {
    return QStringLiteral("select kod1,name1,nkol,rkol,summ1,kolo from klinz(") + sqlLiteral(date) +
           QStringLiteral(")  group by kod1,name1,nkol,rkol,summ1,kolo");
}

QString dentalStockStatement(const QString& date) {
    return QStringLiteral("select kod1,name1,nkol,rkol,summ1,kolo from klinz(") + sqlLiteral(date) +
           QStringLiteral(") where cast(kod1 as integer)>=973 and cast(kod1 as integer)<=981 "
                          "group by kod1,name1,nkol,rkol,summ1,kolo");
}

QString dentalServicesStatement(const QString& from, const QString& to) {
    return QStringLiteral("select ndog,fam, nam, oth, data_usl, kodgvv, kol, summa from people where "
                          "cast(kodgvv as integer)>=973 and cast(kodgvv as integer)<=981 and "
                          "cast(data_usl as date)>=") +
           sqlLiteral(from) + QStringLiteral("and cast(data_usl as date)<=") + sqlLiteral(to) +
           QStringLiteral(
               " group by ndog,fam, nam, oth, data_usl, kodgvv, kol, summa order by data_usl, ndog");
}

QString balancePanelText(DataSet& summary) {
    QString text;
    for (summary.first(); !summary.atEnd(); summary.next()) {
        text += QStringLiteral("Код: ") + summary.fieldText(QStringLiteral("kod1")) + QStringLiteral("  ") +
                summary.fieldText(QStringLiteral("name1")) + u'\n' + QStringLiteral(" Цена: ") +
                summary.fieldText(QStringLiteral("summ1")) + QStringLiteral(" Остаток :") +
                summary.fieldText(QStringLiteral("sum")) + u'\n' + u'\n';
    }
    return text;
}

std::vector<StockRow> readStockRows(DataSet& rows) {
    std::vector<StockRow> result;
    rows.fetchAll();
    for (rows.first(); !rows.atEnd(); rows.next())
        result.push_back({rows.fieldText(QStringLiteral("kod1")), rows.fieldText(QStringLiteral("name1")),
                          rows.fieldText(QStringLiteral("nkol")), rows.fieldText(QStringLiteral("rKol")),
                          rows.fieldText(QStringLiteral("summ1")), rows.fieldText(QStringLiteral("kolo"))});
    return result;
}

std::vector<DentalService> readDentalServices(DataSet& rows) {
    std::vector<DentalService> result;
    rows.fetchAll();
    for (rows.first(); !rows.atEnd(); rows.next())
        result.push_back({rows.fieldText(QStringLiteral("ndog")), rows.fieldText(QStringLiteral("fam")),
                          rows.fieldText(QStringLiteral("nam")), rows.fieldText(QStringLiteral("oth")),
                          rows.fieldText(QStringLiteral("data_usl")),
                          rows.fieldText(QStringLiteral("kodgvv")), rows.fieldText(QStringLiteral("kol")),
                          rows.fieldText(QStringLiteral("summa"))});
    return result;
}

void writeBalanceReport(Worksheet& sheet, const QString& date, const std::vector<StockRow>& rows) {
    int r = 2;
    sheet.setText(1, QStringLiteral("a"), QStringLiteral("На ") + date);
    for (const StockRow& s : rows) {
        ++r;
        sheet.setCell(r, QStringLiteral("a"), QString::number(r - 2));
        put(sheet, r, 2, s.code);
        putText(sheet, r, 3, s.name);
        put(sheet, r, 4, s.received);
        put(sheet, r, 5, s.used);
        put(sheet, r, 6, s.left);
        put(sheet, r, 7, s.price);
    }
    // The sums start at the heading row 2, as the report always wrote them; the price is not totalled.
    const QString last = QString::number(r);
    sheet.setText(r + 1, QStringLiteral("a"), QStringLiteral("ИТОГО:"));
    sheet.setCell(r + 1, QStringLiteral("d"), QStringLiteral("=sum(d2:d") + last + u')');
    sheet.setCell(r + 1, QStringLiteral("e"), QStringLiteral("=sum(e2:e") + last + u')');
    sheet.setCell(r + 1, QStringLiteral("f"), QStringLiteral("=sum(f2:f") + last + u')');
}

void writeDentalJournal(Worksheet& sheet, const QString& from, const QString& to,
                        const std::vector<StockRow>& opening, const std::vector<DentalService>& services,
                        const std::vector<StockRow>& closing) {
    // The opening balance under its title.
    Range title = sheet.range(QStringLiteral("a1:i1"));
    title.merge().setWrapText();
    centre(title);
    Range top = sheet.range(QStringLiteral("a1:i2"));
    top.setBold().setWrapText();
    centre(top);
    sheet.setText(1, 1, QStringLiteral("Остаток на ") + from);
    headings(sheet, 2, kStockHeadings);
    int r = writeStockBlock(sheet, 3, opening);
    sheet.range(QStringLiteral("a2:d%1").arg(r - 1)).setBorders(LineContinuous);
    ++r;

    // The services of the period.
    const int h = r;
    Range serviceHeading = sheet.range(QStringLiteral("a%1:i%1").arg(h));
    serviceHeading.setBold().setWrapText();
    centre(serviceHeading);
    headings(sheet, h,
             {QStringLiteral("№ п\\п"), QStringLiteral("№ договора"), QStringLiteral("Фамилия"),
              QStringLiteral("Имя"), QStringLiteral("Отчество"), QStringLiteral("Дата услуги"),
              QStringLiteral("Код услуги"), QStringLiteral("Количество"), QStringLiteral("Стоимость")});
    ++r;
    int n = 1;
    for (const DentalService& s : services) {
        sheet.setCell(r, 1, QString::number(n));
        put(sheet, r, 2, s.contract);
        putText(sheet, r, 3, s.surname);
        putText(sheet, r, 4, s.firstName);
        putText(sheet, r, 5, s.patronymic);
        put(sheet, r, 6, s.date);
        put(sheet, r, 7, s.code);
        put(sheet, r, 8, s.quantity);
        put(sheet, r, 9, s.price);
        ++n;
        ++r;
    }
    sheet.range(QStringLiteral("a%1:i%2").arg(h).arg(r - 1)).setBorders(LineContinuous);
    ++r;

    // The closing balance under its title.
    Range closingTitle = sheet.range(QStringLiteral("a%1:i%1").arg(r));
    closingTitle.merge().setBold();
    sheet.setText(r, 1, QStringLiteral("Остаток на ") + to);
    centre(closingTitle);
    ++r;
    const int h2 = r;
    Range closingHeading = sheet.range(QStringLiteral("a%1:i%1").arg(h2));
    closingHeading.setBold().setWrapText();
    centre(closingHeading);
    headings(sheet, h2, kStockHeadings);
    ++r;
    r = writeStockBlock(sheet, r, closing);
    sheet.range(QStringLiteral("a%1:d%2").arg(h2).arg(r - 1)).setBorders(LineContinuous);
}

} // namespace zorvel
