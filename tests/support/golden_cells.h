#pragma once

#include "tests/support/print_to.h"

#include <string>
#include <vector>

namespace zorvel {
class Worksheet;
}

namespace zorvel::test {

// One golden expectation of a written sheet: the cell ("A1", "AB12": any number of column letters) and its
// text. A text starting with "=" is the cell's formula as stored ("=SUM(R3:R5)").
struct GoldenCell {
    const char* cell;
    const char* text;
};

// What a cell's text is compared with: the value it stores (numbers in their shortest form), or the text
// its number format shows ("480.50").
enum class CellText { Stored, Displayed };

// Checks every cell of the table against the sheet, naming `what` and the cell in a failure.
void expectCells(const Worksheet& sheet, const std::vector<GoldenCell>& cells, const std::string& what,
                 CellText compared = CellText::Stored);

} // namespace zorvel::test
