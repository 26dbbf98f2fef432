#pragma once

#include <QString>
#include <vector>

namespace zorvel {

enum class ColumnType { Text, Integer };

struct ColumnDescription {
    QString name;
    ColumnType type;
    int width;     // characters of a text column
    QString label; // column title in grids
};

// One table bound to a dataset with fixed statements. The five statements are built from this one
// description, so the column lists of select, insert, update, delete and refresh always agree.
struct TableDescription {
    QString table;
    QString key;
    // The key condition of update, delete and refresh, written as the table's statements write it.
    QString keyCondition;
    std::vector<ColumnDescription> columns;

    QString selectSql() const;
    // Inserts with the key NULL (the database assigns it) and returns the assigned key.
    QString insertSql() const;
    QString updateSql() const;
    QString deleteSql() const;
    QString refreshSql() const;
    int keyIndex() const;
};

const TableDescription& praisTable();
const TableDescription& peopleTable();
const TableDescription& otdelTable();
const TableDescription& peopleCbuxTable();
const TableDescription& peopleVTable();
const TableDescription& prihodTable();
const std::vector<const TableDescription*>& allTables();

} // namespace zorvel
