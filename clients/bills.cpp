#include "clients/bills.h"

#include "data/filter.h"
#include "spreadsheet/workbook.h"
#include "workstation/document_error.h"
#include "workstation/money.h"
#include "workstation/words.h"

#include <QStringList>

namespace zorvel {

namespace {

const char* const kBadNumbers = "Проверьте правильность написание сумм или колиичества услуг";
// What a spreadsheet formula may hold, with room to spare.
constexpr int kFormulaLimit = 8000;

QString conditions(const BillSelection& s) {
    QString text = QStringLiteral(" and  cast(data_usl as date)>=") + quotedValue(s.periodStart) +
                   QStringLiteral(" and cast(data_usl as date)<=") + quotedValue(s.periodEnd);
    if (s.correctionDate)
        text += QStringLiteral(" and dataisp =") + quotedValue(*s.correctionDate);
    if (s.surname)
        text += QStringLiteral(" and fam =") + quotedValue(*s.surname);
    return text;
}

[[noreturn]] void badNumbers() {
    throw DocumentError(QString::fromUtf8(kBadNumbers), QStringLiteral("Ошибка"));
}

// A price or quantity as the number a cell holds, exactly as typed in value ("12,50" reads 12.5).
QString number(const QString& text) {
    const std::optional<qint64> value = parseMoney(text);
    if (!value)
        badNumbers();
    return moneyText(*value);
}

QString cost(const QString& quantity, const QString& price) {
    const std::optional<qint64> value = lineSum(quantity, price);
    if (!value)
        badNumbers();
    return moneyText(*value);
}

QString cell(const char* column, int row) {
    return QString::fromLatin1(column) + QString::number(row);
}

QString span(const char* first, const char* last, int row) {
    return cell(first, row) + ':' + cell(last, row);
}

QString amountInWords(qint64 total) {
    return AmountInWords(toKopecks(total));
}

const char* const kHeadLine = "Начальник ГБУ \"Квелдор\" __________________ ";

} // namespace

QString billDetailQuery(const BillSelection& selection) {
    const QString columns =
        QStringLiteral("fam,nam,oth, name,data_usl,kol,summa,organis,kod,fiov,medsestr,ndog,nomnapr,datnapr");
    // Identical lines collapse into one; SUM, their quantities added, keeps them in the persons' totals,
    // so the register and the acts add up to the bill.
    return QStringLiteral(
               "select fam,nam,oth,kod, name,data_usl,kol,summa,organis,fiov,medsestr,ndog,nomnapr,"
               "datnapr,sum(kol) from PEOPLECBUX where  organis=") +
           quotedValue(selection.payer) + conditions(selection) + QStringLiteral(" group by ") + columns +
           QStringLiteral(" order by ") + columns;
}

QString billWaybillQuery(const BillSelection& selection) {
    return QStringLiteral("select name,sum(kol),summa from PEOPLECBUX where  organis=") +
           quotedValue(selection.payer) + conditions(selection) +
           QStringLiteral(" group by name,summa order by name,summa");
}

QString treatedRegisterQuery(const QString& periodStart, const QString& periodEnd) {
    return QStringLiteral(
               "select fam,nam, oth,nomnapr,datnapr,data_usl,simv,kod,name,summa,sum(kol), kol,fiov, "
               "medsestr from PEOPLECBUX where  cast(data_usl as date)>=") +
           quotedValue(periodStart) + QStringLiteral(" and cast(data_usl as date)<=") +
           quotedValue(periodEnd) +
           QStringLiteral(" group by fam,nam, oth,nomnapr,datnapr,data_usl,simv,kod,name,summa, kol,fiov, "
                          "medsestr order by  fam,nam, oth, data_usl,nomnapr,datnapr,simv,kod,name,summa,kol,"
                          "fiov,medsestr");
}

bool startsNewPerson(const BillLine& previousPerson, const BillLine& line) {
    const int differing = (line.surname != previousPerson.surname) +
                          (line.firstName != previousPerson.firstName) +
                          (line.patronymic != previousPerson.patronymic);
    return differing >= 2;
}

QString grandTotalFormula(const std::vector<int>& subtotalRows, int firstLineRow, int lastRow) {
    QStringList terms;
    for (int row : subtotalRows)
        terms << QStringLiteral("k%1").arg(row);
    QString formula = '=' + terms.join('+');
    if (formula.size() <= kFormulaLimit)
        return formula;
    return QStringLiteral("=sumif(b%1:b%2,\"ИТОГО:\",k%1:k%2)").arg(firstLineRow).arg(lastRow);
}

qint64 billTotal(const std::vector<WaybillLine>& lines) {
    qint64 total = 0;
    for (const WaybillLine& line : lines) {
        const std::optional<qint64> sum = lineSum(line.quantity, line.price);
        if (!sum)
            badNumbers();
        total += *sum;
    }
    return total;
}

void fillRegisterAppendix(Worksheet& sheet, const std::vector<BillLine>& lines, const InvoiceTexts& texts) {
    const QString today = DateInWords(texts.today);
    sheet.setText(2, "k", QStringLiteral("к Договору №") + texts.contractNumber);
    sheet.setText(3, "k", QStringLiteral("от ") + today);
    sheet.setText(5, "d",
                  QStringLiteral("К счет-фактуре №") + texts.invoiceNumber + QStringLiteral(" от ") + today);
    sheet.setText(4, "d", QStringLiteral("Реестр учета пролеченных долностных лиц ") + texts.payer);
    if (lines.empty())
        return;

    BillLine previous = lines.front();
    int r = 6;
    int firstLine = 7;
    int person = 1;
    std::vector<int> subtotals; // no fixed number of persons
    auto closePerson = [&](int row) {
        subtotals.push_back(row);
        sheet.setText(row, "b", QStringLiteral("ИТОГО:"));
        sheet.setCell(row, "k", QStringLiteral("=sum(k%1:k%2").arg(firstLine).arg(row - 1));
        sheet.range(span("B", "K", row)).setBold();
    };
    auto personCells = [&](int row, const BillLine& line) {
        sheet.setCell(row, "a", QString::number(person));
        sheet.setText(row, "b", line.fullName());
        sheet.setText(row, "d", line.referral + QStringLiteral(" от ") + line.referralDate);
    };
    auto lineCells = [&](int row, const BillLine& line) {
        sheet.setText(row, "f", line.date);
        sheet.setText(row, "g", line.code);
        sheet.setText(row, "h", line.service);
        sheet.setCell(row, "i", number(line.price));
        sheet.setCell(row, "j", number(line.quantity));
        sheet.setCell(row, "k", QStringLiteral("=i%1*j%1").arg(row));
        sheet.setText(row, "l",
                      line.doctor.isEmpty() ? QStringLiteral("м/с ") + line.nurse
                                            : QStringLiteral("вр. ") + line.doctor);
        sheet.range(span("A", "L", row)).setWrapText();
    };
    for (const BillLine& line : lines) {
        ++r;
        if (startsNewPerson(previous, line)) {
            ++person;
            closePerson(r);
            previous = line;
            ++r;
            firstLine = r;
            personCells(r, line);
        } else {
            if (r == 7)
                personCells(r, line);
            sheet.setText(r, "b", line.fullName());
        }
        lineCells(r, line);
    }
    ++r;
    ++person;
    closePerson(r);
    ++r;
    sheet.setText(r, "b", QStringLiteral("ВСЕГО:"));
    sheet.range(QStringLiteral("A6:") + cell("L", r)).setBorders();
    sheet.range(span("B", "K", r)).setBold();
    sheet.setCell(r, "k", grandTotalFormula(subtotals, 7, r - 1));

    auto signature = [&](int row, const char* last, const QString& text) {
        sheet.range(span("A", last, row)).merge().setWrapText();
        sheet.setText(row, "a", text);
    };
    signature(r + 3, "H", QStringLiteral("Начальник ГБУ \"Квелдор\" ______________________") + texts.head);
    signature(r + 4, "G",
              QStringLiteral("Главный бухгалтер _________________________ ") + texts.chiefAccountant);
    signature(r + 6, "B", QStringLiteral("М.П."));
    signature(r + 8, "G", QStringLiteral("Исполнитель экономист ") + texts.economist);
    signature(r + 9, "G", QStringLiteral("Тел. ") + texts.telephone);
}

namespace {

// The head of one act, rows b+1 to b+19.
void actHeader(Worksheet& sheet, int b, const BillLine& line, const QString& invoiceNumber,
               const QString& today) {
    for (int row = b + 1; row <= b + 18; ++row)
        sheet.range(span("A", "E", row)).merge();
    for (int row = b + 1; row <= b + 5; ++row)
        sheet.range(span("A", "E", row)).setHorizontalAlignment(HAlignCenter);
    sheet.range(span("A", "E", b + 19))
        .setHorizontalAlignment(HAlignCenter)
        .setVerticalAlignment(VAlignCenter)
        .setWrapText();
    const std::pair<int, QString> rows[] = {
        {1, QStringLiteral("АКТ ВЫПОЛНЕННЫХ РАБОТ")},
        {2,
         QStringLiteral("ПРИЛОЖЕНИЕ К СЧЕТУ - ФАКТУРЕ № ") + invoiceNumber + QStringLiteral(" от ") + today},
        {3, QStringLiteral("ЗА ОКАЗАННЫЕ СОТРУДНИКУ ОРГАНОВ ВНУТРЕННИХ ДЕЛ МЕДИЦИНСКИЕ УСЛУГИ")},
        {4, QStringLiteral("В Государственном бюджетном учреждении \"Квелдор\"")},
        {5, QStringLiteral("наименование лечебного учреждения")},
        {7, QStringLiteral("Ф.И.О.") + line.fullName()},
        {8, QStringLiteral("ГОД РОЖДЕНИЯ")},
        {9, QStringLiteral("ДОМАШНИЙ АДРЕС")},
        {10, QStringLiteral("МЕСТО СЛУЖБЫ")},
        // Rank and position are completed by hand on one line, between the place of service and the
        // identity card, as on the forms the acts are checked against.
        {11, QStringLiteral("ЗВАНИЕ, ДОЛЖНОСТЬ")},
        {12, QStringLiteral("СЛУЖЕБНОЕ УДОСТОВЕРЕНИЕ")},
        {13, QStringLiteral("ИСТОЧНИК ФИНАНСИРОВАНИЯ, ЗА СЧЕТ КОТОРОГО СОДЕРЖИТСЯ СОТРУДНИК")},
        {15, QStringLiteral("НОМЕР МЕДИЦИНСКОЙ КАРТЫ (ИСТОРИИ БОЛЕЗНИ)")},
        {16, QStringLiteral("ДИАГНОЗ")},
        {18, QStringLiteral("КАЛЬКУЛЯЦИЯ (СЧЕТ-ФАКТУРА)")},
    };
    for (const auto& [offset, text] : rows)
        sheet.setText(b + offset, "a", text);
    sheet.range(cell("A", b + 7)).setBold();
    const char* const heads[][2] = {{"a", "ДИАГНОЗ И КОД ПО МКБ"},
                                    {"b", "ДАТА ОКАЗАНИЯ"},
                                    {"c", "НАИМЕНОВАНИЕ МЕДИЦИНСКОЙ УСЛУГИ"},
                                    {"d", "КОЛИЧЕСТВО УСЛУГ/КОЙКО-ДНЕЙ"},
                                    {"e", "СТОИМОСТЬ УСЛУГ"}};
    for (const auto& h : heads)
        sheet.setText(b + 19, QString::fromLatin1(h[0]), QString::fromUtf8(h[1]));
}

} // namespace

void fillActs(Worksheet& sheet, const std::vector<BillLine>& lines, const InvoiceTexts& texts) {
    if (lines.empty())
        return;
    const QString today = DateInWords(texts.today);
    auto lineCells = [&](int row, const BillLine& line) {
        sheet.setText(row, "b", line.date);
        sheet.setText(row, "c", line.service);
        sheet.setCell(row, "d", number(line.quantity));
        sheet.setCell(row, "e", cost(line.quantity, line.price));
    };
    auto closePage = [&](int r, int firstLine, const QString& headLine) {
        sheet.range(cell("A", firstLine - 1) + ':' + cell("E", r)).setBorders();
        sheet.setText(r, "a", QStringLiteral("ИТОГО:"));
        sheet.setCell(r, "e", QStringLiteral("=sum(e%1:e%2").arg(firstLine).arg(r - 1));
        sheet.range(span("B", "E", r + 1)).merge();
        sheet.setText(r + 2, "b", headLine + texts.headSignature);
    };
    int r = 0;
    int firstLine = 0;
    BillLine previous;
    for (size_t i = 0; i < lines.size(); ++i) {
        const BillLine& line = lines[i];
        ++r;
        if (i == 0) {
            actHeader(sheet, 0, line, texts.invoiceNumber, today);
            firstLine = 20;
            r = 20;
            lineCells(r, line);
            previous = line;
        } else if (startsNewPerson(previous, line)) {
            previous = line;
            closePage(r, firstLine, QStringLiteral("Начальник ГБУ \"Квелдор\"  __________________ "));
            sheet.setText(r + 3, "b",
                          QStringLiteral("Экономист  ____________________________") +
                              texts.economistSignature);
            sheet.range(span("B", "E", r + 3)).merge();
            sheet.addPageBreakBefore(r + 4);
            r += 4; // the new page's first row stays empty
            actHeader(sheet, r, line, texts.invoiceNumber, today);
            r += 20;
            firstLine = r;
            lineCells(r, line);
        } else {
            lineCells(r, line);
        }
    }
    ++r;
    closePage(r, firstLine, QString::fromUtf8(kHeadLine));
    sheet.range(span("B", "E", r + 3)).merge();
    sheet.setText(r + 3, "b",
                  QStringLiteral("Экономист  ____________________________") + texts.economistSignature);
    sheet.setText(r + 3, "f", QString());
    sheet.addPageBreakBefore(r + 4);
}

void fillWaybill(Worksheet& sheet, const std::vector<WaybillLine>& lines, qint64 total,
                 const InvoiceTexts& texts) {
    sheet.setText(1, "a",
                  QStringLiteral("НАКЛАДНАЯ № ") + texts.waybillNumber + QStringLiteral(" от ") +
                      DateInWords(texts.today));
    sheet.setText(10, "a", QStringLiteral("Покупатель: ") + texts.payer);
    sheet.setText(11, "a", QStringLiteral("Адрес : ") + texts.address);
    sheet.setText(12, "a", texts.taxNumbers);
    sheet.setText(13, "a", texts.bank);
    sheet.setText(14, "a", texts.account + ' ' + texts.okpo);
    sheet.setText(15, "a", texts.personalAccount);
    int r = 18;
    for (const WaybillLine& line : lines) {
        sheet.setText(r, "a", line.service);
        sheet.setCell(r, "b", number(line.quantity));
        sheet.setCell(r, "c", number(line.price));
        sheet.setCell(r, "d", QStringLiteral("=b%1*c%1").arg(r));
        ++r;
    }
    // One row stays empty between the last line and the total; the sum covers it.
    sheet.setText(r + 1, "a", QStringLiteral("ИТОГО:"));
    sheet.setCell(r + 1, "d", QStringLiteral("=sum(d18:d%1)").arg(r));
    sheet.range(span("A", "D", r + 1)).setBold();
    sheet.range(QStringLiteral("A17:") + cell("D", r + 1)).setBorders();
    sheet.setText(r + 4, "a", QStringLiteral("Сумма прописью ") + amountInWords(total) + '.');
    sheet.range(cell("A", r + 4)).setBold();
    sheet.setText(r + 5, "a", QString::fromUtf8(kHeadLine) + texts.headSignature);
    sheet.setText(r + 7, "a", QStringLiteral("М.П."));
    sheet.setText(r + 9, "a", QStringLiteral("Исполнитель экономист ") + texts.economist);
    sheet.range(span("A", "G", r + 7)).merge().setWrapText();
    sheet.setText(r + 10, "a", QStringLiteral("Тел. ") + texts.telephone);
}

void fillBill(Worksheet& sheet, qint64 total, const InvoiceTexts& texts) {
    sheet.setText(9, "b",
                  QStringLiteral("СЧЕТ № ") + texts.invoiceNumber + QStringLiteral(" от ") +
                      DateInWords(texts.today));
    sheet.setCell(11, "k", moneyText(total));
    sheet.setText(25, "b", amountInWords(total) + '.');
    sheet.setText(12, "b", QStringLiteral("Плательщик: ") + texts.payer);
    sheet.setText(13, "b", QStringLiteral("Адрес : ") + texts.address);
    sheet.setText(14, "b", texts.taxNumbers);
    sheet.setText(15, "b", texts.bank);
    sheet.setText(16, "b", texts.account + ' ' + texts.okpo);
    sheet.setText(17, "b", texts.personalAccount);
    sheet.setCell(20, "k", moneyText(total));
}

void fillInvoice(Worksheet& sheet, qint64 total, const InvoiceTexts& texts) {
    sheet.setText(11, "a",
                  QStringLiteral("СЧЕТ-ФАКТУРА № ") + texts.invoiceNumber + QStringLiteral(" от ") +
                      DateInWords(texts.today));
    sheet.setText(30, "a", QStringLiteral("Всего к оплате:") + amountInWords(total) + '.');
    sheet.setText(20, "a", QStringLiteral("Плательщик: ") + texts.payer);
    sheet.setText(21, "a", QStringLiteral("Адрес : ") + texts.address);
    sheet.setText(22, "a", texts.taxNumbers);
    sheet.setText(23, "a", texts.bank);
    sheet.setText(24, "a", texts.account + ' ' + texts.okpo);
    sheet.setText(25, "a", texts.personalAccount);
}

void fillInvoiceDocuments(Workbook& book, const std::vector<BillLine>& lines,
                          const std::vector<WaybillLine>& waybill, const InvoiceTexts& texts) {
    // Every number is checked before the first cell is written: a run never stops half-way.
    for (const BillLine& line : lines)
        if (!lineSum(line.quantity, line.price))
            badNumbers();
    const qint64 total = billTotal(waybill);
    fillRegisterAppendix(book.sheet(5), lines, texts);
    fillActs(book.sheet(4), lines, texts);
    fillWaybill(book.sheet(3), waybill, total, texts);
    fillBill(book.sheet(1), total, texts);
    fillInvoice(book.sheet(2), total, texts);
}

namespace {

bool isEmptyNumber(const QString& text) {
    return text.trimmed().isEmpty();
}

// A price or quantity is a number or empty; anything else stops the register at that line.
void checkTreatedLine(const TreatedLine& line) {
    const QString* bad = nullptr;
    for (const QString* text : {&line.price, &line.totalQuantity})
        if (!bad && !isEmptyNumber(*text) && !parseMoney(*text))
            bad = text;
    if (!bad && !isEmptyNumber(line.price) && !isEmptyNumber(line.totalQuantity) &&
        !lineSum(line.totalQuantity, line.price))
        bad = &line.price; // the cost passes what a cell holds
    if (bad)
        throw DocumentError(QStringLiteral("Неверный формат числа \"%1\" в строке: %2, %3, %4")
                                .arg(*bad, line.fullName(), line.date, line.service),
                            QStringLiteral("Ошибка"));
}

// A number as its cell holds it, or the empty cell.
QString numberOrEmpty(const QString& text) {
    return isEmptyNumber(text) ? QString() : number(text);
}

} // namespace

void fillTreatedRegister(Worksheet& sheet, const std::vector<TreatedLine>& lines) {
    for (const TreatedLine& line : lines)
        checkTreatedLine(line);
    int r = 3;
    for (const TreatedLine& line : lines) {
        sheet.setCell(r, "a", QString::number(r - 2));
        sheet.setText(r, "b", line.surname);
        sheet.setText(r, "c", line.firstName);
        sheet.setText(r, "d", line.patronymic);
        sheet.setText(r, "f", line.referral + ' ' + line.referralDate);
        sheet.setText(r, "h", line.date);
        sheet.setText(r, "i", line.symbol + ' ' + line.code);
        sheet.setText(r, "j", line.service);
        sheet.setCell(r, "k", numberOrEmpty(line.price));
        sheet.setCell(r, "l", numberOrEmpty(line.totalQuantity));
        if (!isEmptyNumber(line.price) && !isEmptyNumber(line.totalQuantity))
            sheet.setCell(r, "m", cost(line.totalQuantity, line.price));
        sheet.setText(r, "n", line.doctor);
        sheet.setText(r, "o", line.nurse);
        ++r;
    }
    ++r;
    sheet.setText(r, "b", QStringLiteral("ИТОГО:"));
    sheet.setCell(r, "m", QStringLiteral("=sum(m3:m%1)").arg(r - 1));
}

} // namespace zorvel
