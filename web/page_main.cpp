// The engine as the page calls it (web/page.js): C functions taking texts
// or bytes as pointer and length and answering with a text that stays valid
// until the next call, its length from gs_result_size(). The rules are the
// shipped file built into the module, with the user's file merged in once
// one is loaded.
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "page/page_api.h"
#include "regions/rules_file.h"

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

gongshang::page::BatchRun last_batch;

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

// "" once the user's file is merged in; otherwise why not, the rules unchanged.
const char* gs_load_rules(const char* name, int name_size, const char* json, int json_size) {
  if (const auto* problem = std::get_if<std::string>(&shipped())) return answer(*problem);
  auto merged = gongshang::page::with_user_rules(std::get<Rules>(shipped()), view(name, name_size),
                                                 view(json, json_size));
  if (auto* problem = std::get_if<std::string>(&merged)) return answer(std::move(*problem));
  rules() = std::get<Rules>(std::move(merged));
  return answer({});
}

const char* gs_batch(const char* csv, int size) {
  last_batch = gongshang::page::run_batch(view(csv, size), rules());
  result = std::move(last_batch.out);
  return result.c_str();
}

int gs_batch_status() {
  return last_batch.status;
}

const char* gs_batch_err() {
  return answer(last_batch.err);
}

}  // extern "C"
