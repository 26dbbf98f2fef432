#pragma once

#include <QString>
#include <functional>

namespace zorvel {

class Workbook;
class Workstation;

// How far the import has come: the main window's progress bar follows it (value 0 at the end).
using ImportProgress = std::function<void(int value, int maximum)>;

// Loads price rows from a workbook into the price list ("Экспорт из excel"). The rows of the first sheet
// are read from row 1 up to the used range's row count, each cell as its displayed text: column A into
// SIMV, B into KOD, C into NAME, G into SUMMA and H into KODGVV; a heading row is a price row like any
// other. The rows are added to what the list holds.
//
// All or nothing: a row the database refuses leaves the price list as it was, and the message names the
// row. The rows go in as one batch and are committed once, after the last. Returns the rows imported, or
// -1 when nothing was imported (the reason has been shown).
int importPriceList(Workstation& workstation, const Workbook& book, const ImportProgress& progress = {});
// The command of the menu: the file is chosen through the workstation's file chooser and read by the
// workbook engine (.xlsx; .xls and .ods through LibreOffice). A cancelled choice does nothing.
int importPriceListFromFile(Workstation& workstation, const ImportProgress& progress = {});

// Empties the price list ("Отчистка базы прайса") once the user has confirmed it, and commits at once, so
// that no workstation goes on seeing a list that this one believes is gone. Returns true when cleared.
bool clearPriceList(Workstation& workstation);

} // namespace zorvel
