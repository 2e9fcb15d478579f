#include "engine/number_text.h"

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

// Collects the ASCII form of the number handed to std::from_chars. Field
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
    n = n * radix + d;
    if (n > kMaxRadixValue) {
      too_large = true;
      n = kMaxRadixValue;  // keeps the product from wrapping while we read on
    }
  }
  if (too_large) return std::nullopt;
  if (n <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(n));
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
}

// Decimal exponent of the first significant digit of the number the buffer
// holds, saturated; only its sign matters, to tell overflow from underflow.
long long magnitude(std::string_view mantissa, std::string_view exponent) {
  long long m = 0;
  std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  std::size_t first = mantissa.find_first_not_of("0.");
  if (first == std::string_view::npos) return 0;
  m = first < point ? static_cast<long long>(point - first) - 1
                    : -static_cast<long long>(first - point);
  long long e = 0;
  bool negative = !exponent.empty() && exponent[0] == '-';
  for (char c : exponent) {
    if (is_digit(c) && e < 1'000'000'000'000LL) e = e * 10 + (c - '0');
  }
  return m + (negative ? -e : e);
}

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Most field texts are plain decimals such as "3500" or "-12000.5". With at
// most 15 digits the digits form an exact double, and so does a power of ten
// up to 1e22, so one division gives the nearest double to the decimal: the
// same value the general reader gets, without its folding and buffering.
std::optional<double> read_plain(const char* s, std::size_t n) {
  std::size_t i = 0;
  bool negative = false;
  if (i < n && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  std::uint64_t digits = 0;
  int count = 0;
  int after_point = -1;
  for (; i < n; ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      digits = digits * 10 + static_cast<std::uint64_t>(s[i] - '0');
      if (++count > 15) return std::nullopt;
      if (after_point >= 0) ++after_point;
    } else if (s[i] == '.' && after_point < 0) {
      after_point = 0;
    } else {
      return std::nullopt;
    }
  }
  if (count == 0) return std::nullopt;
  double value = static_cast<double>(digits);
  if (after_point > 0) value /= kPow10[after_point];
  return negative ? -value : value;
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
  buf.push('0');  // from_chars wants a digit before the point
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
  double value = 0;
  auto [end, ec] = std::from_chars(buf.data(), buf.data() + buf.size(), value);
  if (ec == std::errc::result_out_of_range) {
    std::string_view all(buf.data(), buf.size());
    std::string_view exponent = all.substr(mantissa_end);
    if (!exponent.empty()) exponent.remove_prefix(1);
    if (magnitude(all.substr(0, mantissa_end), exponent) >= 0) return std::nullopt;
    value = 0;  // too small for any double but zero
  }
  return negative ? -value : value;
}

// Writes a positive x that a few decimals express exactly, such as 3500 or
// 12000.5, without the general formatter; returns 0 for any other x. If
// fl(x * 10^k) is a whole number N of at most `digits` digits, N / 10^k lies
// within half an ulp of x, far closer than half a unit of the last kept
// digit, so it is x rounded to `digits` significant digits.
std::size_t write_short(double x, int digits, char* out) {
  constexpr int kMaxDecimals = 4;
  for (int k = 0; k <= kMaxDecimals; ++k) {
    double y = x * kPow10[k];
    if (y >= kPow10[digits]) return 0;
    if (y != std::floor(y)) continue;
    char buf[24];
    char* end = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(y)).ptr;
    int n = static_cast<int>(end - buf);
    int whole = n - k;
    char* p = out;
    if (whole <= 0) {
      *p++ = '0';
    } else {
      std::memcpy(p, buf, whole);
      p += whole;
    }
    int last = n;
    while (last > whole && last > 0 && buf[last - 1] == '0') --last;
    if (last > whole) {
      *p++ = '.';
      for (int i = whole; i < 0; ++i) *p++ = '0';
      int from = whole < 0 ? 0 : whole;
      std::memcpy(p, buf + from, last - from);
      p += last - from;
    }
    return static_cast<std::size_t>(p - out);
  }
  return 0;
}

// Rounds |x| to `digits` significant digits and writes it as the forms want.
std::size_t write_form(double x, int digits, char* out) {
  if (x == 0 || !std::isfinite(x)) {
    out[0] = '0';
    return 1;
  }
  char* p = out;
  if (x < 0) *p++ = '-';
  if (std::size_t n = write_short(std::fabs(x), digits, p))
    return static_cast<std::size_t>(p - out) + n;
  // printf's %.*G rule: scientific below 1E-04 or from 1E+digits on,
  // trailing zeros dropped, at least two exponent digits.
  char* end =
      std::to_chars(p, out + kMaxFormLength, std::fabs(x), std::chars_format::general, digits).ptr;
  std::replace(p, end, 'e', 'E');
  return static_cast<std::size_t>(end - out);
}

}  // namespace

std::optional<double> read_number(std::string_view text) {
  if (auto v = read_plain(text.data(), text.size())) return v;
  return read(Utf8Cursor(text));
}

std::size_t write_double_form(double x, char* out) {
  return write_form(x, kDoubleFormDigits, out);
}

std::size_t write_single_form(float x, char* out) {
  return write_form(static_cast<double>(x), kSingleFormDigits, out);
}

std::optional<double> read_decimal(std::string_view digits) {
  double value = 0;
  const char* end = digits.data() + digits.size();
  auto [at, ec] = std::from_chars(digits.data(), end, value, std::chars_format::fixed);
  if (digits.empty() || ec != std::errc() || at != end || !std::isfinite(value) ||
      digits.front() == '-') {
    return std::nullopt;
  }
  return value;
}

std::string fixed_figure(double x) {
  char text[320];  // the largest double has 309 digits
  auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed).ptr;
  return std::string(text, end);
}

std::string double_form(double x) {
  char buf[kMaxFormLength];
  return std::string(buf, write_double_form(x, buf));
}

std::string single_form(float x) {
  char buf[kMaxFormLength];
  return std::string(buf, write_single_form(x, buf));
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
