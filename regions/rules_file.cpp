#include "regions/rules_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include <nlohmann/json.hpp>

namespace gongshang::regions {
namespace {

using nlohmann::json;

// The line of every value, by JSON pointer ("/regions/3/status"). The DOM
// keeps no positions, so a second, SAX pass over the text records them.
using LineMap = std::map<std::string, int>;

// Counts the newlines the parser has consumed, all but the last character
// read: the parser reads one character past a number, and that one may be
// the newline ending its line.
struct LineCount {
  int newlines = 0;
  bool last_was_newline = false;
};

class CountingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  CountingIterator(const char* p, LineCount* count) : p_(p), count_(count) {}
  reference operator*() const { return *p_; }
  CountingIterator& operator++() {
    if (count_->last_was_newline) ++count_->newlines;
    count_->last_was_newline = *p_ == '\n';
    ++p_;
    return *this;
  }
  bool operator==(const CountingIterator& o) const { return p_ == o.p_; }

 private:
  const char* p_;
  LineCount* count_;
};

// A key an object has twice: JSON lets the last one win unseen.
struct Duplicate {
  int line;
  std::string key;
};

class LineRecorder final : public nlohmann::json_sax<json> {
 public:
  const std::optional<Duplicate>& duplicate() const { return duplicate_; }

  LineRecorder(const LineCount& count, LineMap& lines) : count_(count), lines_(lines) {}

  bool null() override { return value(); }
  bool boolean(bool) override { return value(); }
  bool number_integer(number_integer_t) override { return value(); }
  bool number_unsigned(number_unsigned_t) override { return value(); }
  bool number_float(number_float_t, const string_t&) override { return value(); }
  bool string(string_t&) override { return value(); }
  bool binary(binary_t&) override { return value(); }
  bool start_object(std::size_t) override { return open(false); }
  bool key(string_t& k) override {
    Frame& f = frames_.back();
    if (!f.keys.insert(k).second && !duplicate_) {
      duplicate_ = Duplicate{count_.newlines + 1, k};
    }
    f.key = k;
    return true;
  }
  bool end_object() override { return close(); }
  bool start_array(std::size_t) override { return open(true); }
  bool end_array() override { return close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  struct Frame {
    std::string path;
    bool array;
    std::size_t next = 0;
    std::string key;
    std::set<std::string> keys;
  };

  std::string here() {
    if (frames_.empty()) return "";
    Frame& f = frames_.back();
    return f.path + "/" + (f.array ? std::to_string(f.next++) : f.key);
  }
  bool value() {
    lines_[here()] = count_.newlines + 1;
    return true;
  }
  bool open(bool array) {
    std::string path = here();
    lines_[path] = count_.newlines + 1;
    frames_.push_back({std::move(path), array, 0, {}, {}});
    return true;
  }
  bool close() {
    frames_.pop_back();
    return true;
  }

  const LineCount& count_;
  LineMap& lines_;
  std::vector<Frame> frames_;
  std::optional<Duplicate> duplicate_;
};

// A fault found while reading the DOM: where (a JSON pointer) and what.
struct Fault {
  std::string path;
  std::string message;
};

std::string bracketed(std::string_view key) {
  return "「" + std::string(key) + "」";
}

// Reads one object, refusing keys it does not know once it is done.
class ObjectReader {
 public:
  ObjectReader(const json& value, std::string path, std::string_view what)
      : value_(value), path_(std::move(path)) {
    if (!value.is_object()) throw Fault{path_, std::string(what) + "应为 JSON 对象"};
  }

  const json* optional(std::string_view key) {
    seen_.insert(std::string(key));
    auto it = value_.find(key);
    return it == value_.end() ? nullptr : &*it;
  }
  const json& required(std::string_view key) {
    const json* v = optional(key);
    if (!v) throw Fault{path_, "缺少" + bracketed(key)};
    return *v;
  }
  std::string path(std::string_view key) const { return path_ + "/" + std::string(key); }

  std::string text(std::string_view key, bool needed) {
    const json* v = needed ? &required(key) : optional(key);
    if (!v) return {};
    if (!v->is_string()) throw Fault{path(key), bracketed(key) + "应为文字"};
    return v->get<std::string>();
  }
  double number(const json& v, std::string_view key, double min, double max) {
    if (!v.is_number() || v.get<double>() < min || v.get<double>() > max) {
      throw Fault{path(key),
                  bracketed(key) + "应为 " + bound(min) + " 到 " + bound(max) + " 之间的数"};
    }
    return v.get<double>();
  }
  void done() const {
    for (auto it = value_.begin(); it != value_.end(); ++it) {
      if (!seen_.contains(it.key())) throw Fault{path(it.key()), "未知的键" + bracketed(it.key())};
    }
  }

 private:
  static std::string bound(double x) { return std::to_string(static_cast<long long>(x)); }

  const json& value_;
  std::string path_;
  std::set<std::string, std::less<>> seen_;
};

constexpr std::string_view kGradeKeys[kSubsidyGradeCount] = {"五", "六", "七", "八", "九", "十"};
constexpr double kMaxFigure = 1e9;  // months or yuan; beyond it a figure is a typing slip

// 五 … 十, each a number in [min, max] or null.
ByGrade read_grades(const json& value, const std::string& path, std::string_view key, double min,
                    double max) {
  ObjectReader grades(value, path, bracketed(key));
  ByGrade figures{};
  for (std::size_t i = 0; i < kSubsidyGradeCount; ++i) {
    const json& v = grades.required(kGradeKeys[i]);
    if (!v.is_null()) figures[i] = grades.number(v, kGradeKeys[i], min, max);
  }
  grades.done();
  return figures;
}

LifeExpectancyRule read_life_expectancy(const json& value, const std::string& path) {
  ObjectReader r(value, path, "「life_expectancy」");
  LifeExpectancyRule rule;
  rule.months_per_year = read_grades(r.required("months_per_year"), r.path("months_per_year"),
                                     "months_per_year", 0, 100);
  rule.minimum_months = read_grades(r.required("minimum_months"), r.path("minimum_months"),
                                    "minimum_months", 0, 1000);
  for (auto [key, to] : {std::pair{"all", &rule.all}, std::pair{"men", &rule.men},
                         std::pair{"women", &rule.women}}) {
    if (const json* v = r.optional(key); v && !v->is_null()) *to = r.number(*v, key, 1, 150);
  }
  if (rule.men.has_value() != rule.women.has_value()) {
    throw Fault{path, "「men」和「women」应同时给出：按原退休年龄取男性或女性的预期寿命"};
  }
  if (!rule.all && !rule.men) {
    throw Fault{path, "「life_expectancy」缺少预期寿命：「all」，或「men」和「women」"};
  }
  const json& year = r.required("year");
  if (!year.is_number_integer()) throw Fault{r.path("year"), "「year」应为四位数的年份"};
  rule.year = static_cast<int>(r.number(year, "year", 1000, 9999));
  rule.source = r.text("source", true);
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
        throw Fault{r.path(key),
                    bracketed(key) + "只在「near_retirement_percent」不为 null 时使用"};
      }
    }
    return std::nullopt;
  }
  NearRetirementCut cut;
  if (v->is_string() && v->get<std::string>() == kUnknownCut) {
    cut.unknown = true;
    if (years) {
      if (!years->is_number_integer()) {
        throw Fault{r.path("near_retirement_years"),
                    "「near_retirement_years」应为 1 到 100 之间的整数"};
      }
      cut.unknown_years = static_cast<int>(r.number(*years, "near_retirement_years", 1, 100));
    }
  } else if (v->is_array() && !v->empty() && v->size() <= kMaxCutYears) {
    if (years) {
      throw Fault{r.path("near_retirement_years"),
                  "「near_retirement_years」只在递减比例为“未知”时使用：百分比的项数就是年数"};
    }
    for (std::size_t i = 0; i < v->size(); ++i) {
      const json& p = (*v)[i];
      if (!p.is_number() || p.get<double>() < 0 || p.get<double>() > 100) {
        throw Fault{r.path("near_retirement_percent") + "/" + std::to_string(i),
                    "「near_retirement_percent」的每一项应为 0 到 100 之间的数"};
      }
      cut.percent.push_back(p.get<double>());
    }
  } else {
    throw Fault{r.path("near_retirement_percent"),
                "「near_retirement_percent」应为距退休 0、1、2…个整年时支付的百分比数组（1 到 "
                "100 项）、null（不递减）或 \"未知\""};
  }
  if (applies) {
    auto scope = applies->is_string() ? scope_from_text(applies->get<std::string>()) : std::nullopt;
    if (!scope) {
      throw Fault{r.path("near_retirement_applies"),
                  "「near_retirement_applies」应为 全部 或 本人提出"};
    }
    cut.scope = *scope;
  }
  return cut;
}

SubsidyRule read_subsidy(const json& value, const std::string& path) {
  ObjectReader r(value, path, "补助金规则");
  SubsidyRule rule;
  std::string base = r.text("base", true);
  auto parsed = base_from_text(base);
  if (!parsed) {
    throw Fault{r.path("base"),
                "「base」应为 统筹月工资、全省月工资、本人工资 或 固定金额，而不是“" + base + "”"};
  }
  rule.base = *parsed;

  if (const json* life = r.optional("life_expectancy")) {
    if (r.optional("by_grade")) {
      throw Fault{r.path("life_expectancy"), "「by_grade」和「life_expectancy」只能有一个"};
    }
    if (rule.base == SubsidyBase::kFixed) {
      throw Fault{r.path("life_expectancy"),
                  "「life_expectancy」算出的是月数，「base」不能是固定金额"};
    }
    rule.life_expectancy = read_life_expectancy(*life, r.path("life_expectancy"));
  } else {
    rule.by_grade =
        read_grades(r.required("by_grade"), r.path("by_grade"), "by_grade", 0, kMaxFigure);
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

Region read_region(const json& value, const std::string& path) {
  ObjectReader r(value, path, "地区条目");
  Region region;
  region.name = r.text("name", true);
  if (region.name.empty()) throw Fault{r.path("name"), "「name」不能为空"};
  region.statute = r.text("statute", true);
  region.articles = r.text("articles", false);
  region.effective = r.text("effective", false);
  region.notes = r.text("notes", false);
  std::string status = r.text("status", true);
  auto parsed = status_from_text(status);
  if (!parsed) {
    throw Fault{r.path("status"),
                "「status」应为 条文已核对、政府文件 或 转载未核对，而不是“" + status + "”"};
  }
  region.status = *parsed;
  const json& sources = r.required("sources");
  if (!sources.is_array()) throw Fault{r.path("sources"), "「sources」应为文字的数组"};
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (!sources[i].is_string()) {
      throw Fault{r.path("sources") + "/" + std::to_string(i), "「sources」的每一项应为文字"};
    }
    region.sources.push_back(sources[i].get<std::string>());
  }
  for (auto [key, rule] :
       {std::pair{"medical", &region.medical}, std::pair{"employment", &region.employment}}) {
    if (const json* v = r.optional(key); v && !v->is_null()) *rule = read_subsidy(*v, r.path(key));
  }
  // A region whose figures all went for want of a source stays listed, so
  // that a person sees why; its notes must say so.
  if (!has_figures(region.medical) && !has_figures(region.employment) && region.notes.empty()) {
    throw Fault{path, "地区“" + region.name + "”没有任何补助金数字：请在「notes」中说明原因"};
  }
  r.done();
  return region;
}

IncomeYear read_income(const json& value, const std::string& path) {
  ObjectReader r(value, path, "收入条目");
  IncomeYear y;
  const json& year = r.required("year");
  if (!year.is_number_integer()) throw Fault{r.path("year"), "「year」应为四位数的年份"};
  y.year = static_cast<int>(r.number(year, "year", 1000, 9999));
  y.yuan = r.number(r.required("yuan"), "yuan", 0, kMaxFigure);
  const json& confirmed = r.required("confirmed");
  if (!confirmed.is_boolean()) throw Fault{r.path("confirmed"), "「confirmed」应为 true 或 false"};
  y.confirmed = confirmed.get<bool>();
  y.source = r.text("source", true);
  r.done();
  return y;
}

Rules read_rules(const json& doc) {
  ObjectReader r(doc, "", "整个文件");
  r.text("about", false);
  Rules rules;
  std::set<std::string, std::less<>> names;
  std::set<int> years;
  if (const json* regions = r.optional("regions")) {
    if (!regions->is_array()) throw Fault{r.path("regions"), "「regions」应为地区条目的数组"};
    for (std::size_t i = 0; i < regions->size(); ++i) {
      std::string path = r.path("regions") + "/" + std::to_string(i);
      Region region = read_region((*regions)[i], path);
      if (!names.insert(region.name).second) {
        throw Fault{path + "/name", "地区“" + region.name + "”出现了两次"};
      }
      rules.regions.push_back(std::move(region));
    }
  }
  if (const json* income = r.optional("income")) {
    if (!income->is_array()) throw Fault{r.path("income"), "「income」应为收入条目的数组"};
    for (std::size_t i = 0; i < income->size(); ++i) {
      std::string path = r.path("income") + "/" + std::to_string(i);
      IncomeYear y = read_income((*income)[i], path);
      if (!years.insert(y.year).second) {
        throw Fault{path + "/year", std::to_string(y.year) + " 年的收入出现了两次"};
      }
      rules.income.push_back(std::move(y));
    }
  }
  r.done();
  return rules;
}

int line_at(std::string_view text, std::size_t byte) {
  byte = std::min(byte, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + byte, '\n'));
}

}  // namespace

std::string LoadError::text() const {
  std::string out = file;
  if (line > 0) out += (out.empty() ? "第 " : " 第 ") + std::to_string(line) + " 行";
  if (!out.empty()) out += "：";
  return out + message;
}

Loaded parse_rules(std::string_view json_text) {
  json doc;
  try {
    doc = json::parse(json_text);
  } catch (const json::parse_error& e) {
    // e.byte counts from 1 and points at the character that did not fit.
    std::string detail = e.what();
    if (auto colon = detail.find(": "); colon != std::string::npos) detail.erase(0, colon + 2);
    return LoadError{
        {}, line_at(json_text, e.byte == 0 ? 0 : e.byte - 1), "不是有效的 JSON（" + detail + "）"};
  }
  LineMap lines;
  LineCount count;
  LineRecorder recorder(count, lines);
  json::sax_parse(CountingIterator(json_text.data(), &count),
                  CountingIterator(json_text.data() + json_text.size(), &count), &recorder);
  if (const auto& d = recorder.duplicate()) {
    return LoadError{{}, d->line, bracketed(d->key) + "出现了两次"};
  }
  try {
    return read_rules(doc);
  } catch (const Fault& f) {
    auto it = lines.find(f.path);
    return LoadError{{}, it == lines.end() ? 1 : it->second, f.message};
  }
}

Loaded load_rules_file(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return LoadError{file.string(), 0, "无法打开规则文件"};
  std::string text{std::istreambuf_iterator<char>(in), {}};
  if (in.bad()) return LoadError{file.string(), 0, "无法读取规则文件"};
  Loaded loaded = parse_rules(text);
  if (auto* error = std::get_if<LoadError>(&loaded)) error->file = file.string();
  return loaded;
}

void merge_rules(Rules& into, Rules user) {
  for (Region& region : user.regions) {
    auto it = std::find_if(into.regions.begin(), into.regions.end(),
                           [&region](const Region& r) { return r.name == region.name; });
    if (it != into.regions.end()) {
      *it = std::move(region);
    } else {
      into.regions.push_back(std::move(region));
    }
  }
  for (IncomeYear& y : user.income) {
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
