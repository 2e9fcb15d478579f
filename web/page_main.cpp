// The engine as the page calls it (web/page_*.js): C functions taking texts
// or bytes as pointer and length and answering with a text that stays valid
// until the next call, its length from gs_result_size(). The rules are the
// shipped file built into the module, with the user's file merged in once
// one is loaded. The page runs one copy of the module for the form and a
// second, in a Web Worker, for a batch run (gs_batch).
#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "batch/batch.h"
#include "batch/encoding.h"
#include "batch/io.h"
#include "casefile/case_file.h"
#include "engine/claim.h"
#include "engine/fields.h"
#include "jsonfile/json_file.h"
#include "page/page_api.h"
#include "regions/rules_file.h"

// Handed to the worker's module options (onOutput, onProgress) as they come.
EM_JS(void, gs_output, (const char* data, int size),
      { Module.onOutput(HEAPU8.slice(data, data + size)); });
EM_JS(void, gs_progress, (double done), {
  if (Module.onProgress) Module.onProgress(done);
});

namespace {

using gongshang::Rules;

std::string result;

const char* answer(std::string text) {
  result = std::move(text);
  return result.c_str();
}

std::string_view view(const char* data, int size) {
  return {data, static_cast<std::size_t>(size)};
}

// The shipped rules; a module without them has nothing to offer but the
// message, which the page then shows where the region's status goes.
const std::variant<Rules, std::string>& shipped() {
  static const std::variant<Rules, std::string> rules = []() -> std::variant<Rules, std::string> {
    auto loaded = gongshang::regions::load_rules(GONGSHANG_WEB_PROGRAM, {});
    if (auto* error = std::get_if<gongshang::regions::LoadError>(&loaded)) return error->text();
    return std::get<Rules>(std::move(loaded));
  }();
  return rules;
}

Rules& rules() {
  static Rules current =
      std::holds_alternative<Rules>(shipped()) ? std::get<Rules>(shipped()) : Rules{};
  return current;
}

// The CSV in memory, telling the page how far it has been read.
class ProgressSource final : public gongshang::batch::ByteSource {
 public:
  explicit ProgressSource(std::string_view bytes) : bytes_(bytes), in_(bytes) {}
  std::size_t read(char* buffer, std::size_t size) override {
    const std::size_t n = in_.read(buffer, size);
    at_ += n;
    if (!bytes_.empty()) gs_progress(static_cast<double>(at_) / static_cast<double>(bytes_.size()));
    return n;
  }
  bool rewind() override {
    at_ = 0;
    return in_.rewind();
  }
  bool ready() override { return true; }

 private:
  std::string_view bytes_;
  gongshang::batch::MemorySource in_;
  std::size_t at_ = 0;
};

// The result handed to the page block by block, so that it never has to fit
// in the module's memory, and refused past the cap the page can hand over.
class PageSink final : public gongshang::batch::ByteSink {
 public:
  explicit PageSink(std::size_t cap) : cap_(cap) {}
  bool write(std::string_view bytes) override {
    if (bytes.size() > cap_ - written_) return false;
    written_ += bytes.size();
    gs_output(bytes.data(), static_cast<int>(bytes.size()));
    return true;
  }
  std::string error() const override {
    return "结果超过 " + std::to_string(cap_ >> 20) +
           " MiB，超出本页面能交给浏览器下载的大小：请把表格分成几个较小的文件分别计算";
  }

 private:
  std::size_t cap_;
  std::size_t written_ = 0;
};

// The batch tool's messages without its name in front: the page is no
// program one calls by name.
std::string without_program_name(std::string_view err) {
  const std::string prefix = std::string(gongshang::batch::kProgramName) + ": ";
  std::string out;
  for (std::size_t at = 0; at < err.size();) {
    std::size_t end = err.find('\n', at);
    end = end == std::string_view::npos ? err.size() : end + 1;
    std::string_view line = err.substr(at, end - at);
    if (line.starts_with(prefix)) line.remove_prefix(prefix.size());
    out.append(line);
    at = end;
  }
  return out;
}

std::string batch_err;

}  // namespace

extern "C" {

int gs_result_size() {
  return static_cast<int>(result.size());
}

const char* gs_form() {
  return answer(gongshang::page::form_json(rules()));
}

const char* gs_statement(const char* texts, int size) {
  return answer(
      gongshang::page::statement_json(gongshang::page::texts_of_json(view(texts, size)), rules()));
}

// The print view's HTML for the texts, dated as the page dates it; "" while
// there is no statement.
const char* gs_report(const char* texts, int size, const char* date, int date_size) {
  return answer(gongshang::page::report_html(gongshang::page::texts_of_json(view(texts, size)),
                                             rules(), view(date, date_size)));
}

const char* gs_open_case(const char* bytes, int size) {
  return answer(gongshang::page::open_case_json(view(bytes, size), rules()));
}

const char* gs_save_case(const char* texts, int size) {
  return answer(gongshang::page::save_case(gongshang::page::texts_of_json(view(texts, size))));
}

// The name to offer for the case file ("case") or the report ("report") of
// these texts, after 姓名 and 单位: "工伤案例-张三-某某公司.json".
const char* gs_file_name(const char* texts, int size, const char* what, int what_size) {
  const auto kind = view(what, what_size) == "report" ? gongshang::casefile::SavedFile::kReport
                                                      : gongshang::casefile::SavedFile::kCase;
  return answer(gongshang::casefile::default_file_name(
      gongshang::page::texts_of_json(view(texts, size)), kind));
}

// The largest case or rules file the native programs read, and what they
// say of a larger one; the page refuses such a file before reading it.
int gs_file_cap() {
  return static_cast<int>(gongshang::jsonfile::kMaxBytes);
}

const char* gs_too_large() {
  return answer(gongshang::jsonfile::too_large());
}

// "" once the user's file is merged in; otherwise why not, the rules unchanged.
const char* gs_load_rules(const char* name, int name_size, const char* json, int json_size) {
  if (const auto* problem = std::get_if<std::string>(&shipped())) return answer(*problem);
  auto merged = gongshang::page::with_user_rules(std::get<Rules>(shipped()), view(name, name_size),
                                                 view(json, json_size));
  if (auto* problem = std::get_if<std::string>(&merged)) return answer(std::move(*problem));
  rules() = std::get<Rules>(std::move(merged));
  return answer({});
}

// The input columns of a batch run, every field's in the form's order (姓名
// and 单位 first, carried through as they are), as a CSV header line: the
// template the page offers.
const char* gs_batch_columns() {
  std::string header;
  for (const gongshang::FieldRow& row : gongshang::field_rows())
    header.append(row.name).push_back(',');
  header.back() = '\n';
  return answer(std::move(header));
}

// Why a file that starts with these bytes is no CSV (a workbook), or "".
const char* gs_workbook(const char* start, int size) {
  return answer(gongshang::batch::workbook_problem(view(start, size)));
}

// gongshang-batch --claim over UTF-8 CSV: the result goes to the page's
// onOutput in blocks, at most `cap` bytes of it, the messages to
// gs_batch_err(); returns the batch tool's exit status.
int gs_batch(const char* csv, int size, int cap) {
  ProgressSource in(view(csv, size));
  PageSink out(static_cast<std::size_t>(cap));
  std::string err;
  gongshang::batch::StringSink err_sink(err);
  const int status = gongshang::batch::convert(in, out, err_sink, {}, &rules());
  batch_err = without_program_name(err);
  return status;
}

const char* gs_batch_err() {
  return answer(batch_err);
}

}  // extern "C"
