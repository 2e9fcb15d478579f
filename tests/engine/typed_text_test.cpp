#include "engine/typed_text.h"

#include <gtest/gtest.h>

#include "engine/claim.h"

namespace gongshang {
namespace {

TEST(TypedText, ReadsANumberOnlyAsAWhole) {
  struct Row {
    const char* text;
    std::optional<double> number;
    std::optional<int> count;
  } rows[] = {
      {" ７０００ ", 7000, std::nullopt},  // beyond kMaxCount
      {"\xE3\x80\x80"
       "2\t\n",
       2, 2},  // ideographic space
      {"7000.5", 7000.5, std::nullopt},
      {"-1", -1, std::nullopt},
      {"０９９９", 999, 999},
      {"1000", 1000, std::nullopt},
      {"7000元", std::nullopt, std::nullopt},
      {"1,000", std::nullopt, std::nullopt},
      {"1e400", std::nullopt, std::nullopt},
      {"1e-400", std::nullopt, std::nullopt},  // too small for a double, yet not 0
      {"0e-400", 0, std::nullopt},
      {"3e-324", 4.9406564584124654e-324, std::nullopt},
      {"+5", std::nullopt, std::nullopt},
      {"inf", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(read_plain_number(r.text), r.number) << r.text;
    EXPECT_EQ(read_count(r.text), r.count) << r.text;
  }
}

// What a message echoes: nothing the reader cannot see, nothing else changed.
TEST(TypedText, EchoesInvisibleCharactersVisibly) {
  const std::pair<std::string, std::string> rows[] = {
      {"浙江", "浙江"},
      {std::string("浙江\0", 7), "浙江\\u0000"},
      {"a\tb\x7F", "a\\u0009b\\u007F"},
      {"\xC2\x85\xC2\xA0", "\\u0085\xC2\xA0"},                // NEL shown, no-break space kept
      {"北\u200B京\uFEFF", "北\\u200B京\\uFEFF"},             // zero-width space, byte-order mark
      {"\u202E\u2060", "\\u202E\\u2060"},                     // direction override, word joiner
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
}

// Two decimals of the exact binary value, ties to even.
TEST(TypedText, MoneyIsTheExactValueToTheFen) {
  struct Row {
    double yuan;
    const char* text;
  } rows[] = {
      {0.125, "0.12"},   {0.375, "0.38"},
      {2.675, "2.67"},   {12345.675, "12345.67"},  // both just below the half
      {-0.001, "-0.00"}, {-0.0, "0.00"},
      {-2.5, "-2.50"},   {4.611686018427388e16, "46116860184273880.00"},  // beyond the fast path
  };
  for (const Row& r : rows) EXPECT_EQ(money_text(r.yuan), r.text) << r.yuan;
}

}  // namespace
}  // namespace gongshang
