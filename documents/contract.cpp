#include "documents/contract.h"

#include "documents/contract_cells.h"
#include "workstation/department_names.h"
#include "workstation/document_error.h"
#include "workstation/money.h"
#include "workstation/words.h"
#include "spreadsheet/workbook.h"

#include <stdexcept>

namespace zorvel {

namespace {

const char16_t* const kCostClause =
    u"3.2. Стоимость медицинских услуг, указанных в разделе 1 настоящего договора "
    u"составляет ";
const char16_t* const kSignatureLine = u" ___________________________/__________________________/";
const char16_t* const kSignatureCaption = u"подпись                                    расшифровка";

// The service tables as the templates rule them: polikl.tpl rows 9-19, stac.tpl rows 13-22.
constexpr int kPolyclinicFirstLine = 9;
constexpr int kPolyclinicTableLines = 11;
constexpr int kHospitalFirstLine = 13;
constexpr int kHospitalTableLines = 10;

const ServiceLine& firstLine(const ContractInput& input) {
    static const ServiceLine empty;
    return input.lines.empty() ? empty : input.lines.front();
}

// The box the dental total shows for a quantity or price that is not a number.
[[noreturn]] void badNumberBox() {
    throw DocumentError(QStringLiteral("Неверный формат числа"), QStringLiteral("Ошибка"));
}

// The plain message a listed service shows for the same fault.
[[noreturn]] void badNumberMessage() {
    throw DocumentError(QStringLiteral("неверное число"), QString());
}

qint64 sumOrBox(const ServiceLine& line) {
    std::optional<qint64> sum = lineSum(line.quantity, line.price);
    if (!sum)
        badNumberBox();
    return *sum;
}

void writePassport(Worksheet& sheet, int firstRow, const PassportData& passport) {
    sheet.setText(firstRow, "g",
                  QStringLiteral("Паспорт:   серия  ") + passport.series + QStringLiteral(" №  ") +
                      passport.number);
    sheet.setText(firstRow + 1, "g", QStringLiteral("Выдан:  ") + passport.issuedBy);
    sheet.setText(firstRow + 2, "g", QStringLiteral("Место жительства:  ") + passport.address);
    sheet.setCell(firstRow + 5, "g", QString::fromUtf16(kSignatureLine));
    sheet.setCell(firstRow + 6, "g", QString::fromUtf16(kSignatureCaption));
}

int markedCount(const ContractInput& input) {
    int n = 0;
    for (const ServiceLine& line : input.lines)
        n += line.marked ? 1 : 0;
    return n;
}

// Makes the table from `firstRow` with `ruledLines` lines hold `lines` lines (the services and "Итого"):
// the missing lines go in before its last line, ruled like it, and push the clauses below down. Returns
// the number of rows inserted, by which every row below the table moves.
int growTable(Worksheet& sheet, int firstRow, int ruledLines, int lines) {
    const int missing = lines - ruledLines;
    if (missing <= 0)
        return 0;
    sheet.insertRows(firstRow + ruledLines - 1, missing, InsertedRows::LikeRowAbove);
    return missing;
}

// The listed services of the polyclinic and hospital contracts, from row firstRow on; returns their count.
int writeServices(Worksheet& sheet, int firstRow, const ContractInput& input, qint64& total) {
    int n = 0;
    for (const ServiceLine& line : input.lines) {
        if (!line.marked)
            continue;
        sheet.setText(1, "a", contractHeading(line.contractNumber));
        const int r = firstRow + n;
        ++n;
        const QString row = QString::number(r);
        sheet.setCell(r, "a", line.number);
        sheet.setText(r, "b", line.service);
        sheet.setCell(r, "i", line.quantity);
        sheet.setCell(r, "j", line.price);
        sheet.setCell(r, "k", QStringLiteral("=i") + row + QStringLiteral("*j") + row);
        std::optional<qint64> sum = lineSum(line.quantity, line.price);
        if (!sum)
            badNumberMessage();
        total = addToTotal(total, *sum);
    }
    return n;
}

void fillDental(Worksheet& sheet, const ContractInput& input) {
    sheet.setCell(2, "i", firstDateInWords(input));
    sheet.setText(4, "e", patientName(input));
    // The dental work is priced by its order sheet: every line counts, marked or not.
    qint64 total = 0;
    for (const ServiceLine& line : input.lines) {
        sheet.setText(1, "a", contractHeading(line.contractNumber));
        total = addToTotal(total, sumOrBox(line));
    }
    sheet.setCell(9, "a", QStringLiteral("1"));
    sheet.setCell(9, "b", QStringLiteral("Зубопротезирование по наряду"));
    sheet.setCell(9, "l", moneyText(total));
    sheet.setCell(38, "a", QString::fromUtf16(kCostClause) + AmountInWords(toKopecks(total)) + u'.');
    sheet.setCell(10, "a", QStringLiteral("Итого"));
    // Written open, as the clerks always typed it; the spreadsheet completes it.
    sheet.setCell(10, "l", QStringLiteral("=sum(l9:l9"));
    writePassport(sheet, 52, input.passport);
}

void fillPolyclinic(Worksheet& sheet, const ContractInput& input) {
    sheet.setCell(2, "i", firstDateInWords(input));
    sheet.setText(4, "e", patientName(input));
    const int moved = growTable(sheet, kPolyclinicFirstLine, kPolyclinicTableLines, markedCount(input) + 1);
    qint64 total = 0;
    const int n = writeServices(sheet, kPolyclinicFirstLine, input, total);
    sheet.setCell(38 + moved, "a", QString::fromUtf16(kCostClause) + AmountInWords(toKopecks(total)) + u'.');
    sheet.setCell(9 + n, "a", QStringLiteral("Итого"));
    sheet.setCell(9 + n, "k", QStringLiteral("=sum(k9:k") + QString::number(8 + n));
    writePassport(sheet, 52 + moved, input.passport);
}

void fillHospital(Worksheet& sheet, const ContractInput& input) {
    sheet.setCell(2, "i", firstDateInWords(input));
    sheet.setText(6, "a", patientName(input));
    const bool dental = input.department == QStringView(kDentalDepartment);
    // Dental work is one line whatever is marked.
    const int moved =
        growTable(sheet, kHospitalFirstLine, kHospitalTableLines, (dental ? 1 : markedCount(input)) + 1);
    qint64 total = 0;
    int n = 0;
    if (!dental) {
        n = writeServices(sheet, kHospitalFirstLine, input, total);
    } else {
        // Dental work in hospital care is one line with the total of the marked services.
        for (const ServiceLine& line : input.lines) {
            if (!line.marked)
                continue;
            sheet.setText(1, "a", contractHeading(line.contractNumber));
            total = addToTotal(total, sumOrBox(line));
        }
        n = 1;
        sheet.setCell(13, "a", QStringLiteral("1"));
        sheet.setCell(13, "b", QStringLiteral("Услуги зубопротезирования"));
        sheet.setCell(13, "k", moneyText(total));
    }
    sheet.setCell(41 + moved, "a",
                  QStringLiteral("путем 100 % предоплаты в сумме (") + AmountInWords(toKopecks(total)) +
                      QStringLiteral(")."));
    sheet.setCell(13 + n, "a", QStringLiteral("Итого"));
    sheet.setCell(13 + n, "k", QStringLiteral("=sum(k13:k") + QString::number(12 + n));
    writePassport(sheet, 50 + moved, input.passport);
}

} // namespace

QString firstDateInWords(const ContractInput& input) {
    return DateInWords(firstLine(input).date);
}

QString patientName(const ContractInput& input) {
    const ServiceLine& line = firstLine(input);
    return line.surname + u' ' + line.name + u' ' + line.patronymic;
}

qint64 addToTotal(qint64 total, qint64 amount) {
    qint64 sum = 0;
    if (qAddOverflow(total, amount, &sum))
        throw std::out_of_range("Слишком большое число для суммы прописью");
    return sum;
}

ContractKind contractKind(const QString& kindOfCare, const QString& department) {
    if (kindOfCare == u"Поликлиника")
        return department == QStringView(kDentalDepartment) ? ContractKind::Dental : ContractKind::Polyclinic;
    if (kindOfCare == u"Стационар" || kindOfCare == u"Дневной стационар")
        return ContractKind::Hospital;
    return ContractKind::None;
}

QString contractTemplate(ContractKind kind) {
    switch (kind) {
    case ContractKind::Dental:
        return QStringLiteral("zub.xls");
    case ContractKind::Polyclinic:
        return QStringLiteral("polikl.xls");
    case ContractKind::Hospital:
        return QStringLiteral("stac.xls");
    case ContractKind::None:
        break;
    }
    return {};
}

QString contractHeading(const QString& contractNumber) {
    return QStringLiteral("Договор N__ ") + contractNumber +
           QStringLiteral("__\nна оказание платных медицинских услуг");
}

void fillContract(Workbook& book, ContractKind kind, const ContractInput& input) {
    Worksheet& sheet = book.sheet(1);
    switch (kind) {
    case ContractKind::Dental:
        fillDental(sheet, input);
        break;
    case ContractKind::Polyclinic:
        fillPolyclinic(sheet, input);
        break;
    case ContractKind::Hospital:
        fillHospital(sheet, input);
        break;
    case ContractKind::None:
        break;
    }
}

} // namespace zorvel
