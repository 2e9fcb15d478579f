// Feeds arbitrary UTF-16 texts to the text-to-number rule and holds it to what
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

#include "compensation.h"
#include "number_text.h"

using namespace gongshang;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// A plain second rendering of the written forms, free of the writer's
// shortcuts: round with to_chars, then lay the digits out by the rules.
std::u16string reference_form(double x, int digits) {
  if (x == 0) return u"0";
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
  return std::u16string(out.begin(), out.end());
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
  std::u16string text = double_form(v);
  auto back = read_number(text);
  // A value within a 15-digit rounding of the largest double may not come back.
  if (!back) {
    check(std::fabs(v) > 1.7976931348623e308);
    return;
  }
  check(double_form(*back) == text);
  check(*back == v || std::fabs(*back - v) <= std::fabs(v) * 1e-14);
  // Seven significant digits do not bring every float back (six always do):
  // 1.0000001E28 is written 1E+28, which is nearest another float. What holds
  // is that the form is the float rounded in its seventh digit.
  float f = static_cast<float>(v);
  if (std::isfinite(f)) {
    auto single_back = read_number(single_form(f));
    check(single_back && std::fabs(*single_back - f) <= std::fabs(f) * 5.000001e-7);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    text += static_cast<char16_t>(data[i] | data[i + 1] << 8);

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
    check(!std::isnan(*value) && std::isfinite(*value));
    check_round_trip(*value);
  }

  // The byte form reads ASCII the same way.
  std::string ascii;
  for (std::size_t i = 0; i < size; ++i) ascii += static_cast<char>(data[i] & 0x7F);
  std::u16string wide(ascii.begin(), ascii.end());
  check(read_number(std::string_view(ascii)) == read_number(wide));
  bool applies = false;
  auto expected = reference_read(ascii.substr(0, ascii.find('\0')), applies);
  if (applies) {
    auto got = read_number(wide.substr(0, wide.find(u'\0')));
    check(expected.has_value() == got.has_value());
    check(!expected || *expected == *got);
  }

  // And the whole calculation never crashes on it: every field gets the text.
  InputTexts in;
  in.fill(text);
  auto out = calculate(in);
  if (auto* texts = std::get_if<ResultTexts>(&out)) {
    for (const auto& t : *texts) check(!t.empty() && t.size() < kMaxFormLength);
  }
  return 0;
}
