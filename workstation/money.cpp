#include "workstation/money.h"

#include <QRegularExpression>

namespace zorvel {

namespace {

// More rubles than this could not be multiplied by a quantity without overflow; no price comes near it.
constexpr int kMaxRubleDigits = 13;

qint64 roundedDivision(__int128 value, qint64 divisor) {
    __int128 half = divisor / 2;
    __int128 q = value >= 0 ? (value + half) / divisor : -((-value + half) / divisor);
    return static_cast<qint64>(q);
}

} // namespace

std::optional<qint64> parseMoney(const QString& text) {
    static const QRegularExpression number(QStringLiteral(R"(^([+-]?)([0-9]*)(?:[.,]([0-9]*))?$)"));
    const QRegularExpressionMatch match = number.match(text.trimmed());
    if (!match.hasMatch() || match.capturedLength(2) + match.capturedLength(3) == 0)
        return std::nullopt;
    QString rubles = match.captured(2);
    while (rubles.size() > 1 && rubles.startsWith(u'0'))
        rubles.remove(0, 1);
    if (rubles.size() > kMaxRubleDigits)
        return std::nullopt;
    const QString fraction = match.captured(3);
    qint64 value = rubles.toLongLong() * kMoneyScale + fraction.left(4).leftJustified(4, u'0').toLongLong();
    if (fraction.size() > 4 && fraction[4] >= u'5')
        ++value;
    return match.captured(1) == u"-" ? -value : value;
}

std::optional<qint64> lineSum(const QString& quantity, const QString& price) {
    std::optional<qint64> q = parseMoney(quantity);
    std::optional<qint64> p = parseMoney(price);
    if (!q || !p)
        return std::nullopt;
    const __int128 product = static_cast<__int128>(*q) * *p; // in (ten-thousandths)^2
    const __int128 limit =
        static_cast<__int128>(kMoneyScale) * kMoneyScale * 100000000000000LL; // 10^14 rubles
    if (product >= limit || product <= -limit)
        return std::nullopt;
    return roundedDivision(product, kMoneyScale);
}

QString moneyText(qint64 amount) {
    const bool negative = amount < 0;
    const quint64 magnitude = negative ? 0 - quint64(amount) : quint64(amount);
    QString text = QString::number(magnitude / kMoneyScale);
    QString fraction = QStringLiteral("%1").arg(magnitude % kMoneyScale, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    return negative && magnitude != 0 ? u'-' + text : text;
}

qint64 toKopecks(qint64 amount) {
    return roundedDivision(amount, kMoneyScale / 100);
}

} // namespace zorvel
