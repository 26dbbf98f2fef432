#pragma once

#include <QString>

#include <string>
#include <string_view>

// Formulas as the file stores them: without the leading "=", function names and cell references in
// capitals, closed. Callers write totals such as "=sum(k9:k11" and rely on the completion a spreadsheet
// program gives a formula typed by hand.

namespace zorvel {

// "=sum(k9:k11" -> "SUM(K9:K11)". Adds the missing closing parentheses (and a missing closing quote of
// a text); spaces, numbers, percents and texts in quotes stay as written. Throws SpreadsheetError when a
// closing parenthesis has no opening one.
std::string canonicalFormula(std::string_view formula);
QString canonicalFormula(const QString& formula);

// The formula of a shared-formula cell: relative references of the anchor's formula moved by the
// cell's offset from the anchor (absolute parts, with "$", stay).
std::string shiftFormula(std::string_view formula, int rowOffset, int columnOffset);

} // namespace zorvel
