#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zorvel {

// The combined table's statement over the services register, built from three texts that its two
// companion windows keep: the select text and the group text of the visible fields, the condition text
// of the field filters. An empty text means the default.
struct CombinedTexts {
    QString select;    // "select ... from people"
    QString group;     // "group by ..."
    QString condition; // empty, or "where ..."
};

// Every column of the register but its key and the surcharge mark, in the table's order.
QString defaultSelectClause();
QString defaultGroupClause();

// The statement for the period from `from` to `to` (date texts, both days included): select clause, " ",
// condition clause with the period, " ", group clause. Every value is quoted safely.
QString combinedStatement(const CombinedTexts& texts, const QString& from, const QString& to);

// A statement sorted by one result column: the base (the statement without an order clause, ending with
// its line break) and "order by " with the column. A column the server cannot sort by its name (a
// computed column, which has no name of its own) is named by its position.
QString sortedStatement(const QString& base, const QString& field, int position);

// One check box of the visible-fields window: its caption and the piece it adds ("fam, ").
struct VisibleField {
    const char* box;
    const char* caption;
    const char* piece;
};
const std::vector<VisibleField>& visibleFields();
// The select and group texts for the pieces of the ticked boxes, in the boxes' order.
struct VisibleTexts {
    QString select;
    QString group;
};
VisibleTexts visibleTexts(const QStringList& pieces);

// One check box of the field-filter window and the condition it adds.
struct FieldFilter {
    const char* box;
    const char* caption;
    const char* control; // the value control: sComboBoxN, or sDateEditN for a date
    const char* column;  // "fam=", "cast(DATNAR as date)="
    bool date;
};
const std::vector<FieldFilter>& fieldFilters();
// The condition text for the (column text, value) pairs of the ticked boxes, in order: "where " and
// the conditions joined by " and ", every value quoted with its apostrophes doubled; empty for none.
QString conditionText(const std::vector<std::pair<QString, QString>>& conditions);

// The grid title of a result column: the Russian title of a register column or of the summed quantity,
// otherwise the name itself.
QString combinedColumnTitle(const QString& name);

} // namespace zorvel
