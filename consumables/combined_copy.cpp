#include "consumables/combined_copy.h"

#include "data/dataset.h"
#include "spreadsheet/worksheet.h"

namespace zorvel {

void copyDataSetToSheet(DataSet& dataSet, const std::vector<QString>& titles, Worksheet& sheet) {
    for (size_t c = 0; c < titles.size(); ++c)
        sheet.setText(1, static_cast<int>(c) + 1, titles[c]);
    dataSet.fetchAll();
    const auto& fields = dataSet.fields();
    std::vector<bool> numeric;
    // Text columns have a width; integers, numerics and other computed values have none.
    for (const DataSet::Field& f : fields)
        numeric.push_back(f.integer || f.width == 0);
    const int rows = dataSet.fetchedCount();
    for (int r = 0; r < rows; ++r) {
        for (size_t c = 0; c < fields.size(); ++c) {
            const QString value = dataSet.text(r, static_cast<int>(c));
            if (value.isEmpty())
                continue;
            const int column = static_cast<int>(c) + 1;
            bool ok = false;
            const double number = numeric[c] ? value.toDouble(&ok) : 0;
            if (ok)
                sheet.setNumber(r + 2, column, number);
            else
                sheet.setText(r + 2, column, value);
        }
    }
}

} // namespace zorvel
