#include "regions/rules_file.h"

#include <algorithm>
#include <set>
#include <utility>

#include "engine/dates.h"
#include "engine/typed_text.h"
#include "jsonfile/json_file.h"

namespace gongshang::regions {
namespace {

using json = jsonfile::Json;

// A fault found while reading the document: at which value, and what.
struct Fault {
  const json* where;
  std::string message;
};

std::string bracketed(std::string_view key) {
  return "「" + std::string(key) + "」";
}

// Reads one object, refusing keys it does not know once it is done.
class ObjectReader {
 public:
  ObjectReader(const json& value, std::string_view what) : value_(value) {
    if (!value.is_object()) throw Fault{&value_, std::string(what) + "应为 JSON 对象"};
  }

  const json* optional(std::string_view key) {
    seen_.insert(std::string(key));
    auto it = value_.find(key);
    return it == value_.end() ? nullptr : &*it;
  }
  const json& required(std::string_view key) {
    const json* v = optional(key);
    if (!v) throw Fault{&value_, "缺少" + bracketed(key)};
    return *v;
  }
  // The member's value, or the object when it has none.
  const json* at(std::string_view key) const {
    auto it = value_.find(key);
    return it == value_.end() ? &value_ : &*it;
  }

  std::string text(std::string_view key, bool needed) {
    const json* v = needed ? &required(key) : optional(key);
    if (!v) return {};
    if (!v->is_string()) throw Fault{at(key), bracketed(key) + "应为文字"};
    return v->get<std::string>();
  }
  // A free text people read: shown as messages show what was typed, so that
  // no control character breaks a line and no direction override turns it.
  std::string shown_text(std::string_view key, bool needed) {
    return visible(text(key, needed), kWholeText);
  }
  double number(const json& v, std::string_view key, double min, double max) {
    if (!v.is_number() || v.get<double>() < min || v.get<double>() > max) {
      throw Fault{at(key),
                  bracketed(key) + "应为 " + bound(min) + " 到 " + bound(max) + " 之间的数"};
    }
    return v.get<double>();
  }
  void done() const {
    for (auto it = value_.begin(); it != value_.end(); ++it) {
      if (!seen_.contains(it.key()))
        throw Fault{&it.value(), "未知的键" + bracketed(visible(it.key()))};
    }
  }

 private:
  static std::string bound(double x) { return std::to_string(static_cast<long long>(x)); }

  const json& value_;
  std::set<std::string, std::less<>> seen_;
};

constexpr std::string_view kGradeKeys[kSubsidyGradeCount] = {"五", "六", "七", "八", "九", "十"};
constexpr double kMaxFigure = 1e9;  // months or yuan; beyond it a figure is a typing slip

// 五 … 十, each a number in [min, max] or null.
ByGrade read_grades(const json& value, std::string_view key, double min, double max) {
  ObjectReader grades(value, bracketed(key));
  ByGrade figures{};
  for (std::size_t i = 0; i < kSubsidyGradeCount; ++i) {
    const json& v = grades.required(kGradeKeys[i]);
    if (!v.is_null()) figures[i] = grades.number(v, kGradeKeys[i], min, max);
  }
  grades.done();
  return figures;
}

LifeExpectancyRule read_life_expectancy(const json& value) {
  ObjectReader r(value, "「life_expectancy」");
  LifeExpectancyRule rule;
  rule.months_per_year = read_grades(r.required("months_per_year"), "months_per_year", 0, 100);
  rule.minimum_months = read_grades(r.required("minimum_months"), "minimum_months", 0, 1000);
  for (auto [key, to] : {std::pair{"all", &rule.all}, std::pair{"men", &rule.men},
                         std::pair{"women", &rule.women}}) {
    if (const json* v = r.optional(key); v && !v->is_null()) *to = r.number(*v, key, 1, 150);
  }
  if (rule.men.has_value() != rule.women.has_value()) {
    throw Fault{&value, "「men」和「women」应同时给出：按原退休年龄取男性或女性的预期寿命"};
  }
  if (!rule.all && !rule.men) {
    throw Fault{&value, "「life_expectancy」缺少预期寿命：「all」，或「men」和「women」"};
  }
  const json& year = r.required("year");
  if (!year.is_number_integer()) throw Fault{r.at("year"), "「year」应为四位数的年份"};
  rule.year = static_cast<int>(r.number(year, "year", 1000, 9999));
  rule.source = r.shown_text("source", true);
  r.done();
  return rule;
}

constexpr std::string_view kUnknownCut = "未知";
constexpr std::size_t kMaxCutYears = 100;

// near_retirement_percent: the percentages for 0, 1, 2, … whole years left,
// null (no cut) or "未知". near_retirement_years and near_retirement_applies
// qualify a cut and are refused without one, so that a stray key is seen.
std::optional<NearRetirementCut> read_cut(ObjectReader& r) {
  const json* v = r.optional("near_retirement_percent");
  const json* years = r.optional("near_retirement_years");
  const json* applies = r.optional("near_retirement_applies");
  if (!v || v->is_null()) {
    for (auto [key, given] : {std::pair{"near_retirement_years", years},
                              std::pair{"near_retirement_applies", applies}}) {
      if (given) {
        throw Fault{r.at(key), bracketed(key) + "只在「near_retirement_percent」不为 null 时使用"};
      }
    }
    return std::nullopt;
  }
  NearRetirementCut cut;
  if (v->is_string() && v->get<std::string>() == kUnknownCut) {
    cut.unknown = true;
    if (years) {
      if (!years->is_number_integer()) {
        throw Fault{r.at("near_retirement_years"),
                    "「near_retirement_years」应为 1 到 100 之间的整数"};
      }
      cut.unknown_years = static_cast<int>(r.number(*years, "near_retirement_years", 1, 100));
    }
  } else if (v->is_array() && !v->empty() && v->size() <= kMaxCutYears) {
    if (years) {
      throw Fault{r.at("near_retirement_years"),
                  "「near_retirement_years」只在递减比例为“未知”时使用：百分比的项数就是年数"};
    }
    for (std::size_t i = 0; i < v->size(); ++i) {
      const json& p = (*v)[i];
      if (!p.is_number() || p.get<double>() < 0 || p.get<double>() > 100) {
        throw Fault{&p, "「near_retirement_percent」的每一项应为 0 到 100 之间的数"};
      }
      cut.percent.push_back(p.get<double>());
    }
  } else {
    throw Fault{r.at("near_retirement_percent"),
                "「near_retirement_percent」应为距退休 0、1、2…个整年时支付的百分比数组（1 到 "
                "100 项）、null（不递减）或 \"未知\""};
  }
  if (applies) {
    auto scope = applies->is_string() ? scope_from_text(applies->get<std::string>()) : std::nullopt;
    if (!scope) {
      throw Fault{r.at("near_retirement_applies"),
                  "「near_retirement_applies」应为 全部 或 本人提出"};
    }
    cut.scope = *scope;
  }
  return cut;
}

SubsidyRule read_subsidy(const json& value) {
  ObjectReader r(value, "补助金规则");
  SubsidyRule rule;
  std::string base = r.text("base", true);
  auto parsed = base_from_text(base);
  if (!parsed) {
    throw Fault{r.at("base"), "「base」应为 统筹月工资、全省月工资、本人工资 或 固定金额，而不是“" +
                                  visible(base) + "”"};
  }
  rule.base = *parsed;

  if (const json* life = r.optional("life_expectancy")) {
    if (r.optional("by_grade")) {
      throw Fault{r.at("life_expectancy"), "「by_grade」和「life_expectancy」只能有一个"};
    }
    if (rule.base == SubsidyBase::kFixed) {
      throw Fault{r.at("life_expectancy"),
                  "「life_expectancy」算出的是月数，「base」不能是固定金额"};
    }
    rule.life_expectancy = read_life_expectancy(*life);
  } else {
    rule.by_grade = read_grades(r.required("by_grade"), "by_grade", 0, kMaxFigure);
  }

  if (const json* v = r.optional("disease_uplift")) {
    rule.disease_uplift = r.number(*v, "disease_uplift", 0, 10);
  }
  rule.near_retirement = read_cut(r);
  r.done();
  return rule;
}

bool has_figures(const std::optional<SubsidyRule>& rule) {
  if (!rule) return false;
  if (rule->life_expectancy) return true;
  for (const auto& figure : rule->by_grade) {
    if (figure) return true;
  }
  return false;
}

// The name as a typed one is read (blanks around it dropped, full-width
// forms as ASCII), so " 浙江" replaces the shipped 浙江 as "浙江" does and the
// claim finds it by what is typed; a name holding what no one can see or
// tell apart is refused, since it is chosen from a list by eye.
std::string name_of(ObjectReader& r) {
  const std::string typed = r.text("name", true);
  std::string name = ascii_form(typed);
  if (name.empty()) throw Fault{r.at("name"), "「name」不能为空"};
  if (first_unclear(name) != std::string::npos) {
    throw Fault{r.at("name"),
                "「name」“" + visible(typed) +
                    "”中有空白、控制字符或不可见字符：地区名中间不能有这些字符（两端的"
                    "空白会自动去掉）"};
  }
  return name;
}

Region read_region(const json& value) {
  ObjectReader r(value, "地区条目");
  Region region;
  region.name = name_of(r);
  region.statute = r.shown_text("statute", true);
  region.articles = r.shown_text("articles", false);
  region.effective = r.shown_text("effective", false);
  region.notes = r.shown_text("notes", false);
  std::string status = r.text("status", true);
  auto parsed = status_from_text(status);
  if (!parsed) {
    throw Fault{r.at("status"),
                "「status」应为 " + status_choices() + "，而不是“" + visible(status) + "”"};
  }
  region.status = *parsed;
  const json& sources = r.required("sources");
  if (!sources.is_array()) throw Fault{r.at("sources"), "「sources」应为文字的数组"};
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (!sources[i].is_string()) {
      throw Fault{&sources[i], "「sources」的每一项应为文字"};
    }
    region.sources.push_back(visible(sources[i].get<std::string>(), kWholeText));
  }
  for (auto [key, rule] :
       {std::pair{"medical", &region.medical}, std::pair{"employment", &region.employment}}) {
    if (const json* v = r.optional(key); v && !v->is_null()) *rule = read_subsidy(*v);
  }
  if (const json* v = r.optional("insurance_relation_ends"); v && !v->is_null()) {
    ObjectReader end(*v, "「insurance_relation_ends」");
    region.relation_end = RelationEnd{end.text("article", true), end.text("text", true)};
    end.done();
  }
  // A region whose figures all went for want of a source stays listed, so
  // that a person sees why; its notes must say so. A status saying none was
  // found never stands over a figure, which would then pass as unchecked
  // data rather than as none.
  const bool figures = has_figures(region.medical) || has_figures(region.employment);
  if (!figures && region.notes.empty()) {
    throw Fault{&value,
                "地区“" + visible(region.name) + "”没有任何补助金数字：请在「notes」中说明原因"};
  }
  if (figures && region.status == DataStatus::kNoFigureFound) {
    throw Fault{r.at("status"),
                "「status」为 " + std::string(status_text(region.status)) +
                    " 的地区不能有补助金数字：请写明数字的核对情况，或把数字改为 null"};
  }
  r.done();
  return region;
}

IncomeYear read_income(const json& value) {
  ObjectReader r(value, "收入条目");
  IncomeYear y;
  const json& year = r.required("year");
  if (!year.is_number_integer()) throw Fault{r.at("year"), "「year」应为四位数的年份"};
  y.year = static_cast<int>(r.number(year, "year", 1000, 9999));
  y.yuan = r.number(r.required("yuan"), "yuan", 0, kMaxFigure);
  const json& confirmed = r.required("confirmed");
  if (!confirmed.is_boolean()) throw Fault{r.at("confirmed"), "「confirmed」应为 true 或 false"};
  y.confirmed = confirmed.get<bool>();
  y.source = r.shown_text("source", true);
  r.done();
  return y;
}

Rules read_rules(const json& doc) {
  ObjectReader r(doc, "整个文件");
  r.text("about", false);
  Rules rules;
  // The date a report gives for the figures: a day of the calendar, as written.
  rules.collected = r.text("collected", false);
  if (const auto day = parse_date(rules.collected);
      !rules.collected.empty() && (!day || format_date(*day) != rules.collected)) {
    throw Fault{r.at("collected"), "「collected」应为资料收集的日期，写作 2026-12-06"};
  }
  std::set<std::string, std::less<>> names;
  std::set<int> years;
  if (const json* regions = r.optional("regions")) {
    if (!regions->is_array()) throw Fault{r.at("regions"), "「regions」应为地区条目的数组"};
    for (std::size_t i = 0; i < regions->size(); ++i) {
      const json& entry = (*regions)[i];
      Region region = read_region(entry);
      if (!names.insert(region.name).second) {
        throw Fault{&entry["name"], "地区“" + visible(region.name) + "”出现了两次"};
      }
      rules.regions.push_back(std::move(region));
    }
  }
  if (const json* income = r.optional("income")) {
    if (!income->is_array()) throw Fault{r.at("income"), "「income」应为收入条目的数组"};
    for (std::size_t i = 0; i < income->size(); ++i) {
      const json& entry = (*income)[i];
      IncomeYear y = read_income(entry);
      if (!years.insert(y.year).second) {
        throw Fault{&entry["year"], std::to_string(y.year) + " 年的收入出现了两次"};
      }
      rules.income.push_back(std::move(y));
    }
  }
  r.done();
  return rules;
}

}  // namespace

std::string LoadError::text() const {
  std::string out = file;
  if (line > 0) out += (out.empty() ? "第 " : " 第 ") + std::to_string(line) + " 行";
  if (line > 0 && column > 0) out += "第 " + std::to_string(column) + " 列";
  if (!out.empty()) out += "：";
  return out + message;
}

Loaded parse_rules(std::string_view json_text) {
  jsonfile::Document doc = jsonfile::parse(json_text);
  if (doc.problem) {
    return LoadError{{}, doc.problem->line, doc.problem->message, doc.problem->column};
  }
  try {
    return read_rules(doc.root);
  } catch (Fault& f) {
    const jsonfile::Problem at =
        jsonfile::problem_at(json_text, doc.offset_of(f.where), std::move(f.message));
    return LoadError{{}, at.line, at.message, at.column};
  }
}

Loaded load_rules_file(const std::filesystem::path& file) {
  jsonfile::FileBytes read = jsonfile::read_file(file);
  if (read.problem)
    return LoadError{file.string(), 0, "无法读取规则文件：" + read.problem->message};
  Loaded loaded = parse_rules(read.bytes);
  if (auto* error = std::get_if<LoadError>(&loaded)) error->file = file.string();
  return loaded;
}

void merge_rules(Rules& into, Rules user) {
  // Marked, so that no front end shows the user's figures as the shipped
  // check; the shipped figures' date stays theirs.
  for (Region& region : user.regions) {
    region.user_file = true;
    auto it = std::find_if(into.regions.begin(), into.regions.end(),
                           [&region](const Region& r) { return r.name == region.name; });
    if (it != into.regions.end()) {
      *it = std::move(region);
    } else {
      into.regions.push_back(std::move(region));
    }
  }
  for (IncomeYear& y : user.income) {
    y.user_file = true;
    auto it = std::find_if(into.income.begin(), into.income.end(),
                           [&y](const IncomeYear& i) { return i.year == y.year; });
    if (it != into.income.end()) {
      *it = std::move(y);
    } else {
      into.income.push_back(std::move(y));
    }
  }
}

std::filesystem::path program_path() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : path;
}

Loaded load_rules(const std::filesystem::path& program, const std::filesystem::path& user_file) {
  std::filesystem::path shipped = (program.parent_path() / kShippedRelativePath).lexically_normal();
  Loaded loaded = load_rules_file(shipped);
  if (user_file.empty() || std::holds_alternative<LoadError>(loaded)) return loaded;
  Loaded user = load_rules_file(user_file);
  if (auto* error = std::get_if<LoadError>(&user)) return std::move(*error);
  merge_rules(std::get<Rules>(loaded), std::move(std::get<Rules>(user)));
  return loaded;
}

}  // namespace gongshang::regions
