#include "workstation/words.h"

#include <QDate>
#include <QRegularExpression>

#include <array>
#include <stdexcept>

namespace zorvel {

namespace {

using WordTable = std::array<const char16_t*, 10>;

// The number words carry a trailing blank; appendWord() leaves exactly one blank between words whatever an
// entry carries, and an empty entry adds no word.
constexpr WordTable unitWordsMasculine = {u"",      u"один ",  u"два ",  u"три ",    u"четыре ",
                                          u"пять ", u"шесть ", u"семь ", u"восемь ", u"девять "};
constexpr WordTable unitWordsFeminine = {u"",      u"одна ",  u"две ",  u"три ",    u"четыре ",
                                         u"пять ", u"шесть ", u"семь ", u"восемь ", u"девять "};
constexpr WordTable teenWords = {u"десять ",       u"одиннадцать ", u"двенадцать ",  u"тринадцать ",
                                 u"четырнадцать ", u"пятнадцать ",  u"шестнадцать ", u"семнадцать ",
                                 u"восемнадцать ", u"девятнадцать "};
constexpr WordTable tenWords = {u"",           u"десять ",     u"двадцать ",  u"тридцать ",    u"сорок ",
                                u"пятьдесят ", u"шестьдесят ", u"семьдесят ", u"восемьдесят ", u"девяносто "};
constexpr WordTable hundredWords = {u"",         u"сто ",      u"двести ",  u"триста ",    u"четыреста ",
                                    u"пятьсот ", u"шестьсот ", u"семьсот ", u"восемьсот ", u"девятьсот "};

// Groups of three digits from the right; a group past the trillions has no word.
constexpr std::array<const char16_t*, 5> groupWords = {u"", u"тысяч", u"миллион", u"миллиард", u"триллион"};
constexpr int topGroup = int(groupWords.size()) - 1;

constexpr const char16_t* rubleStem = u"рубл";
constexpr const char16_t* kopeckStem = u"копе";

enum EndingRow { MasculineGroup = 0, Ruble = 1, Thousand = 2, Kopeck = 3 };
constexpr std::array<std::array<const char16_t*, 3>, 4> wordEndings = {{
    {u"", u"а", u"ов"},
    {u"ь", u"я", u"ей"},
    {u"а", u"и", u""},
    {u"йка", u"йки", u"ек"},
}};

constexpr std::array<const char16_t*, 12> monthWords = {
    u" Января ", u" Февраля ", u" Марта ",    u" Апреля ",  u" Мая ",    u" Июня ",
    u" Июля ",   u" Августа ", u" Сентября ", u" Октября ", u" Ноября ", u" Декабря "};

const char* const tooBigMessage = "Слишком большое число для суммы прописью";
const char* const notANumberMessage = "Неверный формат числа";

QString ending(EndingRow row, int n) {
    return QString::fromUtf16(wordEndings[row][PluralForm(n) - 1]);
}

void chopTrailingBlanks(QString& words) {
    while (words.endsWith(u' '))
        words.chop(1);
}

void appendWord(QString& words, const char16_t* entry) {
    chopTrailingBlanks(words);
    words += u' ';
    words += QString::fromUtf16(entry);
}

void appendGroup(QString& words, int value, int group) {
    const int units = value % 10;
    const int tens = value / 10 % 10;
    const int hundreds = value / 100;
    appendWord(words, hundredWords[hundreds]);
    if (tens == 1) {
        appendWord(words, teenWords[units]);
    } else {
        appendWord(words, tenWords[tens]);
        appendWord(words, group == 1 ? unitWordsFeminine[units] : unitWordsMasculine[units]);
    }
    if (group > 0) {
        appendWord(words, groupWords[group]);
        chopTrailingBlanks(words);
        words += ending(group == 1 ? Thousand : MasculineGroup, value);
    }
}

// The magnitude is unsigned so that the most negative qint64 still has one.
QString amountWords(bool negative, quint64 totalKopecks) {
    quint64 rubles = totalKopecks / 100;
    const int kopecks = int(totalKopecks % 100);

    quint64 groupScale = 1;
    int group = 0;
    while (rubles / groupScale >= 1000) {
        groupScale *= 1000;
        ++group;
    }
    if (group > topGroup)
        throw std::out_of_range(tooBigMessage);

    QString words;
    int lastGroup = 0;
    if (rubles == 0) {
        words = QStringLiteral("ноль");
    } else {
        for (; group >= 0; --group, groupScale /= 1000) {
            lastGroup = int(rubles / groupScale);
            rubles -= quint64(lastGroup) * groupScale;
            if (lastGroup > 0)
                appendGroup(words, lastGroup, group);
        }
    }
    words = words.trimmed();
    // A sum that rounds to nothing reads as plain zero, never "минус ноль рублей 00 копеек".
    if (negative && totalKopecks > 0)
        words.prepend(QStringLiteral("минус "));

    QString text = QStringLiteral("%1 %2%3 %4 %5%6")
                       .arg(words, QString::fromUtf16(rubleStem), ending(Ruble, lastGroup))
                       .arg(kopecks, 2, 10, QLatin1Char('0'))
                       .arg(QString::fromUtf16(kopeckStem), ending(Kopeck, kopecks));
    text[0] = text[0].toUpper();
    return text;
}

} // namespace

int PluralForm(int n) {
    if (n / 10 % 10 == 1)
        return 3;
    switch (n % 10) {
    case 1:
        return 1;
    case 2:
    case 3:
    case 4:
        return 2;
    default:
        return 3;
    }
}

QString AmountInWords(qint64 kopecks) {
    const bool negative = kopecks < 0;
    const quint64 magnitude = negative ? 0 - quint64(kopecks) : quint64(kopecks);
    return amountWords(negative, magnitude);
}

QString AmountInWords(const QString& amount) {
    static const QRegularExpression number(QStringLiteral(R"(^([+-]?)([0-9]*)(?:[.,]([0-9]*))?$)"));
    const QRegularExpressionMatch match = number.match(amount.trimmed());
    if (!match.hasMatch() || match.capturedLength(2) + match.capturedLength(3) == 0)
        throw std::invalid_argument(notANumberMessage);

    const bool negative = match.captured(1) == u"-";
    QString rubleDigits = match.captured(2);
    while (rubleDigits.startsWith(u'0'))
        rubleDigits.remove(0, 1);
    // Past 15 digits the rubles are too big for the words; refusing here keeps the kopecks in range.
    if (rubleDigits.size() > 15)
        throw std::out_of_range(tooBigMessage);

    const QString fraction = match.captured(3);
    quint64 totalKopecks =
        rubleDigits.toULongLong() * 100 + fraction.left(2).leftJustified(2, u'0').toULongLong();
    if (fraction.size() > 2 && fraction[2] >= u'5')
        ++totalKopecks; // rounding up may carry into the rubles: 100.995 is 101 rubles
    return amountWords(negative, totalKopecks);
}

QString DateInWords(const QString& dateText) {
    static const QRegularExpression shortDate(QStringLiteral(R"(^([0-9]{1,2})\.([0-9]{1,2})\.([0-9]{4})$)"));
    const QRegularExpressionMatch match = shortDate.match(dateText.trimmed());
    const QDate date = match.hasMatch() ? QDate(match.captured(3).toInt(), match.captured(2).toInt(),
                                                match.captured(1).toInt())
                                        : QDate();
    if (!date.isValid())
        throw std::invalid_argument(QStringLiteral("'%1' is not a valid date").arg(dateText).toStdString());

    return QStringLiteral("\"%1\"%2%3 г.")
        .arg(QString::number(date.day()), QString::fromUtf16(monthWords[date.month() - 1]),
             QString::number(date.year()));
}

} // namespace zorvel
