#include "engine/claim_statement.h"

#include <algorithm>
#include <array>

#include "engine/compensation.h"
#include "engine/explanation.h"
#include "engine/number_text.h"

namespace gongshang {

namespace {

constexpr std::string_view kRegulations = "《工伤保险条例》";

// The article of a classic result: the grade's own for the subsidy and the
// allowance, the result's row for the others; empty for 营养费.
std::string article_of(Result result, int grade) {
  std::string_view article = row(result).articles;
  if ((result == Result::kSubsidy || result == Result::kAllowance) && grade > 0)
    article = grade_figures(grade).article;
  return article.empty() ? std::string() : std::string(kRegulations) + std::string(article);
}

void add(Statement& s, StatementItem item) {
  if (item.fen) {
    StatementTotal& total = item.monthly ? s.monthly : s.once;
    total.fen += *item.fen;
    (item.payer == Payer::kFund ? total.fund_fen : total.employer_fen) += *item.fen;
  }
  s.items.push_back(std::move(item));
}

void add_notes(Statement& s, const Claim& c, const Breakdown& b, const CaseValues& v) {
  const bool died = v.death;
  if (c.allowance_ended && b.grade <= kLastGradeWithAllowance) {
    s.notes.push_back("五级、六级伤残职工解除或者终止劳动关系的，伤残津贴发至解除日期 " +
                      format_date(*v.end) +
                      "，此后改发一次性工伤医疗补助金和一次性伤残就业补助金，故按月项目中不列伤残"
                      "津贴（《工伤保险条例》第三十六条）。");
  }
  // Without 解除日期 the subsidies are not yet due; when they would be is law.
  if (!died && s.region && b.grade >= kFirstSubsidyGrade && !v.end) {
    const std::string article =
        std::string(kRegulations) + std::string(grade_figures(b.grade).article);
    const std::string then = "。填写解除日期后，按" + s.region->name + "的标准算出这两项。";
    s.notes.push_back(
        b.grade <= kLastGradeWithAllowance
            ? "五级、六级伤残职工经本人提出，可以与用人单位解除或者终止劳动关系，由工伤保险基金支付"
              "一次性工伤医疗补助金，由用人单位支付一次性伤残就业补助金，伤残津贴随之停发（" +
                  article + "）" + then
            : "七级至十级伤残职工劳动、聘用合同期满终止，或者职工本人提出解除劳动、聘用合同的，由工"
              "伤"
              "保险基金支付一次性工伤医疗补助金，由用人单位支付一次性伤残就业补助金（" +
                  article + "第（二）项）" + then);
  }
  // What the region's rule assumed (e.g. 用人单位解除 for 五/六), once each.
  s.notes.insert(s.notes.end(), c.notes.begin(), c.notes.end());
  if (died && (b.nursing > 0 || (b.grade >= 1 && b.grade <= kLastGradeWithAllowance))) {
    s.notes.push_back("职工死亡后，本人的伤残津贴和生活护理费停发，按月项目只列供养亲属抚恤金。");
  }
  if (c.death_after_leave) {
    s.notes.push_back(
        "一级至四级伤残职工在停工留薪期满后死亡、未认定为因工死亡的，近亲属享受丧葬补助金和供养"
        "亲属抚恤金，不享受一次性工亡补助金（《工伤保险条例》第三十九条第三款）。");
  }
  if (s.uninsured) {
    s.notes.push_back(
        "用人单位未依法参加工伤保险，以上各项均由用人单位按同样的项目和标准支付（《工伤保险条例》"
        "第六十二条）。");
  }
  if (s.region && s.region->user_file) {
    s.notes.push_back("地区“" + s.region->name +
                      "”的数字来自使用者提供的规则文件，不是随程序发布、已标明核对情况的数字，"
                      "请自行核实。");
  }
  if (s.income && s.income->user_file) {
    s.notes.push_back(std::to_string(s.income->year) +
                      " 年全国城镇居民人均可支配收入来自使用者提供的规则文件，请自行核实。");
  }
  if (s.income && !s.income->confirmed) {
    s.notes.push_back("一次性工亡补助金所用 " + std::to_string(s.income->year) +
                      " 年全国城镇居民人均可支配收入未经确认，请核实。");
  }
}

}  // namespace

Statement make_statement(const Breakdown& b, const Claim& c, const CaseValues& v,
                         bool typed_figures) {
  Statement s;
  s.region = v.region;
  s.typed_figures = typed_figures;
  s.retirement = c.retirement;
  s.income = c.income;
  s.data_status = c.data_status;
  s.uninsured = v.uninsured;

  // Each item's 数据状态 names only what its own figures rest on.
  std::string region_status, income_status;
  if (v.region || typed_figures) {
    region_status = typed_figures ? "使用者填写" : std::string(status_text(v.region->status));
    if (v.region && v.region->user_file) region_status += "；用户规则文件";
  }
  if (c.income) {
    if (c.income->user_file) income_status = "用户规则文件";
    if (!c.income->confirmed) {
      income_status +=
          (income_status.empty() ? "" : "；") + std::to_string(c.income->year) + "年收入未确认";
    }
  }

  const Explanations explained = explain(b, Figures::kToTheFen);
  const ClaimLine& topped = c.lines[index(ClaimItem::kToppedAllowance)];
  for (const ClassicItemInfo& info : kClassicItems) {
    const bool allowance = info.result == Result::kAllowance;
    // 伤残津贴补足后 takes the allowance's place; where it is excluded, so is
    // the allowance.
    if (allowance && (topped.present || c.allowance_ended || v.death)) continue;
    const double value = b.value(info.result);
    if (value == 0) continue;
    StatementItem item{std::string(info.name),
                       fen_of(value),
                       info.payer,
                       explained[index(info.result)],
                       article_of(info.result, b.grade),
                       {},
                       info.monthly};
    if (allowance && b.grade >= kFirstSubsidyGrade) item.payer = Payer::kEmployer;
    add(s, std::move(item));
  }
  for (std::size_t i = 0; i < kClaimItemCount; ++i) {
    const ClaimLine& line = c.lines[i];
    // A typed figure left empty is the user's choice, not a gap in the rules.
    if (!line.present && !(!line.unknown.empty() && v.region)) continue;
    StatementItem item{std::string(kClaimItems[i].name),
                       line.present ? std::optional<long long>(line.fen) : std::nullopt,
                       line.payer,
                       line.present ? line.working : line.unknown,
                       std::string(line.article),
                       {},
                       kClaimItems[i].monthly};
    if (line.status || !line.unknown.empty()) item.status = region_status;
    if (i == index(ClaimItem::kDeathLumpSum)) item.status = income_status;
    add(s, std::move(item));
  }
  std::stable_partition(s.items.begin(), s.items.end(),
                        [](const StatementItem& item) { return !item.monthly; });

  if (s.uninsured) {
    for (StatementItem& item : s.items) {
      item.payer = Payer::kEmployer;
      item.article += item.article.empty() ? "" : "；";
      item.article += "未参保，由用人单位支付（第六十二条）";
    }
    for (StatementTotal* total : {&s.once, &s.monthly}) {
      total->employer_fen = total->fen;
      total->fund_fen = 0;
    }
  }
  add_notes(s, c, b, v);
  return s;
}

}  // namespace gongshang
