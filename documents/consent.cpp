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
    sheet.setCell(7, "b", patient);
    sheet.setCell(20, "b", patient);
    QStringList services;
    for (const ServiceLine& line : input.lines)
        if (line.marked)
            services << line.service;
    sheet.setCell(15, "a", services.join(QStringLiteral(", ")));
    sheet.setCell(23, "b", input.department);
    sheet.setCell(24, "f", input.doctor);
}

} // namespace zorvel
