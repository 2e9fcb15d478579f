#include "engine/number_text.h"

#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <clocale>
#include <locale>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

// How a person might type a figure, and what the calculator must take it for:
// the number at the start, up to what cannot continue it; radix prefixes fold
// to 16 or 32 bits; beyond the largest double, nullopt: the caller refuses it.
const std::pair<std::string, std::optional<double>> kReadCases[] = {
    {"", 0},
    {"¥100", 0},
    {"1.2.3", 1.2},
    {"-12.5", -12.5},
    {"+7", 7},
    {".5", 0.5},
    {"1.5D3", 1500},
    {"2d-", 2},
    {"\t1\n2 . 5", 12.5},
    {"&hAfa", 2810},
    {"&H0000FFFF", -1},
    {"&H80000000", -2147483648.0},
    {"&o178", 15},
    {"１２．５", 12.5},
    {"１　２", 12},
    {"7\xE3", 7},
    {"1E-400", 0},
    {"0." + std::string(400, '0') + "1e400", 0.1},
    {"1.7976931348623159E308", std::nullopt},
    {std::string(310, '1') + ".5", std::nullopt},
    {"&H100000000", std::nullopt}};

TEST(ReadNumber, ReadsWhatAPersonTyped) {
  for (const auto& [text, value] : kReadCases) EXPECT_EQ(read_number(text), value) << text;
}

TEST(ReadPlainDecimal, ReadsOnlyPlainDigits) {
  const std::pair<std::string_view, std::optional<double>> rows[] = {
      {"7000.", 7000},
      {"123456789012345", 123456789012345},
      {"0.00000000000001", 1e-14},
      {"", std::nullopt},
      {".", std::nullopt},
      {"-5", std::nullopt},
      {"1234567890123456", std::nullopt},
      {"1.2.3", std::nullopt}};
  for (const auto& [text, value] : rows) EXPECT_EQ(read_plain_decimal(text), value) << text;
}

// Rounded from the exact binary value, ties to even.
constexpr std::pair<double, std::string_view> kDoubleForms[] = {
    {-0.0, "0"},
    {1.0 / 3, "0.333333333333333"},
    {123456789012345, "123456789012345"},
    {999999999999999.4, "999999999999999"},
    {0.0001, "0.0001"},
    {100000000000000.5, "100000000000000"},
    {100000000000001.5, "100000000000002"},
};

TEST(DoubleForm, WritesAtMostFifteenDigits) {
  for (const auto& [value, text] : kDoubleForms) EXPECT_EQ(double_form(value), text) << value;
}

constexpr std::pair<float, std::string_view> kSingleForms[] = {
    {1.0f / 3, "0.3333333"}, {-0.1f, "-0.1"}, {9999999.0f, "9999999"}};

TEST(SingleForm, WritesAtMostSevenDigits) {
  for (const auto& [value, text] : kSingleForms) EXPECT_EQ(single_form(value), text) << value;
}

// The total of a calculation adds the value each written form is known to
// read back as; it must be what reading the text gives, for short decimals,
// long fractions, exponent forms, negatives and both precisions.
TEST(WrittenForm, KnowsTheValueItsTextReadsBackAs) {
  std::vector<double> values;
  for (const auto& c : kDoubleForms) values.push_back(c.first);
  for (const auto& c : kSingleForms) values.push_back(c.first);
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

// The figures a claim's working quotes; a whole number keeps every digit of
// its exact value.
TEST(PlainForm, WritesTheShortestDigitsWithoutExponent) {
  const std::pair<double, std::string> rows[] = {
      {0.4, "0.4"},
      {-1.5e-7, "-0.00000015"},
      {1e23, "99999999999999991611392"},
      {4.9406564584124654e-324, "0." + std::string(323, '0') + "5"},
  };
  for (const auto& [value, text] : rows) EXPECT_EQ(plain_form(value), text) << value;
  EXPECT_EQ(decimal_value(0.4f), 0.4);
}

TEST(NumberText, KeepsItsPointUnderForeignLocales) {
  for (const char* name : {"de_DE.UTF-8", "zh_CN.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;  // not made on this machine
    std::locale::global(std::locale(name));
    EXPECT_EQ(read_number("12.5"), 12.5) << name;
    EXPECT_EQ(read_number("12,5"), 12.0) << name;
    const std::string forms = double_form(1234567.25) + " " + single_form(0.5f) + " " +
                              plain_form(1234567.25) + " " + fixed_form(1234567.25, 2);
    EXPECT_EQ(forms, "1234567.25 0.5 1234567.25 1234567.25") << name;
  }
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
}

}  // namespace
}  // namespace gongshang
