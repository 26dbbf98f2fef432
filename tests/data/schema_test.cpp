#include "tests/data/database_fixture.h"

#include "data/dataset.h"
#include "data/tables.h"

namespace zorvel::test {
namespace {

using SchemaTest = DatabaseTest;

// The fixed statements are built from the table descriptions; the database must agree with them
// column by column, in order and width.
TEST_F(SchemaTest, tablesHaveTheDescribedColumnsInOrderAndWidth) {
    for (const TableDescription* table : allTables()) {
        DataSet columns(connection(), QStringLiteral("columns"));
        columns.replaceSelect(
            QStringLiteral(
                "select trim(rf.rdb$field_name), f.rdb$character_length, f.rdb$field_type "
                "from rdb$relation_fields rf join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
                "where rf.rdb$relation_name = '%1' order by rf.rdb$field_position")
                .arg(table->table));
        size_t i = 0;
        for (columns.first(); !columns.atEnd(); columns.next(), ++i) {
            ASSERT_LT(i, table->columns.size()) << table->table.toStdString();
            const ColumnDescription& c = table->columns[i];
            EXPECT_EQ(columns.text(columns.currentRow(), 0), c.name) << table->table.toStdString();
            if (c.type == ColumnType::Text)
                EXPECT_EQ(columns.text(columns.currentRow(), 1).toInt(), c.width) << c.name.toStdString();
            else
                EXPECT_EQ(columns.text(columns.currentRow(), 2), QStringLiteral("8")) << c.name.toStdString();
        }
        EXPECT_EQ(i, table->columns.size()) << table->table.toStdString();
    }
    EXPECT_EQ(peopleTable().columns.size(), 28u);
    EXPECT_EQ(peopleCbuxTable().columns.size(), 32u);
    EXPECT_EQ(peopleVTable().columns.size(), 27u);
}

TEST_F(SchemaTest, everyTableAssignsAFreshKeyWhenTheInsertLeavesItNull) {
    for (const TableDescription* table : allTables()) {
        DataSet data(connection(), *table);
        data.open();
        QStringList keys;
        for (int i = 0; i < 2; ++i) {
            data.insert();
            data.setFieldText(table->columns[1].name, QStringLiteral("1"));
            data.post();
            keys << data.fieldText(table->key);
        }
        EXPECT_FALSE(keys[0].isEmpty()) << table->table.toStdString();
        EXPECT_NE(keys[0], keys[1]) << table->table.toStdString();
        data.close();
        data.open();
        EXPECT_EQ(data.recordCount(), 2) << table->table.toStdString();
    }
}

TEST_F(SchemaTest, procedureAndRelationColumnsAreTheOnesTheReportsRead) {
    connection().executeImmediate(
        QStringLiteral("insert into people (ipeop, fam, nam, oth, ndog, kodgvv, summa, kol, chopl, data_usl, "
                       "dataisp, tip_pom, "
                       "otdelenie, name) values (null, 'Петров', 'Иван', 'Ильич', '7', '973', '150', 2, "
                       "'100', '03.02.2026', "
                       "'05.02.2026', 'Стационар', 'Офтальмологический кабинет общий (врач)', 'Линза')"));
    connection().executeImmediate(QStringLiteral("insert into prihod (idp, datap, name, summa, kol, kod) "
                                                 "values (null, '01.01.2026', 'Линза', '9500', 10, '973')"));

    struct Case {
        QString sql;
        QStringList columns;
        QStringList firstRow;
    } cases[] = {
        {QStringLiteral(
             "select kod1,name1,summ1,sum(kolo)  from klinz('10.12.2026')  group by kod1,name1,summ1"),
         {"KOD1", "NAME1", "SUMM1", "SUM"},
         {"973", "Линза", "9500", "8"}},
        {QStringLiteral("select kod1,name1,nkol,rkol,summ1,kolo from klinz('10.12.2026')"),
         {"KOD1", "NAME1", "NKOL", "RKOL", "SUMM1", "KOLO"},
         {"973", "Линза", "10", "2", "9500", "8"}},
        {QStringLiteral(
             "select dndog,dfam,cast(dchopl as numeric(7,2)) as f_1,cast(DSUMDOG as numeric(7,2)) as f_2,"
             "cast (DOST as numeric(7,2)) as f_3,DDATAISP from dolg where  dost<>0"),
         {"DNDOG", "DFAM", "F_1", "F_2", "F_3", "DDATAISP"},
         {"7", "Петров", "100.00", "300.00", "200.00", "05.02.2026"}},
        {QStringLiteral("select sum( cast(summa as numeric (7,2))  *kol )  from people"),
         {"SUM"},
         {"300.00"}},
        {QStringLiteral(
             "select fio, ndog1, otd_name, datU, sum(linz), sum(oper), sum(summadog), sum(anst), sum(koik) "
             "from econom('01.02.2026','28.02.2026') group by fio, ndog1, otd_name, datU"),
         {"FIO", "NDOG1", "OTD_NAME", "DATU", "SUM", "SUM1", "SUM2", "SUM3", "SUM4"},
         {"Петров Иван Ильич", "7", "Офтальмологический кабинет общий (врач)", "03.02.2026", "300.00", "0.00",
          "300.00", "0.00", "0.00"}},
        {QStringLiteral("select datu,ndog1,fio,doctor,medses,sum(summadog),sum(zarpl),sum(dmed),sum(ddoc) "
                        "from econom_oft('01.02.2026','28.02.2026') group by datu,ndog1,fio,doctor,medses"),
         {"DATU", "NDOG1", "FIO", "DOCTOR", "MEDSES", "SUM", "SUM1", "SUM2", "SUM3"},
         {"03.02.2026", "7", "Петров Иван Ильич", "", "", "300.00", "90.00", "90.00", "0.00"}},
    };
    for (const Case& c : cases) {
        DataSet result(connection(), QStringLiteral("report"));
        result.replaceSelect(c.sql);
        QStringList names, values;
        for (const auto& f : result.fields())
            names << f.name;
        EXPECT_EQ(names, c.columns) << c.sql.toStdString();
        ASSERT_FALSE(result.atEnd()) << c.sql.toStdString();
        for (int i = 0; i < static_cast<int>(result.fields().size()); ++i)
            values << result.text(0, i);
        EXPECT_EQ(values, c.firstRow) << c.sql.toStdString();
    }
}

} // namespace
} // namespace zorvel::test
