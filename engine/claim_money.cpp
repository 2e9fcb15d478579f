// The claim's amounts as text: two decimals of the exact value, in fen.
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "engine/claim.h"
#include "engine/number_text.h"

namespace gongshang {

std::string yuan_text(long long fen) {
  const bool negative = fen < 0;
  const unsigned long long magnitude =
      negative ? 0ULL - static_cast<unsigned long long>(fen) : static_cast<unsigned long long>(fen);
  char text[32];
  char* p = text;
  if (negative) *p++ = '-';
  p = std::to_chars(p, text + sizeof text, magnitude / 100).ptr;
  const auto cents = static_cast<unsigned>(magnitude % 100);
  *p++ = '.';
  *p++ = static_cast<char>('0' + cents / 10);
  *p++ = static_cast<char>('0' + cents % 10);
  return std::string(text, p);
}

namespace {

// A double times 100 needs at most 53 + 7 significand bits, so where long
// double has 64 the product is exact, and rounding it to a whole number of
// fen (ties to even) is what fixed_form does to the exact value, at a
// fraction of its cost: the batch tool writes seven amounts a row.
constexpr long double kMaxFastFen = 0x1p62L;
constexpr bool kFastFen = std::numeric_limits<long double>::digits >= 60;

// The amount in fen where the fast path can give it.
std::optional<long long> fast_fen(double yuan) {
  if constexpr (kFastFen) {
    // rint, not nearbyint: the same rounding without saving the FP environment.
    const long double fen = std::rint(static_cast<long double>(yuan) * 100);
    if (std::fabs(fen) < kMaxFastFen) return static_cast<long long>(fen);
  }
  return std::nullopt;
}

}  // namespace

std::string money_text(double yuan) {
  if (const auto fen = fast_fen(yuan)) {
    // As fixed_form writes -0.001: "-0.00".
    if (*fen == 0 && yuan < 0) return "-0.00";
    return yuan_text(*fen);
  }
  return fixed_form(yuan + 0.0, 2);
}

long long fen_of(double yuan) {
  // The fields' ceilings keep every amount far below the fast path's limit.
  if (const auto fen = fast_fen(yuan)) return *fen;
  const std::string text = money_text(yuan);
  long long whole = 0;
  std::string digits;
  for (char c : text)
    if (c != '.') digits += c;
  std::from_chars(digits.data(), digits.data() + digits.size(), whole);
  return whole;
}

}  // namespace gongshang
