// Regional settings must not reach the numbers: a German or Chinese desktop
// writes decimal commas or other separators through the C library, never here.
#include <clocale>
#include <locale>

#include <gtest/gtest.h>

#include "engine/number_text.h"

namespace gongshang {
namespace {

class UnderForeignLocale : public ::testing::TestWithParam<const char*> {};

TEST_P(UnderForeignLocale, NumbersKeepTheirPoint) {
  const char* name = GetParam();
  if (std::setlocale(LC_ALL, name) == nullptr) GTEST_SKIP() << name << " is not on this machine";
  try {
    std::locale::global(std::locale(name));
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << name << " is not usable by the C++ library";
  }
  EXPECT_EQ(read_number("12.5"), 12.5);
  EXPECT_EQ(read_number("12,5"), 12.0);
  EXPECT_EQ(double_form(1234567.25), "1234567.25");
  EXPECT_EQ(single_form(0.5f), "0.5");
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderForeignLocale,
                         ::testing::Values("de_DE.UTF-8", "zh_CN.UTF-8"));

}  // namespace
}  // namespace gongshang
