#pragma once

#include <QString>
#include <vector>

namespace zorvel {

class Worksheet;

// One line of the debts list: contract, patient, paid, contract sum, still to pay, date of payment.
struct DebtLine {
    QString contract;
    QString surname;
    QString name;
    QString patronymic;
    QString paid;
    QString contractSum;
    QString remaining;
    QString paymentDate;
};

// The debts list on the sheet of "dolg.xls": the lines from row 2 with their running numbers, one empty
// row, the bold "ИТОГО:" row with the sums of the three amounts, and borders from A2 to the totals row.
void fillDebts(Worksheet& sheet, const std::vector<DebtLine>& lines);

} // namespace zorvel
