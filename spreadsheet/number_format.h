#pragma once

#include <QString>

// The text a spreadsheet displays for a value under a number format code, as a cell's displayed text
// is read back ("#,##0.00" shows 1234.5 as "1,234.50", "dd.mm.yyyy" shows 45292 as "01.01.2024").
// Codes are the file's own (English separators); sections, quoted literals, colours, conditions,
// percents, scaling commas, exponents, dates and times are understood.

namespace zorvel {

QString formatNumber(double value, const QString& formatCode);
// A text under a format: the text section ("@" in it) if the code has one, otherwise the text itself.
QString formatText(const QString& text, const QString& formatCode);
// The code of a built-in format id (0 "General", 4 "#,##0.00", 14 "dd.mm.yyyy"...), empty if unknown.
QString builtinNumberFormat(int id);
// True when the code shows numbers as dates or times.
bool isDateFormat(const QString& formatCode);

} // namespace zorvel
