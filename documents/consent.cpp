#include "documents/contract.h"

#include "documents/contract_cells.h"
#include "spreadsheet/workbook.h"

#include <QStringList>

namespace zorvel {

void fillConsent(Workbook& book, const ContractInput& input) {
    Worksheet& sheet = book.sheet(1);
    const QString date = firstDateInWords(input);
    const QString patient = patientName(input);
    sheet.setCell(2, "a", date);
    sheet.setCell(5, "g", date);
    sheet.setText(7, "b", patient);
    sheet.setText(20, "b", patient);
    QStringList services;
    for (const ServiceLine& line : input.lines)
        if (line.marked)
            services << line.service;
    sheet.setText(15, "a", services.join(QStringLiteral(", ")));
    sheet.setText(23, "b", input.department);
    sheet.setText(24, "f", input.doctor);
}

} // namespace zorvel
