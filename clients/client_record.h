#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace zorvel {

class DataSet;

// A contract-client service line as the registration writes it: column names of PEOPLECBUX with their
// texts, in the order they are assigned.
using ClientValues = std::vector<std::pair<QString, QString>>;

// The date text of a date field as the registration stores it: a whole valid date DD.MM.YYYY as it is;
// an empty field, or one that holds no valid date, as the zero date 30.12.1899.
QString storedDateText(const QString& typed);

// The service date ("Дата услуги") must be a real date: a line stored with the zero date would fall out
// of every period and so out of every bill. Returns the date text, or an empty text when the field is
// empty or holds no valid date.
QString serviceDateText(const QString& typed);

// The first value longer than its column (the widths of PEOPLECBUX), as "the column's label"; empty when
// every value fits. A text that does not fit is refused, never cut: the bills group the lines by these
// texts, the organisation's name first.
QString overlongValue(const ClientValues& values);
// The width of a PEOPLECBUX text column; 0 for an unknown or integer column.
int clientColumnWidth(const QString& column);

// The view's filter from the visible search fields, in their fixed order (column, typed text): exact
// equality terms joined by " and ", each value quoted so that an apostrophe or a star stays part of it.
// Empty when no field is visible.
QString clientViewFilter(const std::vector<std::pair<QString, QString>>& terms);

} // namespace zorvel
