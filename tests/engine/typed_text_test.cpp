#include "engine/typed_text.h"

#include <gtest/gtest.h>

#include "engine/claim.h"
#include "engine/number_text.h"

namespace gongshang {
namespace {

// The one money rule: the batch tool, case files and the window take these
// verdicts from here.
TEST(TypedText, MoneyIsDigitsWithOnePointAndWholeGroupsOfThree) {
  struct Row {
    const char* text;
    std::optional<double> value;  // nullopt: refused, or "" not given
    const char* plain = "";
  } rows[] = {
      {"１２,３４５.６", 12345.6, "12345.6"},
      {"1,234,567.25", 1234567.25, "1234567.25"},
      {"\xE3\x80\x80 .5\t", 0.5, "0.5"},
      {"7000.", 7000, "7000"},
      {"10000000", 1e7, "10000000"},  // the ceiling itself
      {"", std::nullopt},
      {"6,00", std::nullopt},
      {"1234,567", std::nullopt},
      {",123", std::nullopt},
      {"1,000.000,5", std::nullopt},
      {"-0", std::nullopt},
      {".", std::nullopt},
      {"10000000.01", std::nullopt},  // beyond the ceiling
  };
  for (const Row& r : rows) {
    const MoneyReading m = read_money(r.text, 1e7);
    EXPECT_EQ(m.value, r.value) << r.text;
    EXPECT_EQ(m.plain, r.plain) << r.text;
    EXPECT_EQ(m.problem.empty(), r.value.has_value() || *r.text == '\0') << r.text;
  }
}

TEST(TypedText, ACountIsAWholeNumberUpToItsLimit) {
  const std::pair<const char*, std::optional<int>> rows[] = {
      {"\u30002\t\n", 2},  // ideographic space
      {"０２４", 24},     {"25", std::nullopt}, {"2.0", std::nullopt}, {"-1", std::nullopt},
  };
  for (const auto& [text, count] : rows) EXPECT_EQ(read_count(text, 24), count) << text;
}

TEST(TypedText, EchoesInvisibleCharactersVisibly) {
  const std::pair<std::string, std::string> rows[] = {
      {std::string("浙江\0", 7), "浙江\\u0000"},
      {"a\tb\x7F", "a\\u0009b\\u007F"},
      {"\xC2\x85\xC2\xA0", "\\u0085\xC2\xA0"},                // NEL shown, no-break space kept
      {"北\u200B京\uFEFF", "北\\u200B京\\uFEFF"},             // zero-width space, byte-order mark
      {"\xD5\xE3\xBD", "\\xD5\\xE3\\xBD"},                    // GBK bytes
      {"\xC0\x80\xED\xA0\x80", "\\xC0\\x80\\xED\\xA0\\x80"},  // overlong NUL, surrogate
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},               // four bytes, kept
      {std::string(kVisibleBytes - 1, 'x') + "京京", std::string(kVisibleBytes - 1, 'x') + "京…"},
  };
  for (const auto& [text, shown] : rows) {
    EXPECT_EQ(visible(text), shown) << shown;
    // Valid UTF-8 up to the first byte shown as \x.
    EXPECT_EQ(visible(text.substr(0, valid_utf8_prefix(text))).find("\\x"), std::string::npos);
    EXPECT_EQ(shown.find("\\x") == std::string::npos, valid_utf8_prefix(text) == text.size())
        << shown;
  }
  const std::string note(kVisibleBytes + 3, 'x');
  EXPECT_EQ(visible(note, kWholeText), note);
}

TEST(TypedText, FindsWhatANameMustNotHold) {
  const std::pair<std::string, std::size_t> rows[] = {
      {"Ａ区(自拟)", std::string::npos},
      {"浙 江", 3},
      {"浙江\u00A0", 6},
      {"\xB9", 0},
  };
  for (const auto& [text, at] : rows) EXPECT_EQ(first_unclear(text), at) << visible(text);
}

TEST(TypedText, MoneyIsTheExactValueToTheFen) {
  const std::pair<double, const char*> rows[] = {
      {0.125, "0.12"},   {0.375, "0.38"},
      {2.675, "2.67"},   {12345.675, "12345.67"},  // both just below the half
      {-0.001, "-0.00"}, {-0.0, "0.00"},
      {-2.5, "-2.50"},   {4.611686018427388e16, "46116860184273880.00"},  // beyond the fast path
  };
  for (const auto& [yuan, text] : rows) EXPECT_EQ(money_text(yuan), text) << yuan;
}

}  // namespace
}  // namespace gongshang
