// The invoicing window through its real buttons, on a real register: the five documents read back, and
// LibreOffice computing their formulas, which must come to the program's own total on every sheet.
#include "tests/clients/clients_fixture.h"
#include "tests/support/libre_office_sheet.h"

#include "data/connection.h"
#include "data/filter.h"
#include "spreadsheet/cell_reference.h"
#include "spreadsheet/libre_office.h"
#include "spreadsheet/workbook.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

namespace zorvel::test {
namespace {

const QString kPayer = QStringLiteral("ООО \"Д'Артаньян и партнеры\"");

QString lineRow(const QString& fam, const QString& nam, const QString& organisation, const QString& date,
                const QString& service, const QString& price, int quantity,
                const QString& doctor = "Петров П.П.") {
    return QStringLiteral(
               "insert into peoplecbux (ipeop, fam, nam, oth, kod, name, data_usl, summa, kol, fiov, "
               "medsestr, ndog, nomnapr, datnapr, organis, time_us, simv, dataisp) values (null, %1, "
               "%2, 'Иванович', 'A01', %3, %4, %5, %6, %7, 'Сидорова', '5', '17', '01.02.2026', %8, "
               "'10:00:00', 'П', '01.02.2026')")
        .arg(quotedValue(fam), quotedValue(nam), quotedValue(service), quotedValue(date), quotedValue(price))
        .arg(quantity)
        .arg(doctor.isEmpty() ? QStringLiteral("null") : quotedValue(doctor), quotedValue(organisation));
}

class InvoiceWindowTest : public ClientsTest {
protected:
    QStringList registerRows() const override {
        return {
            lineRow("Иванов", "Иван", kPayer, "05.02.2026", "Прием терапевта", "450", 1),
            lineRow("Иванов", "Иван", kPayer, "05.02.2026", "Прием терапевта", "450", 1), // the same again
            lineRow("Иванов", "Иван", kPayer, "06.02.2026", "Рентгенография", "1250.50", 2),
            lineRow("О'Нил", "Патрик", kPayer, "28.02.2026", "Прием терапевта", "450", 1, ""),
            lineRow("Сидоров", "Сидор", "Завод", "10.02.2026", "Прием терапевта", "450", 1),
            lineRow("Иванов", "Иван", kPayer, "01.03.2026", "Прием терапевта", "450", 5),
            // Saved with a service number the price list did not know: no price.
            lineRow("Кузнецов", "Кузьма", "Завод", "12.02.2026", "Осмотр", "", 1),
            QStringLiteral("update peoplecbux set summa = null where fam = 'Кузнецов'"),
        };
    }
    void SetUp() override {
        ClientsTest::SetUp();
        ASSERT_TRUE(activateWindow(app().window(11)));
        field("sDateEdit1", 11)->setText("01.02.2026");
        field("sDateEdit2", 11)->setText("28.02.2026");
        combo("sComboBox1", 11)->setCurrentText(kPayer);
        field("sEdit6", 11)->setText("12");
        field("sEdit7", 11)->setText("34");
        field("sEdit1", 11)->setText("56");
    }
};

double valueOf(const Worksheet& sheet, int row, const char* column) {
    return sheet.cellValue(row, columnNumber(QString::fromLatin1(column))).toDouble();
}

TEST_F(InvoiceWindowTest, oneClickFillsFiveSheetsWhoseComputedTotalsAllEqualTheBill) {
    // The contract clients' window opens this one.
    app().window(11)->hide();
    click("sBitBtn2");
    ASSERT_TRUE(app().window(11)->isVisible());

    click("sBitBtn2", 11);
    ASSERT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    ASSERT_EQ(spreadsheets.shown().size(), 1);
    EXPECT_EQ(spreadsheets.started(), QStringList{QStringLiteral("schet.xls")});
    Workbook book = spreadsheets.lastShown();
    ASSERT_EQ(book.sheetCount(), 5);
    // 450 × 2 (the identical lines counted twice) + 1250.50 × 2 + 450 = 3851.
    EXPECT_EQ(book.sheet(1).cellValue(11, 11), QStringLiteral("3851"));
    EXPECT_EQ(book.sheet(1).cellValue(25, 2),
              QStringLiteral("Три тысячи восемьсот пятьдесят один рубль 00 копеек."));
    EXPECT_EQ(book.sheet(1).cellValue(12, 2), QStringLiteral("Плательщик: ") + kPayer);
    EXPECT_EQ(book.sheet(2).cellValue(30, 1),
              QStringLiteral("Всего к оплате:Три тысячи восемьсот пятьдесят один рубль 00 копеек."));
    // Waybill: one line per service and price, quantities of every line.
    const Worksheet& waybill = book.sheet(3);
    EXPECT_EQ(waybill.cellValue(18, 1), QStringLiteral("Прием терапевта"));
    EXPECT_EQ(waybill.cellValue(18, 2), QStringLiteral("3"));
    EXPECT_EQ(waybill.cellValue(19, 1), QStringLiteral("Рентгенография"));
    EXPECT_EQ(waybill.cellFormula(21, 4), QStringLiteral("=SUM(D18:D20)"));
    // Register appendix: the identical lines once, with their quantities together; O'Нил without a doctor.
    const Worksheet& appendix = book.sheet(5);
    EXPECT_EQ(appendix.cellValue(4, 4), QStringLiteral("Реестр учета пролеченных долностных лиц ") + kPayer);
    EXPECT_EQ(appendix.cellValue(7, 2), QStringLiteral("Иванов Иван Иванович"));
    EXPECT_EQ(appendix.cellValue(7, 10), QStringLiteral("2"));
    EXPECT_EQ(appendix.cellValue(9, 2), QStringLiteral("ИТОГО:"));
    EXPECT_EQ(appendix.cellValue(10, 1), QStringLiteral("2"));
    EXPECT_EQ(appendix.cellValue(10, 12), QStringLiteral("м/с Сидорова"));
    EXPECT_EQ(appendix.cellFormula(12, 11), QStringLiteral("=K9+K11"));
    EXPECT_EQ(book.sheet(4).pageBreaks(), (QList<int>{26, 51}));

    if (!haveLibreOffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    QTemporaryDir computed;
    // The computed values, read back as LibreOffice saved them, whatever the machine's locale.
    const PinnedLocale locale;
    Workbook lo = Workbook::open(LibreOffice::convert(spreadsheets.shown().last(), "xlsx", computed.path()));
    EXPECT_DOUBLE_EQ(valueOf(lo.sheet(1), 20, "k"), 3851);
    EXPECT_DOUBLE_EQ(valueOf(lo.sheet(1), 23, "k"), 3851); // the template's "Всего к оплате"
    EXPECT_DOUBLE_EQ(valueOf(lo.sheet(2), 28, "i"), 3851);
    EXPECT_DOUBLE_EQ(valueOf(lo.sheet(3), 21, "d"), 3851);
    EXPECT_DOUBLE_EQ(valueOf(lo.sheet(5), 12, "k"), 3851);
    double acts = 0;
    for (int row = 1; row <= lo.sheet(4).usedRowCount(); ++row)
        if (lo.sheet(4).cellValue(row, 1) == QStringLiteral("ИТОГО:"))
            acts += valueOf(lo.sheet(4), row, "e");
    EXPECT_DOUBLE_EQ(acts, 3851);
}

TEST_F(InvoiceWindowTest, theNarrowingsAreQuotedAndAnEmptySelectionIsReported) {
    click("sCheckBox2", 11); // "Фамилия": the surname field shows
    field("sEdit14", 11)->setText("О'Нил");
    click("sBitBtn2", 11);
    ASSERT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    Workbook book = spreadsheets.lastShown();
    EXPECT_EQ(book.sheet(1).cellValue(11, 11), QStringLiteral("450"));
    EXPECT_EQ(book.sheet(5).cellValue(7, 2), QStringLiteral("О'Нил Патрик Иванович"));

    // A correction date that no line has: nothing found, nothing started.
    click("sCheckBox1", 11);
    field("sDateEdit3", 11)->setText("02.02.2026");
    click("sBitBtn2", 11);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Не найдено не одной записи"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Уведомление"));
    EXPECT_EQ(spreadsheets.started().size(), 1);

    // The template cannot be started.
    messages.shown.clear();
    click("sCheckBox1", 11);
    click("sCheckBox2", 11);
    spreadsheets.failStart();
    click("sBitBtn2", 11);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Невозможно вывести в Excel "));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
}

TEST_F(InvoiceWindowTest, theTreatedRegisterListsEveryOrganisationOfThePeriod) {
    click("sBitBtn3", 11);
    ASSERT_TRUE(messages.shown.empty()) << texts().join('\n').toStdString();
    EXPECT_EQ(spreadsheets.started().last(), QStringLiteral("dreestr.xls"));
    const Workbook book = spreadsheets.lastShown();
    const Worksheet& sheet = book.sheet(1);
    // Иванов (two lines, the identical ones as one of quantity 2 costing 900), Кузнецов without a price,
    // О'Нил, Сидоров of "Завод": (surname, K, L, M).
    const char* rows[][4] = {{"Иванов", "450", "2", "900"},
                             {"Иванов", "1250.5", "2", "2501"},
                             {"Кузнецов", "", "1", ""},
                             {"О'Нил", "450", "1", "450"},
                             {"Сидоров", "450", "1", "450"}};
    for (int i = 0; i < 5; ++i) {
        QStringList cells;
        for (int column : {2, 11, 12, 13})
            cells << sheet.cellValue(3 + i, column);
        EXPECT_EQ(cells.join('|').toStdString(),
                  QStringList({QString::fromUtf8(rows[i][0]), rows[i][1], rows[i][2], rows[i][3]})
                      .join('|')
                      .toStdString());
        // L × K = M wherever there is a price.
        if (!sheet.cellValue(3 + i, 11).isEmpty()) {
            EXPECT_DOUBLE_EQ(valueOf(sheet, 3 + i, "l") * valueOf(sheet, 3 + i, "k"),
                             valueOf(sheet, 3 + i, "m"));
        }
    }
    EXPECT_EQ(sheet.cellValue(8, 2), QString());
    EXPECT_EQ(sheet.cellValue(9, 2), QStringLiteral("ИТОГО:"));
    EXPECT_EQ(sheet.cellFormula(9, 13), QStringLiteral("=SUM(M3:M8)"));

    // A price that is not a number stops the register at its line, which the message names.
    Connection other;
    other.connect(databasePath());
    other.startTransaction();
    other.executeImmediate(QStringLiteral("update peoplecbux set summa = '45О' where fam = 'О''Нил'"));
    other.commit();
    const int shown = spreadsheets.shown().size();
    click("sBitBtn3", 11);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Неверный формат числа \"45О\" в строке: О'Нил Патрик Иванович, 28.02.2026, "
                             "Прием терапевта"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(spreadsheets.shown().size(), shown);
}

} // namespace
} // namespace zorvel::test
