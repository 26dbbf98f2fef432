// The combined table over a real register, with its visible fields and field filters, the title-click
// sort and the copy read back from the workbook.

#include "tests/support/workstation_fixture.h"

#include "consumables/combined_table_window.h"
#include "consumables/field_filter_window.h"
#include "consumables/visible_fields_window.h"
#include "data/dataset.h"
#include "spreadsheet/workbook.h"
#include "widgets/data_grid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

namespace zorvel::test {
namespace {

QString service(const char* surname, const char* date, const char* price, int quantity,
                const char* contract) {
    return QStringLiteral(
               "insert into people (fam, nam, oth, data_usl, time_us, kodgvv, name, summa, kol, ndog, "
               "tip_pom) values ('%1', 'Иван', 'Ильич', '%2', '10:00:00', '29', 'Прием', '%3', %4, "
               "'%5', 'Поликлиника')")
        .arg(QString(QString::fromUtf8(surname)).replace("'", "''"), date, price)
        .arg(quantity)
        .arg(contract);
}

class CombinedTableTest : public WorkstationTest {
protected:
    void SetUp() override {
        WorkstationTest::SetUp();
        prepare({service("Иванов", "01.03.2026", "500", 1, "1"),
                 service("Иванов", "01.03.2026", "500", 1, "1"),
                 service("Д'Артаньян", "02.03.2026", "700", 2, "2"),
                 service("Петров", "15.03.2026", "300", 3, "3"),
                 service("Сидоров", "01.04.2026", "900", 1, "4")});
        start(true);
    }
    CombinedTableWindow* table() { return static_cast<CombinedTableWindow*>(app().window(14)); }
    QLineEdit* date(const char* name) { return find<QLineEdit>(name, 14); }
    void choosePeriod(const char* from, const char* to) {
        date("sDateEdit1")->setText(from);
        date("sDateEdit2")->setText(to);
    }
    QStringList titles() {
        QStringList list;
        QAbstractItemModel* model = find<DataGrid>("DBGrid1", 14)->model();
        for (int c = 0; c < model->columnCount(); ++c)
            list << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return list;
    }
    // Column `column` of every row, in the table's order.
    QStringList column(int column) {
        DataSet& rows = table()->dataSet();
        rows.fetchAll();
        QStringList values;
        for (int r = 0; r < rows.fetchedCount(); ++r)
            values << rows.text(r, column);
        return values;
    }
    void tick(int window, std::initializer_list<const char*> boxes) {
        for (const char* b : boxes)
            find<QCheckBox>(b, window)->setChecked(true);
    }
};

TEST_F(CombinedTableTest, thePeriodBuildsTheDefaultStatementOnceBothDatesAreWhole) {
    find<QAction>("N11")->trigger();
    EXPECT_TRUE(table()->isVisible());
    date("sDateEdit1")->setText("01.03.2026");
    date("sDateEdit2")->setText("31.03");
    EXPECT_FALSE(table()->dataSet().isOpen());
    date("sDateEdit2")->setText("31.03.2026");
    ASSERT_TRUE(table()->dataSet().isOpen());
    const QString expected =
        "select fam,nam,oth,SERIA,NOMER,VIDAN,ADRESS,NDOG,TIP_POM,OTDELENIE,FIOV,MEDSESTR,TEHN,DATNAR,NOMNAR,"
        "DATA_USL,TIME_US,DATAISP,KODGVV,KOD,SIMV,KOL,NAME,SUMMA,PROVER,CHOPL from people where  "
        "cast(data_usl as "
        "date)>='01.03.2026' and  cast(data_usl as date)<='31.03.2026' group by "
        "fam,nam,oth,SERIA,NOMER,VIDAN,"
        "ADRESS,NDOG,TIP_POM,OTDELENIE,FIOV,MEDSESTR,TEHN,DATNAR,NOMNAR,DATA_USL,TIME_US,DATAISP,KODGVV,KOD,"
        "SIMV,"
        "KOL,NAME,SUMMA,PROVER,CHOPL";
    EXPECT_EQ(table()->statement(), expected);
    EXPECT_TRUE(find<QLineEdit>("Edit1", 14)->isHidden());
    EXPECT_EQ(titles(), (QStringList{"Фамилия",
                                     "Имя",
                                     "Отчество",
                                     "Серия",
                                     "№",
                                     "Кем выдан",
                                     "Адрес",
                                     "№ договора",
                                     "Вид помощи",
                                     "Отделение",
                                     "Доктор",
                                     "Медсестра",
                                     "Техник",
                                     "Дата наряда",
                                     "№ наряда",
                                     "Дата услуги",
                                     "Время оплаты услуги",
                                     "Дата исправления",
                                     "№ услуги",
                                     "Код",
                                     "Д/м",
                                     "Количество",
                                     "Наименование услуги",
                                     "Сумма",
                                     "Проверен",
                                     "Сколько оплачено"}));
    // Two identical services are one row; the April one is outside the period.
    EXPECT_EQ(column(0), (QStringList{"Д'Артаньян", "Иванов", "Петров"}));

    // A date typed only in part leaves the table as it was.
    date("sDateEdit2")->setText("15.0");
    EXPECT_EQ(table()->statement(), expected);
    EXPECT_EQ(column(0).size(), 3);
    date("sDateEdit2")->setText("01.03.2026");
    EXPECT_EQ(column(0), (QStringList{"Иванов"}));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(CombinedTableTest, theCompanionsChooseColumnsAndValuesAndAnApostropheMatchesExactly) {
    choosePeriod("01.03.2026", "31.03.2026");
    tick(15, {"sCB1", "sCB24"});
    find<QPushButton>("sBitBtn1", 15)->click();
    EXPECT_EQ(find<QLineEdit>("Edit2", 15)->text(),
              "select fam, SUMMA, cast(summa as numeric (7,2))*sum(kol), sum(kol) from people");
    EXPECT_EQ(find<QLineEdit>("Edit1", 15)->text(), "group by fam, SUMMA");
    // The money total keeps the name the data layer gives it (the server names the expression itself).
    const QString total = table()->dataSet().fields()[2].name;
    EXPECT_EQ(titles(), (QStringList{"Фамилия", "Сумма", total, "Сумма"}));
    EXPECT_EQ(column(0), (QStringList{"Д'Артаньян", "Иванов", "Петров"}));
    EXPECT_EQ(column(2), (QStringList{"1400.00", "1000.00", "900.00"}));
    EXPECT_EQ(column(3), (QStringList{"2", "2", "3"}));

    tick(16, {"sCB1"});
    find<QComboBox>("sComboBox1", 16)->setEditText("Д'Артаньян");
    find<QPushButton>("sBitBtn1", 16)->click();
    EXPECT_EQ(find<QLineEdit>("Edit1", 16)->text(), "where fam='Д''Артаньян'");
    EXPECT_EQ(column(0), QStringList{"Д'Артаньян"});
    EXPECT_EQ(column(2), QStringList{"1400.00"});

    // Unticked, the value stays for later but drops out of the condition.
    find<QCheckBox>("sCB1", 16)->setChecked(false);
    find<QPushButton>("sBitBtn1", 16)->click();
    EXPECT_EQ(find<QLineEdit>("Edit1", 16)->text(), "");
    EXPECT_EQ(column(0).size(), 3);
    EXPECT_EQ(find<QComboBox>("sComboBox1", 16)->currentText(), "Д'Артаньян");
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(CombinedTableTest, aStatementTheServerRefusesIsShownAndTheLastResultStays) {
    choosePeriod("01.03.2026", "31.03.2026");
    // No box ticked: a group clause with nothing after it.
    find<QPushButton>("sBitBtn1", 15)->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Ошибка");
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
    EXPECT_FALSE(find<QLineEdit>("Edit1", 14)->isHidden());
    EXPECT_TRUE(table()->statement().endsWith("group by "));
    EXPECT_EQ(titles().size(), 26);
    EXPECT_EQ(column(0), (QStringList{"Д'Артаньян", "Иванов", "Петров"}));
}

TEST_F(CombinedTableTest, aTitleClickSortsTheUnsortedStatementOnlyOnce) {
    choosePeriod("01.03.2026", "31.03.2026");
    const QString base = table()->statement() + "\n";
    QHeaderView* header = find<DataGrid>("DBGrid1", 14)->horizontalHeader();
    emit header->sectionClicked(15); // Дата услуги
    EXPECT_EQ(table()->dataSet().selectSql(), base + "order by DATA_USL");
    EXPECT_EQ(column(0), (QStringList{"Иванов", "Д'Артаньян", "Петров"}));
    emit header->sectionClicked(21); // Количество
    EXPECT_EQ(table()->baseQueryText(), base);
    EXPECT_EQ(table()->dataSet().selectSql(), base + "order by KOL");
    EXPECT_EQ(titles()[21], "Количество");

    // A computed column is sorted by its place.
    tick(15, {"sCB1", "sCB24"});
    find<QPushButton>("sBitBtn1", 15)->click();
    emit header->sectionClicked(2);
    EXPECT_EQ(table()->dataSet().selectSql(), table()->statement() + "\norder by 3");
    EXPECT_EQ(column(2), (QStringList{"900.00", "1000.00", "1400.00"}));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
}

TEST_F(CombinedTableTest, theCopyWritesTheTitlesAndEveryRow) {
    choosePeriod("01.03.2026", "31.03.2026");
    tick(15, {"sCB1", "sCB8", "sCB24"});
    find<QPushButton>("sBitBtn1", 15)->click();
    find<QAction>("excel1", 14)->trigger();
    ASSERT_TRUE(messages.shown.empty()) << messages.texts().join('\n').toStdString();
    ASSERT_EQ(spreadsheets.started(), QStringList{"comb"});
    Workbook book = spreadsheets.lastShown();
    const Worksheet& sheet = book.sheet(1);
    const QString total = table()->dataSet().fields()[3].name;
    const QStringList expected[] = {{"Фамилия", "№ договора", "Сумма", total, "Сумма"},
                                    {"Д'Артаньян", "2", "700", "1400", "2"},
                                    {"Иванов", "1", "500", "1000", "2"},
                                    {"Петров", "3", "300", "900", "3"},
                                    {"", "", "", "", ""}};
    for (int r = 0; r < 5; ++r) {
        QStringList cells;
        for (int c = 1; c <= 5; ++c)
            cells << sheet.cellText(r + 1, c);
        EXPECT_EQ(cells, expected[r]) << "row " << r + 1;
    }
    // The money total is the number itself, not a formula or a text with its decimals.
    EXPECT_EQ(sheet.cellFormula(2, 4), "");
    EXPECT_EQ(sheet.cellValue(2, 4), "1400");

    // An empty result gives the title row alone.
    choosePeriod("01.01.2020", "31.01.2020");
    find<QAction>("excel1", 14)->trigger();
    Workbook empty = spreadsheets.lastShown();
    EXPECT_EQ(empty.sheet(1).cellText(1, 1), "Фамилия");
    EXPECT_EQ(empty.sheet(1).usedRowCount(), 1);
}

} // namespace
} // namespace zorvel::test
