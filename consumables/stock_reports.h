#pragma once

#include <QString>
#include <vector>

namespace zorvel {

class DataSet;
class Worksheet;

// One row of the stock procedure klinz as of a date: the code, the name, the two quantity columns of the
// stock sheet (nkol, rkol), the price of one unit and the quantity left (kolo).
struct StockRow {
    QString code;
    QString name;
    QString received;
    QString used;
    QString price;
    QString left;
};

// One service of the dental prosthetics room's journal.
struct DentalService {
    QString contract;
    QString surname;
    QString firstName;
    QString patronymic;
    QString date;
    QString code;
    QString quantity;
    QString price;
};

// A text as an SQL literal: in apostrophes, an apostrophe inside written twice.
QString sqlLiteral(const QString& text);

// The stock of every consumable as of a date, summed per code, name and price (the balance panel).
QString stockSummaryStatement(const QString& date);
// The stock sheet as of a date (the balance report).
QString stockStatement(const QString& date);
// The stock of the dental prosthetics room's consumables (codes 973 to 981) as of a date.
QString dentalStockStatement(const QString& date);
// The dental prosthetics room's services of a period, identical rows once, by date and contract.
QString dentalServicesStatement(const QString& from, const QString& to);

// The balance panel's text from the open summary statement: per row "Код: ", the code, two blanks, the
// name, a line feed, " Цена: ", the price, " Остаток :", the summed remainder and two line feeds.
QString balancePanelText(DataSet& summary);

// Every row of an open stock statement, or of the dental services statement. The rows are all fetched
// here, so a value the server cannot convert fails here and not half-way through a workbook.
std::vector<StockRow> readStockRows(DataSet& rows);
std::vector<DentalService> readDentalServices(DataSet& rows);

// The balance report into the first sheet of linz.xls: "На " and the date in A1, the rows from row 3
// under the template's headings, and the totals of columns d, e and f below them.
void writeBalanceReport(Worksheet& sheet, const QString& date, const std::vector<StockRow>& rows);

// The dental prosthetics room's journal into rashzub.xls: the balance as of the first date, the services
// of the period and the balance as of the last date, one block under the other.
void writeDentalJournal(Worksheet& sheet, const QString& from, const QString& to,
                        const std::vector<StockRow>& opening, const std::vector<DentalService>& services,
                        const std::vector<StockRow>& closing);

} // namespace zorvel
