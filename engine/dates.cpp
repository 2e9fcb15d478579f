#include "engine/dates.h"

#include <algorithm>
#include <charconv>

#include "engine/typed_text.h"

namespace gongshang {
namespace {

bool is_leap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// First birth month each original age's delay counts from, the delay's
// rhythm in birth months per added month, and its ceiling in months.
struct Reform {
  int age;
  int first_year;
  int months_per_step;
  int max_months;
};
constexpr Reform kReforms[] = {{60, 1965, 4, 36}, {55, 1970, 4, 36}, {50, 1975, 2, 60}};

// Reads `min`..`max` digits at the start of s into value and moves s past them.
bool take_number(std::string_view& s, std::size_t min_digits, std::size_t max_digits, int& value) {
  std::size_t n = 0;
  value = 0;
  while (n < s.size() && n <= max_digits && s[n] >= '0' && s[n] <= '9') {
    value = value * 10 + (s[n++] - '0');
  }
  if (n < min_digits || n > max_digits) return false;
  s.remove_prefix(n);
  return true;
}

bool take(std::string_view& s, std::string_view separator) {
  if (!s.starts_with(separator)) return false;
  s.remove_prefix(separator.size());
  return true;
}

// Days since 1970-01-01 (negative before), for the days between two dates.
int day_number(Date d) {
  const int y = d.year - (d.month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int of_era = y - era * 400;
  const int of_year = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const int of_eras = of_era * 365 + of_era / 4 - of_era / 100 + of_year;
  return era * 146097 + of_eras - 719468;
}

}  // namespace

int days_in_month(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

std::optional<Date> parse_date(std::string_view text) {
  std::string buffer;
  std::string_view s = ascii_form(text, buffer);

  Date d;
  if (!take_number(s, 4, 4, d.year)) return std::nullopt;
  // The separators decide the form; the day's suffix must match it.
  std::string_view between, after_month, after_day;
  if (s.starts_with("-")) {
    between = after_month = "-";
  } else if (s.starts_with("/")) {
    between = after_month = "/";
  } else {
    between = "年", after_month = "月", after_day = "日";
  }
  if (!take(s, between) || !take_number(s, 1, 2, d.month) || !take(s, after_month) ||
      !take_number(s, 1, 2, d.day) || !take(s, after_day) || !s.empty()) {
    return std::nullopt;
  }
  if (d.year < kMinYear || d.month < 1 || d.month > 12 || d.day < 1 ||
      d.day > days_in_month(d.year, d.month)) {
    return std::nullopt;
  }
  return d;
}

std::string format_date(Date date) {
  std::string out;
  auto put = [&out](int value, std::size_t width) {
    char digits[12];
    const auto n =
        static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    if (n < width) out.append(width - n, '0');
    out.append(digits, n);
  };
  put(date.year, 4);
  out.push_back('-');
  put(date.month, 2);
  out.push_back('-');
  put(date.day, 2);
  return out;
}

Date add_years_months(Date date, int years, int months) {
  int total = date.year * 12 + (date.month - 1) + years * 12 + months;
  Date moved{total / 12, total % 12 + 1, 0};
  moved.day = std::min(date.day, days_in_month(moved.year, moved.month));
  return moved;
}

std::optional<int> retirement_delay_months(Date birth, int original_age) {
  for (const Reform& r : kReforms) {
    if (r.age != original_age) continue;
    int k = (birth.year - r.first_year) * 12 + (birth.month - 1);
    if (k < 0) return 0;
    return std::min(r.max_months, k / r.months_per_step + 1);
  }
  return std::nullopt;
}

std::optional<Date> retirement_date(Date birth, int original_age) {
  auto delay = retirement_delay_months(birth, original_age);
  if (!delay) return std::nullopt;
  return add_years_months(birth, original_age, *delay);
}

std::optional<Date> retirement_date_on(Date birth, int original_age, Date on) {
  if (on >= kRetirementReformStart) return retirement_date(birth, original_age);
  if (!retirement_delay_months(birth, original_age)) return std::nullopt;
  return add_years_months(birth, original_age, 0);
}

MonthsAndDays months_through(Date first, Date last) {
  if (last < first) return {};
  // The day after `last`, so that both days count.
  Date after = last;
  if (++after.day > days_in_month(after.year, after.month)) {
    after.day = 1;
    if (++after.month > 12) after = {after.year + 1, 1, 1};
  }
  int months = (after.year - first.year) * 12 + (after.month - first.month);
  // The month difference overshoots by at most one.
  if (add_years_months(first, 0, months) > after) --months;
  return {months, day_number(after) - day_number(add_years_months(first, 0, months))};
}

int whole_years_between(Date from, Date to) {
  if (to <= from) return 0;
  int n = to.year - from.year;
  // The year difference overshoots by at most one.
  if (add_years_months(from, n, 0) > to) --n;
  return n;
}

}  // namespace gongshang
