#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Money held exactly, as documents print it: a count of ten-thousandths of a ruble (the fixed-point value
// amounts in words are made from), never a binary float, so a printed total is the sum of its lines.

namespace zorvel {

inline constexpr qint64 kMoneyScale = 10000; // one ruble

// A decimal text ("150", "12.5", "12,50", "-3") as ten-thousandths of a ruble; digits past the fourth
// decimal round half away from zero. nullopt for anything else (empty, "12a", "1 234", too many digits).
std::optional<qint64> parseMoney(const QString& text);

// quantity × price, both decimal texts; nullopt when either is not a number or the product reaches
// 10^14 rubles.
std::optional<qint64> lineSum(const QString& quantity, const QString& price);

// The shortest decimal form: 1500 rubles as "1500", 12.5 as "12.5", 0.3 as "0.3".
QString moneyText(qint64 amount);

// Rounded to whole kopecks, an exact half away from zero.
qint64 toKopecks(qint64 amount);

} // namespace zorvel
