#include "engine/dates.h"

#include <tuple>

#include <gtest/gtest.h>

namespace gongshang {
namespace {

TEST(Dates, ReadsTheThreeFormsAndRefusesDaysTheCalendarLacks) {
  const std::pair<const char*, std::optional<Date>> rows[] = {
      {"2026-10-15", Date{2026, 10, 15}}, {" 2026/1/5 ", Date{2026, 1, 5}},
      {"2026年1月5日", Date{2026, 1, 5}}, {"２０２４－０２－２９", Date{2024, 2, 29}},
      {"2000/2/29", Date{2000, 2, 29}},   {"1900-02-29", std::nullopt},
      {"2025-02-29", std::nullopt},       {"2026-04-31", std::nullopt},
      {"2026-13-01", std::nullopt},       {"2026-00-10", std::nullopt},
      {"2026-1/5", std::nullopt},         {"26-1-5", std::nullopt},
  };
  for (const auto& [text, date] : rows) EXPECT_EQ(parse_date(text), date) << text;
}

TEST(Dates, RetirementAfterThe2025Reform) {
  const std::tuple<Date, int, const char*> rows[] = {
      {{1964, 12, 31}, 60, "2024-12-31"},  // before the reform's first birth month
      {{1965, 1, 1}, 60, "2025-02-01"},
      {{1965, 4, 30}, 60, "2025-05-30"},  // fourth month of the first step
      {{1965, 5, 31}, 60, "2025-07-31"},
      {{1980, 1, 1}, 60, "2043-01-01"},  // capped at 36 months
      {{1971, 8, 31}, 55, "2027-01-31"},
      {{1965, 11, 30}, 60, "2026-02-28"},  // a day the target month lacks
      {{1975, 12, 31}, 50, "2026-06-30"},
      {{1995, 1, 1}, 50, "2050-01-01"},  // capped at 60 months
  };
  for (const auto& [birth, age, retirement] : rows) {
    auto date = retirement_date(birth, age);
    ASSERT_TRUE(date) << format_date(birth);
    EXPECT_EQ(format_date(*date), retirement) << format_date(birth) << " " << age;
  }
  // The law in force on the day counts: the original age before 2025.
  EXPECT_EQ(retirement_date_on({1966, 5, 15}, 60, {2024, 12, 31}), Date(2026, 5, 15));
  EXPECT_EQ(retirement_date_on({1966, 5, 15}, 60, {2025, 1, 1}), Date(2026, 10, 15));
}

// Both days count: the day after the last is where the months are reached.
TEST(Dates, MonthsAndDaysThroughALastDay) {
  const std::tuple<Date, Date, int, int> rows[] = {
      {{2020, 1, 31}, {2020, 2, 28}, 1, 0},  {{2023, 12, 16}, {2024, 3, 1}, 2, 15},
      {{2023, 12, 31}, {2024, 1, 1}, 0, 2},  {{2023, 3, 1}, {2023, 11, 30}, 9, 0},
      {{2000, 1, 20}, {2000, 2, 29}, 1, 10}, {{2020, 6, 1}, {2020, 5, 31}, 0, 0},
  };
  for (const auto& [first, last, months, days] : rows) {
    const MonthsAndDays got = months_through(first, last);
    EXPECT_EQ(std::pair(got.months, got.days), std::pair(months, days))
        << format_date(first) << " " << format_date(last);
  }
}

TEST(Dates, WholeYearsCountOnlyCompletedYears) {
  const std::tuple<Date, Date, int> rows[] = {
      {{2023, 10, 15}, {2026, 10, 15}, 3}, {{2023, 10, 16}, {2026, 10, 15}, 2},
      {{2024, 11, 15}, {2026, 10, 15}, 1},  // 1 year 11 months
      {{2024, 2, 29}, {2025, 2, 28}, 1},   {{2026, 10, 16}, {2020, 1, 1}, 0},
  };
  for (const auto& [from, to, years] : rows) {
    EXPECT_EQ(whole_years_between(from, to), years) << format_date(from) << " " << format_date(to);
  }
}

}  // namespace
}  // namespace gongshang
