#pragma once

#include <QString>

namespace zorvel {

class Worksheet;

// A value from the database written as the spreadsheet takes a typed one (a number becomes a number),
// except that a text beginning with "=" stays a text: a name or a service never becomes a formula.
void putValue(Worksheet& sheet, int row, int column, const QString& text);

// Column letters of a column number: 1 "A", 26 "Z", 27 "AA", 52 "AZ", 53 "BA", 286 "JZ", and on to
// three letters past that.
QString columnLetter(int column);

} // namespace zorvel
