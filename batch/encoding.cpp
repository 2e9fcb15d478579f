#include "batch/encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "batch/utf8.h"

namespace gongshang::batch {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // what iconv_open fails with
constexpr std::size_t kIconvFailed = static_cast<std::size_t>(-1);
// Buffers no smaller than this hold any character in either encoding.
constexpr std::size_t kMinBlockSize = 64;

constexpr std::string_view kFix = kGb18030Supported
                                      ? "请在表格软件中另存为「CSV UTF-8」或「CSV (逗号分隔)」"
                                      : "请在表格软件中另存为「CSV UTF-8」";
constexpr std::string_view kUtf16 =
    "输入看来是 UTF-16 编码（表格软件另存的「Unicode 文本」），无法读取；";
constexpr std::string_view kNoGb18030 = kGb18030Supported ? "本系统的 iconv 不支持 GB18030 编码；"
                                                          : "输入不是 UTF-8，这一版本只读 UTF-8；";
constexpr std::string_view kNoRewind = "输入无法从头重读；";
constexpr std::string_view kWorkbook = "输入是 Excel 工作簿（.xlsx 或 .xls 文件），不是 CSV 文件；";

enum class Finding { kClean, kNul, kInvalid };

struct Scan {
  Finding finding = Finding::kClean;
  std::size_t at = 0;  // where the fault is; when clean, how many bytes were checked
};

// Checks bytes as UTF-8 up to the first invalid or NUL byte (no CSV text has
// one, UTF-16 is full of them). A character cut off by the end of bytes is
// left unchecked for the next call, unless last says the text ends there.
Scan scan_utf8(std::string_view bytes, bool last) {
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  const char* p = begin;
  while (p < end) {
    // Eight bytes at a time while they hold neither a high bit nor a zero.
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
    for (std::uint64_t w; end - p >= 8; p += 8) {
      std::memcpy(&w, p, sizeof w);
      if (((w | ((w - kOnes) & ~w)) & kHighs) != 0) break;
    }
    if (p == end) break;
    const auto at = static_cast<std::size_t>(p - begin);
    if (*p == '\0') return {Finding::kNul, at};
    const auto lead = static_cast<unsigned char>(*p);
    if (lead < 0x80) {
      ++p;
      continue;
    }
    // Chinese text is three-byte sequences whose second byte may be any
    // continuation byte (leads E1..EC, EE, EF); they take this short way.
    if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && end - p >= 3 &&
        (static_cast<unsigned char>(p[1]) & 0xC0) == 0x80 &&
        (static_cast<unsigned char>(p[2]) & 0xC0) == 0x80) {
      p += 3;
      continue;
    }
    std::size_t length = 0;
    switch (utf8_sequence({p, static_cast<std::size_t>(end - p)}, &length)) {
      case Utf8Sequence::kValid:
        p += length;
        continue;
      case Utf8Sequence::kTruncated:
        if (!last) return {Finding::kClean, at};
        [[fallthrough]];
      case Utf8Sequence::kInvalid:
        return {Finding::kInvalid, at};
    }
  }
  return {Finding::kClean, bytes.size()};
}

// The same for GB18030, by converting into a scratch buffer. Whichever of an
// invalid and a NUL byte comes first is the finding, however the text is cut.
Scan scan_gb18030(iconv_t decoder, std::string_view bytes, bool last) {
  const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
  const std::size_t size =
      nul == nullptr ? bytes.size()
                     : static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data());
  char scratch[4096];
  char* in = const_cast<char*>(bytes.data());  // iconv's signature; it only reads
  std::size_t left = size;
  while (left > 0) {
    char* out = scratch;
    std::size_t room = sizeof scratch;
    if (iconv(decoder, &in, &left, &out, &room) != kIconvFailed) break;
    if (errno == E2BIG) continue;
    const std::size_t at = size - left;
    // No character goes on with a NUL byte.
    if (errno == EINVAL && !last && nul == nullptr) return {Finding::kClean, at};
    return {Finding::kInvalid, at};
  }
  if (nul != nullptr) return {Finding::kNul, size};
  return {Finding::kClean, size};
}

// Reads the whole source through check, a block at a time into buffer; a
// character cut off by a block moves to the front of the next. found.at
// counts from the start of the text. False when the source fails.
template <typename Check>
bool scan_whole(ByteSource& raw, std::vector<char>& buffer, Check check, Scan& found,
                unsigned char& bad) {
  std::size_t offset = 0, end = 0;  // offset of buffer[0]; bytes in buffer
  for (bool last = false; !last;) {
    const std::size_t n = raw.read(buffer.data() + end, buffer.size() - end);
    if (n == 0 && !raw.error().empty()) return false;
    last = n == 0;
    end += n;
    found = check({buffer.data(), end}, last);
    if (found.finding != Finding::kClean) {
      bad = static_cast<unsigned char>(buffer[found.at]);
      found.at += offset;
      return true;
    }
    std::memmove(buffer.data(), buffer.data() + found.at, end - found.at);
    offset += found.at;
    end -= found.at;
  }
  return true;
}

bool utf16_mark(std::string_view bytes) {
  return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::string neither_message(std::size_t line, unsigned char byte) {
  return "第 " + decimal(line) + " 行：含有无效的 UTF-8 字节 " + hex_byte(byte) +
         "，输入也不是 GB18030（GBK）编码；";
}

}  // namespace

std::string workbook_problem(std::string_view start) {
  constexpr std::string_view kZip = "PK\x03\x04";
  constexpr std::string_view kOle2 = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  if (!start.starts_with(kZip) && !start.starts_with(kOle2)) return {};
  return std::string(kWorkbook).append(kFix);
}

TextSource::TextSource(ByteSource& raw, std::size_t block_size)
    : raw_(raw), block_size_(std::max(block_size, kMinBlockSize)) {}

TextSource::~TextSource() {
  if (decoder_ != kNoConverter) iconv_close(decoder_);
}

bool TextSource::open() {
  in_.resize(block_size_);
  if (kGb18030Supported) decoder_ = iconv_open("UTF-8", "GB18030");
  return raw_.rewind() ? open_whole() : open_start();
}

bool TextSource::refuse(std::string_view cause) {
  error_.assign(cause).append(kFix);
  return false;
}

// Reads everything as UTF-8 first, which a file nearly always is: that costs
// one more reading of it. Only a file that is not is read again as GB18030.
bool TextSource::open_whole() {
  std::size_t got = 0;
  for (std::size_t n = 1; got < kWorkbookMarkBytes && n > 0; got += n)
    n = raw_.read(in_.data() + got, kWorkbookMarkBytes - got);
  if (!raw_.error().empty()) return false;
  if (std::string problem = workbook_problem({in_.data(), got}); !problem.empty()) {
    error_ = std::move(problem);
    return false;
  }
  if (!raw_.rewind()) return refuse(kNoRewind);
  Scan utf8, gb;
  unsigned char bad = 0, ignored = 0;
  if (!scan_whole(raw_, in_, scan_utf8, utf8, bad)) return false;
  if (!raw_.rewind()) return refuse(kNoRewind);
  if (utf8.finding == Finding::kClean) return true;
  if (utf8.finding == Finding::kNul) return refuse(kUtf16);
  if (decoder_ == kNoConverter) return refuse(kNoGb18030);
  auto check = [this](std::string_view b, bool last) { return scan_gb18030(decoder_, b, last); };
  if (!scan_whole(raw_, in_, check, gb, ignored)) return false;
  if (!raw_.rewind()) return refuse(kNoRewind);
  if (gb.finding == Finding::kNul) return refuse(kUtf16);
  if (gb.finding == Finding::kInvalid) return refuse_neither(utf8.at, bad);
  return start_gb18030();
}

// Text in neither encoding: UTF-16 when it starts with that byte-order mark
// or holds a NUL byte anywhere, else the line of the first byte that is not
// UTF-8. Only this failure reads the text a third time.
bool TextSource::refuse_neither(std::size_t at, unsigned char bad) {
  std::size_t line = 1, seen = 0;
  char start[2] = {};
  bool nul = false;
  for (std::size_t n; (n = raw_.read(in_.data(), in_.size())) > 0; seen += n) {
    for (std::size_t i = 0; i < n && seen + i < 2; ++i) start[seen + i] = in_[i];
    const std::size_t before_at = seen < at ? std::min(n, at - seen) : 0;
    line += static_cast<std::size_t>(std::count(in_.data(), in_.data() + before_at, '\n'));
    nul = nul || std::memchr(in_.data(), '\0', n) != nullptr;
  }
  if (nul || utf16_mark({start, 2})) return refuse(kUtf16);
  return refuse(neither_message(line, bad));
}

bool TextSource::start_gb18030() {
  iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
  encoding_ = Encoding::kGb18030;
  out_.resize(block_size_);
  return true;
}

// A pipe is judged by its start, which is then handed out before the rest.
bool TextSource::open_start() {
  bool whole_line = false;
  std::size_t searched = 0;
  while (in_end_ < kDetectBytes) {
    if (!whole_line) {
      whole_line = std::memchr(in_.data() + searched, '\n', in_end_ - searched) != nullptr;
      searched = in_end_;
    }
    if (whole_line && !raw_.ready()) break;
    if (in_end_ == in_.size()) in_.resize(std::min(2 * in_.size(), kDetectBytes));
    const std::size_t n =
        raw_.read(in_.data() + in_end_, std::min(in_.size(), kDetectBytes) - in_end_);
    if (n == 0) {
      if (!raw_.error().empty()) return false;
      raw_end_ = true;
      break;
    }
    in_end_ += n;
  }
  const std::string_view start(in_.data(), in_end_);
  if (std::string problem = workbook_problem(start); !problem.empty()) {
    error_ = std::move(problem);
    return false;
  }
  const Scan utf8 = scan_utf8(start, raw_end_);
  if (utf8.finding == Finding::kClean) return true;
  if (utf8.finding == Finding::kNul) return refuse(kUtf16);
  if (decoder_ == kNoConverter) return refuse(kNoGb18030);
  const Scan gb = scan_gb18030(decoder_, start, raw_end_);
  const bool nul = std::memchr(start.data(), '\0', start.size()) != nullptr;
  if (gb.finding == Finding::kNul ||
      (gb.finding == Finding::kInvalid && (nul || utf16_mark(start)))) {
    return refuse(kUtf16);
  }
  if (gb.finding == Finding::kInvalid) {
    const auto line =
        1 + static_cast<std::size_t>(std::count(start.begin(), start.begin() + utf8.at, '\n'));
    return refuse(neither_message(line, static_cast<unsigned char>(start[utf8.at])));
  }
  return start_gb18030();
}

std::size_t TextSource::read(char* buffer, std::size_t size) {
  if (encoding_ == Encoding::kGb18030) return decoded(buffer, size);
  if (in_begin_ < in_end_) {
    const std::size_t n = std::min(size, in_end_ - in_begin_);
    std::memcpy(buffer, in_.data() + in_begin_, n);
    in_begin_ += n;
    return n;
  }
  return raw_end_ ? 0 : raw_.read(buffer, size);
}

std::size_t TextSource::decoded(char* buffer, std::size_t size) {
  while (out_begin_ == out_end_) {
    if (!fill_gb18030()) return 0;
  }
  const std::size_t n = std::min(size, out_end_ - out_begin_);
  std::memcpy(buffer, out_.data() + out_begin_, n);
  out_begin_ += n;
  return n;
}

// Decodes what has been read into out_, reading more when all of it is a
// character cut off by the end of a read. False at the end or on a fault.
bool TextSource::fill_gb18030() {
  for (;;) {
    if (in_begin_ < in_end_) {
      char* in = in_.data() + in_begin_;
      std::size_t left = in_end_ - in_begin_;
      char* out = out_.data();
      std::size_t room = out_.size();
      const bool failed = iconv(decoder_, &in, &left, &out, &room) == kIconvFailed;
      const int why = errno;
      in_begin_ = in_end_ - left;
      out_begin_ = 0;
      out_end_ = out_.size() - room;
      if (out_end_ > 0) {
        line_ += static_cast<std::size_t>(std::count(out_.data(), out_.data() + out_end_, '\n'));
        return true;
      }
      if (failed && why == EILSEQ) break;
    }
    if (raw_end_) {
      if (in_begin_ == in_end_) return false;
      break;
    }
    std::memmove(in_.data(), in_.data() + in_begin_, in_end_ - in_begin_);
    in_end_ -= in_begin_;
    in_begin_ = 0;
    const std::size_t n = raw_.read(in_.data() + in_end_, in_.size() - in_end_);
    if (n == 0) {
      raw_end_ = true;
      if (!raw_.error().empty()) return false;
    }
    in_end_ += n;
  }
  error_ = "第 " + decimal(line_) + " 行：含有 GB18030（GBK）中无效的字节 " +
           hex_byte(static_cast<unsigned char>(in_[in_begin_])) + "；" + std::string(kFix);
  return false;
}

Gb18030Sink::Gb18030Sink(ByteSink& sink)
    : sink_(sink), encoder_(iconv_open("GB18030", "UTF-8")), buffer_(std::size_t{64} << 10) {}

Gb18030Sink::~Gb18030Sink() {
  if (encoder_ != kNoConverter) iconv_close(encoder_);
}

bool Gb18030Sink::write(std::string_view bytes) {
  if (encoder_ == kNoConverter) {
    error_ = "本系统的 iconv 不支持 GB18030 编码";
    return false;
  }
  char* in = const_cast<char*>(bytes.data());  // iconv's signature; it only reads
  std::size_t left = bytes.size();
  while (left > 0) {
    char* out = buffer_.data();
    std::size_t room = buffer_.size();
    const bool failed = iconv(encoder_, &in, &left, &out, &room) == kIconvFailed;
    const int why = errno;
    const std::size_t n = buffer_.size() - room;
    if (n > 0 && !sink_.write({buffer_.data(), n})) {
      error_ = sink_.error();
      return false;
    }
    if (failed && why != E2BIG) {
      error_ = "有字符无法用 GB18030 编码写出";
      return false;
    }
  }
  return true;
}

}  // namespace gongshang::batch
