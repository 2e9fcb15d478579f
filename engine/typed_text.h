// Strict reading of what people type into the claim's fields. Unlike the
// classic fields' lenient rule, a text here is a number or a date as a
// whole, or it is refused: a claim input misread would quietly change an
// amount owed.
#ifndef GONGSHANG_ENGINE_TYPED_TEXT_H_
#define GONGSHANG_ENGINE_TYPED_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

namespace gongshang {

// Full-width forms (U+FF01..U+FF5E) as their ASCII twins, U+3000 as a
// space, blanks at either end dropped; every other character kept.
//   " ７０００ " -> "7000"   "２０２６年１月５日" -> "2026年1月5日"   "\t5\t" -> "5"
std::string ascii_form(std::string_view text);

// The same without copying when it can: a text without full-width forms
// comes back as a view of itself, trimmed; any other is converted into
// `buffer`.
std::string_view ascii_form(std::string_view text, std::string& buffer);

// A decimal number as the whole of ascii_form(text), in the form
// read_decimal (number_text.h) reads (no sign but "-", no thousands
// separators); nullopt for anything else and beyond the double range.
//   "7000" -> 7000   "７０００.５" -> 7000.5   "-3" -> -3   "1e3" -> 1000
//   "" -> nullopt   "7000元" -> nullopt   "1,000" -> nullopt   "1e400" -> nullopt
std::optional<double> read_plain_number(std::string_view text);

// How many bytes at the start of text are whole, valid UTF-8 (no overlong
// forms, no surrogates): text.size() when all of it is.
//   "浙江" -> 6   "a\xD5\xE3" -> 1   "\xE6\xB5" -> 0
std::size_t valid_utf8_prefix(std::string_view text);

// A text typed by the user, to be echoed in a message: control and
// invisible characters (U+0000..U+001F, U+007F..U+009F, zero-width and
// direction marks, the byte-order mark) as \u escapes, bytes that are not
// UTF-8 as \x escapes, so "浙江\0" does not pass for "浙江".
// A text longer than kVisibleBytes is cut there and ends in "…": a message
// names a value, it does not repeat a file.
//   "浙江" -> "浙江"   "浙江\0" -> "浙江\u0000"   "a\u200Bb" -> "a\u200Bb"   "\xB9" -> "\xB9"
inline constexpr std::size_t kVisibleBytes = 120;
std::string visible(std::string_view text);

// Counts of people are at most this.
inline constexpr int kMaxCount = 999;

// A whole number 0..kMaxCount as the whole of ascii_form(text).
//   "2" -> 2   "０" -> 0   "2.0" -> nullopt   "-1" -> nullopt   "1000" -> nullopt
std::optional<int> read_count(std::string_view text);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_TYPED_TEXT_H_
