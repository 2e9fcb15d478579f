#include "engine/evaluation.h"

#include <algorithm>

#include "engine/typed_text.h"

namespace gongshang {

namespace {

// The months or amount typed for one subsidy, the same for every grade
// since they are typed for this case's grade; nullopt where none was typed.
std::optional<SubsidyRule> typed_rule(const CaseValues& v, std::size_t which) {
  if (!v.typed_figure[which]) return std::nullopt;
  SubsidyRule rule;
  rule.base = v.typed_base[which];
  rule.by_grade.fill(*v.typed_figure[which]);
  return rule;
}

std::vector<std::pair<std::string_view, std::string>> given_inputs(const FieldViews& texts,
                                                                   const Reading& reading) {
  std::vector<std::pair<std::string_view, std::string>> given;
  for (const FieldRow& row : field_rows()) {
    std::string_view text = texts[index(row.field)];
    if (row.field == Field::kRegion && text.empty())
      given.emplace_back(row.name, "未选（补助金标准自行填写）");
    if (row.kind == FieldKind::kText) text = trimmed_name(text);
    if (text.empty() || text == "否" || (row.kind == FieldKind::kCount && text == "0")) continue;
    if (!reading.in_effect[index(row.field)]) continue;
    given.emplace_back(row.name,
                       row.kind == FieldKind::kAge ? std::string(text) + " 岁" : std::string(text));
  }
  return given;
}

}  // namespace

std::string Evaluation::why_none() const {
  if (refusal) return message(*refusal);
  if (reading.problems.empty()) return {};
  std::vector<std::size_t> marked;
  for (const Problem& p : reading.problems)
    if (auto f = find_field(p.subject)) marked.push_back(index(*f));
  std::sort(marked.begin(), marked.end());
  std::string s = "请先改正标红的栏目：";
  for (std::size_t i = 0; i < marked.size(); ++i)
    s.append(i ? "、" : "").append(field_rows()[marked[i]].name);
  return s;
}

const Problem* Evaluation::first_problem() const {
  if (!reading.problems.empty()) return &reading.problems.front();
  return refusal ? &*refusal : nullptr;
}

const Problem* Evaluation::row_problem() const {
  if (!reading.problems.empty()) return &reading.problems.front();
  if (death_texts) return &*death_texts;
  if (refusal) return &*refusal;
  return needed.empty() ? nullptr : &needed.front();
}

void evaluate(const FieldViews& texts, const Rules& rules, ClaimDetail detail, Evaluation& e) {
  e.refusal.reset();
  e.statement.reset();
  e.needed.clear();
  e.death_texts = death_texts_without_death(texts);
  read_fields(texts, rules, e.reading);
  if (!e.reading.problems.empty()) return;
  const CaseValues& v = e.reading.values;
  if ((e.refusal = work_out(v.classic, e.classic))) return;
  if ((e.refusal = contradiction(v))) return;

  // Without a region, the subsidies follow the figures typed, if any.
  const Region* region = v.region;
  std::optional<Region> typed;
  if (region == nullptr && (v.typed_figure[0] || v.typed_figure[1])) {
    typed.emplace();
    typed->name = "自行填写";
    typed->medical = typed_rule(v, 0);
    typed->employment = typed_rule(v, 1);
    region = &*typed;
  }
  if ((e.refusal = build_claim(e.classic, v, region, rules, detail, e.claim))) return;
  for (const MissingField& m : e.claim.missing)
    e.needed.emplace_back(name(m.field), "为空：计算" + m.items + "需要此项");
  if (detail == ClaimDetail::kWorking) {
    e.statement = make_statement(e.classic, e.claim, v, typed.has_value());
    e.statement->inputs = given_inputs(texts, e.reading);
    e.statement->rules_collected = rules.collected;
  }
}

Evaluation evaluate(const FieldViews& texts, const Rules& rules, ClaimDetail detail) {
  Evaluation e;
  evaluate(texts, rules, detail, e);
  return e;
}

Evaluation evaluate(const FieldTexts& texts, const Rules& rules) {
  return evaluate(views_of(texts), rules);
}

}  // namespace gongshang
