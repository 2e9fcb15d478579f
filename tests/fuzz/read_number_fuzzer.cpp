// Feeds arbitrary UTF-8 texts to the text-to-number rule and holds it to what the calculator
// relies on: no crash, and every value it gives survives the trip through the written forms.
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/number_text.h"

using namespace gongshang;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// A second rendering of the written forms, free of the writer's shortcuts: the C library's %G,
// whose rule they follow (the fuzzer runs in the "C" locale, so its point is "."), but "0" for -0.
std::string reference_form(double x, int digits) {
  char text[64];
  return x == 0 ? "0" : std::string(text, std::snprintf(text, sizeof text, "%.*G", digits, x));
}

void check_forms(double v) {
  if (!std::isfinite(v)) return;
  check(double_form(v) == reference_form(v, kDoubleFormDigits));
  float f = static_cast<float>(v);
  if (std::isfinite(f)) check(single_form(f) == reference_form(f, kSingleFormDigits));
}

// The decimal rule once more, through the C library's strtod: the longest prefix of the text
// without blanks that reads as sign, digits with one point, and an exponent that has digits.
// Radix texts are not its to judge.
void check_like_strtod(const std::string& text) {
  std::string s;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n') s += c;
  if (s.starts_with('&')) return;
  const auto digits = [&s](std::size_t& i) {
    const std::size_t from = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
    return i - from;
  };
  std::size_t i = s.starts_with('+') || s.starts_with('-') ? 1 : 0;
  std::size_t n = digits(i);
  if (i < s.size() && s[i] == '.') n += digits(++i);
  if (n == 0) return check(read_number(text) == 0.0);
  std::string number = s.substr(0, i);
  if (i + 1 < s.size() && std::strchr("EeDd", s[i]) != nullptr) {
    std::size_t j = i + 1 + (s[i + 1] == '+' || s[i + 1] == '-' ? 1 : 0);
    if (digits(j) > 0) number += "e" + s.substr(i + 1, j - i - 1);
  }
  const double v = std::strtod(number.c_str(), nullptr);
  check(std::isinf(v) ? !read_number(text) : read_number(text) == v);
}

void check_round_trip(double v) {
  std::string text = double_form(v);
  auto back = read_number(text);
  // A value within a 15-digit rounding of the largest double may not come back.
  if (!back) return check(std::fabs(v) > 1.7976931348623e308);
  check(double_form(*back) == text && (*back == v || std::fabs(*back - v) <= std::fabs(v) * 1e-14));
  float f = static_cast<float>(v);
  if (std::isfinite(f)) {
    // Seven digits land within half a unit of the seventh digit, but need not name the same
    // float again (1.0000001E28 is written 1E+28): only six do.
    auto single_back = read_number(single_form(f));
    check(single_back && std::fabs(*single_back - f) <= std::fabs(f) * 5e-7);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // Raw bits as a double, and scaled to few decimals, where the writer takes shortcuts.
  if (size >= 8) {
    double raw;
    std::memcpy(&raw, data, sizeof raw);
    check_forms(raw);
    std::int64_t whole;
    std::memcpy(&whole, data, sizeof whole);
    for (double scale : {1.0, 10.0, 100.0, 1e4, 1e7})
      check_forms(static_cast<double>(whole % 100000000000000000) / scale);
  }

  if (const auto value = read_number(text)) {
    check(std::isfinite(*value));
    check_forms(*value);
    check_round_trip(*value);
  }

  // The ASCII reading agrees with strtod, and with the full-width twins an input method types.
  std::string ascii, wide;
  for (std::size_t i = 0; i < size && (data[i] & 0x7F) != 0; ++i) {
    const char c = static_cast<char>(data[i] & 0x7F);
    ascii += c;
    // U+3000 for a blank, U+FF01..U+FF5E for the rest, in UTF-8.
    const unsigned code = c == ' ' ? 0x3000u : 0xFF00u + static_cast<unsigned>(c - 0x20);
    if (c < ' ' || c == 0x7F)
      wide += c;
    else
      wide += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
               static_cast<char>(0x80 | (code & 0x3F))};
  }
  check(read_number(wide) == read_number(ascii));
  check_like_strtod(ascii);
  return 0;
}
