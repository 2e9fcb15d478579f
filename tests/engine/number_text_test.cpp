#include "number_text.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "utf8_text.h"

namespace gongshang {
namespace {

struct ReadCase {
  std::u16string_view text;
  double value;
};

// Each row: how a person might type a figure, and what the calculator must take it for.
constexpr ReadCase kReadCases[] = {
    // No number at all.
    {u"", 0},
    {u"abc", 0},
    {u"-", 0},
    {u".", 0},
    {u"¥100", 0},
    {u"E5", 0},
    // The number at the start; reading stops at what cannot continue it.
    {u"12abc", 12},
    {u"1.2.3", 1.2},
    {u"1,000", 1},
    {u"3500元", 3500},
    {u"12\r", 12},
    // Signs, points and exponents.
    {u"-12.5", -12.5},
    {u"+7", 7},
    {u".5", 0.5},
    {u"5.", 5},
    {u"2D2", 200},
    {u"1e-3", 0.001},
    {u"1.5E3", 1500},
    {u"1.5e+3", 1500},
    {u"1.5D3", 1500},
    {u"1.5d-1", 0.15},
    {u"--5", 0},
    {u"000123", 123},
    // An exponent letter without digits ends the number before it.
    {u"1E", 1},
    {u"1E+", 1},
    {u"2d-", 2},
    // Blanks wherever they stand.
    {u"12 34", 1234},
    {u" - 5 ", -5},
    {u"\t1\n2 . 5", 12.5},
    {u"1 e 3", 1000},
    // Radix prefixes, folded to 16 or 32 bits.
    {u"&HFF", 255},
    {u"&H7FFF", 32767},
    {u"&H8000", -32768},
    {u"&HFFFF", -1},
    {u"&H10000", 65536},
    {u"&HFFFFFFFF", -1},
    {u"&H80000000", -2147483648.0},
    {u"&H0000FFFF", -1},
    {u"&O17", 15},
    {u"&o777", 511},
    {u"&O8", 0},
    {u"&H", 0},
    {u"&HFFz", 255},
    {u"& H 1 0", 16},
    // Prefix look-alikes read as nothing.
    {u"-&H10", 0},
    {u"&X1", 0},
    {u"&", 0},
    // Full-width forms as input methods type them.
    {u"３５００", 3500},
    {u"１２．５", 12.5},
    {u"＆Ｈ１Ｆ", 31},
    {u"－３", -3},
    {u"１　２", 12},
    {u"１Ｅ２", 100},
    // Below the smallest double: the nearest double, no refusal.
    {u"1E-400", 0},
    {u"4.9E-324", 4.9406564584124654e-324},
    {u"0.0000000000000000000001e-320", 0},
    {u"0E99999", 0},
    // The largest double and its neighbourhood.
    {u"1.7976931348623157E308", 1.7976931348623157e308},
    {u"-1.7976931348623157E308", -1.7976931348623157e308},
};

TEST(ReadNumber, ReadsWhatAPersonTyped) {
  for (const auto& c : kReadCases) {
    auto got = read_number(c.text);
    ASSERT_TRUE(got.has_value()) << utf8(c.text);
    EXPECT_EQ(*got, c.value) << utf8(c.text);
  }
}

TEST(ReadNumber, Utf8ReadsLikeUtf16) {
  const char* texts[] = {"３５００", "１２．５", "＆Ｈ１Ｆ", "1　2",
                         "¥100",     "12元",     "\xEF\xBC", "7\xE3"};
  const double values[] = {3500, 12.5, 31, 12, 0, 12, 0, 7};
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    auto got = read_number(std::string_view(texts[i]));
    ASSERT_TRUE(got.has_value()) << texts[i];
    EXPECT_EQ(*got, values[i]) << texts[i];
  }
}

TEST(ReadNumber, RefusesWhatNoDoubleHolds) {
  const std::u16string_view texts[] = {
      u"1E400",       u"-1E309",        u"1.7976931348623159E308", u"1E99999999999999999999",
      u"&H100000000", u"&O77777777777", u"&HFFFFFFFFFFFFFFFFFFFF1"};
  for (auto t : texts) EXPECT_FALSE(read_number(t).has_value()) << utf8(t);
}

TEST(ReadNumber, LongTextsReadInFull) {
  std::u16string digits(310, u'1');
  digits += u".5";
  EXPECT_EQ(read_number(digits), std::nullopt);
  EXPECT_EQ(read_number(std::u16string(400, u'9')), std::nullopt);
  EXPECT_EQ(read_number(u"-" + std::u16string(310, u'1')), std::nullopt);
  std::u16string small = u"0." + std::u16string(400, u'0') + u"1e400";
  EXPECT_EQ(read_number(small), 1e-1);
}

struct FormCase {
  double value;
  std::u16string_view text;
};

constexpr FormCase kDoubleForms[] = {
    {0, u"0"},
    {-0.0, u"0"},
    {0.5, u"0.5"},
    {1.0 / 3, u"0.333333333333333"},
    {2.0 / 3, u"0.666666666666667"},
    {123456789012345, u"123456789012345"},
    {1234567890123456, u"1.23456789012346E+15"},
    {1e15, u"1E+15"},
    {999999999999999.4, u"999999999999999"},
    {999999999999999.6, u"1E+15"},
    {0.0001, u"0.0001"},
    {0.00001, u"1E-05"},
    {0.000099999999999999995, u"0.0001"},
    {-2.5, u"-2.5"},
    {2.5e-100, u"2.5E-100"},
    {1.7976931348623157e308, u"1.79769313486232E+308"},
    {4.9406564584124654e-324, u"4.94065645841247E-324"},
    {1931.0345115332797, u"1931.03451153328"},
    {104781.53451153328, u"104781.534511533"},
    {100, u"100"},
    {-1e-5, u"-1E-05"},
    // Ties on the exact binary value go to the even digit: 0.5 is exact.
    {1.0000000000000005, u"1"},
    {100000000000000.5, u"100000000000000"},
    {100000000000001.5, u"100000000000002"},
};

TEST(DoubleForm, WritesAtMostFifteenDigits) {
  for (const auto& c : kDoubleForms) EXPECT_EQ(double_form(c.value), c.text) << c.value;
}

struct SingleCase {
  float value;
  std::u16string_view text;
};

const SingleCase kSingleForms[] = {
    {0.0f, u"0"},
    {1.0f / 3, u"0.3333333"},
    {12345678.0f, u"1.234568E+07"},
    {4672.0f * 0.9f, u"4204.8"},
    {884709.0f, u"884709"},
    {2450.0f, u"2450"},
    {3500.0f * 0.7f, u"2450"},
    {2803.0f * 0.9f, u"2522.7"},
    {-0.1f, u"-0.1"},
    {1e-5f, u"1E-05"},
    {9999999.0f, u"9999999"},
    {16777216.0f, u"1.677722E+07"},
    {std::numeric_limits<float>::max(), u"3.402823E+38"},
};

TEST(SingleForm, WritesAtMostSevenDigits) {
  for (const auto& c : kSingleForms) EXPECT_EQ(single_form(c.value), c.text) << c.value;
}

TEST(Forms, ReadBackAsTheRoundedValue) {
  const double values[] = {1.0 / 3,          1234567890123456, 1e-5,  -2.5e-100,
                           104781.534511533, 6.02e23,          1e300, 1.5e-7,
                           123.456,          -0.000123456789};
  for (double v : values) {
    auto back = read_number(double_form(v));
    ASSERT_TRUE(back);
    EXPECT_EQ(double_form(*back), double_form(v));
    EXPECT_LE(std::fabs(*back - v), std::fabs(v) * 1e-14);
  }
  EXPECT_EQ(read_number(u"1.23456789012346E+15"), 1234567890123460.0);
  EXPECT_EQ(read_number(single_form(4672.0f * 0.9f)), 4204.8);
}

struct RoundCase {
  double value;
  std::optional<std::int16_t> rounded;
};

constexpr RoundCase kRoundCases[] = {
    {0.5, 0},
    {1.5, 2},
    {2.5, 2},
    {3.5, 4},
    {-0.5, 0},
    {-2.5, -2},
    {4500.5, 4500},
    {4501.5, 4502},
    {2803.2, 2803},
    {14.904, 15},
    {32767.4, 32767},
    {32767.5, std::nullopt},
    {-32768.5, -32768},
    {-32769, std::nullopt},
    {1e300, std::nullopt},
    {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    {std::numeric_limits<double>::infinity(), std::nullopt},
};

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourWithinRange) {
  for (const auto& c : kRoundCases) EXPECT_EQ(round_to_int16(c.value), c.rounded) << c.value;
}

TEST(RoundHalfEven, HasNoUpperBound) {
  EXPECT_EQ(round_half_even(36000.4), 36000);
  EXPECT_EQ(round_half_even(36000.5), 36000);
  EXPECT_EQ(round_half_even(36001.5), 36002);
  EXPECT_EQ(round_half_even(-36001.5), -36002);
  EXPECT_EQ(round_half_even(4503599627370497.0), 4503599627370497.0);
  EXPECT_EQ(round_half_even(1e300), 1e300);
}

}  // namespace
}  // namespace gongshang
