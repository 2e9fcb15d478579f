#include "engine/number_text.h"

#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace gongshang {
namespace {

// Hands out the characters of a UTF-8 text one at a time, already folded:
// the three-byte sequences of the full-width forms become ASCII and the
// ideographic space a blank; blanks are skipped; any other non-ASCII byte
// comes out as 0, which no number continues with. 0 also marks the end.
class Utf8Cursor {
 public:
  explicit Utf8Cursor(std::string_view text) : text_(text) {}

  char next() {
    while (pos_ < text_.size()) {
      auto b = static_cast<unsigned char>(text_[pos_]);
      char32_t c = b;
      if (b >= 0x80) {
        if (b != 0xE3 && b != 0xEF) return '\0';
        if (text_.size() - pos_ < 3) return '\0';
        auto b1 = static_cast<unsigned char>(text_[pos_ + 1]);
        auto b2 = static_cast<unsigned char>(text_[pos_ + 2]);
        if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return '\0';
        c = ((b & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
        pos_ += 3;
        if (c >= 0xFF01 && c <= 0xFF5E) {
          c -= 0xFEE0;
        } else if (c == 0x3000) {
          continue;
        } else {
          return '\0';
        }
      } else {
        ++pos_;
      }
      if (c == ' ' || c == '\t' || c == '\n') continue;
      return static_cast<char>(c);
    }
    return '\0';
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Collects the ASCII form of the number handed to fast_float. Field
// texts are short; a pasted novel of digits spills to the heap.
class DigitBuffer {
 public:
  void push(char c) {
    if (size_ < kLocal) {
      local_[size_] = c;
    } else {
      if (spill_.empty()) spill_.assign(local_, kLocal);
      spill_.push_back(c);
    }
    ++size_;
  }
  void truncate(std::size_t size) {
    size_ = size;
    if (!spill_.empty()) spill_.resize(size > kLocal ? size : kLocal);
  }
  std::size_t size() const { return size_; }
  const char* data() const { return spill_.empty() ? local_ : spill_.data(); }

 private:
  static constexpr std::size_t kLocal = 128;
  char local_[kLocal];
  std::string spill_;
  std::size_t size_ = 0;
};

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

int hex_value(char c) {
  if (is_digit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

template <class Cursor>
std::optional<double> read_radix(Cursor& cursor, int radix) {
  std::uint64_t n = 0;
  bool too_large = false;
  for (char c = cursor.next();; c = cursor.next()) {
    int d = hex_value(c);
    if (d < 0 || d >= radix) break;
    n = n * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
    if (n > kMaxRadixValue) {
      too_large = true;
      n = kMaxRadixValue;  // keeps the product from wrapping while we read on
    }
  }
  if (too_large) return std::nullopt;
  if (n <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(n));
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
}

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Most field texts are plain decimals such as "3500" or "12000.5". With at
// most 15 digits the digits form an exact double, and so does a power of ten
// up to 1e22, so one division gives the nearest double to the decimal: the
// same value the general reader gets, without its folding and buffering.
std::optional<double> read_unsigned_plain(const char* s, std::size_t n) {
  // 15 digits and a point at most: a longer text is not one.
  if (n == 0 || n > 16) return std::nullopt;
  std::uint64_t digits = 0;
  std::size_t point = n;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned d = static_cast<unsigned char>(s[i]) - unsigned{'0'};
    if (d < 10) {
      digits = digits * 10 + d;
    } else if (s[i] == '.' && point == n) {
      point = i;
    } else {
      return std::nullopt;
    }
  }
  if (point == n) {
    if (n > 15) return std::nullopt;
    return static_cast<double>(digits);
  }
  if (n == 1) return std::nullopt;  // "."
  const std::size_t after_point = n - 1 - point;
  const double value = static_cast<double>(digits);
  return after_point > 0 ? value / kPow10[after_point] : value;
}

// The same with a sign before it.
std::optional<double> read_plain(const char* s, std::size_t n) {
  if (n > 0 && (s[0] == '-' || s[0] == '+')) {
    auto value = read_unsigned_plain(s + 1, n - 1);
    if (value && s[0] == '-') return -*value;
    return value;
  }
  return read_unsigned_plain(s, n);
}

template <class Cursor>
std::optional<double> read(Cursor cursor) {
  char c = cursor.next();
  if (c == '&') {
    c = cursor.next();
    if (c == 'H' || c == 'h') return read_radix(cursor, 16);
    if (c == 'O' || c == 'o') return read_radix(cursor, 8);
    return 0.0;
  }
  DigitBuffer buf;
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = cursor.next();
  }
  buf.push('0');  // a digit before the point, as "0.5" for ".5"
  bool any_digit = false;
  for (; is_digit(c); c = cursor.next()) {
    buf.push(c);
    any_digit = true;
  }
  if (c == '.') {
    buf.push('.');
    for (c = cursor.next(); is_digit(c); c = cursor.next()) {
      buf.push(c);
      any_digit = true;
    }
  }
  if (!any_digit) return 0.0;
  std::size_t mantissa_end = buf.size();
  if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
    buf.push('e');
    c = cursor.next();
    if (c == '+' || c == '-') {
      buf.push(c);
      c = cursor.next();
    }
    bool exponent_digit = false;
    for (; is_digit(c); c = cursor.next()) {
      buf.push(c);
      exponent_digit = true;
    }
    // A letter with no digits after it is not an exponent; the number ends before it.
    if (!exponent_digit) buf.truncate(mantissa_end);
  }
  // fast_float answers a number beyond the double range with infinity and one
  // too small for any double with 0, neither as an error: the first is
  // refused, the second is the 0 it reads as.
  double value = 0;
  fast_float::from_chars(buf.data(), buf.data() + buf.size(), value);
  if (std::isinf(value)) return std::nullopt;
  return negative ? -value : value;
}

// Writes a positive x that a few decimals express exactly, such as 3500 or
// 12000.5, without the general formatter; returns 0 for any other x. If
// fl(x * 10^k) is a whole number N of at most `digits` digits, N / 10^k lies
// within half an ulp of x, far closer than half a unit of the last kept
// digit, so it is x rounded to `digits` significant digits. `shown` gets
// N / 10^k, which is what read_plain makes of the text: the same quotient of
// the same exact operands (N below 2^53, 10^k exact), trailing zeros or not.
std::size_t write_short(double x, int digits, char* out, double& shown) {
  constexpr int kMaxDecimals = 4;
  for (int k = 0; k <= kMaxDecimals; ++k) {
    double y = x * kPow10[k];
    if (y >= kPow10[digits]) return 0;
    if (y != std::floor(y)) continue;
    shown = k == 0 ? y : y / kPow10[k];
    // N's digits go straight to `out` and move right for the point (and
    // "0." before a fraction below 1): a few characters, no copy call.
    const int n =
        static_cast<int>(std::to_chars(out, out + 20, static_cast<std::uint64_t>(y)).ptr - out);
    const int whole = n - k;
    int last = n;  // the fraction's trailing zeros dropped
    while (last > whole && last > 0 && out[last - 1] == '0') --last;
    if (last <= whole) return static_cast<std::size_t>(whole);
    if (whole > 0) {
      for (int i = last; i > whole; --i) out[i] = out[i - 1];
      out[whole] = '.';
      return static_cast<std::size_t>(last + 1);
    }
    const int shift = 2 - whole;  // "0." and the zeros after the point
    for (int i = last - 1; i >= 0; --i) out[i + shift] = out[i];
    out[0] = '0';
    out[1] = '.';
    for (int i = 2; i < shift; ++i) out[i] = '0';
    return static_cast<std::size_t>(last + shift);
  }
  return 0;
}

// Rounds |x| to `digits` significant digits and writes it as the forms want;
// `shown` gets what read_number makes of the text.
std::size_t write_form(double x, int digits, char* out, std::optional<double>& shown) {
  if (x == 0 || !std::isfinite(x)) {
    out[0] = '0';
    shown = 0.0;
    return 1;
  }
  char* p = out;
  if (x < 0) *p++ = '-';
  double value = 0;
  if (std::size_t n = write_short(std::fabs(x), digits, p, value)) {
    shown = x < 0 ? -value : value;
    return static_cast<std::size_t>(p - out) + n;
  }
  // printf's %.*G rule: scientific below 1E-04 or from 1E+digits on,
  // trailing zeros dropped, at least two exponent digits; the last digit
  // rounded from the exact binary value, ties to even. The format is
  // compiled: parsing it on every call cost as much as the writing.
  // 22 characters at most (see kMaxFormLength).
  const auto n = static_cast<std::size_t>(
      fmt::format_to(p, FMT_COMPILE("{:.{}G}"), std::fabs(x), digits) - out);
  shown = read_number(std::string_view(out, n));
  return n;
}

// Lays out the shortest digits that read back as x (x not a whole number,
// finite) in plain notation. fmt writes them in exponent form below 1e-4:
//   "1.5e-07" -> "0.00000015"
std::string plain_fraction(double x) {
  std::string shortest = fmt::format("{}", x);
  const std::size_t e = shortest.find('e');
  if (e == std::string::npos) return shortest;
  const bool negative = shortest[0] == '-';
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
    if (shortest[i] != '.') digits.push_back(shortest[i]);
  }
  // Only a negative exponent gets here: from 1e16 on every double is whole.
  const int exponent = std::stoi(shortest.substr(e + 1));
  std::string text = negative ? "-0." : "0.";
  text.append(static_cast<std::size_t>(-exponent - 1), '0');
  return text.append(digits);
}

}  // namespace

std::optional<double> read_plain_decimal(std::string_view ascii) {
  return read_unsigned_plain(ascii.data(), ascii.size());
}

std::optional<double> read_decimal(std::string_view ascii) {
  // read_plain takes a part of this form ("+" aside) to the same value.
  if (!ascii.starts_with('+')) {
    if (auto plain = read_plain(ascii.data(), ascii.size())) return plain;
  }
  double value = 0;
  const char* first = ascii.data();
  const char* last = first + ascii.size();
  auto [end, ec] = fast_float::from_chars(first, last, value);
  if (ascii.empty() || ec != std::errc() || end != last || !std::isfinite(value)) {
    return std::nullopt;
  }
  // fast_float reads a number too small for any double as 0 without a word;
  // a text with a digit other than 0 before its exponent is not 0.
  if (value == 0) {
    const std::string_view mantissa = ascii.substr(0, ascii.find_first_of("eE"));
    if (mantissa.find_first_of("123456789") != std::string_view::npos) return std::nullopt;
  }
  return value;
}

std::optional<double> read_number(std::string_view text) {
  if (auto v = read_plain(text.data(), text.size())) return v;
  return read(Utf8Cursor(text));
}

std::size_t write_double_form(double x, char* out) {
  std::optional<double> shown;
  return write_form(x, kDoubleFormDigits, out, shown);
}

std::size_t write_single_form(float x, char* out) {
  std::optional<double> shown;
  return write_form(static_cast<double>(x), kSingleFormDigits, out, shown);
}

std::size_t write_double_form(double x, char* out, std::optional<double>& shown) {
  return write_form(x, kDoubleFormDigits, out, shown);
}

std::size_t write_single_form(float x, char* out, std::optional<double>& shown) {
  return write_form(static_cast<double>(x), kSingleFormDigits, out, shown);
}

std::string double_form(double x) {
  char buf[kMaxFormLength];
  return std::string(buf, write_double_form(x, buf));
}

std::string single_form(float x) {
  char buf[kMaxFormLength];
  return std::string(buf, write_single_form(x, buf));
}

std::string plain_form(double x) {
  if (!std::isfinite(x)) return fmt::format("{}", x);
  // A whole number is written with every digit of its exact value, as printf's
  // "%.0f" does; fmt's shortest form would write 1e+22.
  if (x == std::trunc(x)) return fmt::format("{:.0f}", x);
  return plain_fraction(x);
}

std::string fixed_form(double x, int decimals) {
  return fmt::format("{:.{}f}", x, decimals);
}

std::string fen_form(double x) {
  std::string s = fixed_form(x, 2);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string with_separators(std::string_view amount) {
  const bool negative = amount.starts_with('-');
  const std::string_view unsigned_part = amount.substr(negative ? 1 : 0);
  const std::size_t point = std::min(unsigned_part.find('.'), unsigned_part.size());
  const std::string_view whole = unsigned_part.substr(0, point);
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const std::string_view fraction = unsigned_part.substr(point);
  if (whole.empty() || !std::all_of(whole.begin(), whole.end(), digit) ||
      (fraction.size() > 0 && !std::all_of(fraction.begin() + 1, fraction.end(), digit)))
    return std::string(amount);
  std::string out(negative ? "-" : "");
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out += ',';
    out += whole[i];
  }
  return out.append(fraction);
}

double decimal_value(float x) {
  const std::string shortest = fmt::format("{}", x);
  double value = 0;
  fast_float::from_chars(shortest.data(), shortest.data() + shortest.size(), value);
  return value;
}

double round_half_even(double x) {
  double r = std::round(x);  // halves away from zero
  if (std::fabs(r - x) == 0.5) r = 2.0 * std::round(x / 2.0);
  return r;
}

std::optional<std::int16_t> round_to_int16(double x) {
  double r = round_half_even(x);
  if (!(r >= std::numeric_limits<std::int16_t>::min() &&
        r <= std::numeric_limits<std::int16_t>::max())) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(r);
}

}  // namespace gongshang
