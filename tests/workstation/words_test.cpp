#include "workstation/words.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

using namespace zorvel;

namespace {

struct AmountCase {
    const char* text;
    qint64 kopecks;
    const char* words;
};

void PrintTo(const AmountCase& c, std::ostream* os) {
    *os << c.text;
}

class AmountWordsTest : public testing::TestWithParam<AmountCase> {};

TEST_P(AmountWordsTest, readsTextAndKopecksAlike) {
    const AmountCase& c = GetParam();
    EXPECT_EQ(AmountInWords(QString::fromUtf8(c.text)).toStdString(), c.words);
    EXPECT_EQ(AmountInWords(c.kopecks).toStdString(), c.words);
}

// The results that printed contracts and invoices have always shown.
INSTANTIATE_TEST_SUITE_P(
    PrintedResults, AmountWordsTest,
    testing::Values(
        AmountCase{"0", 0, "Ноль рублей 00 копеек"}, AmountCase{"0.01", 1, "Ноль рублей 01 копейка"},
        AmountCase{"0.21", 21, "Ноль рублей 21 копейка"}, AmountCase{"1", 100, "Один рубль 00 копеек"},
        AmountCase{"2", 200, "Два рубля 00 копеек"}, AmountCase{"5", 500, "Пять рублей 00 копеек"},
        AmountCase{"11", 1100, "Одиннадцать рублей 00 копеек"},
        AmountCase{"21", 2100, "Двадцать один рубль 00 копеек"},
        AmountCase{"101.50", 10150, "Сто один рубль 50 копеек"},
        AmountCase{"112", 11200, "Сто двенадцать рублей 00 копеек"},
        AmountCase{"1000", 100000, "Одна тысяча рублей 00 копеек"},
        AmountCase{"2000", 200000, "Две тысячи рублей 00 копеек"},
        AmountCase{"11000", 1100000, "Одиннадцать тысяч рублей 00 копеек"},
        AmountCase{"21000", 2100000, "Двадцать одна тысяча рублей 00 копеек"},
        AmountCase{"2001000", 200100000, "Два миллиона одна тысяча рублей 00 копеек"},
        AmountCase{"1234567.89", 123456789,
                   "Один миллион двести тридцать четыре тысячи пятьсот шестьдесят семь рублей 89 копеек"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, AmountWordsTest,
    testing::Values(
        // Thousands are feminine, the larger groups masculine; whole groups take the ruble form of 0.
        AmountCase{"22000", 2200000, "Двадцать две тысячи рублей 00 копеек"},
        AmountCase{"1000000", 100000000, "Один миллион рублей 00 копеек"},
        AmountCase{"3002001", 300200100, "Три миллиона две тысячи один рубль 00 копеек"},
        AmountCase{"2000000000", 200000000000, "Два миллиарда рублей 00 копеек"},
        // 11 to 19 take the third form in every group and in the kopecks.
        AmountCase{"15012000.11", 1501200011, "Пятнадцать миллионов двенадцать тысяч рублей 11 копеек"},
        AmountCase{"111.14", 11114, "Сто одиннадцать рублей 14 копеек"},
        AmountCase{"7.05", 705, "Семь рублей 05 копеек"}, AmountCase{"7,5", 750, "Семь рублей 50 копеек"},
        // Below a kopeck: an exact half rounds up, and 99.5 kopecks carry into the rubles.
        AmountCase{"0.005", 1, "Ноль рублей 01 копейка"},
        AmountCase{"100.9949", 10099, "Сто рублей 99 копеек"},
        AmountCase{"100.995", 10100, "Сто один рубль 00 копеек"},
        AmountCase{"-101.50", -10150, "Минус сто один рубль 50 копеек"},
        AmountCase{"-0.004", 0, "Ноль рублей 00 копеек"},
        // The largest amount the word tables still cover.
        AmountCase{"999999999999999.99", 99999999999999999,
                   "Девятьсот девяносто девять триллионов девятьсот девяносто девять миллиардов девятьсот "
                   "девяносто девять миллионов девятьсот девяносто девять тысяч девятьсот девяносто девять "
                   "рублей 99 копеек"}));

TEST(AmountInWords, refusesAmountsPastTheTrillions) {
    const std::string message = "Слишком большое число для суммы прописью";
    for (const char* text :
         {"1000000000000000", "-1000000000000000", "999999999999999.995", "12345678901234567890"}) {
        try {
            AmountInWords(QString::fromUtf8(text));
            ADD_FAILURE() << text << " was read";
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), message) << text;
        }
    }
    for (qint64 kopecks : {qint64(100000000000000000), std::numeric_limits<qint64>::min()}) {
        try {
            AmountInWords(kopecks);
            ADD_FAILURE() << kopecks << " was read";
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), message) << kopecks;
        }
    }
}

TEST(AmountInWords, refusesTextThatIsNotANumber) {
    for (const char* text : {"", "-", ".", "12р", "1.2.3", "1 000"}) {
        try {
            AmountInWords(QString::fromUtf8(text));
            ADD_FAILURE() << "'" << text << "' was read";
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "Неверный формат числа") << text;
        }
    }
}

TEST(PluralForm, choosesTheFormByTheLastTwoDigits) {
    const std::pair<int, int> cases[] = {{1, 1}, {21, 1}, {1001, 1}, {2, 2},  {34, 2},  {5, 3},
                                         {0, 3}, {11, 3}, {14, 3},   {19, 3}, {111, 3}, {-1, 3}};
    for (auto [n, form] : cases)
        EXPECT_EQ(PluralForm(n), form) << n;
}

TEST(DateInWords, writesTheDayWithoutLeadingZeroAndTheMonthAsAWord) {
    const std::pair<const char*, const char*> cases[] = {
        {"05.03.2010", "\"5\" Марта 2010 г."},    {"01.01.2024", "\"1\" Января 2024 г."},
        {"31.12.1999", "\"31\" Декабря 1999 г."}, {"29.02.2024", "\"29\" Февраля 2024 г."},
        {"30.12.1899", "\"30\" Декабря 1899 г."},
    };
    for (auto [text, words] : cases)
        EXPECT_EQ(DateInWords(QString::fromUtf8(text)).toStdString(), words) << text;
}

TEST(DateInWords, refusesTextThatIsNotADate) {
    for (const char* text :
         {"31.02.2010", "29.02.2023", "13.13.2010", "", "2010-03-05", "05.03.10", "завтра"}) {
        try {
            DateInWords(QString::fromUtf8(text));
            ADD_FAILURE() << "'" << text << "' was read";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid date");
        }
    }
}

} // namespace
