// Calendar dates as a claim needs them: read from what people type, the
// statutory retirement date, and whole years between two dates. Proleptic
// Gregorian calendar; no time zones, no locale.
#ifndef GONGSHANG_ENGINE_DATES_H_
#define GONGSHANG_ENGINE_DATES_H_

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace gongshang {

struct Date {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..days_in_month(year, month)
  friend auto operator<=>(const Date&, const Date&) = default;
};

// Years a date may have: four digits.
inline constexpr int kMinYear = 1000;
inline constexpr int kMaxYear = 9999;

// 28..31.
//   (2024, 2) -> 29   (2100, 2) -> 28   (2025, 4) -> 30
int days_in_month(int year, int month);

// Reads a date in one of three forms, the month and day with one or two
// digits; blanks around it are ignored, full-width digits and separators
// count as ASCII. A date the calendar lacks, or any other text, is refused.
//   "2026-10-15" -> {2026,10,15}   "2026/1/5" -> {2026,1,5}
//   "2026年1月5日" -> {2026,1,5}    "２０２６－１０－１５" -> {2026,10,15}
//   "2025-02-29" -> nullopt   "2026-13-01" -> nullopt   "2026.1.5" -> nullopt
//   "" -> nullopt   "26-1-5" -> nullopt   "2026-1-5日" -> nullopt
std::optional<Date> parse_date(std::string_view text);

// {2026,10,15} -> "2026-10-15"   {2032,1,1} -> "2032-01-01"
std::string format_date(Date date);

// The date moved on by whole years and months; a day the target month lacks
// becomes its last day.
//   ({1980,1,31}, 0, 1) -> {1980,2,29}   ({2024,2,29}, 1, 0) -> {2025,2,28}
Date add_years_months(Date date, int years, int months);

// Original retirement ages the 2025 reform knows.
inline constexpr int kRetirementAges[] = {60, 55, 50};
// A man retiring at 55 does so from a special-type job (特殊工种), which the
// reform leaves undelayed.
inline constexpr int kSpecialJobAge = kRetirementAges[1];

// Months the 2025 reform adds for a birth date and original age (60, 55 or
// 50): one month per four (per two for 50) birth months from 1965-01
// (1970-01, 1975-01) on, counting the first, up to 36 (60 for 50).
//   ({1964,12,31}, 60) -> 0   ({1965,1,1}, 60) -> 1   ({1966,5,15}, 60) -> 5
//   ({1980,3,1}, 50) -> 32    ({1990,1,1}, 60) -> 36  ({1990,1,1}, 50) -> 60
// Any other age -> nullopt.
std::optional<int> retirement_delay_months(Date birth, int original_age);

// The statutory retirement date: birth moved on by the original age in years
// and the delay in months.
//   ({1966,5,15}, 60) -> {2026,10,15}   ({1980,3,1}, 50) -> {2032,11,1}
//   ({1960,7,1}, 55) -> {2015,7,1}      (any, 45) -> nullopt
std::optional<Date> retirement_date(Date birth, int original_age);

// The first day of the 2025 reform (decision of 2024-09-13): before it the
// original ages were the statutory ones.
inline constexpr Date kRetirementReformStart{2025, 1, 1};

// The statutory retirement date under the law in force on `on`: the original
// age in whole years before kRetirementReformStart, the reformed date from it.
//   ({1966,5,15}, 60, {2023,10,15}) -> {2026,5,15}
//   ({1966,5,15}, 60, {2025,1,1}) -> {2026,10,15}   (any, 45, any) -> nullopt
std::optional<Date> retirement_date_on(Date birth, int original_age, Date on);

// The time from `first` through `last`, both days counted: whole months, and
// the days beyond them; {0, 0} when last < first.
// A month from a day the next month lacks ends on that month's last day.
//   ({2004,12,1}, {2016,5,31}) -> {138, 0}   ({2020,1,1}, {2020,6,29}) -> {5, 29}
//   ({2020,1,31}, {2020,2,28}) -> {1, 0}     ({2020,1,1}, {2020,1,1}) -> {0, 1}
struct MonthsAndDays {
  int months = 0;
  int days = 0;
};
MonthsAndDays months_through(Date first, Date last);

// How many whole years from `from` reach no later than `to`: the largest n
// with add_years_months(from, n, 0) <= to; 0 when to <= from.
//   ({2023,10,15}, {2026,10,15}) -> 3   ({2024,11,15}, {2026,10,15}) -> 1
//   ({2024,2,29}, {2025,2,28}) -> 1     ({2026,10,15}, {2020,1,1}) -> 0
int whole_years_between(Date from, Date to);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_DATES_H_
