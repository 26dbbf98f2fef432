// The invoicing documents built from row sets, without a window or a database.
#include "clients/bills.h"
#include "spreadsheet/cell_reference.h"
#include "spreadsheet/template_directory.h"
#include "spreadsheet/workbook.h"
#include "tests/support/golden_cells.h"
#include "workstation/document_error.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace zorvel {
namespace {

using test::expectCells;

BillLine line(const char* surname, const char* firstName, const char* patronymic,
              const char* service = "Прием", const char* quantity = "1", const char* price = "100") {
    BillLine l;
    l.surname = QString::fromUtf8(surname);
    l.firstName = QString::fromUtf8(firstName);
    l.patronymic = QString::fromUtf8(patronymic);
    l.code = QStringLiteral("A01");
    l.service = QString::fromUtf8(service);
    l.date = QStringLiteral("05.02.2026");
    l.quantity = QString::fromUtf8(quantity);
    l.price = QString::fromUtf8(price);
    l.doctor = QStringLiteral("Петров П.П.");
    l.nurse = QStringLiteral("Сидорова");
    l.referral = QStringLiteral("17");
    l.referralDate = QStringLiteral("01.02.2026");
    return l;
}

InvoiceTexts texts() {
    InvoiceTexts t;
    t.payer = QStringLiteral("УМВД");
    t.contractNumber = QStringLiteral("12");
    t.invoiceNumber = QStringLiteral("34");
    t.waybillNumber = QStringLiteral("56");
    t.head = QStringLiteral("Воронцов А.П.");
    t.chiefAccountant = QStringLiteral("Лебедева Н.В.");
    t.economist = QStringLiteral("Соколова Е.А.");
    t.telephone = QStringLiteral("22-33-44");
    t.address = QStringLiteral("ул. Мира, 1");
    t.taxNumbers = QStringLiteral("ИНН 1");
    t.bank = QStringLiteral("Банк");
    t.account = QStringLiteral("Р/с 2");
    t.okpo = QStringLiteral("ОКПО 3");
    t.personalAccount = QStringLiteral("Л/С 4");
    t.headSignature = QStringLiteral("А.П. Воронцов");
    t.economistSignature = QStringLiteral("Е.А. Соколова");
    t.today = QStringLiteral("05.03.2026");
    return t;
}

class BillsTest : public testing::Test {
protected:
    void SetUp() override {
        setTemplateDirectory(QCoreApplication::applicationDirPath());
        book = Workbook::fromTemplate(templatePath(QStringLiteral("schet.xls")));
    }
    Workbook book;
};

TEST_F(BillsTest, onePersonWithThreeLines) {
    const std::vector<BillLine> lines = {line("Иванов", "Иван", "Иванович", "Прием", "1", "450"),
                                         line("Иванов", "Иван", "Иванович", "Снимок", "2", "1250.50"),
                                         line("Иванов", "Иван", "Иванович", "Анализ", "1", "310,25")};
    std::vector<BillLine> noDoctor = lines;
    noDoctor[2].doctor.clear();
    fillInvoiceDocuments(book, noDoctor,
                         {{"Анализ", "1", "310,25"}, {"Прием", "1", "450"}, {"Снимок", "2", "1250.50"}},
                         texts());
    expectCells(book.sheet(5),
                {
                    {"K2", "к Договору №12"},
                    {"K3", "от \"5\" Марта 2026 г."},
                    {"D4", "Реестр учета пролеченных долностных лиц УМВД"},
                    {"D5", "К счет-фактуре №34 от \"5\" Марта 2026 г."},
                    {"A7", "1"},
                    {"B7", "Иванов Иван Иванович"},
                    {"D7", "17 от 01.02.2026"},
                    {"F7", "05.02.2026"},
                    {"G7", "A01"},
                    {"H7", "Прием"},
                    {"I7", "450"},
                    {"J7", "1"},
                    {"K7", "=I7*J7"},
                    {"L7", "вр. Петров П.П."},
                    {"A8", ""},
                    {"B8", "Иванов Иван Иванович"},
                    {"I8", "1250.5"},
                    {"I9", "310.25"},
                    {"L9", "м/с Сидорова"},
                    {"B10", "ИТОГО:"},
                    {"K10", "=SUM(K7:K9)"},
                    {"B11", "ВСЕГО:"},
                    {"K11", "=K10"},
                    {"A14", "Начальник ГБУ \"Квелдор\" ______________________Воронцов А.П."},
                    {"A15", "Главный бухгалтер _________________________ Лебедева Н.В."},
                    {"A17", "М.П."},
                    {"A19", "Исполнитель экономист Соколова Е.А."},
                    {"A20", "Тел. 22-33-44"},
                },
                "sheet 5");
    EXPECT_TRUE(book.sheet(5).cellStyle(10, 11).bold);
    EXPECT_TRUE(book.sheet(5).cellStyle(11, 12).bordered);
    EXPECT_TRUE(book.sheet(5).mergedRanges().contains(QStringLiteral("A14:H14")));

    expectCells(book.sheet(4),
                {
                    {"A1", "АКТ ВЫПОЛНЕННЫХ РАБОТ"},
                    {"A2", "ПРИЛОЖЕНИЕ К СЧЕТУ - ФАКТУРЕ № 34 от \"5\" Марта 2026 г."},
                    {"A7", "Ф.И.О.Иванов Иван Иванович"},
                    {"A11", "ЗВАНИЕ, ДОЛЖНОСТЬ"},
                    {"A12", "СЛУЖЕБНОЕ УДОСТОВЕРЕНИЕ"},
                    {"A19", "ДИАГНОЗ И КОД ПО МКБ"},
                    {"E19", "СТОИМОСТЬ УСЛУГ"},
                    {"B20", "05.02.2026"},
                    {"C20", "Прием"},
                    {"D21", "2"},
                    {"E21", "2501"},
                    {"E22", "310.25"},
                    {"A23", "ИТОГО:"},
                    {"E23", "=SUM(E20:E22)"},
                    {"B25", "Начальник ГБУ \"Квелдор\" __________________ А.П. Воронцов"},
                    {"B26", "Экономист  ____________________________Е.А. Соколова"},
                },
                "sheet 4");
    EXPECT_EQ(book.sheet(4).pageBreaks(), QList<int>{27});
    EXPECT_TRUE(book.sheet(4).cellStyle(7, 1).bold);
    EXPECT_TRUE(book.sheet(4).cellStyle(19, 1).bordered);

    // The waybill: lines from row 18, one empty row, the total, the words.
    expectCells(book.sheet(3),
                {
                    {"A1", "НАКЛАДНАЯ № 56 от \"5\" Марта 2026 г."},
                    {"A10", "Покупатель: УМВД"},
                    {"A11", "Адрес : ул. Мира, 1"},
                    {"A14", "Р/с 2 ОКПО 3"},
                    {"A18", "Анализ"},
                    {"C18", "310.25"},
                    {"D18", "=B18*C18"},
                    {"A20", "Снимок"},
                    {"B20", "2"},
                    {"A22", "ИТОГО:"},
                    {"D22", "=SUM(D18:D21)"},
                    {"A25", "Сумма прописью Три тысячи двести шестьдесят один рубль 25 копеек."},
                    {"A26", "Начальник ГБУ \"Квелдор\" __________________ А.П. Воронцов"},
                    {"A28", "М.П."},
                    {"A30", "Исполнитель экономист Соколова Е.А."},
                    {"A31", "Тел. 22-33-44"},
                },
                "sheet 3");
    expectCells(book.sheet(1),
                {
                    {"B9", "СЧЕТ № 34 от \"5\" Марта 2026 г."},
                    {"K11", "3261.25"},
                    {"K20", "3261.25"},
                    {"B25", "Три тысячи двести шестьдесят один рубль 25 копеек."},
                    {"B12", "Плательщик: УМВД"},
                    {"B16", "Р/с 2 ОКПО 3"},
                    {"B17", "Л/С 4"},
                },
                "sheet 1");
    expectCells(book.sheet(2),
                {
                    {"A11", "СЧЕТ-ФАКТУРА № 34 от \"5\" Марта 2026 г."},
                    {"A30", "Всего к оплате:Три тысячи двести шестьдесят один рубль 25 копеек."},
                    {"A20", "Плательщик: УМВД"},
                    {"A25", "Л/С 4"},
                },
                "sheet 2");
}

TEST_F(BillsTest, aNewPersonNeedsTwoOfTheThreeNamePartsToDiffer) {
    // A changed surname alone stays the same person; surname and first name changed make a new one.
    const std::vector<BillLine> lines = {line("Иванов", "Иван", "Иванович"),
                                         line("Ивановa", "Иван", "Иванович"),
                                         line("Петров", "Петр", "Иванович")};
    fillRegisterAppendix(book.sheet(5), lines, texts());
    fillActs(book.sheet(4), lines, texts());
    expectCells(book.sheet(5),
                {
                    {"A7", "1"},
                    {"B8", "Ивановa Иван Иванович"}, // each line keeps its own name
                    {"A8", ""},
                    {"B9", "ИТОГО:"},
                    {"K9", "=SUM(K7:K8)"},
                    {"A10", "2"},
                    {"B10", "Петров Петр Иванович"},
                    {"B11", "ИТОГО:"},
                    {"K11", "=SUM(K10:K10)"},
                    {"B12", "ВСЕГО:"},
                    {"K12", "=K9+K11"},
                },
                "sheet 5");
    // Acts: the second person's page starts with an empty row, its head from the page's second row.
    expectCells(book.sheet(4),
                {
                    {"C21", "Прием"},
                    {"A22", "ИТОГО:"},
                    {"E22", "=SUM(E20:E21)"},
                    {"B24", "Начальник ГБУ \"Квелдор\"  __________________ А.П. Воронцов"},
                    {"B25", "Экономист  ____________________________Е.А. Соколова"},
                    {"A26", ""},
                    {"A27", "АКТ ВЫПОЛНЕННЫХ РАБОТ"},
                    {"A33", "Ф.И.О.Петров Петр Иванович"},
                    {"B46", "05.02.2026"},
                    {"A47", "ИТОГО:"},
                    {"E47", "=SUM(E46:E46)"},
                    {"B49", "Начальник ГБУ \"Квелдор\" __________________ А.П. Воронцов"},
                },
                "sheet 4");
    EXPECT_EQ(book.sheet(4).pageBreaks(), (QList<int>{26, 51}));
}

TEST_F(BillsTest, fiveHundredPersonsAreAllListedWithTheGrandTotalOverEverySubtotal) {
    std::vector<BillLine> lines;
    std::vector<std::string> names;
    for (int i = 0; i < 500; ++i)
        names.push_back("Сотрудник" + std::to_string(i));
    for (int i = 0; i < 500; ++i)
        for (int k = 0; k < 2; ++k)
            lines.push_back(line(names[i].c_str(), names[i].c_str(), "Иванович"));
    fillRegisterAppendix(book.sheet(5), lines, texts());
    const Worksheet& sheet = book.sheet(5);
    // Person n starts on row 7 + 3(n-1): two lines and its subtotal.
    EXPECT_EQ(sheet.cellValue(7 + 3 * 499, 1), QStringLiteral("500"));
    EXPECT_EQ(sheet.cellValue(7 + 3 * 499, 2), QStringLiteral("Сотрудник499 Сотрудник499 Иванович"));
    const int total = 7 + 3 * 500;
    EXPECT_EQ(sheet.cellValue(total, 2), QStringLiteral("ВСЕГО:"));
    const QString formula = sheet.cellFormula(total, 11);
    EXPECT_EQ(formula.count('+'), 499);
    EXPECT_TRUE(formula.startsWith(QStringLiteral("=K9+K12+K15+")));
    EXPECT_TRUE(formula.endsWith(QStringLiteral("+K1506")));

    // Past what a formula may hold, the same sum is taken over the rows marked "ИТОГО:".
    std::vector<int> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back(9 + 3 * i);
    EXPECT_EQ(grandTotalFormula(many, 7, 6006), QStringLiteral("=sumif(b7:b6006,\"ИТОГО:\",k7:k6006)"));
}

TEST_F(BillsTest, aPriceOrQuantityThatIsNotANumberStopsTheRunBeforeAnythingIsWritten) {
    for (const char* price : {"12a", ""}) {
        Workbook fresh = Workbook::fromTemplate(templatePath(QStringLiteral("schet.xls")));
        try {
            fillInvoiceDocuments(fresh, {line("Иванов", "Иван", "Иванович", "Прием", "1", price)},
                                 {{"Прием", "1", price}}, texts());
            ADD_FAILURE() << "no error for " << price;
        } catch (const DocumentError& e) {
            EXPECT_EQ(e.text(),
                      QStringLiteral("Проверьте правильность написание сумм или колиичества услуг"));
            EXPECT_EQ(e.caption(), QStringLiteral("Ошибка"));
        }
        EXPECT_EQ(fresh.sheet(5).cellValue(4, 4), QString());
        EXPECT_EQ(fresh.sheet(4).usedRowCount(), 0);
    }
}

TEST(TreatedRegister, listsEveryLineWithItsCostAndTheTotalBelowAnEmptyRow) {
    setTemplateDirectory(QCoreApplication::applicationDirPath());
    Workbook book = Workbook::fromTemplate(templatePath(QStringLiteral("dreestr.xls")));
    auto treated = [](const char* surname, const char* referral, const char* total, const char* price) {
        TreatedLine l;
        l.surname = QString::fromUtf8(surname);
        l.firstName = QStringLiteral("Иван");
        l.patronymic = QStringLiteral("Иванович");
        l.referral = QString::fromUtf8(referral);
        l.referralDate = l.referral.isEmpty() ? QString() : QStringLiteral("01.02.2026");
        l.date = QStringLiteral("05.02.2026");
        l.symbol = QStringLiteral("П");
        l.code = QStringLiteral("A01");
        l.service = QStringLiteral("=Прием"); // a typed text never becomes a formula
        l.price = QString::fromUtf8(price);
        l.totalQuantity = QString::fromUtf8(total);
        l.doctor = QStringLiteral("Петров");
        l.nurse = QStringLiteral("Сидорова");
        return l;
    };
    fillTreatedRegister(book.sheet(1),
                        {treated("Антонов", "7", "2", "0.1"), treated("Борисов", "", "1", "1250.50"),
                         treated("Д'Артаньян", "8", "3", "799.99")});
    expectCells(book.sheet(1),
                {
                    {"A3", "1"},
                    {"B3", "Антонов"},
                    {"F3", "7 01.02.2026"},
                    {"H3", "05.02.2026"},
                    {"I3", "П A01"},
                    {"K3", "0.1"},
                    {"L3", "2"},
                    {"M3", "0.2"},
                    {"N3", "Петров"},
                    {"O3", "Сидорова"},
                    {"A4", "2"},
                    {"F4", " "},
                    {"A5", "3"},
                    {"B5", "Д'Артаньян"},
                    {"M5", "2399.97"},
                    {"A6", ""},
                    {"B7", "ИТОГО:"},
                    {"M7", "=SUM(M3:M6)"},
                },
                "sheet 1");
    EXPECT_EQ(book.sheet(1).cellFormula(3, 10), QString());
    EXPECT_EQ(book.sheet(1).cellValue(3, 10), QStringLiteral("=Прием"));

    Workbook empty = Workbook::fromTemplate(templatePath(QStringLiteral("dreestr.xls")));
    fillTreatedRegister(empty.sheet(1), {});
    expectCells(empty.sheet(1), {{"B4", "ИТОГО:"}, {"M4", "=SUM(M3:M3)"}}, "empty sheet 1");
}

TEST(BillQueries, valuesAreQuotedAndTheGroupsOrderedExplicitly) {
    BillSelection s{QStringLiteral("ООО \"Д'Артаньян\""), QStringLiteral("01.02.2026"),
                    QStringLiteral("28.02.2026"), std::nullopt, std::nullopt};
    const QString detail = billDetailQuery(s);
    EXPECT_TRUE(detail.contains(QStringLiteral("organis='ООО \"Д''Артаньян\"'"))) << detail.toStdString();
    EXPECT_TRUE(
        detail.contains(QStringLiteral(" order by fam,nam,oth, name,data_usl,kol,summa,organis,kod,")));
    EXPECT_FALSE(detail.contains(QStringLiteral("dataisp")));
    EXPECT_FALSE(detail.contains(QStringLiteral("fam =")));
    s.correctionDate = QStringLiteral("03.02.2026");
    s.surname = QStringLiteral("О'Нил");
    const QString waybill = billWaybillQuery(s);
    EXPECT_TRUE(
        waybill.endsWith(QStringLiteral(" and dataisp ='03.02.2026' and fam ='О''Нил' group by name,summa "
                                        "order by name,summa")))
        << waybill.toStdString();
}

} // namespace
} // namespace zorvel
