#include "data/filter.h"

#include "data/errors.h"

#include <QSet>

namespace zorvel {

namespace {

constexpr int kMaxNameLength = 31;

[[noreturn]] void fail(const QString& text) {
    throw DataError(QStringLiteral("Неверный фильтр: %1").arg(text));
}

void skipBlanks(const QString& s, qsizetype& i) {
    while (i < s.size() && s[i].isSpace())
        ++i;
}

} // namespace

std::vector<FilterTerm> parseFilter(const QString& text) {
    std::vector<FilterTerm> terms;
    qsizetype i = 0;
    skipBlanks(text, i);
    if (i == text.size())
        return terms;
    for (;;) {
        FilterTerm term;
        qsizetype start = i;
        while (i < text.size() && (text[i].isLetterOrNumber() || text[i] == '_' || text[i] == '$'))
            ++i;
        term.column = text.mid(start, i - start);
        if (term.column.isEmpty())
            fail(text);
        skipBlanks(text, i);
        if (i == text.size() || text[i] != '=')
            fail(text);
        ++i;
        skipBlanks(text, i);
        if (i == text.size() || text[i] != '\'')
            fail(text);
        ++i;
        QString value;
        bool closed = false;
        while (i < text.size()) {
            if (text[i] == '\'') {
                if (i + 1 < text.size() && text[i + 1] == '\'') {
                    value += '\'';
                    i += 2;
                    continue;
                }
                ++i;
                closed = true;
                break;
            }
            value += text[i++];
        }
        if (!closed)
            fail(text);
        // A final "*" asks for a prefix match; a star that belongs to the value itself is written twice.
        qsizetype stars = 0;
        while (stars < value.size() && value[value.size() - 1 - stars] == '*')
            ++stars;
        term.prefix = stars % 2 == 1;
        value.chop(stars);
        value += QString(stars / 2, '*');
        term.value = value;
        terms.push_back(term);
        skipBlanks(text, i);
        if (i == text.size())
            break;
        if (text.mid(i, 3).compare(QStringLiteral("and"), Qt::CaseInsensitive) != 0 || i + 3 >= text.size() ||
            !text[i + 3].isSpace())
            fail(text);
        i += 3;
        skipBlanks(text, i);
    }
    return terms;
}

namespace {

// Stars at the end of a value are written twice, so that they are not read as a prefix match.
QString literalStars(const QString& value) {
    qsizetype stars = 0;
    while (stars < value.size() && value[value.size() - 1 - stars] == '*')
        ++stars;
    return value + QString(stars, '*');
}

} // namespace

QString quotedValue(const QString& value) {
    QString v = value;
    v.replace('\'', QStringLiteral("''"));
    return '\'' + v + '\'';
}

QString equalsTerm(const QString& column, const QString& value) {
    return column + '=' + quotedValue(literalStars(value));
}

QString prefixTerm(const QString& column, const QString& prefix) {
    return column + QStringLiteral("= ") + quotedValue(literalStars(prefix) + '*');
}

std::vector<QString> nameResultColumns(const std::vector<QString>& reported) {
    std::vector<QString> names;
    QSet<QString> used;
    int unnamed = 0;
    for (const QString& r : reported) {
        QString name = r.trimmed().toUpper();
        if (name.isEmpty())
            name = QStringLiteral("F_%1").arg(++unnamed);
        if (used.contains(name)) {
            for (int n = 1;; ++n) {
                QString suffix = QString::number(n);
                QString candidate = name.left(kMaxNameLength - suffix.size()) + suffix;
                if (!used.contains(candidate)) {
                    name = candidate;
                    break;
                }
            }
        }
        used.insert(name);
        names.push_back(name);
    }
    return names;
}

} // namespace zorvel
