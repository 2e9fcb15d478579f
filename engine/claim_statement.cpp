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

// After a death only Art. 39's items are the family's; the rest were the
// worker's, owed if unpaid.
bool family_benefit(std::size_t claim_item) {
  return claim_item == index(ClaimItem::kFuneralGrant) ||
         claim_item == index(ClaimItem::kDependantPension) ||
         claim_item == index(ClaimItem::kDeathLumpSum);
}

// `counted`: whether the item adds to its total; the top-up after
// retirement takes the allowance's place then, so the two never add up.
void add(Statement& s, StatementItem item, bool counted = true) {
  if (item.fen && counted) {
    StatementTotal& total = item.if_unpaid ? s.if_unpaid : item.monthly ? s.monthly : s.once;
    total.fen += *item.fen;
    (item.payer == Payer::kFund ? total.fund_fen : total.employer_fen) += *item.fen;
  }
  s.items.push_back(std::move(item));
}

}  // namespace

std::vector<std::string> statement_notes(const Breakdown& b, const Claim& c, const CaseValues& v) {
  std::vector<std::string> notes;
  const bool died = v.death;
  if (c.ending == Ending::kEnded && b.grade >= kFirstSubsidyGrade &&
      b.grade <= kLastGradeWithAllowance) {
    notes.push_back("五级、六级伤残职工解除或者终止劳动关系的，伤残津贴发至解除日期 " +
                    format_date(*v.end) +
                    "，此后改发一次性工伤医疗补助金和一次性伤残就业补助金，故按月项目中不列伤残"
                    "津贴（《工伤保险条例》第三十六条）。");
  }
  // Without 解除日期 the subsidies are not yet due; when they would be is law.
  if (!died && v.region && b.grade >= kFirstSubsidyGrade && !v.end) {
    const std::string article =
        std::string(kRegulations) + std::string(grade_figures(b.grade).article);
    const std::string then = "。填写解除日期后，按" + v.region->name + "的标准算出这两项。";
    notes.push_back(
        b.grade <= kLastGradeWithAllowance
            ? "五级、六级伤残职工经本人提出，可以与用人单位解除或者终止劳动关系，由工伤保险基金支付"
              "一次性工伤医疗补助金，由用人单位支付一次性伤残就业补助金，伤残津贴随之停发（" +
                  article + "）" + then
            : "七级至十级伤残职工劳动、聘用合同期满终止，或者职工本人提出解除劳动、聘用合同的，由工"
              "伤保险基金支付一次性工伤医疗补助金，由用人单位支付一次性伤残就业补助金（" +
                  article + "第（二）项）" + then);
  }
  // What the region's rule assumed (e.g. 用人单位解除 for 五/六), once each,
  // and how the employment ended.
  notes.insert(notes.end(), c.notes.begin(), c.notes.end());
  if (died && (v.care_level > 0 || (b.grade >= 1 && b.grade <= kLastGradeWithAllowance))) {
    notes.push_back("职工死亡后，本人的伤残津贴和生活护理费停发，按月项目只列供养亲属抚恤金。");
  }
  if (died) {
    // The worker's own items do not end with the death: what was due and
    // not paid is still owed, apart from the family's benefits.
    std::string own;
    const auto name_own = [&own](std::string_view name) {
      own.append(own.empty() ? "" : "、").append(name);
    };
    for (const ClassicItemInfo& info : kClassicItems) {
      if (info.result == Result::kAllowance) continue;
      if (b.value(info.result) != 0 || !c.classic_unknown[index(info.result)].empty())
        name_own(info.name);
    }
    for (std::size_t i = 0; i < kClaimItemCount; ++i) {
      if (!family_benefit(i) && (c.lines[i].present || !c.lines[i].unknown.empty()))
        name_own(kClaimItems[i].name);
    }
    if (!own.empty()) {
      notes.push_back("职工本人的" + own + "不是工亡待遇：" + std::string(kIfUnpaid) +
                      "，仍应支付，单独列出，不计入工亡待遇的合计。");
    }
  }
  if (c.death_after_leave) {
    notes.push_back(
        "一级至四级伤残职工在停工留薪期满后死亡、未认定为因工死亡的，近亲属享受丧葬补助金和供养"
        "亲属抚恤金，不享受一次性工亡补助金（《工伤保险条例》第三十九条第三款）。");
  }
  if (v.uninsured) {
    notes.push_back(
        "用人单位未依法参加工伤保险，以上各项均由用人单位按同样的项目和标准支付（《工伤保险条例》"
        "第六十二条）。《社会保险法》第四十一条：“职工所在用人单位未依法缴纳工伤保险费，发生工伤"
        "事故的，由用人单位支付工伤保险待遇。用人单位不支付的，从工伤保险基金中先行支付。”“从工伤"
        "保险基金中先行支付的工伤保险待遇应当由用人单位偿还。用人单位不偿还的，社会保险经办机构"
        "可以依照本法第六十三条的规定追偿。”");
  }
  if (v.region && v.region->user_file) {
    notes.push_back("地区“" + v.region->name +
                    "”的数字来自使用者提供的规则文件，不是随程序发布、已标明核对情况的数字，"
                    "请自行核实。");
  }
  if (c.income && c.income->user_file) {
    notes.push_back(std::to_string(c.income->year) +
                    " 年全国城镇居民人均可支配收入来自使用者提供的规则文件，请自行核实。");
  }
  if (c.income && !c.income->confirmed) {
    notes.push_back("一次性工亡补助金所用 " + std::to_string(c.income->year) +
                    " 年全国城镇居民人均可支配收入未经确认，请核实。");
  }
  if (c.lines[index(ClaimItem::kPensionTopUp)].present) {
    notes.push_back(
        "退休后伤残津贴差额自领取基本养老金起按月支付，届时伤残津贴停发，故不计入每月合计"
        "（《工伤保险条例》第三十五条第（三）项）。");
  }
  // An amount left unknown adds nothing to the totals; the totals say so.
  std::string unknown;
  for (const ClassicItemInfo& info : kClassicItems) {
    const std::string& why = c.classic_unknown[index(info.result)];
    if (!why.empty())
      unknown += (unknown.empty() ? "" : "、") + std::string(info.name) + "（" + why + "）";
  }
  for (std::size_t i = 0; i < kClaimItemCount; ++i) {
    const ClaimLine& line = c.lines[i];
    if (line.present || line.unknown.empty()) continue;
    unknown += (unknown.empty() ? "" : "、") + std::string(kClaimItems[i].name) + "（" +
               line.unknown + "）";
  }
  if (!unknown.empty()) notes.push_back("金额未知、未计入合计的项目：" + unknown + "。");
  return notes;
}

std::string notes_line(const Breakdown& b, const Claim& c, const CaseValues& v) {
  std::string line;
  const auto add = [&line](std::string_view part) {
    if (part.ends_with("。")) part.remove_suffix(std::string_view("。").size());
    line.append(line.empty() ? "" : "；").append(part);
  };
  for (std::size_t i = 0; i < kClaimItemCount; ++i) {
    const ClaimLine& l = c.lines[i];
    if (l.present && !l.duration.empty()) add(std::string(kClaimItems[i].name) + "：" + l.duration);
  }
  for (const std::string& note : statement_notes(b, c, v)) add(note);
  return line;
}

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

  // Art. 62 moves the work-injury items to an uninsured employer; the labour
  // law's are the employer's whatever the insurance.
  s.death = v.death;
  const auto add_item = [&s](StatementItem item, bool insurance = true, bool counted = true) {
    if (s.uninsured && insurance) {
      item.payer = Payer::kEmployer;
      item.article += item.article.empty() ? "" : "；";
      item.article += "未参保，由用人单位支付（第六十二条）";
    }
    add(s, std::move(item), counted);
  };
  const Explanations explained = explain(b, Figures::kToTheFen);
  const ClaimLine& topped = c.lines[index(ClaimItem::kToppedAllowance)];
  for (const ClassicItemInfo& info : kClassicItems) {
    const bool allowance = info.result == Result::kAllowance;
    // 伤残津贴补足后 takes the allowance's place; where it is excluded, so is
    // the allowance.
    if (allowance && (topped.present || c.allowance_ended || c.suitable_work || v.death)) continue;
    const double value = b.value(info.result);
    const std::string& unknown = c.classic_unknown[index(info.result)];
    if (value == 0 && unknown.empty()) continue;
    StatementItem item{std::string(info.name),
                       unknown.empty() ? std::optional<long long>(fen_of(value)) : std::nullopt,
                       info.payer,
                       unknown.empty() ? explained[index(info.result)] : unknown,
                       article_of(info.result, b.grade),
                       {},
                       info.monthly,
                       allowance ? topped.duration : std::string()};
    if (allowance && b.grade >= kFirstSubsidyGrade) item.payer = Payer::kEmployer;
    item.if_unpaid = v.death;
    add_item(std::move(item));
  }
  for (std::size_t i = 0; i < kClaimItemCount; ++i) {
    const ClaimLine& line = c.lines[i];
    if (!line.present && line.unknown.empty()) continue;
    StatementItem item{std::string(kClaimItems[i].name),
                       line.present ? std::optional<long long>(line.fen) : std::nullopt,
                       line.payer,
                       line.present ? line.working : line.unknown,
                       std::string(line.article),
                       {},
                       kClaimItems[i].monthly,
                       line.duration};
    if (line.status) item.status = region_status;
    if (i == index(ClaimItem::kDeathLumpSum)) item.status = income_status;
    item.if_unpaid = v.death && !family_benefit(i);
    add_item(std::move(item), i != index(ClaimItem::kSeverance) && i != index(ClaimItem::kDamages),
             i != index(ClaimItem::kPensionTopUp));
  }
  std::stable_sort(s.items.begin(), s.items.end(),
                   [](const StatementItem& a, const StatementItem& b) {
                     return std::pair(a.if_unpaid, a.monthly) < std::pair(b.if_unpaid, b.monthly);
                   });

  s.notes = statement_notes(b, c, v);
  return s;
}

}  // namespace gongshang
