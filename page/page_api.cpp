#include "page/page_api.h"

#include <nlohmann/json.hpp>

#include "batch/batch.h"
#include "batch/io.h"
#include "casefile/case_file.h"
#include "engine/claim.h"
#include "engine/evaluation.h"
#include "engine/number_text.h"
#include "regions/rules_file.h"
#include "report/report.h"
#include "report/report_html.h"

namespace gongshang::page {

namespace {

using Json = nlohmann::ordered_json;

std::string dumped(const Json& json) {
  // A text that is not UTF-8 cannot come from the page's own encoder, but a
  // rules file is anyone's: a stray byte shows as U+FFFD rather than failing.
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string_view kind_word(FieldKind kind) {
  switch (kind) {
    case FieldKind::kList:
      return "list";
    case FieldKind::kMoney:
      return "money";
    case FieldKind::kCount:
      return "count";
    case FieldKind::kDate:
      return "date";
    case FieldKind::kYesNo:
      return "yesno";
    case FieldKind::kAge:
      return "age";
    case FieldKind::kRegion:
      return "region";
    case FieldKind::kText:
      return "text";
    case FieldKind::kBase:
      break;
  }
  return "base";
}

// A list's items as [value, label, help] triples (help: item_help, often
// ""), the empty choice first where the window has one.
Json items_of(const FieldRow& row, const Rules& rules) {
  Json items = Json::array();
  const auto add = [&items, &row](std::string_view value, std::string_view label) {
    items.push_back(Json::array({value, label, item_help(row.field, value)}));
  };
  switch (row.kind) {
    case FieldKind::kList:
      add("", "");
      for (std::string_view item : list_items(row.field)) add(item, item);
      break;
    case FieldKind::kAge:
      for (const AgeItem& age : age_items()) add(age.text, age.label);
      break;
    case FieldKind::kBase:
      for (std::size_t b = 0; b < kSubsidyBaseCount; ++b)
        add(base_text(static_cast<SubsidyBase>(b)), base_text(static_cast<SubsidyBase>(b)));
      break;
    case FieldKind::kRegion:
      add("", "（其他地区，自行填写标准）");
      for (const Region& region : rules.regions)
        add(region.name, region.user_file ? region.name + "（用户规则）" : region.name);
      break;
    default:
      break;
  }
  return items;
}

// An amount as the page shows it: 1,397,540.00.
std::string shown(long long fen) {
  return with_separators(yuan_text(fen));
}

Json total_json(const StatementTotal& total) {
  return {{"total", shown(total.fen)},
          {"fund", shown(total.fund_fen)},
          {"employer", shown(total.employer_fen)}};
}

Json report_inputs(const Statement& s) {
  Json inputs = Json::array();
  for (const auto& [name, shown] : s.inputs) inputs.push_back(Json::array({name, shown}));
  return inputs;
}

Json region_json(const Region& r) {
  return {{"name", r.name},
          {"statute", r.statute},
          {"articles", r.articles},
          {"effective", r.effective},
          {"status", status_text(r.status)},
          {"words", region_status_words(&r)},
          {"user_file", r.user_file},
          {"notes", r.notes},
          {"sources", r.sources}};
}

Json statement_body(const Statement& s) {
  Json items = Json::array();
  for (const StatementItem& item : s.items) {
    items.push_back({{"name", item.name},
                     {"amount", item.fen ? Json(shown(*item.fen)) : Json(nullptr)},
                     {"payer", payer_text(item.payer)},
                     {"working", item.working},
                     {"article", item.article},
                     {"status", item.status},
                     {"monthly", item.monthly},
                     {"duration", item.duration},
                     {"if_unpaid", item.if_unpaid}});
  }
  Json body = {{"items", items},
               {"once", total_json(s.once)},
               {"monthly", total_json(s.monthly)},
               {"death", s.death},
               {"if_unpaid", total_json(s.if_unpaid)},
               {"if_unpaid_words", kIfUnpaid},
               {"retirement", s.retirement},
               {"notes", s.notes},
               {"inputs", report_inputs(s)},
               {"region", s.region ? region_json(*s.region) : Json(nullptr)},
               {"typed_figures", s.typed_figures},
               {"uninsured", s.uninsured},
               {"data_status", s.data_status},
               {"income", nullptr}};
  if (s.income) {
    body["income"] = {{"year", s.income->year},
                      {"yuan", with_separators(plain_form(s.income->yuan))},
                      {"confirmed", s.income->confirmed},
                      {"source", s.income->source},
                      {"user_file", s.income->user_file}};
  }
  return body;
}

}  // namespace

std::string form_json(const Rules& rules) {
  Json groups = Json::array();
  for (int g = 0; g < kFieldGroupCount; ++g) {
    const auto group = static_cast<FieldGroup>(g);
    Json fields = Json::array();
    for (const FieldRow& row : field_rows()) {
      if (row.group != group) continue;
      Json field = {{"name", row.name}, {"kind", kind_word(row.kind)}, {"help", row.help}};
      if (!row.lookup.empty()) field["lookup"] = row.lookup;
      if (row.kind == FieldKind::kCount) field["max"] = static_cast<long long>(row.max);
      if (Json items = items_of(row, rules); !items.empty()) field["items"] = std::move(items);
      fields.push_back(std::move(field));
    }
    groups.push_back({{"title", group_title(group)},
                      {"help", group_help(group)},
                      {"fields", std::move(fields)}});
  }
  return dumped({{"groups", std::move(groups)}});
}

FieldTexts texts_of_json(std::string_view json) {
  FieldTexts texts;
  const Json object = Json::parse(json, nullptr, false);
  if (!object.is_object()) return texts;
  for (const auto& [key, text] : object.items()) {
    const std::optional<Field> field = find_field(key);
    if (field && name(*field) == key && text.is_string())
      texts[index(*field)] = text.get<std::string>();
  }
  return texts;
}

std::string statement_json(const FieldTexts& texts, const Rules& rules) {
  const Evaluation e = evaluate(texts, rules);
  Json problems = Json::array();
  for (const Problem& problem : e.reading.problems)
    problems.push_back({{"field", problem.subject}, {"reason", problem.words}});
  if (e.refusal)
    problems.push_back({{"field", e.refusal->subject}, {"reason", message(*e.refusal)}});
  Json needed = Json::array();
  for (const Problem& problem : e.needed)
    needed.push_back({{"field", problem.subject}, {"reason", problem.words}});
  Json hidden = Json::array();
  for (const FieldRow& row : field_rows())
    if (!e.in_effect(row.field)) hidden.push_back(row.name);
  const Problem* first = e.first_problem();
  return dumped({{"problems", problems},
                 {"message", e.why_none()},
                 {"first_problem", first ? message(*first) : std::string()},
                 {"needed", needed},
                 {"hidden", hidden},
                 {"region_status", region_status_words(e.reading.values.region)},
                 {"statement", e.statement ? statement_body(*e.statement) : Json(nullptr)}});
}

std::string open_case_json(std::string_view bytes, const Rules& rules) {
  const Checked<casefile::OpenedCase> opened = casefile::open_case(bytes, rules);
  if (!opened) return dumped({{"problem", message(opened.problem())}});
  Json texts = Json::object();
  for (const FieldRow& row : field_rows())
    texts[std::string(row.name)] = opened->texts[index(row.field)];
  Json notices = Json::array();
  for (const Problem& notice : opened->notices)
    notices.push_back({{"field", notice.subject}, {"words", notice.words}});
  return dumped({{"problem", ""}, {"texts", std::move(texts)}, {"notices", std::move(notices)}});
}

std::string report_html(const FieldTexts& texts, const Rules& rules, std::string_view date) {
  const Evaluation e = evaluate(texts, rules);
  if (!e.statement) return {};
  return report::report_html(report::make_report(*e.statement, date));
}

std::string save_case(const FieldTexts& texts) {
  return casefile::write_case(texts);
}

std::variant<Rules, std::string> with_user_rules(const Rules& shipped, std::string_view name,
                                                 std::string_view json) {
  regions::Loaded loaded = regions::parse_rules(json);
  if (auto* error = std::get_if<regions::LoadError>(&loaded)) {
    error->file = std::string(name);
    return error->text();
  }
  Rules merged = shipped;
  regions::merge_rules(merged, std::move(std::get<Rules>(loaded)));
  return merged;
}

BatchRun run_batch(std::string_view csv, const Rules& rules) {
  BatchRun run;
  batch::MemorySource in(csv);
  batch::StringSink out(run.out);
  batch::StringSink err(run.err);
  run.status = batch::convert(in, out, err, {}, &rules);
  return run;
}

}  // namespace gongshang::page
