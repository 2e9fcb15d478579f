// The two encodings a CSV file comes in. Spreadsheets on Chinese Windows save
// "CSV (逗号分隔)" in the system's code page, GBK, which GB18030 extends to
// all of Unicode; everything else writes UTF-8. The batch tool reads either
// and answers in the one it read, so that the spreadsheet that saved a file
// opens the results the same way. The conversions are the C library's iconv.
#ifndef GONGSHANG_BATCH_ENCODING_H_
#define GONGSHANG_BATCH_ENCODING_H_

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch/csv.h"
#include "batch/io.h"

namespace gongshang::batch {

enum class Encoding { kUtf8, kGb18030 };

// Emscripten's C library decodes GB18030 but cannot encode it, so the browser
// build takes UTF-8 only: a file in GB18030 is refused at once, with the fix,
// rather than read and then not answered.
#ifdef __EMSCRIPTEN__
inline constexpr bool kGb18030Supported = false;
#else
inline constexpr bool kGb18030Supported = true;
#endif

// Input that cannot be read twice (a pipe, a terminal) is judged by its start:
// at most this many bytes, fewer once a whole line is in and no more has
// arrived, so that a row typed by hand is still answered at once.
inline constexpr std::size_t kDetectBytes = std::size_t{1} << 20;

// Why bytes that begin as a spreadsheet's own workbook cannot be read as a
// CSV file, with the fix; "" for any other beginning. The first
// kWorkbookMarkBytes decide: an .xlsx is a zip archive ("PK\3\4"), an .xls
// an OLE2 compound file (D0 CF 11 E0 A1 B1 1A E1). Either would otherwise be
// taken for UTF-16, for the NUL bytes in it.
//   "PK\x03\x04\x14\x00…" -> "输入是 Excel 工作簿（.xlsx 或 .xls 文件），不是 CSV
//   文件；请在表格软件中另存为……" "医疗费\n5\n" -> ""
inline constexpr std::size_t kWorkbookMarkBytes = 8;
std::string workbook_problem(std::string_view start);

// A source's text as UTF-8, whichever of the two encodings it is in.
//   "医疗费\n5\n" in UTF-8           -> open() true, kUtf8, reads the same bytes
//   "\xD2\xBD\xC1\xC6\xB7\xD1\n5\n" -> open() true, kGb18030, reads "医疗费\n5\n"
//   "\xFF\xFE\xFB\x5D..." (UTF-16)  -> open() false, error() names the cause and the fix
class TextSource final : public ByteSource {
 public:
  explicit TextSource(ByteSource& raw, std::size_t block_size = kReadBlockSize);
  ~TextSource() override;
  TextSource(const TextSource&) = delete;
  TextSource& operator=(const TextSource&) = delete;

  // Decides the encoding from every byte when the source rewinds, else from
  // its start (kDetectBytes). UTF-8 wins when the bytes are valid as both.
  // False, with error() set, when they are in neither or cannot be read.
  bool open();
  Encoding encoding() const { return encoding_; }

  // After open(): the text as UTF-8. A byte invalid in the encoding chosen
  // from the start of a pipe ends the text with error() naming its line.
  std::size_t read(char* buffer, std::size_t size) override;
  std::string error() const override { return error_.empty() ? raw_.error() : error_; }

 private:
  bool open_whole();
  bool open_start();
  bool start_gb18030();
  bool refuse(std::string_view cause);
  bool refuse_neither(std::size_t at, unsigned char bad);
  bool fill_gb18030();
  std::size_t decoded(char* buffer, std::size_t size);

  ByteSource& raw_;
  std::size_t block_size_;
  Encoding encoding_ = Encoding::kUtf8;
  iconv_t decoder_ = reinterpret_cast<iconv_t>(-1);
  std::vector<char> in_;  // bytes read and not yet handed out or decoded
  std::size_t in_begin_ = 0;
  std::size_t in_end_ = 0;
  std::vector<char> out_;  // decoded UTF-8 not yet handed out
  std::size_t out_begin_ = 0;
  std::size_t out_end_ = 0;
  bool raw_end_ = false;
  std::size_t line_ = 1;  // of the next decoded byte
  std::string error_;
};

// Writes UTF-8 text on to another sink as GB18030. Each write must hold whole
// characters, as the converter's rows do.
//   write("五级,") -> sink gets "\xCE\xE5\xBC\xB6,"
class Gb18030Sink final : public ByteSink {
 public:
  explicit Gb18030Sink(ByteSink& sink);
  ~Gb18030Sink() override;
  Gb18030Sink(const Gb18030Sink&) = delete;
  Gb18030Sink& operator=(const Gb18030Sink&) = delete;

  bool write(std::string_view bytes) override;
  std::string error() const override { return error_; }

 private:
  ByteSink& sink_;
  iconv_t encoder_;
  std::vector<char> buffer_;
  std::string error_;
};

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_ENCODING_H_
