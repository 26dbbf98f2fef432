#pragma once

#include <QString>
#include <vector>

namespace zorvel {

// One condition of a dataset filter: column equals value, or, when the value ends with "*", column
// begins with the part before it. Comparison respects case.
struct FilterTerm {
    QString column;
    QString value;
    bool prefix = false;
};

// Parses "fam='Иванов' and kodgvv= '3*'": terms joined by " and ", values in apostrophes with an
// apostrophe inside written twice, and a star at the end of a value that is part of it written twice.
// Throws DataError on anything else.
std::vector<FilterTerm> parseFilter(const QString& text);

// Builders that screens use, so that a typed value never changes the meaning of a filter.
QString quotedValue(const QString& value);
QString equalsTerm(const QString& column, const QString& value);
QString prefixTerm(const QString& column, const QString& prefix);

// Names result columns: unnamed ones F_1, F_2...; a repeated name gets the smallest number suffix that
// makes it unique (SUM, SUM1, SUM2); long names are shortened before the number is added.
std::vector<QString> nameResultColumns(const std::vector<QString>& reported);

} // namespace zorvel
