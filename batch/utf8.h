// UTF-8 checks and conversions for the batch tool. CSV arrives as UTF-8 while
// the engine takes UTF-16 field texts, so every input cell crosses between the
// two; the checker rejects what the Unicode standard forbids (overlong forms,
// surrogates, code points past U+10FFFF) so that no malformed byte is carried
// through into the output unnoticed.
#ifndef GONGSHANG_BATCH_UTF8_H_
#define GONGSHANG_BATCH_UTF8_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace gongshang::batch {

// Longest UTF-8 sequence of one code point.
inline constexpr std::size_t kMaxUtf8SequenceLength = 4;

// What utf8_sequence() found at the start of its bytes.
enum class Utf8Sequence {
  kValid,      // a well-formed sequence of *length bytes
  kTruncated,  // well-formed so far, but the bytes end before it does
  kInvalid,    // no well-formed sequence can start with these bytes
};

// Checks the one sequence at the start of bytes (at least one byte).
//   "a"            -> kValid, 1       "\xE4\xB8\x80" (一) -> kValid, 3
//   "\xE4\xB8"     -> kTruncated      "\xC0\xAF" (overlong "/") -> kInvalid
//   "\xED\xA0\x80" (a surrogate) -> kInvalid
//   "\xF4\x90\x80\x80" (past U+10FFFF) -> kInvalid
//   "\x80" (a lone continuation byte)  -> kInvalid
Utf8Sequence utf8_sequence(std::string_view bytes, std::size_t* length);

// Writes valid UTF-8 as UTF-16 code units to out, which has room for at least
// utf8.size() units (never more are needed); returns the number written.
// The bytes must have passed the checks above: nothing is checked here.
//   "3500" -> u"3500"   "五" -> u"五"   "\xF0\x9F\x98\x80" -> u"\xD83D\xDE00"
std::size_t utf8_to_utf16(std::string_view utf8, char16_t* out);

// Appends UTF-16 text to out as UTF-8. An unpaired surrogate, which no
// engine text contains, is written as U+FFFD.
//   u"合计" -> "合计"   u"1931.03451153328" -> "1931.03451153328"
void append_utf8(std::u16string_view utf16, std::string& out);
std::string to_utf8(std::u16string_view utf16);

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_UTF8_H_
