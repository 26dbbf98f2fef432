// Ranges of a worksheet: restyling a range, merging cells, and inserting rows (everything that names
// rows moves with them: formulas of every sheet, merges, breaks, validations, links).

#include "spreadsheet/formula.h"
#include "spreadsheet/range.h"
#include "spreadsheet/spreadsheet_error.h"
#include "spreadsheet/workbook_data.h"
#include "spreadsheet/worksheet_data.h"
#include "spreadsheet/xml_text.h"

#include <algorithm>
#include <unordered_map>

namespace zorvel {

using namespace sheetdata;

namespace {

bool overlaps(const RangePosition& a, const RangePosition& b) {
    return a.firstRow <= b.lastRow && b.firstRow <= a.lastRow && a.firstColumn <= b.lastColumn &&
           b.firstColumn <= a.lastColumn;
}

} // namespace

void Worksheet::Data::indexMerges(pugi::xml_node merges) {
    mergeIndex.clear();
    tallestMerge = 0;
    for (pugi::xml_node m : merges.children("mergeCell")) {
        const RangePosition range = parseRange(QString::fromUtf8(m.attribute("ref").value()));
        mergeIndex.emplace(range.firstRow, std::pair{range, m});
        tallestMerge = std::max(tallestMerge, range.lastRow - range.firstRow);
    }
    mergeIndexValid = true;
}

Range Worksheet::range(const QString& address) {
    return Range(*this, parseRange(address));
}

Range Worksheet::range(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    checkCell(firstRow, firstColumn);
    checkCell(lastRow, lastColumn);
    return Range(*this, {std::min(firstRow, lastRow), std::min(firstColumn, lastColumn),
                         std::max(firstRow, lastRow), std::max(firstColumn, lastColumn)});
}

QStringList Worksheet::mergedRanges() const {
    QStringList ranges;
    for (pugi::xml_node m : d->root.child("mergeCells").children("mergeCell"))
        ranges << QString::fromUtf8(m.attribute("ref").value());
    return ranges;
}

namespace {

int rowAfterInsert(int row, int beforeRow, int count) {
    return row >= beforeRow ? std::min(MaxRows, row + count) : row;
}

// "B9:H9", or space-separated ranges as sqref holds them, moved by an insertion; a text that is not a
// range of cells (whole columns "A:A") stays as written.
std::string rangesAfterInsert(const char* text, int beforeRow, int count) {
    QStringList out;
    for (const QString& part : QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts)) {
        try {
            RangePosition range = parseRange(part);
            range.firstRow = rowAfterInsert(range.firstRow, beforeRow, count);
            range.lastRow = rowAfterInsert(range.lastRow, beforeRow, count);
            out << rangeName(range);
        } catch (const SpreadsheetError&) {
            out << part;
        }
    }
    return out.join(u' ').toStdString();
}

void moveRangeAttribute(pugi::xml_node node, const char* name, int beforeRow, int count) {
    if (pugi::xml_attribute a = node.attribute(name))
        a.set_value(rangesAfterInsert(a.value(), beforeRow, count).c_str());
}

void moveFormulaText(pugi::xml_node node, const QString& formulaSheet, const QString& insertedSheet,
                     int beforeRow, int count) {
    if (node && *node.text().get())
        node.text().set(
            formulaAfterRowInsert(node.text().get(), formulaSheet, insertedSheet, beforeRow, count).c_str());
}

} // namespace

void Worksheet::followRowInsert(const QString& insertedSheet, int beforeRow, int count) {
    const bool own = this->name().compare(insertedSheet, Qt::CaseInsensitive) == 0;
    // Formulas no cell holds any more follow too: cheaper than finding out which ones are held.
    for (Formula& formula : d->formulas) {
        if (formula.text.empty())
            continue;
        formula.text = formulaAfterRowInsert(formula.text, d->name, insertedSheet, beforeRow, count);
        // An array formula's ref names the cells it fills on this sheet.
        if (formula.detail == noDetail)
            continue;
        std::string& attributes = d->formulaDetails[formula.detail].attributes;
        size_t at = attributes.find(" ref=\"");
        if (own && at != std::string::npos) {
            size_t start = at + 6, end = attributes.find('"', start);
            std::string ref = attributes.substr(start, end - start);
            attributes.replace(start, end - start, rangesAfterInsert(ref.c_str(), beforeRow, count));
        }
    }
    for (pugi::xml_node format : d->root.children("conditionalFormatting"))
        for (pugi::xml_node rule : format.children("cfRule"))
            for (pugi::xml_node f : rule.children("formula"))
                moveFormulaText(f, d->name, insertedSheet, beforeRow, count);
    for (pugi::xml_node validation : d->root.child("dataValidations").children("dataValidation"))
        for (const char* f : {"formula1", "formula2"})
            moveFormulaText(validation.child(f), d->name, insertedSheet, beforeRow, count);
}

void Worksheet::insertRows(int beforeRow, int count, InsertedRows format) {
    checkCell(beforeRow, 1);
    if (count < 0)
        throw SpreadsheetError(QStringLiteral("Нельзя вставить %1 строк").arg(count));
    if (format == InsertedRows::LikeRowAbove && beforeRow == 1)
        throw SpreadsheetError(QStringLiteral("Над первой строкой нет строки, формат которой можно взять"));
    if (count == 0)
        return;
    int lastRow = d->lastRow();
    pugi::xml_node merges = d->root.child("mergeCells");
    d->mergeIndexValid = false; // the merged ranges move
    for (pugi::xml_node m : merges.children("mergeCell"))
        lastRow = std::max(lastRow, parseRange(QString::fromUtf8(m.attribute("ref").value())).lastRow);
    if (lastRow >= beforeRow && lastRow > MaxRows - count)
        throw SpreadsheetError(
            QStringLiteral("Нельзя вставить %1 строк: строки листа вышли бы за его последнюю строку")
                .arg(count));

    // Formulas first, while every sheet is still as the formulas were written for.
    for (const auto& sheet : d->book->sheets)
        sheet->followRowInsert(d->name, beforeRow, count);
    for (pugi::xml_node name :
         d->book->workbook.child("workbook").child("definedNames").children("definedName"))
        moveFormulaText(name, QString(), d->name, beforeRow, count);

    if (size_t(beforeRow) <= d->rows.size()) {
        d->rows.insert(d->rows.begin() + (beforeRow - 1), size_t(count), Row());
        // Rows pushed past the sheet's end are empty: the check above saw to it.
        if (d->rows.size() > size_t(MaxRows))
            d->rows.resize(size_t(MaxRows));
    }
    d->lastTouchedRow = 0;

    for (pugi::xml_node m : merges.children("mergeCell"))
        moveRangeAttribute(m, "ref", beforeRow, count);
    for (pugi::xml_node brk : d->root.child("rowBreaks").children("brk")) {
        // A break lies below the row `id`, above row id + 1.
        int id = brk.attribute("id").as_int();
        if (id + 1 >= beforeRow)
            brk.attribute("id").set_value(std::min(MaxRows - 1, id + count));
    }
    for (pugi::xml_node f : d->root.children("conditionalFormatting"))
        moveRangeAttribute(f, "sqref", beforeRow, count);
    for (pugi::xml_node v : d->root.child("dataValidations").children("dataValidation"))
        moveRangeAttribute(v, "sqref", beforeRow, count);
    for (pugi::xml_node link : d->root.child("hyperlinks").children("hyperlink"))
        moveRangeAttribute(link, "ref", beforeRow, count);
    moveRangeAttribute(d->root.child("autoFilter"), "ref", beforeRow, count);

    if (format == InsertedRows::LikeRowAbove) {
        const int above = beforeRow - 1;
        if (const Row* found = d->findRow(above)) {
            const Row source = *found;
            for (int r = beforeRow; r < beforeRow + count; ++r) {
                Row& row = d->rowAt(r);
                row.attributes = source.attributes;
                row.cells.clear();
                for (const Cell& cell : source.cells) {
                    Cell blank;
                    blank.column = cell.column;
                    blank.style = cell.style;
                    row.cells.push_back(blank);
                }
            }
        }
        std::vector<RangePosition> lineMerges;
        for (pugi::xml_node m : merges.children("mergeCell")) {
            RangePosition range = parseRange(QString::fromUtf8(m.attribute("ref").value()));
            if (range.firstRow == above && range.lastRow == above)
                lineMerges.push_back(range);
        }
        for (int r = beforeRow; r < beforeRow + count; ++r)
            for (RangePosition range : lineMerges) {
                range.firstRow = range.lastRow = r;
                merges.append_child("mergeCell").append_attribute("ref") =
                    rangeName(range).toUtf8().constData();
            }
        if (!lineMerges.empty()) {
            int total = 0;
            for (pugi::xml_node m : merges.children("mergeCell"))
                total += m ? 1 : 0;
            merges.attribute("count").set_value(total);
        }
    }
    touched();
}

void Worksheet::restyle(const RangePosition& range, const std::function<uint32_t(uint32_t)>& derive) {
    std::unordered_map<uint32_t, uint32_t> derived;
    // Cells of a range mostly share a format: the last answer saves a look-up per cell.
    uint32_t lastFrom = 0, lastTo = 0;
    bool haveLast = false;
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            Cell& cell = d->touch(row, column);
            if (!haveLast || cell.style != lastFrom) {
                auto it = derived.find(cell.style);
                if (it == derived.end())
                    it = derived.emplace(cell.style, derive(cell.style)).first;
                lastFrom = cell.style;
                lastTo = it->second;
                haveLast = true;
            }
            cell.style = lastTo;
        }
    touched();
}

void Worksheet::merge(const RangePosition& range) {
    pugi::xml_node merges = xml::orderedChild(d->root, "mergeCells", worksheetOrder);
    if (!d->mergeIndexValid)
        d->indexMerges(merges);
    auto& index = d->mergeIndex;
    for (auto it = index.lower_bound(range.firstRow - d->tallestMerge);
         it != index.end() && it->first <= range.lastRow;) {
        if (overlaps(it->second.first, range)) {
            merges.remove_child(it->second.second);
            it = index.erase(it);
        } else {
            ++it;
        }
    }
    if (range.firstRow != range.lastRow || range.firstColumn != range.lastColumn) {
        pugi::xml_node m = merges.append_child("mergeCell");
        m.append_attribute("ref") = rangeName(range).toUtf8().constData();
        index.emplace(range.firstRow, std::pair{range, m});
        d->tallestMerge = std::max(d->tallestMerge, range.lastRow - range.firstRow);
    }
    const int count = static_cast<int>(index.size());
    if (count == 0) {
        d->root.remove_child(merges);
        d->mergeIndexValid = false;
    } else {
        (merges.attribute("count") ? merges.attribute("count") : merges.append_attribute("count"))
            .set_value(count);
    }
    // The merged cell shows the top-left value only; the others are cleared as a spreadsheet does.
    for (int row = range.firstRow; row <= range.lastRow; ++row)
        for (int column = range.firstColumn; column <= range.lastColumn; ++column)
            if (row != range.firstRow || column != range.firstColumn)
                if (Cell* cell = d->find(row, column)) {
                    cell->type = CellType::Empty;
                    cell->number = 0;
                }
    touched();
}

} // namespace zorvel
