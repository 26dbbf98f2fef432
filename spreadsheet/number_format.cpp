#include "spreadsheet/number_format.h"

#include <QDateTime>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace zorvel {

namespace {

struct Token {
    enum Kind { Literal, Digit, Point, Comma, Percent, Exponent, Date, General, Text } kind;
    QString text;
};

QStringList splitSections(const QString& code) {
    QStringList sections;
    QString current;
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        QChar c = code[i];
        if (c == u'\\' && !quoted && i + 1 < code.size()) {
            current += c;
            current += code[++i];
            continue;
        }
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'[')
            bracket = true;
        else if (!quoted && c == u']')
            bracket = false;
        if (c == u';' && !quoted && !bracket) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

bool isDateLetter(QChar c) {
    char16_t u = c.toLower().unicode();
    return u == 'y' || u == 'm' || u == 'd' || u == 'h' || u == 's';
}

bool sectionIsDate(const QString& section) {
    bool quoted = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        QChar c = section[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            qsizetype end = section.indexOf(u']', i);
            QString inner = section.mid(i + 1, end - i - 1).toLower();
            if (inner == u"h" || inner == u"hh" || inner == u"m" || inner == u"mm" || inner == u"s" ||
                inner == u"ss")
                return true;
            i = end < 0 ? section.size() : end;
        } else if (isDateLetter(c)) {
            return true;
        }
    }
    return false;
}

std::vector<Token> tokenize(const QString& section, bool date) {
    std::vector<Token> tokens;
    auto literal = [&](const QString& s) {
        if (!tokens.empty() && tokens.back().kind == Token::Literal)
            tokens.back().text += s;
        else
            tokens.push_back({Token::Literal, s});
    };
    for (qsizetype i = 0; i < section.size(); ++i) {
        QChar c = section[i];
        if (c == u'"') {
            qsizetype end = section.indexOf(u'"', i + 1);
            if (end < 0)
                end = section.size();
            literal(section.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == u'\\') {
            if (i + 1 < section.size())
                literal(QString(section[++i]));
        } else if (c == u'_') {
            ++i;
            literal(QStringLiteral(" "));
        } else if (c == u'*') {
            ++i;
        } else if (c == u'[') {
            qsizetype end = section.indexOf(u']', i);
            if (end < 0)
                end = section.size();
            QString inner = section.mid(i + 1, end - i - 1);
            if (inner.startsWith(u'$')) {
                literal(inner.mid(1).section(u'-', 0, 0));
            } else if (date && !inner.isEmpty() && isDateLetter(inner[0])) {
                tokens.push_back({Token::Date, u'[' + inner.toLower() + u']'});
            }
            i = end;
        } else if (section.mid(i, 7).compare(u"General", Qt::CaseInsensitive) == 0) {
            tokens.push_back({Token::General, {}});
            i += 6;
        } else if (c == u'@') {
            tokens.push_back({Token::Text, {}});
        } else if (date) {
            if (section.mid(i, 5).compare(u"AM/PM", Qt::CaseInsensitive) == 0) {
                tokens.push_back({Token::Date, QStringLiteral("am/pm")});
                i += 4;
            } else if (isDateLetter(c)) {
                qsizetype j = i;
                while (j < section.size() && section[j].toLower() == c.toLower())
                    ++j;
                tokens.push_back({Token::Date, section.mid(i, j - i).toLower()});
                i = j - 1;
            } else if (c == u'.' && i + 1 < section.size() && section[i + 1] == u'0' && !tokens.empty() &&
                       tokens.back().kind == Token::Date && tokens.back().text.startsWith(u's')) {
                qsizetype j = i + 1;
                while (j < section.size() && section[j] == u'0')
                    ++j;
                tokens.push_back({Token::Date, u'.' + section.mid(i + 1, j - i - 1)});
                i = j - 1;
            } else {
                literal(QString(c));
            }
        } else if (c == u'0' || c == u'#' || c == u'?') {
            tokens.push_back({Token::Digit, QString(c)});
        } else if (c == u'.') {
            tokens.push_back({Token::Point, {}});
        } else if (c == u',') {
            tokens.push_back({Token::Comma, {}});
        } else if (c == u'%') {
            tokens.push_back({Token::Percent, {}});
            literal(QStringLiteral("%"));
        } else if ((c == u'E' || c == u'e') && i + 1 < section.size() &&
                   (section[i + 1] == u'+' || section[i + 1] == u'-')) {
            tokens.push_back({Token::Exponent, QString(section[i + 1])});
            ++i;
        } else {
            literal(QString(c));
        }
    }
    return tokens;
}

// Rounds as a spreadsheet shows numbers: from the value's 15 significant digits, half away from zero,
// so 2.675 shows as 2.68 although its binary value lies a little below.
QString fixed(double value, int decimals) {
    if (value == 0 || !std::isfinite(value) || std::fabs(value) >= 1e15)
        return QString::number(value, 'f', decimals);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits(1, buffer[0]);
    digits.append(buffer + 2, 14);
    int point = std::atoi(std::strchr(buffer, 'e') + 1) + 1; // digits before the decimal point
    int keep = point + decimals;
    if (keep < 0)
        return QString::number(0.0, 'f', decimals);
    std::string kept = digits.substr(0, size_t(std::min(keep, 15)));
    kept.resize(size_t(keep), '0');
    if (keep < 15 && digits[size_t(keep)] >= '5') {
        int i = keep - 1;
        while (i >= 0 && kept[size_t(i)] == '9')
            kept[size_t(i--)] = '0';
        if (i < 0) {
            kept = "1" + kept;
            ++point;
        } else {
            ++kept[size_t(i)];
        }
    }
    std::string whole = point > 0 ? kept.substr(0, size_t(point)) : std::string("0");
    std::string fraction = point >= 0 ? kept.substr(size_t(point)) : std::string(size_t(-point), '0') + kept;
    fraction.resize(size_t(decimals), '0');
    QString text = QString::fromStdString(decimals > 0 ? whole + '.' + fraction : whole);
    return value < 0 ? u'-' + text : text;
}

QString trimZeros(QString s) {
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    return s;
}

QString scientific(double value, int decimals, bool trim) {
    QString s = QString::number(value, 'E', decimals);
    // Qt writes "1.5E+03"; a spreadsheet writes the exponent with at least two digits too.
    qsizetype e = s.indexOf(u'E');
    QString mantissa = s.left(e);
    if (trim)
        mantissa = trimZeros(mantissa);
    return mantissa + s.mid(e);
}

QString general(double value) {
    if (value == 0)
        return QStringLiteral("0");
    double a = std::fabs(value);
    if (a >= 1e11 || a < 1e-5)
        return scientific(value, 5, true);
    int before = a >= 1 ? int(std::floor(std::log10(a))) + 1 : 1;
    int decimals = std::max(0, 10 - before);
    QString s = trimZeros(fixed(value, decimals));
    return s == u"-0" ? QStringLiteral("0") : s;
}

QString formatDate(double value, const std::vector<Token>& tokens) {
    static const char* const monthsShort[] = {"янв", "фев", "мар", "апр", "май", "июн",
                                              "июл", "авг", "сен", "окт", "ноя", "дек"};
    static const char* const monthsLong[] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                                             "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
    static const char* const daysShort[] = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};
    static const char* const daysLong[] = {"понедельник", "вторник", "среда",      "четверг",
                                           "пятница",     "суббота", "воскресенье"};
    double days = std::floor(value);
    qint64 seconds = qint64(std::llround((value - days) * 86400.0));
    if (seconds >= 86400) {
        days += 1;
        seconds -= 86400;
    }
    // Serial 1 is 1900-01-01; the serials from 61 on count from 1899-12-30 because of the
    // fictitious 1900-02-29 that spreadsheets keep.
    QDate date =
        days < 61 ? QDate(1899, 12, 31).addDays(qint64(days)) : QDate(1899, 12, 30).addDays(qint64(days));
    int hour = int(seconds / 3600), minute = int(seconds / 60 % 60), second = int(seconds % 60);
    bool twelveHour = false;
    for (const Token& t : tokens)
        twelveHour = twelveHour || (t.kind == Token::Date && t.text == u"am/pm");
    QString out;
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    for (size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        if (t.kind != Token::Date) {
            out += t.text;
            continue;
        }
        const QString& f = t.text;
        QChar c = f[0];
        if (c == u'm' && f.size() <= 2) {
            // "m" means minutes right after hours or right before seconds.
            bool minutes = false;
            for (size_t p = k; p-- > 0;)
                if (tokens[p].kind == Token::Date) {
                    minutes = tokens[p].text.startsWith(u'h') || tokens[p].text.startsWith(u"[h");
                    break;
                }
            for (size_t n = k + 1; n < tokens.size() && !minutes; ++n)
                if (tokens[n].kind == Token::Date) {
                    minutes = tokens[n].text.startsWith(u's');
                    break;
                }
            if (minutes) {
                out += f.size() == 2 ? two(minute) : QString::number(minute);
                continue;
            }
        }
        if (c == u'y')
            out += f.size() <= 2 ? two(date.year() % 100) : QString::number(date.year());
        else if (f == u"m")
            out += QString::number(date.month());
        else if (f == u"mm")
            out += two(date.month());
        else if (f == u"mmm")
            out += QString::fromUtf8(monthsShort[date.month() - 1]);
        else if (f == u"mmmmm")
            out += QString::fromUtf8(monthsLong[date.month() - 1]).left(1);
        else if (c == u'm')
            out += QString::fromUtf8(monthsLong[date.month() - 1]);
        else if (f == u"d")
            out += QString::number(date.day());
        else if (f == u"dd")
            out += two(date.day());
        else if (f == u"ddd")
            out += QString::fromUtf8(daysShort[date.dayOfWeek() - 1]);
        else if (c == u'd')
            out += QString::fromUtf8(daysLong[date.dayOfWeek() - 1]);
        else if (c == u'h') {
            int h = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += f.size() >= 2 ? two(h) : QString::number(h);
        } else if (c == u's')
            out += f.size() >= 2 ? two(second) : QString::number(second);
        else if (f == u"am/pm")
            out += hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        else if (f.startsWith(u"[h"))
            out += QString::number(qint64(days) * 24 + hour);
        else if (f.startsWith(u"[m"))
            out += QString::number((qint64(days) * 24 + hour) * 60 + minute);
        else if (f.startsWith(u"[s"))
            out += QString::number(qint64(value * 86400.0 + 0.5));
        else if (c == u'.')
            out +=
                u'.' +
                QString::number(value * 86400.0 - std::floor(value * 86400.0), 'f', int(f.size() - 1)).mid(2);
    }
    return out;
}

QString formatPlain(double value, const std::vector<Token>& tokens) {
    // Where the placeholders are: integer part, decimals, exponent.
    int intDigits = 0, decimals = 0, expDigits = 0, percents = 0;
    bool afterPoint = false, afterExp = false, grouping = false;
    int scale = 0;
    for (size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        if (t.kind == Token::Digit)
            (afterExp ? expDigits : afterPoint ? decimals : intDigits)++;
        else if (t.kind == Token::Point)
            afterPoint = true;
        else if (t.kind == Token::Exponent)
            afterExp = true;
        else if (t.kind == Token::Percent)
            ++percents;
        else if (t.kind == Token::Comma && !afterPoint && !afterExp) {
            bool digitAfter = k + 1 < tokens.size() && tokens[k + 1].kind == Token::Digit;
            if (intDigits > 0 && digitAfter)
                grouping = true;
            else if (intDigits > 0)
                ++scale;
        }
    }
    for (int p = 0; p < percents; ++p)
        value *= 100;
    for (int s = 0; s < scale; ++s)
        value /= 1000;

    QString intText, fracText, expText;
    if (afterExp) {
        QString s = scientific(std::fabs(value), decimals, false);
        qsizetype e = s.indexOf(u'E');
        QString mantissa = s.left(e);
        int exponent = s.mid(e + 1).toInt();
        intText = mantissa.section(u'.', 0, 0);
        fracText = mantissa.section(u'.', 1);
        QString sign = exponent < 0 ? QStringLiteral("-") : QString();
        for (const Token& t : tokens)
            if (t.kind == Token::Exponent && t.text == u"+" && exponent >= 0)
                sign = QStringLiteral("+");
        expText =
            sign + QStringLiteral("%1").arg(std::abs(exponent), std::max(expDigits, 1), 10, QLatin1Char('0'));
    } else {
        QString s = fixed(std::fabs(value), decimals);
        intText = s.section(u'.', 0, 0);
        fracText = s.section(u'.', 1);
    }
    if (intText == u"0")
        intText.clear();

    // Integer placeholders take the digits from the right; extra digits go before the first one.
    std::vector<QString> intOut(static_cast<size_t>(intDigits));
    {
        qsizetype d = intText.size();
        for (int p = intDigits - 1, seen = 0; p >= 0; --p, ++seen) {
            const Token* placeholder = nullptr;
            int count = 0;
            for (const Token& t : tokens) {
                if (t.kind == Token::Point || t.kind == Token::Exponent)
                    break;
                if (t.kind == Token::Digit && count++ == p)
                    placeholder = &t;
            }
            if (d > 0)
                intOut[size_t(p)] = intText[--d];
            else if (placeholder->text == u"0")
                intOut[size_t(p)] = QStringLiteral("0");
            else if (placeholder->text == u"?")
                intOut[size_t(p)] = QStringLiteral(" ");
            if (p == 0 && d > 0)
                intOut[0].prepend(intText.left(d));
        }
    }
    QString wholeInt;
    for (const QString& s : intOut)
        wholeInt += s;
    if (grouping) {
        QString grouped;
        int digits = 0;
        for (qsizetype i = wholeInt.size(); i-- > 0;) {
            if (wholeInt[i].isDigit() && digits > 0 && digits % 3 == 0)
                grouped.prepend(u',');
            grouped.prepend(wholeInt[i]);
            if (wholeInt[i].isDigit())
                ++digits;
        }
        wholeInt = grouped;
    }
    qsizetype significant = fracText.size();
    while (significant > 0 && fracText[significant - 1] == u'0')
        --significant;

    QString out;
    int intSeen = 0, fracSeen = 0, expSeen = 0;
    afterPoint = afterExp = false;
    for (const Token& t : tokens) {
        switch (t.kind) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::Digit:
            if (afterExp) {
                if (expSeen++ == 0)
                    out += expText;
            } else if (afterPoint) {
                int j = fracSeen++;
                if (j < significant || t.text == u"0")
                    out += fracText.mid(j, 1);
                else if (t.text == u"?")
                    out += u' ';
            } else {
                if (grouping) {
                    if (intSeen == 0)
                        out += wholeInt;
                } else {
                    out += intOut[size_t(intSeen)];
                }
                ++intSeen;
            }
            break;
        case Token::Point:
            afterPoint = true;
            out += u'.';
            break;
        case Token::Exponent:
            afterExp = true;
            out += u'E';
            break;
        case Token::General:
            out += general(std::fabs(value));
            break;
        default:
            break;
        }
    }
    return out;
}

} // namespace

QString builtinNumberFormat(int id) {
    switch (id) {
    case 0:
        return QStringLiteral("General");
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral("0.00");
    case 3:
        return QStringLiteral("#,##0");
    case 4:
        return QStringLiteral("#,##0.00");
    case 9:
        return QStringLiteral("0%");
    case 10:
        return QStringLiteral("0.00%");
    case 11:
        return QStringLiteral("0.00E+00");
    case 12:
        return QStringLiteral("# ?/?");
    case 13:
        return QStringLiteral("# ?\?/??");
    // The date and time formats 14 and 22 follow the reader's locale; the workstation's is Russian.
    case 14:
        return QStringLiteral("dd.mm.yyyy");
    case 15:
        return QStringLiteral("d-mmm-yy");
    case 16:
        return QStringLiteral("d-mmm");
    case 17:
        return QStringLiteral("mmm-yy");
    case 18:
        return QStringLiteral("h:mm AM/PM");
    case 19:
        return QStringLiteral("h:mm:ss AM/PM");
    case 20:
        return QStringLiteral("h:mm");
    case 21:
        return QStringLiteral("h:mm:ss");
    case 22:
        return QStringLiteral("dd.mm.yyyy h:mm");
    case 37:
        return QStringLiteral("#,##0 ;(#,##0)");
    case 38:
        return QStringLiteral("#,##0 ;[Red](#,##0)");
    case 39:
        return QStringLiteral("#,##0.00;(#,##0.00)");
    case 40:
        return QStringLiteral("#,##0.00;[Red](#,##0.00)");
    case 45:
        return QStringLiteral("mm:ss");
    case 46:
        return QStringLiteral("[h]:mm:ss");
    case 47:
        return QStringLiteral("mmss.0");
    case 48:
        return QStringLiteral("##0.0E+0");
    case 49:
        return QStringLiteral("@");
    default:
        return {};
    }
}

bool isDateFormat(const QString& formatCode) {
    return sectionIsDate(splitSections(formatCode).first());
}

QString formatNumber(double value, const QString& formatCode) {
    if (formatCode.isEmpty() || formatCode.compare(u"General", Qt::CaseInsensitive) == 0)
        return general(value);
    QStringList sections = splitSections(formatCode);
    QString section = sections[0];
    bool minus = false;
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty()) {
        section = sections[1];
        value = -value;
    } else if (value == 0 && sections.size() >= 3) {
        section = sections[2];
    } else if (value < 0) {
        minus = true;
    }
    bool date = sectionIsDate(section);
    std::vector<Token> tokens = tokenize(section, date);
    if (date)
        return formatDate(value, tokens);
    bool anyDigit = false;
    for (const Token& t : tokens)
        anyDigit = anyDigit || t.kind == Token::Digit || t.kind == Token::General;
    QString text = formatPlain(value, tokens);
    if (minus && anyDigit) {
        bool allZero = true;
        for (QChar c : text)
            allZero = allZero && !(c >= u'1' && c <= u'9');
        if (!allZero)
            text.prepend(u'-');
    }
    return text;
}

QString formatText(const QString& text, const QString& formatCode) {
    QStringList sections = splitSections(formatCode);
    QString section;
    if (sections.size() >= 4)
        section = sections[3];
    else if (sections[0].contains(u'@'))
        section = sections[0];
    else
        return text;
    QString out;
    for (const Token& t : tokenize(section, false))
        out += t.kind == Token::Text ? text : t.kind == Token::Literal ? t.text : QString();
    return out;
}

} // namespace zorvel
