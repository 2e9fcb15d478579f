// Feeds arbitrary UTF-8 texts to the text-to-number rule and holds it to what
// the calculator relies on: no crash, and every value it gives survives the
// trip through the written forms.
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "engine/number_text.h"

using namespace gongshang;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// A plain second rendering of the written forms, free of the writer's
// shortcuts: round with to_chars, then lay the digits out by the rules.
std::string reference_form(double x, int digits) {
  if (x == 0) return "0";
  char sci[64];
  auto end =
      std::to_chars(sci, sci + sizeof sci, std::fabs(x), std::chars_format::scientific, digits - 1)
          .ptr;
  std::string all(sci, end);
  std::size_t e_at = all.find('e');
  std::string mant;
  for (char c : all.substr(0, e_at))
    if (c != '.') mant += c;
  int e = std::stoi(all.substr(e_at + 1));
  while (mant.size() > 1 && mant.back() == '0') mant.pop_back();
  std::string out = x < 0 ? "-" : "";
  if (e >= -4 && e < digits) {
    if (e < 0) {
      out += "0." + std::string(-e - 1, '0') + mant;
    } else {
      while (static_cast<int>(mant.size()) <= e) mant += '0';
      out += mant.substr(0, e + 1);
      if (static_cast<int>(mant.size()) > e + 1) out += "." + mant.substr(e + 1);
    }
  } else {
    out += mant.substr(0, 1);
    if (mant.size() > 1) out += "." + mant.substr(1);
    out += e < 0 ? "E-" : "E+";
    std::string mag = std::to_string(e < 0 ? -e : e);
    out += (mag.size() < 2 ? "0" : "") + mag;
  }
  return out;
}

void check_forms(double v) {
  if (!std::isfinite(v)) return;
  check(double_form(v) == reference_form(v, kDoubleFormDigits));
  float f = static_cast<float>(v);
  if (std::isfinite(f)) check(single_form(f) == reference_form(f, kSingleFormDigits));
}

// The decimal rule once more, through the C library's strtod: the longest
// prefix that reads as sign, digits with one point, and an exponent that has
// digits. The fuzzer runs in the "C" locale, so strtod's point is ".".
std::optional<double> reference_read(const std::string& text, bool& applies) {
  std::string s;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s += c;
  }
  applies = s.empty() || s[0] != '&';  // radix texts are not this reference's
  if (!applies) return std::nullopt;
  std::size_t i = 0, digits = 0;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++digits)
    number += s[i];
  if (i < s.size() && s[i] == '.') {
    number += s[i++];
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++digits)
      number += s[i];
  }
  if (digits == 0) return 0.0;
  if (i < s.size() && std::strchr("EeDd", s[i]) != nullptr) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    std::size_t start = j;
    for (; j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])); ++j) exponent += s[j];
    if (j > start) number += exponent;
  }
  double v = std::strtod(number.c_str(), nullptr);
  if (std::isinf(v)) return std::nullopt;
  return v;
}

void check_round_trip(double v) {
  std::string text = double_form(v);
  auto back = read_number(text);
  // A value within a 15-digit rounding of the largest double may not come back.
  if (!back) {
    check(std::fabs(v) > 1.7976931348623e308);
    return;
  }
  check(double_form(*back) == text);
  check(*back == v || std::fabs(*back - v) <= std::fabs(v) * 1e-14);
  float f = static_cast<float>(v);
  if (std::isfinite(f)) {
    // Seven digits land within half a unit of the seventh digit, but need not
    // name the same float again (1.0000001E28 is written 1E+28): only six do.
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

  auto value = read_number(text);
  if (value) {
    check_forms(*value);
    check(std::isfinite(*value));
    check_round_trip(*value);
  }

  // The ASCII reading agrees with strtod, and with the full-width twins an
  // input method types in its place.
  std::string ascii;
  std::string wide;
  for (std::size_t i = 0; i < size && (data[i] & 0x7F) != 0; ++i) {
    const char c = static_cast<char>(data[i] & 0x7F);
    ascii += c;
    if (c > ' ' && c < 0x7F) {
      const unsigned code = 0xFF00u + static_cast<unsigned>(c - 0x20);  // U+FF01..U+FF5E
      wide += {'\xEF', static_cast<char>(0x80 | (code >> 6 & 0x3F)),
               static_cast<char>(0x80 | (code & 0x3F))};
    } else {
      wide += c == ' ' ? std::string("\u3000") : std::string(1, c);
    }
  }
  check(read_number(wide) == read_number(ascii));
  bool applies = false;
  auto expected = reference_read(ascii, applies);
  if (applies) check(expected == read_number(ascii));
  return 0;
}
