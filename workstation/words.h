#pragma once

#include <QString>
#include <QtGlobal>

// Amounts and dates in Russian words, as contracts, consents and invoices print them. Pure functions,
// one implementation for every document. Failures are thrown as std::exception subclasses whose
// what() is the message in UTF-8, so a document stops where the text could not be made.

namespace zorvel {

// The word form for n of something: 1 (рубль, копейка), 2 (рубля, копейки) or 3 (рублей, копеек).
int PluralForm(int n);

// An amount counted in whole kopecks (not in ten-thousandths of a ruble), e.g. 10150 reads
// "Сто один рубль 50 копеек". Throws std::out_of_range "Слишком большое число для суммы прописью"
// from 10^15 rubles on.
QString AmountInWords(qint64 kopecks);

// An amount written as a decimal text ("101.50", "101,5", "-3"), read exactly and rounded to the
// nearest kopeck, an exact half away from zero, so 100.995 reads as 101 rubles 00 kopecks.
// Throws std::invalid_argument "Неверный формат числа" for a text that is not a number.
QString AmountInWords(const QString& amount);

// A date in the workstation's short form DD.MM.YYYY, e.g. "05.03.2010" reads "\"5\" Марта 2010 г.".
// Throws std::invalid_argument "'<text>' is not a valid date" for a text that is not a date.
QString DateInWords(const QString& dateText);

} // namespace zorvel
