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

// How many bytes at the start of text are whole, valid UTF-8 (no overlong
// forms, no surrogates): text.size() when all of it is.
//   "浙江" -> 6   "a\xD5\xE3" -> 1   "\xE6\xB5" -> 0
std::size_t valid_utf8_prefix(std::string_view text);

// A text typed by the user, to be echoed in a message, or a free text of a
// rules file, to be shown: control and invisible characters as \u escapes
// (U+0000..U+001F, U+007F..U+009F, the line and paragraph separators, and
// Unicode's default-ignorable characters: zero-width ones, direction marks,
// embeddings, overrides and isolates U+200E/F, U+202A..U+202E,
// U+2066..U+2069, U+061C, the soft hyphen, fillers, variation selectors,
// tags, the byte-order mark), bytes that are not UTF-8 as \x escapes, so
// "浙江\0" does not pass for "浙江" and no text turns the line around.
// A text longer than `limit` bytes is cut there and ends in "…": a message
// names a value, it does not repeat a file.
//   "浙江" -> "浙江"   "浙江\0" -> "浙江\u0000"   "a\u200Bb" -> "a\u200Bb"   "\xB9" -> "\xB9"
//   "a\u202Eb" -> "a\u202Eb"   "\U000E0041" -> "\U000E0041"
inline constexpr std::size_t kVisibleBytes = 120;
inline constexpr std::size_t kWholeText = std::string_view::npos;  // limit: never cut
std::string visible(std::string_view text, std::size_t limit = kVisibleBytes);

// Where the first character lies that a reader cannot tell from another or
// from nothing: one visible() escapes, or a blank of any width (U+0020,
// U+00A0, U+1680, U+2000..U+200A, U+202F, U+205F, U+3000); npos when the
// text has none. What a name must not hold, since a name is picked by eye.
//   "浙江" -> npos   "浙 江" -> 3   "浙\u3000江" -> 3   "a\u202Eb" -> 1   "\xB9" -> 0
std::size_t first_unclear(std::string_view text);

// A free text as a name is kept: blanks of any width and line breaks at
// either end dropped, nothing else changed (full-width letters stay).
//   " 张三\u3000" -> "张三"   "\tZhang San\n" -> "Zhang San"   "ＡＢ" -> "ＡＢ"
std::string_view trimmed_name(std::string_view text);

// How many characters a UTF-8 text has (a byte that is not UTF-8 counts as one).
//   "张三" -> 2   "ab" -> 2   "\xB9" -> 1
std::size_t character_count(std::string_view text);

// A free text made fit to be part of a file name on Windows, macOS and
// Linux: what no file name may hold there (/ \ : * ? " < > |), what
// visible() escapes and bytes that are not UTF-8 left out, blanks and dots
// at either end dropped, cut after max_chars characters.
//   ("张三/李四", 30) -> "张三李四"   (" a.b. ", 30) -> "a.b"   ("a\u202Eb", 30) -> "ab"
std::string file_name_part(std::string_view text, std::size_t max_chars);

// The one reading of money, wherever it is typed: digits (ASCII or
// full-width) with at most one point, blanks around ignored, thousands
// separators only in whole groups of three before the point; no sign,
// exponent, unit or blank inside. `max` is the field's ceiling (yuan); a
// larger amount is a typing slip. An empty text is "not given".
//   "6,000" -> 6000   "１２,３４５.６" -> 12345.6   " .5 " -> 0.5   "7000." -> 7000
//   "" -> not given   "6,00" "1e3" "-0" "+5" "3500元" "1 000" "1.2.3" "," -> kMoneyForm
//   "10000001" with max 10000000 -> "不能超过 10000000，多半是输入错误"
struct MoneyReading {
  std::optional<double> value;  // nullopt: not given, or refused
  std::string problem;          // why it is refused; empty when it is not
  // The amount as plain ASCII digits and point, "6000" for "6,000": what
  // the classic calculation reads, so that both see the same amount.
  std::string plain;
};
MoneyReading read_money(std::string_view text, double max);

// Why a money text has the wrong form.
inline constexpr std::string_view kMoneyForm =
    "只能填写数字，如 3500、6,000 或 12000.5（千位分隔须三位一组），不带正负号、单位或指数";

// A whole number 0..max in ASCII or full-width digits as the whole of
// ascii_form(text).
//   ("2", 9) -> 2   ("０", 9) -> 0   ("2.0", 9) -> nullopt   ("-1", 9) -> nullopt
//   ("25", 24) -> nullopt   ("", 9) -> nullopt
std::optional<int> read_count(std::string_view text, int max);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_TYPED_TEXT_H_
