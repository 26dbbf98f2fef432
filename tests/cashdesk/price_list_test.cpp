// The price list's import from a workbook and its clearing, through the administrator's menu entries, and
// the hidden lens-cost tab's save.

#include "tests/support/workstation_fixture.h"

#include "app/main_window.h"
#include "cashdesk/lens_cost_tab.h"
#include "cashdesk/price_list.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "spreadsheet/workbook.h"
#include "workstation/workstation.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

namespace zorvel::test {
namespace {

struct PriceRow {
    QString simv, kod, name, summa, kodgvv;
    bool operator==(const PriceRow&) const = default;
};

void PrintTo(const PriceRow& r, std::ostream* os) {
    *os << '{' << r.simv.toStdString() << '|' << r.kod.toStdString() << '|' << r.name.toStdString() << '|'
        << r.summa.toStdString() << '|' << r.kodgvv.toStdString() << '}';
}

class PriceListTest : public WorkstationTest {
protected:
    void SetUp() override {
        WorkstationTest::SetUp();
        prepare(
            {"insert into prais (simv, kod, name, summa, kodgvv) values ('П', 'A01', 'Прием', '500', '29')"});
    }

    // The price list as another workstation sees it (committed rows only), in key order.
    std::vector<PriceRow> committedPrices() {
        std::vector<PriceRow> result;
        for (const QString& row :
             committedRows(databasePath(),
                           QStringLiteral("select simv, kod, name, summa, kodgvv from prais order by idp"))) {
            // An empty text is stored as NULL, and the price list shows it empty.
            QStringList values = row.split(u'|');
            for (QString& v : values)
                if (v == QLatin1String("<NULL>"))
                    v.clear();
            result.push_back(
                {values.value(0), values.value(1), values.value(2), values.value(3), values.value(4)});
        }
        return result;
    }

    QString saveWorkbook(Workbook& book, const QString& name) {
        const QString path = QDir(folder()).filePath(name);
        book.saveAs(path);
        return path;
    }

    const PriceRow existing{"П", "A01", "Прием", "500", "29"};
};

TEST_F(PriceListTest, importsEveryRowAsShownFromTheFirstRowInOneCommitThroughTheAdministratorsEntry) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    // A heading row is a price row like the others; columns D to F are not read.
    const QStringList heading{"Д", "Код", "Услуга", "x", "y", "z", "Сумма", "№"};
    for (int c = 0; c < heading.size(); ++c)
        sheet.setCell(1, c + 1, heading[c]);
    sheet.setCell(2, 1, "Г");
    sheet.setCell(2, 2, "B03.001");
    sheet.setText(2, 3, "Операция 'Фако'");
    sheet.setNumber(2, 7, 1234.5);
    sheet.range("G2").setNumberFormat("#,##0.00");
    sheet.setCell(2, 8, "301");
    const QString path = saveWorkbook(book, "прайс.xlsx");

    start(true);
    files.path = path;
    auto* pb1 = find<QProgressBar>("pb1");
    int highest = 0;
    QObject::connect(pb1, &QProgressBar::valueChanged, [&](int v) { highest = std::max(highest, v); });
    find<QAction>("excel1")->trigger();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    EXPECT_EQ(files.asked, 1);
    EXPECT_EQ(highest, 2);
    EXPECT_EQ(pb1->value(), 0);
    // Committed: another workstation sees the rows at once; the price list shows them.
    EXPECT_EQ(committedPrices(),
              (std::vector<PriceRow>{existing,
                                     {"Д", "Код", "Услуга", "Сумма", "№"},
                                     {"Г", "B03.001", "Операция 'Фако'", "1,234.50", "301"}}));
    EXPECT_EQ(app().workstation().prices().recordCount(), 3);
}

TEST_F(PriceListTest, aUsedRangeBelowRowOneIsReadFromRowOneForAsManyRows) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    for (int r = 3; r <= 5; ++r)
        sheet.setCell(r, 8, QString::number(r));
    start(true);
    ASSERT_EQ(importPriceList(app().workstation(), book), 3);
    const std::vector<PriceRow> rows = committedPrices();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1], PriceRow{});
    EXPECT_EQ(rows[2], PriceRow{});
    EXPECT_EQ(rows[3].kodgvv, "3");
}

TEST_F(PriceListTest, aRowTheDatabaseRefusesLeavesThePriceListAsItWasAndIsNamed) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    sheet.setCell(1, 1, "А");
    sheet.setCell(2, 1, "Б");
    sheet.setCell(3, 1, "Слишком длинный символ");
    sheet.setCell(4, 1, "В");
    start(true);
    std::vector<std::pair<int, int>> progress;
    EXPECT_EQ(importPriceList(app().workstation(), book,
                              [&](int v, int m) {
                                  progress.push_back({v, m});
                              }),
              -1);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Ошибка");
    EXPECT_TRUE(messages.shown[0].text.startsWith("Прайс не загружен: строка 3 файла не принята."))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(progress.back(), std::make_pair(0, 4));
    // Nothing of the file, not even rows 1 and 2, in this transaction or after the next commit.
    EXPECT_EQ(app().workstation().prices().recordCount(), 1);
    app().workstation().commit();
    EXPECT_EQ(committedPrices(), std::vector<PriceRow>{existing});
}

TEST_F(PriceListTest, anUnreadableFileOrACancelledChoiceImportsNothing) {
    start(true);
    files.path.clear();
    find<QAction>("excel1")->trigger();
    EXPECT_TRUE(messages.shown.empty());

    QFile broken(QDir(folder()).filePath("broken.xlsx"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a workbook");
    broken.close();
    files.path = broken.fileName();
    find<QAction>("excel1")->trigger();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(find<QProgressBar>("pb1")->value(), 0);
    EXPECT_EQ(committedPrices(), std::vector<PriceRow>{existing});
}

TEST_F(PriceListTest, moreRowsThanSixteenBitsCount) {
    Workbook book = Workbook::blank();
    Worksheet& sheet = book.sheet(1);
    const int rows = 65537;
    for (int r = 1; r <= rows; ++r)
        sheet.setCell(r, 8, QString::number(r % 100000));
    start(true);
    EXPECT_EQ(importPriceList(app().workstation(), book), rows);
    EXPECT_EQ(app().workstation().prices().recordCount(), rows + 1);
}

TEST_F(PriceListTest, clearingAsksFirstAndIsCommittedAtOnceTwiceOver) {
    start(true);
    questions.script = {1}; // "Нет"
    find<QAction>("N3")->trigger();
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0].answers, (QStringList{"Да", "Нет"}));
    EXPECT_EQ(questions.asked[0].defaultAnswer, 1);
    EXPECT_EQ(committedPrices(), std::vector<PriceRow>{existing});

    questions.script = {0, 0};
    for (int time = 0; time < 2; ++time) {
        find<QAction>("N3")->trigger();
        EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
        EXPECT_TRUE(committedPrices().empty());
        DataSet& prices = app().workstation().prices();
        EXPECT_TRUE(prices.isOpen());
        EXPECT_EQ(prices.recordCount(), 0);
    }
    EXPECT_EQ(questions.asked.size(), 3u);
}

TEST_F(PriceListTest, theLensCostTabSavesOneServiceWithTheEntryClockAndCancelsARefusedOne) {
    start();
    auto* tab = app().window(1)->findChild<LensCostTab*>();
    ASSERT_NE(tab, nullptr);
    find<QLineEdit>("sEdit17")->setText("Д'Артаньян");
    find<QLineEdit>("sEdit14")->setText("12000");
    find<QLineEdit>("sEdit19")->setText("1.5");
    find<QComboBox>("sComboBox1")->setCurrentIndex(1);
    DataSet& people = app().workstation().serviceRegister();
    EXPECT_FALSE(tab->save());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(people.state(), DataSet::State::Browse);
    EXPECT_EQ(people.recordCount(), 0);

    find<QLineEdit>("sEdit19")->setText("2");
    ASSERT_TRUE(tab->save());
    ASSERT_EQ(people.recordCount(), 1);
    EXPECT_EQ(people.fieldText("FAM"), "Д'Артаньян");
    EXPECT_EQ(people.fieldText("NAME"), "LX 10BD");
    EXPECT_EQ(people.fieldText("SUMMA"), "12000");
    EXPECT_EQ(people.fieldText("KOL"), "2");
    EXPECT_EQ(people.fieldText("DATA_USL"), "05.03.2026");
    EXPECT_EQ(people.fieldText("TIME_US"), "09:07:03");
    EXPECT_EQ(people.fieldText("TIP_POM"), "Поликлиника");
    // Nothing else is written.
    EXPECT_EQ(people.fieldText("CHOPL"), "");
    EXPECT_EQ(people.fieldText("PROVER"), "");
}

} // namespace
} // namespace zorvel::test
