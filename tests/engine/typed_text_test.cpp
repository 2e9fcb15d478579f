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
