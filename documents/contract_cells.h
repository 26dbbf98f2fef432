#pragma once

#include "documents/contract.h"

#include <QString>
#include <QtGlobal>

// What the contract and the consent share: the values both print from the grid's first line, and the
// exact running total.

namespace zorvel {

// DateInWords of the first line's service date.
QString firstDateInWords(const ContractInput& input);
// The first line's surname, name and patronymic joined by single blanks.
QString patientName(const ContractInput& input);
// total + amount; throws the words' "too big" error instead of overflowing.
qint64 addToTotal(qint64 total, qint64 amount);

} // namespace zorvel
