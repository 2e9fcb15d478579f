// Conversions between field text and numbers. Every figure the calculator
// shows goes through these, so they are exact to the last digit and never
// follow the machine's locale: the decimal point is always ".".
#ifndef GONGSHANG_ENGINE_NUMBER_TEXT_H_
#define GONGSHANG_ENGINE_NUMBER_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gongshang {

// Significant digits of the two written forms.
inline constexpr int kDoubleFormDigits = 15;
inline constexpr int kSingleFormDigits = 7;

// Longest text either form can write: "-1.23456789012346E+308" has 22
// characters; the buffers below leave room to spare.
inline constexpr std::size_t kMaxFormLength = 32;

// Radix-prefixed numbers ("&H...", "&O...") are worth at most this much.
inline constexpr std::uint64_t kMaxRadixValue = 0xFFFFFFFFu;

// Reads the number at the start of a field text (UTF-8), leniently. Returns nullopt
// only when the number lies beyond the double range (the caller refuses it).
//
// Spaces, tabs and line feeds are ignored wherever they stand; full-width
// forms (U+FF01..U+FF5E) count as their ASCII twins and U+3000 as a blank.
//   ""          -> 0          "abc"        -> 0       "12abc"  -> 12
//   "1.2.3"     -> 1.2        "1,000"      -> 1       "¥100"   -> 0
//   "12 34"     -> 1234       "- 5"        -> -5      ".5"     -> 0.5
//   "2D2"       -> 200        "1.5e+3"     -> 1500    "1E"     -> 1
//   "&HFF"      -> 255        "&HFFFF"     -> -1      "&H10000"-> 65536
//   "&O17"      -> 15         "-&H10"      -> 0       "&X1"    -> 0
//   "３５００"  -> 3500       "＆Ｈ１Ｆ"   -> 31      "1E-400" -> 0
//   "1E400"     -> nullopt    "&H100000000"-> nullopt
std::optional<double> read_number(std::string_view utf8);

// Writes x with at most 15 significant digits.
//   0, -0 -> "0"        1.0/3 -> "0.333333333333333"   -2.5 -> "-2.5"
//   1234567890123456 -> "1.23456789012346E+15"         0.00001 -> "1E-05"
std::string double_form(double x);

// Writes x with at most 7 significant digits.
//   4204.7998046875f -> "4204.8"    12345678.0f -> "1.234568E+07"
std::string single_form(float x);

// The two forms into a caller's buffer of at least kMaxFormLength bytes;
// returns the number of ASCII characters written. Not finite values are the
// caller's to refuse; they are written as "0" here.
std::size_t write_double_form(double x, char* out);
std::size_t write_single_form(float x, char* out);

// Plain decimal digits with at most one point, read as a whole and
// exactly rounded; nullopt for any other text or beyond the double range.
// The strict readers check the form first; this is their fast path.
//   "6000" -> 6000   "0.5" -> 0.5   "7000." -> 7000   "1e3" -> nullopt   "" -> nullopt
std::optional<double> read_decimal(std::string_view digits);

// The shortest text that reads back as x, never in exponent notation: the
// figures a claim's working quotes.
//   200000 -> "200000"   0.3 -> "0.3"   1.3 -> "1.3"   12345.675 -> "12345.675"
std::string fixed_figure(double x);

// Rounds to the nearest whole number, a half going to the even neighbour.
//   0.5 -> 0   1.5 -> 2   2.5 -> 2   -2.5 -> -2   4500.5 -> 4500
// Values that are not finite come back unchanged.
double round_half_even(double x);

// round_half_even() into a signed 16-bit number; nullopt when the rounded
// value lies outside -32768..32767 or x is not a number.
//   32767.4 -> 32767   32767.5 -> nullopt   -32768.5 -> -32768
std::optional<std::int16_t> round_to_int16(double x);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_NUMBER_TEXT_H_
