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

// Reads a whole ASCII text as one decimal, strictly: an optional "-", digits
// with at most one point, an optional exponent, nothing before or after.
// nullopt for anything else and for a number beyond the double range or too
// small for any double but zero.
//   "7000" -> 7000   "-1.5e3" -> -1500   ".5" -> 0.5   "0e-999" -> 0
//   "+5", "1,000", "7000元", "inf", "1E400", "1E-400" -> nullopt
std::optional<double> read_decimal(std::string_view ascii);

// The commonest decimals, quickly: at most 15 ASCII digits with at most one
// point, nothing else; nullopt for any other text (read_decimal then says
// what it is). The value is read_decimal's.
//   "3500" -> 3500   "12000.5" -> 12000.5   ".5" -> 0.5   "7000." -> 7000
//   "-5", "1,000", "1e3", "1234567890123456", "." -> nullopt
std::optional<double> read_plain_decimal(std::string_view ascii);

// Writes x with at most 15 significant digits.
//   0, -0 -> "0"        1.0/3 -> "0.333333333333333"   -2.5 -> "-2.5"
//   1234567890123456 -> "1.23456789012346E+15"         0.00001 -> "1E-05"
std::string double_form(double x);

// Writes x with at most 7 significant digits.
//   4204.7998046875f -> "4204.8"    12345678.0f -> "1.234568E+07"
std::string single_form(float x);

// The shortest text that reads back as x, never in exponent notation; a
// whole number with every digit of its exact value.
//   200000 -> "200000"   0.4 -> "0.4"   1.5e-7 -> "0.00000015"
//   1e22 -> "10000000000000000000000"   1e23 -> "99999999999999991611392"
std::string plain_form(double x);

// x rounded to `decimals` places (the exact binary value, ties to even), in
// plain notation.
//   (0.125, 2) -> "0.12"   (1e17, 2) -> "100000000000000000.00"   (-0.001, 2) -> "-0.00"
std::string fixed_form(double x, int decimals);

// x rounded to the fen as fixed_form(x, 2) rounds it, without the zeros
// that end it: a figure worked out, shown among typed ones.
//   2803.398 -> "2803.4"   1655.17247956375 -> "1655.17"   6000 -> "6000"
std::string fen_form(double x);

// An amount as fixed_form or yuan_text writes it, with a comma between each
// three digits before the point; any other text as it is.
//   "1397540.00" -> "1,397,540.00"   "-1234.5" -> "-1,234.5"   "999" -> "999"   "未知" -> "未知"
std::string with_separators(std::string_view amount);

// The double nearest the shortest decimal that reads back as x: the decimal
// a single-precision figure was written as.
//   0.4f -> 0.4 (not 0.4000000059604645)
double decimal_value(float x);

// The two forms into a caller's buffer of at least kMaxFormLength bytes;
// returns the number of ASCII characters written. Not finite values are the
// caller's to refuse; they are written as "0" here.
std::size_t write_double_form(double x, char* out);
std::size_t write_single_form(float x, char* out);
// The same, also giving what read_number makes of the text, which the
// writer knows without reading it: a total adds what the fields show.
// nullopt when the text, rounded up past the largest double, is beyond it.
//   3500.25 -> "3500.25", 3500.25   1.0/3 -> "0.333333333333333", 0.333333333333333
std::size_t write_double_form(double x, char* out, std::optional<double>& shown);
std::size_t write_single_form(float x, char* out, std::optional<double>& shown);

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
