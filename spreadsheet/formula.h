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

// A formula of a cell on `formulaSheet` (empty for a defined name, whose references always name their
// sheet) after `count` rows were inserted above `beforeRow` of `insertedSheet`: every reference to that
// sheet at or below the row moves down with its cell, "$" or not, so a range spanning the insertion
// grows (SUM(K9:K20) -> SUM(K9:K23) for 3 rows before row 15). Whole-row ranges (9:20) move too;
// references into other workbooks ([1]Лист1!K9) stay. Three-dimensional references over several sheets
// (Лист1:Лист3!K9) are not understood: only the last sheet's name is looked at.
std::string formulaAfterRowInsert(std::string_view formula, const QString& formulaSheet,
                                  const QString& insertedSheet, int beforeRow, int count);

} // namespace zorvel
