// The contract rules without the window: what a contract made of given lines holds, and how a line that
// cannot be read stops it.

#include "tests/documents/contract_support.h"

#include "documents/contract.h"
#include "spreadsheet/recording_output.h"
#include "spreadsheet/workbook.h"
#include "workstation/document_error.h"
#include "workstation/money.h"

#include <gtest/gtest.h>

using namespace zorvel;
using test::expectCells;

namespace {

ServiceLine line(const char* number, const char* service, const char* quantity, const char* price,
                 bool marked = true) {
    ServiceLine l;
    l.number = QString::fromUtf8(number);
    l.surname = QStringLiteral("Петров");
    l.name = QStringLiteral("Петр");
    l.patronymic = QStringLiteral("Петрович");
    l.service = QString::fromUtf8(service);
    l.quantity = QString::fromUtf8(quantity);
    l.price = QString::fromUtf8(price);
    l.date = QStringLiteral("01.02.2026");
    l.contractNumber = QStringLiteral("5");
    l.marked = marked;
    return l;
}

ContractInput polyclinic(std::vector<ServiceLine> lines) {
    ContractInput in;
    in.lines = std::move(lines);
    in.kindOfCare = QStringLiteral("Поликлиника");
    in.department = QStringLiteral("Кабинет хирурга");
    return in;
}

TEST(ContractBuilderTest, choosesTheTemplateByKindOfCareAndDepartment) {
    const QString dental = QStringLiteral("Зубопротезный кабинет");
    EXPECT_EQ(contractKind(QStringLiteral("Поликлиника"), dental), ContractKind::Dental);
    EXPECT_EQ(contractKind(QStringLiteral("Поликлиника"), QStringLiteral("Кабинет УЗИ")),
              ContractKind::Polyclinic);
    EXPECT_EQ(contractKind(QStringLiteral("Стационар"), dental), ContractKind::Hospital);
    EXPECT_EQ(contractKind(QStringLiteral("Дневной стационар"), QString()), ContractKind::Hospital);
    EXPECT_EQ(contractKind(QStringLiteral("поликлиника"), dental), ContractKind::None);
    EXPECT_EQ(contractTemplate(ContractKind::None), QString());
}

// The words of the total and the line sums. (Rounded to kopecks these sums come out right in floats too:
// the drifting cases are in the next test.) Eleven services and
// "Итого" take one line more than the table's eleven, so clause 3.2 is one row lower than in the template.
TEST(ContractBuilderTest, totalsAreExact) {
    std::vector<ServiceLine> lines;
    for (int i = 1; i <= 10; ++i)
        lines.push_back(line(QByteArray::number(i).constData(), "Капли", "1", "0.1"));
    lines.push_back(line("11", "Осмотр", "3", "33.33"));
    RecordingOutput output;
    Workbook book = output.start(QStringLiteral("polikl.xls"));
    fillContract(book, ContractKind::Polyclinic, polyclinic(lines));
    EXPECT_EQ(book.sheet(1).cellText(39, 1),
              QStringLiteral("3.2. Стоимость медицинских услуг, указанных в разделе 1 настоящего договора "
                             "составляет Сто рублей 99 копеек."));
    EXPECT_EQ(moneyText(*lineSum(QStringLiteral("3"), QStringLiteral("0.1"))), QStringLiteral("0.3"));
    EXPECT_EQ(moneyText(*lineSum(QStringLiteral("2"), QStringLiteral("1250,50"))), QStringLiteral("2501"));
    EXPECT_FALSE(lineSum(QString(), QStringLiteral("10")));
    EXPECT_FALSE(lineSum(QStringLiteral("1"), QStringLiteral("1 000")));
}

// The dental contract's one line stores the total of its order sheet as a number: each case is one that
// binary floats get wrong when summed (0.1 ten times is 0.9999999999999999, which the cell's two-decimal
// format would hide, so the stored value is compared).
TEST(ContractBuilderTest, theDentalLineTotalIsExactWhereBinaryFloatsDrift) {
    struct Case {
        std::vector<const char*> prices;
        QString line;
        QString clause;
    } cases[] = {
        {std::vector<const char*>(10, "0.1"), "1", "Один рубль 00 копеек"},
        {{"0.1", "0.2"}, "0.3", "Ноль рублей 30 копеек"},
        {{"1.15", "1.15", "1.15"}, "3.45", "Три рубля 45 копеек"},
    };
    for (const Case& c : cases) {
        std::vector<ServiceLine> lines;
        for (const char* price : c.prices)
            lines.push_back(line("1", "Коронка", "1", price));
        ContractInput in = polyclinic(lines);
        in.department = QStringLiteral("Зубопротезный кабинет");
        RecordingOutput output;
        Workbook book = output.start(QStringLiteral("zub.xls"));
        fillContract(book, ContractKind::Dental, in);
        EXPECT_EQ(book.sheet(1).cellValue(9, 12), c.line) << c.line.toStdString();
        EXPECT_TRUE(book.sheet(1).cellText(38, 1).endsWith(c.clause + u'.'))
            << book.sheet(1).cellText(38, 1).toStdString();
    }
}

// What people typed is written as text: a name or a service beginning with "=" never becomes a formula.
TEST(ContractBuilderTest, typedValuesStayTexts) {
    ServiceLine typed = line("1", "=HYPERLINK(\"http://example.org\")", "1", "100");
    typed.surname = QStringLiteral("=1+1");
    ContractInput in = polyclinic({typed});
    in.department = QStringLiteral("=A1");
    RecordingOutput output;
    Workbook contract = output.start(QStringLiteral("polikl.xls"));
    fillContract(contract, ContractKind::Polyclinic, in);
    EXPECT_EQ(contract.sheet(1).cellFormula(9, 2), QString());
    EXPECT_EQ(contract.sheet(1).cellText(9, 2), typed.service);
    EXPECT_TRUE(contract.sheet(1).cellText(4, 5).startsWith(QStringLiteral("=1+1")));
    Workbook consent = output.start(QStringLiteral("soglas.xls"));
    fillConsent(consent, in);
    EXPECT_EQ(consent.sheet(1).cellFormula(23, 2), QString());
    EXPECT_EQ(consent.sheet(1).cellText(23, 2), QStringLiteral("=A1"));
}

// With nothing marked the polyclinic contract keeps the template's first row and totals nothing.
TEST(ContractBuilderTest, noMarkedLine) {
    RecordingOutput output;
    Workbook book = output.start(QStringLiteral("polikl.xls"));
    const QString templateHeading = book.sheet(1).cellText(1, 1);
    fillContract(book, ContractKind::Polyclinic, polyclinic({line("1", "Осмотр", "1", "100", false)}));
    const Worksheet& sheet = book.sheet(1);
    EXPECT_EQ(sheet.cellText(1, 1), templateHeading);
    EXPECT_EQ(sheet.cellText(9, 1), QStringLiteral("Итого"));
    EXPECT_EQ(sheet.cellFormula(9, 11), QStringLiteral("=SUM(K9:K8)"));
    EXPECT_TRUE(sheet.cellText(38, 1).endsWith(QStringLiteral("Ноль рублей 00 копеек.")));
}

// `count` marked services of 100 rubles each ("Услуга 1"...), one unmarked line among them.
std::vector<ServiceLine> manyServices(int count) {
    std::vector<ServiceLine> lines;
    for (int i = 1; i <= count; ++i) {
        const QByteArray n = QByteArray::number(i);
        lines.push_back(line(n.constData(), ("Услуга " + n).constData(), "1", "100"));
        if (i == 3)
            lines.push_back(line("", "Не печатается", "1", "999", false));
    }
    return lines;
}

PassportData passport() {
    return {QStringLiteral("4509"), QStringLiteral("123456"), QStringLiteral("ОВД Центрального района"),
            QStringLiteral("ул. Ленина, 1")};
}

// More services than the polyclinic table's eleven lines: the table grows, ruled like its lines, and
// the clauses and the passport block move down with it instead of being written over.
TEST(ContractBuilderTest, aLongPolyclinicContractComesOutWhole) {
    ContractInput in = polyclinic(manyServices(15));
    in.passport = passport();
    RecordingOutput output;
    Workbook book = output.start(QStringLiteral("polikl.xls"));
    fillContract(book, ContractKind::Polyclinic, in);
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet,
                {
                    {"A9", "1"},
                    {"B9", "Услуга 1"},
                    {"K9", "=I9*J9"},
                    {"B11", "Услуга 3"},
                    {"B12", "Услуга 4"},
                    {"A19", "11"},
                    {"B20", "Услуга 12"},
                    {"A23", "15"},
                    {"B23", "Услуга 15"},
                    {"I23", "1"},
                    {"J23", "100"},
                    {"K23", "=I23*J23"},
                    {"A24", "Итого"},
                    {"K24", "=SUM(K9:K23)"},
                    {"A25", ""},
                    {"A26", "2. ОБЯЗАННОСТИ И ПРАВА СТОРОН"},
                    {"A27", "2.1. Исполнитель обязуется:"},
                    {"A41", "3. СТОИМОСТЬ УСЛУГ И ПОРЯДОК РАСЧЕТОВ"},
                    {"A43", "3.2. Стоимость медицинских услуг, указанных в разделе 1 настоящего "
                            "договора составляет Одна тысяча пятьсот рублей 00 копеек."},
                    {"A44", "3.3. Оплата производится Пациентом до начала оказания услуг наличными "
                            "денежными средствами в кассу Исполнителя или безналичным перечислением; "
                            "Пациенту выдается документ, подтверждающий оплату."},
                    {"A54", "6. АДРЕСА, РЕКВИЗИТЫ И ПОДПИСИ СТОРОН"},
                    {"G55", "Пациент:"},
                    {"G57", "Паспорт:   серия  4509 №  123456"},
                    {"G58", "Выдан:  ОВД Центрального района"},
                    {"G59", "Место жительства:  ул. Ленина, 1"},
                    {"G62", " ___________________________/__________________________/"},
                    {"A62", "____________________/______________________/"},
                },
                "contract");
    // The inserted line shows its price as the template's lines do.
    EXPECT_EQ(sheet.cellText(23, 10), QStringLiteral("100.00"));
    // The added lines are ruled and merged like the template's.
    EXPECT_EQ(sheet.rowHeight(21), 27);
    EXPECT_TRUE(sheet.cellStyle(21, 12).bordered);
    EXPECT_TRUE(sheet.mergedRanges().contains(QStringLiteral("B21:H21")));
    EXPECT_TRUE(sheet.mergedRanges().contains(QStringLiteral("K23:L23")));
}

TEST(ContractBuilderTest, aLongHospitalContractComesOutWhole) {
    ContractInput in = polyclinic(manyServices(14));
    in.kindOfCare = QStringLiteral("Стационар");
    in.passport = passport();
    RecordingOutput output;
    Workbook book = output.start(QStringLiteral("stac.xls"));
    fillContract(book, ContractKind::Hospital, in);
    const Worksheet& sheet = book.sheet(1);
    expectCells(sheet,
                {
                    {"A13", "1"},
                    {"B13", "Услуга 1"},
                    {"B16", "Услуга 4"},
                    {"B26", "Услуга 14"},
                    {"K26", "=I26*J26"},
                    {"A27", "Итого"},
                    {"K27", "=SUM(K13:K26)"},
                    {"A28", ""},
                    {"A29", "2. ОБЯЗАННОСТИ И ПРАВА СТОРОН"},
                    {"A44", "3. СТОИМОСТЬ УСЛУГ И ПОРЯДОК ОПЛАТЫ"},
                    {"A46", "путем 100 % предоплаты в сумме (Одна тысяча четыреста рублей 00 копеек)."},
                    {"A47", "3.2. При увеличении объема услуг по медицинским показаниям доплата "
                            "производится по отдельному договору; при досрочной выписке стоимость "
                            "неоказанных услуг возвращается Пациенту."},
                    {"A52", "6. АДРЕСА, РЕКВИЗИТЫ И ПОДПИСИ СТОРОН"},
                    {"G55", "Паспорт:   серия  4509 №  123456"},
                    {"G56", "Выдан:  ОВД Центрального района"},
                    {"G57", "Место жительства:  ул. Ленина, 1"},
                    {"G60", " ___________________________/__________________________/"},
                    {"G61", "подпись                                    расшифровка"},
                },
                "contract");
}

TEST(ContractBuilderTest, aLineThatIsNotANumberStopsTheContractWithItsMessage) {
    struct Case {
        ContractKind kind;
        const char* department;
        const char* message;
        const char* caption;
    } cases[] = {
        {ContractKind::Polyclinic, "Кабинет хирурга", "неверное число", ""},
        {ContractKind::Hospital, "Кабинет хирурга", "неверное число", ""},
        {ContractKind::Hospital, "Зубопротезный кабинет", "Неверный формат числа", "Ошибка"},
        {ContractKind::Dental, "Зубопротезный кабинет", "Неверный формат числа", "Ошибка"},
    };
    RecordingOutput output;
    for (const Case& c : cases) {
        ContractInput in = polyclinic({line("1", "Осмотр", "1", "100"), line("2", "Снимок", "1", "сто")});
        in.department = QString::fromUtf8(c.department);
        Workbook book = output.start(contractTemplate(c.kind));
        try {
            fillContract(book, c.kind, in);
            ADD_FAILURE() << "no error for " << c.department;
        } catch (const DocumentError& e) {
            EXPECT_EQ(e.text(), QString::fromUtf8(c.message));
            EXPECT_EQ(e.caption(), QString::fromUtf8(c.caption));
        }
    }
}

} // namespace
