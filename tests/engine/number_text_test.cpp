#include "engine/number_text.h"

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <clocale>
#include <locale>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

struct ReadCase {
  std::string_view text;
  double value;
};

// Each row: how a person might type a figure, and what the calculator must take it for.
constexpr ReadCase kReadCases[] = {
    // No number at all.
    {"", 0},
    {"-", 0},
    {".", 0},
    {"¥100", 0},
    {"E5", 0},
    // The number at the start; reading stops at what cannot continue it.
    {"12abc", 12},
    {"1.2.3", 1.2},
    {"1,000", 1},
    {"3500元", 3500},
    {"12\r", 12},
    // Signs, points and exponents.
    {"-12.5", -12.5},
    {"+7", 7},
    {".5", 0.5},
    {"5.", 5},
    {"1e-3", 0.001},
    {"1.5E3", 1500},
    {"1.5e+3", 1500},
    {"1.5D3", 1500},
    {"1.5d-1", 0.15},
    {"--5", 0},
    {"000123", 123},
    // An exponent letter without digits ends the number before it.
    {"2d-", 2},
    // Blanks wherever they stand.
    {"12 34", 1234},
    {" - 5 ", -5},
    {"\t1\n2 . 5", 12.5},
    {"1 e 3", 1000},
    // Radix prefixes, folded to 16 or 32 bits.
    {"&HFF", 255},
    {"&H7FFF", 32767},
    {"&H8000", -32768},
    {"&H10000", 65536},
    {"&H80000000", -2147483648.0},
    {"&H0000FFFF", -1},
    {"&O17", 15},
    {"&O8", 0},
    {"&H", 0},
    {"&HFFz", 255},
    {"& H 1 0", 16},
    // Prefix look-alikes read as nothing.
    {"-&H10", 0},
    {"&X1", 0},
    // Full-width forms as input methods type them.
    {"３５００", 3500},
    {"１２．５", 12.5},
    {"＆Ｈ１Ｆ", 31},
    {"－３", -3},
    {"１　２", 12},
    {"１Ｅ２", 100},
    // Other multi-byte characters, whole or cut short, end the number.
    {"\xEF\xBC", 0},
    {"7\xE3", 7},
    // Below the smallest double: the nearest double, no refusal.
    {"1E-400", 0},
    {"4.9E-324", 4.9406564584124654e-324},
    {"0E99999", 0},
    // The largest double and its neighbourhood.
    {"1.7976931348623157E308", 1.7976931348623157e308},
    {"-1.7976931348623157E308", -1.7976931348623157e308},
};

TEST(ReadNumber, ReadsWhatAPersonTyped) {
  for (const auto& c : kReadCases) {
    auto got = read_number(c.text);
    ASSERT_TRUE(got.has_value()) << c.text;
    EXPECT_EQ(*got, c.value) << c.text;
  }
}

TEST(ReadNumber, RefusesWhatNoDoubleHolds) {
  const std::string_view texts[] = {
      "1E400",       "-1E309",        "1.7976931348623159E308", "1E99999999999999999999",
      "&H100000000", "&O77777777777", "&HFFFFFFFFFFFFFFFFFFFF1"};
  for (auto t : texts) EXPECT_FALSE(read_number(t).has_value()) << t;
}

TEST(ReadNumber, LongTextsReadInFull) {
  std::string digits(310, '1');
  digits += ".5";
  EXPECT_EQ(read_number(digits), std::nullopt);
  EXPECT_EQ(read_number(std::string(400, '9')), std::nullopt);
  EXPECT_EQ(read_number("-" + std::string(310, '1')), std::nullopt);
  std::string small = "0." + std::string(400, '0') + "1e400";
  EXPECT_EQ(read_number(small), 1e-1);
}

struct FormCase {
  double value;
  std::string_view text;
};

constexpr FormCase kDoubleForms[] = {
    {0, "0"},
    {-0.0, "0"},
    {0.5, "0.5"},
    {1.0 / 3, "0.333333333333333"},
    {2.0 / 3, "0.666666666666667"},
    {123456789012345, "123456789012345"},
    {1234567890123456, "1.23456789012346E+15"},
    {999999999999999.4, "999999999999999"},
    {999999999999999.6, "1E+15"},
    {0.0001, "0.0001"},
    {1500.25, "1500.25"},
    {0.00001, "1E-05"},
    {0.000099999999999999995, "0.0001"},
    {-2.5, "-2.5"},
    {2.5e-100, "2.5E-100"},
    {1.7976931348623157e308, "1.79769313486232E+308"},
    {4.9406564584124654e-324, "4.94065645841247E-324"},
    // Ties on the exact binary value go to the even digit: 0.5 is exact.
    {1.0000000000000005, "1"},
    {100000000000000.5, "100000000000000"},
    {100000000000001.5, "100000000000002"},
};

TEST(DoubleForm, WritesAtMostFifteenDigits) {
  for (const auto& c : kDoubleForms) EXPECT_EQ(double_form(c.value), c.text) << c.value;
}

struct SingleCase {
  float value;
  std::string_view text;
};

const SingleCase kSingleForms[] = {
    {0.0f, "0"},
    {1.0f / 3, "0.3333333"},
    {12345678.0f, "1.234568E+07"},
    {3500.0f * 0.7f, "2450"},
    {-0.1f, "-0.1"},
    {1e-5f, "1E-05"},
    {9999999.0f, "9999999"},
    {std::numeric_limits<float>::max(), "3.402823E+38"},
};

TEST(SingleForm, WritesAtMostSevenDigits) {
  for (const auto& c : kSingleForms) EXPECT_EQ(single_form(c.value), c.text) << c.value;
}

// The total of a calculation adds the value each written form is known to
// read back as; it must be what reading the text gives, for short decimals,
// long fractions, exponent forms, negatives and both precisions.
TEST(WrittenForm, KnowsTheValueItsTextReadsBackAs) {
  std::vector<double> values;
  for (const auto& c : kDoubleForms) values.push_back(c.value);
  for (const auto& c : kSingleForms) values.push_back(c.value);
  std::mt19937_64 random(20240601);
  for (int i = 0; i < 20000; ++i) {
    const double whole = static_cast<double>(random() % 1000000000000000);
    values.push_back(whole / std::pow(10.0, static_cast<int>(random() % 8)));
    values.push_back(-std::ldexp(static_cast<double>(random()), -static_cast<int>(random() % 90)));
  }
  char text[kMaxFormLength];
  for (double x : values) {
    std::optional<double> shown;
    std::size_t n = write_double_form(x, text, shown);
    EXPECT_EQ(shown, read_number(std::string_view(text, n))) << std::string_view(text, n);
    n = write_single_form(static_cast<float>(x), text, shown);
    EXPECT_EQ(shown, read_number(std::string_view(text, n))) << std::string_view(text, n);
  }
}

// The quick reading of plain digits gives read_decimal's value or leaves the
// text to it.
TEST(ReadPlainDecimal, ReadsPlainDigitsAsReadDecimalDoes) {
  for (std::string_view text : {"3500", "12000.5", ".5", "7000.", "0", "000123", "123456789012345",
                                "12345678901234.5", "0.00000000000001", "0.1"}) {
    ASSERT_TRUE(read_plain_decimal(text).has_value()) << text;
    EXPECT_EQ(read_plain_decimal(text), read_decimal(text)) << text;
  }
  for (std::string_view text :
       {"", ".", "-5", "+5", "1,000", "1e3", "1234567890123456", "1.2.3", " 5", "５"}) {
    EXPECT_EQ(read_plain_decimal(text), std::nullopt) << text;
  }
}

// Shortest digits in plain notation: the figures a claim's working quotes.
// A whole number keeps every digit of its exact value; the smallest double
// needs more room than the largest.
TEST(PlainForm, WritesTheShortestDigitsWithoutExponent) {
  const struct {
    double value;
    std::string text;
  } rows[] = {
      {200000, "200000"},
      {0.4, "0.4"},
      {-1.5e-7, "-0.00000015"},
      {0.0001, "0.0001"},
      {1e22, "10000000000000000000000"},
      {1e23, "99999999999999991611392"},
      {-0.0, "-0"},
      {4.9406564584124654e-324, "0." + std::string(323, '0') + "5"},
  };
  for (const auto& r : rows) EXPECT_EQ(plain_form(r.value), r.text) << r.value;
  EXPECT_EQ(decimal_value(0.4f), 0.4);
  EXPECT_EQ(decimal_value(0.3f), 0.3);
}

struct RoundCase {
  double value;
  std::optional<std::int16_t> rounded;
};

constexpr RoundCase kRoundCases[] = {
    {0.5, 0},
    {1.5, 2},
    {2.5, 2},
    {-2.5, -2},
    {14.904, 15},
    {32767.4, 32767},
    {32767.5, std::nullopt},
    {-32768.5, -32768},
    {-32769, std::nullopt},
    {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    {std::numeric_limits<double>::infinity(), std::nullopt},
};

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourWithinRange) {
  for (const auto& c : kRoundCases) EXPECT_EQ(round_to_int16(c.value), c.rounded) << c.value;
}

// A German or Chinese desktop's regional settings must not reach the numbers.
TEST(NumberText, KeepsItsPointUnderForeignLocales) {
  for (const char* name : {"de_DE.UTF-8", "zh_CN.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;  // not made on this machine
    std::locale::global(std::locale(name));
    EXPECT_EQ(read_number("12.5"), 12.5) << name;
    EXPECT_EQ(read_number("12,5"), 12.0) << name;
    EXPECT_EQ(double_form(1234567.25), "1234567.25") << name;
    EXPECT_EQ(single_form(0.5f), "0.5") << name;
    EXPECT_EQ(plain_form(1234567.25), "1234567.25") << name;
    EXPECT_EQ(fixed_form(1234567.25, 2), "1234567.25") << name;
  }
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
}

}  // namespace
}  // namespace gongshang
