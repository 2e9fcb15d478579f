#include "batch/batch.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <optional>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "batch/claim_columns.h"
#include "batch/encoding.h"
#include "batch/row_batch.h"
#include "batch/utf8.h"
#include "engine/compensation.h"
#include "engine/earlier_cases.h"
#include "engine/reading.h"
#include "engine/typed_text.h"

namespace gongshang::batch {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t kNoColumn = RowBatch::kAbsent;
// Cells named one by one where the classic and the claim's reading differ;
// beyond these only their number is said.
constexpr std::size_t kMaxMisreadingNotes = 20;

template <class Names>
std::string join_names(const Names& names, std::string_view separator) {
  std::string out;
  for (std::string_view name : names) {
    if (!out.empty()) out.append(separator);
    out.append(name);
  }
  return out;
}

std::string result_names() {
  std::array<std::string_view, kResultCount> names;
  for (std::size_t i = 0; i < kResultCount; ++i) names[i] = kResults[i].name;
  return join_names(names, "、");
}

std::string message_line(std::string_view text) {
  std::string line(kProgramName);
  line.append(": ").append(text).push_back('\n');
  return line;
}

// Runs a step before every read of more input: the converter writes out the
// rows it holds, so that they come out as soon as they are complete when the
// input arrives slowly (typed, or from a pipe), and in big blocks when not.
class WaitingSource final : public ByteSource {
 public:
  WaitingSource(ByteSource& in, std::function<void()> before_read)
      : in_(in), before_read_(std::move(before_read)) {}

  std::size_t read(char* buffer, std::size_t size) override {
    before_read_();
    return in_.read(buffer, size);
  }
  std::string error() const override { return in_.error(); }

 private:
  ByteSource& in_;
  std::function<void()> before_read_;
};

class Converter {
 public:
  Converter(ByteSource& in, ByteSink& out, ByteSink& err, const CsvLimits& limits,
            const Rules* claim_rules)
      : in_(in, [this] { flush(); }), reader_(in_, limits), out_(out), err_(err) {
    pending_.reserve(kWriteBlockSize + kWriteBlockSize / 4);
    if (claim_rules) {
      claim_.emplace(*claim_rules);
      rows_.set_claim(&*claim_);
    }
    columns_.fill(kNoColumn);
  }

  int convert() {
    switch (reader_.next(record_)) {
      case CsvReader::Status::kEnd:
        return fail(describe({1, "输入为空，没有表头行"}));
      case CsvReader::Status::kFault:
        return fail(describe(reader_.error()));
      case CsvReader::Status::kRecord:
        break;
    }
    if (!read_header()) return kExitFailure;
    for (;;) {
      // Output that cannot be written ends the run; computing on is no use.
      if (write_failed_) return finish();
      switch (reader_.next(record_)) {
        case CsvReader::Status::kEnd:
          return finish();
        case CsvReader::Status::kFault:
          return fail(describe(reader_.error()));
        case CsvReader::Status::kRecord:
          break;
      }
      if (record_.cells.size() > width_) {
        return fail(
            describe({record_.line, "此行有 " + decimal(record_.cells.size()) +
                                        " 个单元格，比表头的 " + decimal(width_) + " 个多"}));
      }
      rows_.add(record_, width_, columns_);
      if (!claim_) note_misreadings();
      if (rows_.full()) {
        rows_.write_to(pending_, line_end_);
        if (pending_.size() >= kWriteBlockSize) flush();
      }
    }
  }

 private:
  bool read_header() {
    width_ = record_.cells.size();
    columns_.fill(kNoColumn);
    for (std::size_t i = 0; i < width_; ++i) {
      const std::optional<Field> field = find_field(record_.cells[i]);
      // The classic calculation reads only its own inputs; the others pass.
      // A name (姓名, 单位) passes as it is in both: a row is known by it,
      // and nothing is computed from it.
      if (!field || (!claim_ && !classic(*field)) || row(*field).kind == FieldKind::kText) continue;
      std::size_t& column = columns_[index(*field)];
      if (column != kNoColumn) {
        fail(describe({record_.line, "输入列「" + std::string(name(*field)) + "」重复（第 " +
                                         decimal(column + 1) + " 列和第 " + decimal(i + 1) +
                                         " 列）"}));
        return false;
      }
      column = i;
    }
    // Not an error, since every row still computes, but a header typed with a
    // traditional character or a typo would otherwise make every wage-based
    // result 0 without a word.
    std::string missing;
    for (Field f : kInputFields) {
      if (columns_[index(f)] != kNoColumn) continue;
      if (!missing.empty()) missing.append("、");
      missing.append(name(f));
    }
    if (!missing.empty()) err_.write(message_line("未找到这些列，按空白计算：" + missing));
    // A CSV written before 生活护理等级 keeps its amounts.
    if (claim_ && columns_[index(Field::kCareLevel)] == kNoColumn &&
        columns_[index(Field::kNursing)] != kNoColumn) {
      claim_->fill_care_level_from_nursing();
      err_.write(message_line(care_level_column_notice()));
    }
    line_end_ = record_.line_end == "\r\n" ? "\r\n" : "\n";
    if (reader_.had_bom()) pending_.append(kBom);
    for (std::size_t i = 0; i < width_; ++i) {
      if (i > 0) pending_.push_back(',');
      append_cell(pending_, record_.cells[i]);
    }
    for (const ResultRow& result : kResults) {
      pending_.push_back(',');
      pending_.append(result.name);
    }
    if (claim_) ClaimColumns::append_header(pending_);
    pending_.push_back(',');
    pending_.append(kErrorColumn);
    pending_.append(line_end_);
    return true;
  }

  // Computes the rows held and hands everything to the sink.
  void flush() {
    rows_.write_to(pending_, line_end_);
    if (!pending_.empty() && !write_failed_ && !out_.write(pending_)) write_failed_ = true;
    pending_.clear();
  }

  static bool classic(Field f) {
    return std::find(kInputFields.begin(), kInputFields.end(), f) != kInputFields.end();
  }

  // The classic calculation reads "6,000" as 6 and "1e3" as 1000, as the
  // calculator always has; --claim reads them strictly. Where the two differ
  // the output stays the calculator's, and the cell is named so that an
  // amount the user did not mean does not pass unseen.
  void note_misreadings() {
    for (std::size_t i = 0; i < kInputCount; ++i) {
      const std::size_t column = columns_[index(kInputFields[i])];
      if (column >= record_.cells.size()) continue;
      const std::string_view text = record_.cells[column];
      const std::optional<std::string> note = classic_misreading(static_cast<Input>(i), text);
      if (!note) continue;
      if (++misreadings_ > kMaxMisreadingNotes) continue;
      const bool separator = text.find(',') != text.npos || text.find("，") != text.npos;
      const bool count = row(kInputFields[i]).kind == FieldKind::kCount;
      const std::string_view fix = separator ? "请去掉千位分隔符"
                                   : count   ? "请填写整数"
                                             : "请只填写数字";
      const Where where{{}, static_cast<int>(record_.line), static_cast<int>(column + 1)};
      err_.write(message_line(message({kInputNames[i],
                                       "“" + visible(text) + "”" + *note + "；" + std::string(fix) +
                                           "，或用 --claim 按整个索赔的读法计算",
                                       where})));
    }
  }

  int finish() {
    if (misreadings_ > kMaxMisreadingNotes) {
      err_.write(message_line("另有 " + decimal(misreadings_ - kMaxMisreadingNotes) +
                              " 个单元格的读法与整个索赔（--claim）不同，未逐一列出"));
      misreadings_ = 0;
    }
    flush();
    if (write_failed_) {
      err_.write(message_line("无法写入输出：" + out_.error()));
      return kExitFailure;
    }
    return kExitSuccess;
  }

  int fail(const std::string& message) {
    finish();
    err_.write(message_line(message));
    return kExitFailure;
  }

  WaitingSource in_;
  CsvReader reader_;
  ByteSink& out_;
  ByteSink& err_;
  CsvRecord record_;
  std::size_t width_ = 0;
  RowBatch::Columns columns_{};
  std::string_view line_end_ = "\n";
  RowBatch rows_;
  std::optional<ClaimColumns> claim_;  // with --claim
  std::size_t misreadings_ = 0;        // classic cells the claim would read otherwise
  std::string pending_;                // output not yet handed to the sink
  bool write_failed_ = false;
};

}  // namespace

int convert(ByteSource& in, ByteSink& out, ByteSink& err, const CsvLimits& limits,
            const Rules* claim_rules) {
  TextSource text(in, limits.block_size);
  if (!text.open()) {
    err.write(message_line(text.error()));
    return kExitFailure;
  }
  if (text.encoding() == Encoding::kUtf8) {
    return Converter(text, out, err, limits, claim_rules).convert();
  }
  err.write(message_line("输入不是 UTF-8，按 GB18030（GBK）编码读取，结果也用这一编码写出"));
  Gb18030Sink encoded(out);
  return Converter(text, encoded, err, limits, claim_rules).convert();
}

std::string help_text() {
  std::string text;
  text.append("用法：").append(kProgramName).append(" [文件]\n");
  text.append(
      "逐行计算工伤赔偿。读入 CSV（逗号分隔，双引号按 RFC 4180；LF 或 CRLF 换行），\n"
      "文件省略或为 - 时读标准输入，结果 CSV 写到标准输出。\n");
  if (!kGb18030Supported) {
    text.append(
        "编码：只读写 UTF-8（可带 BOM）。这一版本的 C 库无法写出 GBK/GB18030，\n"
        "其他编码的文件会被拒绝：请在表格软件中另存为「CSV UTF-8」。\n");
  } else {
    text.append(
        "编码：UTF-8（可带 BOM），或中文版 Windows 表格软件另存的 GBK，按其超集 GB18030 读。\n"
        "读文件时看整个文件：是有效的 UTF-8 就按 UTF-8 读；否则是有效的 GB18030 就按它读，\n"
        "结果也用 GB18030 写出，并在标准错误注明；两者都不是（如 UTF-16）则停止并说明。\n");
    text.append("从管道或终端读入时只看开头：至多 ")
        .append(decimal(kDetectBytes >> 20))
        .append(" MiB，已有一整行而暂无更多输入时即判断。\n");
  }
  text.append("第一行是表头。这些列参与计算（列名前后的空白不计）：")
      .append(join_names(kInputNames, "、"))
      .append("；\n缺少的按空白计算，并在标准错误列出；其他列原样保留。\n");
  text.append(
      "工伤等级可写一至十、1 至 10（半角或全角），也可后加「级」，如 五、5、５级；\n"
      "护理级别可写完全护理、大部分护理、部分护理；前后空白不计，留空表示没有。\n"
      "其他写法（如 十一、伍、完全）该行不计算。\n");
  text.append("每行照原样输出，后接结果列 ")
      .append(result_names())
      .append(" 和最后一列「")
      .append(kErrorColumn)
      .append("」：\n无法计算的行在「")
      .append(kErrorColumn)
      .append("」中写明原因，结果列留空。\n");
  text.append(
      "退出状态：0 全部处理完（包括无法计算的行）；2 输入有误（编码无法识别、引号未闭合、\n"
      "输入列重复、单元格比表头多等）、文件无法读取或选项未知；原因写到标准错误（输入有误时\n"
      "带行号），之前的行已经输出。\n"
      "选项：-h, --help 显示本说明；-- 之后的参数都当文件名；\n");
  text.append(claim_help_text());
  return text;
}

int run(std::span<const std::string_view> args, ByteSource& standard_input, ByteSink& out,
        ByteSink& err, const std::filesystem::path& program) {
  std::optional<std::string_view> path;
  bool options_done = false;
  ClaimOptions claim;
  for (std::size_t a = 0; a < args.size(); ++a) {
    const std::string_view arg = args[a];
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && claim.take(args, a)) {
      if (!claim.error.empty()) {
        err.write(message_line(claim.error));
        return kExitFailure;
      }
    } else if (!options_done && (arg == "-h" || arg == "--help")) {
      if (out.write(help_text())) return kExitSuccess;
      err.write(message_line("无法写入说明：" + out.error()));
      return kExitFailure;
    } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
      err.write(message_line("未知选项「" + visible(arg) + "」；用法见 " +
                             std::string(kProgramName) + " --help"));
      return kExitFailure;
    } else if (path) {
      err.write(message_line("只能给一个输入文件，多出了「" + visible(arg) + "」"));
      return kExitFailure;
    } else {
      path = arg;
    }
  }
  std::optional<Rules> rules;
  if (claim.on) {
    auto loaded = load_claim_rules(program, claim.rules_file);
    if (auto* message = std::get_if<std::string>(&loaded)) {
      err.write(message_line(*message));
      return kExitFailure;
    }
    rules = std::move(std::get<Rules>(loaded));
  } else if (claim.rules_file) {
    err.write(message_line("「--rules」只与 --claim 一起使用"));
    return kExitFailure;
  }
  const Rules* claim_rules = rules ? &*rules : nullptr;
  if (!path || *path == "-") return convert(standard_input, out, err, {}, claim_rules);

  const std::string name(*path);
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    err.write(message_line("无法打开「" + name + "」：" + describe_errno(errno)));
    return kExitFailure;
  }
  FdSource file(fd, name);
  const int status = convert(file, out, err, {}, claim_rules);
  ::close(fd);
  return status;
}

int run(std::span<const std::string_view> args, std::string_view input, std::string& out,
        std::string& err, const std::filesystem::path& program) {
  MemorySource in(input);
  StringSink out_sink(out);
  StringSink err_sink(err);
  return run(args, in, out_sink, err_sink, program);
}

}  // namespace gongshang::batch
