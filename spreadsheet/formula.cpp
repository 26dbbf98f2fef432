#include "spreadsheet/formula.h"

#include "spreadsheet/cell_reference.h"
#include "spreadsheet/spreadsheet_error.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace zorvel {

namespace {

bool isWordChar(unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '.' || c == '$' || c == '\\' || c >= 0x80;
}

void toUpper(std::string& s) {
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
}

// A reference such as "k9", "$K$9", a column "k" or a row "9" (the last two when next to a colon).
struct Reference {
    bool columnAbsolute = false;
    std::string letters; // empty for a whole-row reference
    bool rowAbsolute = false;
    std::string digits; // empty for a whole-column reference
    // The sheet named before it ('Лист 1'!K9, Лист1!K9, and the far end of 'Лист 1'!K9:K20); null when
    // the reference has none and so means the formula's own sheet.
    const std::string* sheet = nullptr;
    bool external = false; // [1]Лист1!K9: a sheet of another workbook
};

// "9" or "$9", a row of a whole-row range such as 9:20.
bool parseRowReference(const std::string& word, Reference& ref) {
    size_t i = word.size() > 1 && word[0] == '$' ? 1 : 0;
    if (i == word.size())
        return false;
    for (size_t k = i; k < word.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(word[k])))
            return false;
    ref.rowAbsolute = i == 1;
    ref.digits = word.substr(i);
    return true;
}

bool parseReference(const std::string& word, Reference& ref) {
    size_t i = 0;
    if (i < word.size() && word[i] == '$') {
        ref.columnAbsolute = true;
        ++i;
    }
    size_t start = i;
    while (i < word.size() && std::isalpha(static_cast<unsigned char>(word[i])))
        ++i;
    ref.letters = word.substr(start, i - start);
    if (ref.letters.empty() || ref.letters.size() > 3)
        return false;
    if (i < word.size() && word[i] == '$') {
        ref.rowAbsolute = true;
        ++i;
    }
    start = i;
    while (i < word.size() && std::isdigit(static_cast<unsigned char>(word[i])))
        ++i;
    ref.digits = word.substr(start, i - start);
    return i == word.size() && (!ref.digits.empty() || !ref.rowAbsolute);
}

// Walks a formula token by token; `onReference` may rewrite a cell or column reference in place.
std::string transform(std::string_view text, const std::function<void(Reference&)>& onReference,
                      bool complete) {
    std::string out;
    out.reserve(text.size() + 4);
    int depth = 0;
    size_t i = 0;
    // The sheet a reference is qualified with, kept from "Лист1!" to the reference after it, and from a
    // reference over the ":" to the far end of its range.
    std::string qualifier;
    bool qualified = false, externalQualifier = false;
    std::string rangeSheet;
    bool rangeQualified = false, rangeExternal = false, afterReference = false, rangeContinues = false;
    while (i < text.size()) {
        char c = text[i];
        if (!isWordChar(static_cast<unsigned char>(c))) {
            rangeContinues = c == ':' && afterReference;
            afterReference = false;
            if (c != '!') {
                qualified = false;
                externalQualifier = false;
            }
        }
        if (c == '"' || c == '\'') {
            // A text or a quoted sheet name, copied as written; a doubled quote stays inside.
            size_t j = i + 1;
            for (;;) {
                if (j >= text.size()) {
                    out.append(text.substr(i));
                    if (complete)
                        out.push_back(c);
                    i = text.size();
                    break;
                }
                if (text[j] == c) {
                    if (j + 1 < text.size() && text[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    out.append(text.substr(i, j + 1 - i));
                    if (c == '\'' && j + 1 < text.size() && text[j + 1] == '!') {
                        qualifier.clear();
                        for (size_t k = i + 1; k < j; ++k)
                            if (text[k] != '\'' || text[k - 1] != '\'')
                                qualifier.push_back(text[k]);
                        externalQualifier = qualifier.find('[') != std::string::npos;
                        qualified = true;
                    }
                    i = j + 1;
                    break;
                }
                ++j;
            }
            continue;
        }
        if (c == '[') {
            size_t j = text.find(']', i);
            j = j == std::string_view::npos ? text.size() : j + 1;
            out.append(text.substr(i, j - i));
            i = j;
            // The sheet name after a workbook's index belongs to that workbook.
            externalQualifier = true;
            continue;
        }
        if (c == '(') {
            ++depth;
            out.push_back(c);
            ++i;
            continue;
        }
        if (c == ')') {
            if (--depth < 0)
                throw SpreadsheetError(QStringLiteral("В формуле «=%1» лишняя закрывающая скобка")
                                           .arg(QString::fromUtf8(text.data(), qsizetype(text.size()))));
            out.push_back(c);
            ++i;
            continue;
        }
        if (!isWordChar(static_cast<unsigned char>(c))) {
            out.push_back(c);
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && isWordChar(static_cast<unsigned char>(text[j])))
            ++j;
        std::string word(text.substr(i, j - i));
        char next = j < text.size() ? text[j] : '\0';
        char previous = i > 0 ? text[i - 1] : '\0';
        Reference ref;
        if (qualified && previous == '!') {
            ref.sheet = &qualifier;
            ref.external = externalQualifier;
        } else if (rangeContinues && previous == ':') {
            ref.sheet = rangeQualified ? &rangeSheet : nullptr;
            ref.external = rangeExternal;
        }
        qualified = false;
        rangeContinues = false;
        bool wasExternal = externalQualifier;
        externalQualifier = false;
        if (next == '!') {
            qualifier = word;
            qualified = true;
            externalQualifier = wasExternal;
            out.append(word);
            i = j;
            continue;
        }
        auto rewrite = [&] {
            onReference(ref);
            word = (ref.columnAbsolute ? "$" : "") + ref.letters + (ref.rowAbsolute ? "$" : "") + ref.digits;
            afterReference = true;
            rangeQualified = ref.sheet != nullptr;
            if (rangeQualified && ref.sheet != &rangeSheet)
                rangeSheet = *ref.sheet;
            rangeExternal = ref.external;
        };
        if ((next == ':' || previous == ':') && parseRowReference(word, ref)) {
            rewrite();
            out.append(word);
            i = j;
            continue;
        }
        // A number with an exponent: 1E+5.
        if (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '.') {
            if ((word.back() == 'e' || word.back() == 'E') && j < text.size() &&
                (text[j] == '+' || text[j] == '-')) {
                size_t k = j + 1;
                while (k < text.size() && std::isdigit(static_cast<unsigned char>(text[k])))
                    ++k;
                word.append(text.substr(j, k - j));
                j = k;
            }
            out.append(word);
            i = j;
            continue;
        }
        if (next == '(') {
            toUpper(word);
        } else if (parseReference(word, ref) && (!ref.digits.empty() || next == ':' || previous == ':')) {
            toUpper(ref.letters);
            rewrite();
        } else {
            std::string upper = word;
            toUpper(upper);
            if (upper == "TRUE" || upper == "FALSE")
                word = upper;
        }
        out.append(word);
        i = j;
    }
    if (complete)
        out.append(size_t(depth), ')');
    return out;
}

} // namespace

std::string canonicalFormula(std::string_view formula) {
    if (!formula.empty() && formula.front() == '=')
        formula.remove_prefix(1);
    return transform(
        formula, [](Reference&) {}, true);
}

QString canonicalFormula(const QString& formula) {
    return QString::fromStdString(canonicalFormula(std::string_view(formula.toStdString())));
}

std::string shiftFormula(std::string_view formula, int rowOffset, int columnOffset) {
    return transform(
        formula,
        [&](Reference& ref) {
            if (!ref.columnAbsolute && columnOffset != 0 && !ref.letters.empty()) {
                int column = columnNumber(QString::fromLatin1(ref.letters.c_str())) + columnOffset;
                if (column >= 1 && column <= MaxColumns)
                    ref.letters = columnLetters(column).toStdString();
            }
            if (!ref.rowAbsolute && rowOffset != 0 && !ref.digits.empty()) {
                int row = std::stoi(ref.digits) + rowOffset;
                if (row >= 1 && row <= MaxRows)
                    ref.digits = std::to_string(row);
            }
        },
        false);
}

std::string formulaAfterRowInsert(std::string_view formula, const QString& formulaSheet,
                                  const QString& insertedSheet, int beforeRow, int count) {
    const bool onTarget =
        !formulaSheet.isEmpty() && formulaSheet.compare(insertedSheet, Qt::CaseInsensitive) == 0;
    return transform(
        formula,
        [&](Reference& ref) {
            if (ref.digits.empty() || ref.external)
                return;
            bool pointsAtTarget =
                ref.sheet
                    ? QString::fromStdString(*ref.sheet).compare(insertedSheet, Qt::CaseInsensitive) == 0
                    : onTarget;
            if (!pointsAtTarget)
                return;
            int row = std::stoi(ref.digits);
            // Absolute or not, a reference follows the cell it names; the sheet's last row is as far as
            // it can go.
            if (row >= beforeRow)
                ref.digits = std::to_string(std::min<long long>(MaxRows, (long long)row + count));
        },
        false);
}

} // namespace zorvel
