#include "workstation/row_saving.h"

#include "data/dataset.h"

namespace zorvel {

void insertRow(DataSet& dataSet, const ColumnTexts& values) {
    dataSet.insert();
    try {
        for (const auto& [column, value] : values)
            dataSet.setFieldText(column, value);
        dataSet.post();
    } catch (...) {
        // A refused post has already dropped the row; a refused value has not.
        dataSet.cancel();
        throw;
    }
}

void reopenAt(DataSet& serviceRegister, const QString& date, const QString& time) {
    serviceRegister.close();
    serviceRegister.open();
    serviceRegister.locate(QStringLiteral("data_usl;time_us"), {date, time});
}

} // namespace zorvel
