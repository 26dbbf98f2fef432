#pragma once

#include "data/tables.h"
#include "widgets/dataset_model.h"

namespace zorvel {

// A grid column over a table's field, titled `title`, or by the field's own label when none is given.
inline DataSetModel::Column tableColumn(const TableDescription& table, const char* field,
                                        const char* title = nullptr) {
    const QString name = QString::fromLatin1(field);
    if (title)
        return {name, QString::fromUtf8(title)};
    for (const ColumnDescription& c : table.columns)
        if (c.name == name)
            return {name, c.label};
    return {name, name};
}

} // namespace zorvel
