#include "claimwindow/claim_sheet.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "claimwindow/fields.h"
#include "engine/compensation.h"
#include "engine/dates.h"
#include "engine/explanation.h"
#include "engine/legal_figures.h"
#include "engine/number_text.h"
#include "engine/results.h"

namespace gongshang::claimwindow {

namespace {

constexpr std::string_view kRegulations = "《工伤保险条例》";

// Who pays a classic result (by article: the employer during paid leave,
// Art. 33; 营养费 is no item of the regulation and is claimed from the
// employer) and the name a claim gives it. The allowance's payer depends on
// the grade: the fund for 一–四 (Art. 35), the employer for 五–六 (Art. 36).
struct ClassicItem {
  Result result;
  std::string_view item;
  Payer payer;
  bool monthly = false;
};
constexpr ClassicItem kClassicItems[] = {
    {Result::kSubsidy, "一次性伤残补助金", Payer::kFund},
    {Result::kLeaveWage, "停工留薪期工资", Payer::kEmployer},
    {Result::kHospitalMeals, "住院伙食补助费", Payer::kFund},
    {Result::kLodging, "住宿费", Payer::kFund},
    {Result::kNursing, "停工留薪期护理费", Payer::kEmployer},
    {Result::kMedical, "医疗费", Payer::kFund},
    {Result::kDevices, "辅助器具费", Payer::kFund},
    {Result::kTravel, "交通费", Payer::kFund},
    {Result::kNutrition, "营养费", Payer::kEmployer},
    {Result::kAllowance, "伤残津贴", Payer::kFund, true},
};
constexpr int kLastGradeFundAllowance = 4;

constexpr ClaimInput kDeathDetails[] = {ClaimInput::kDeathDate, ClaimInput::kSpouse,
                                        ClaimInput::kOtherDependants, ClaimInput::kLoneExtra,
                                        ClaimInput::kNationalIncome};

// The article of a classic result: the grade's own for the subsidy and the
// allowance, the result's row for the others; empty for 营养费.
std::string_view article_of(Result result, int grade) {
  if ((result == Result::kSubsidy || result == Result::kAllowance) && grade > 0)
    return kGrades[static_cast<std::size_t>(grade - 1)].article;
  return row(result).articles;
}

// Fen of an amount written with two decimals: "70000.00" -> 7000000.
long long fen_of(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c != '.') digits += c;
  long long fen = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), fen);
  return fen;
}

void add(Sheet& sheet, SheetLine line) {
  Total& total = line.monthly ? sheet.monthly : sheet.once;
  total.fen += line.fen;
  (line.payer == Payer::kFund ? total.fund_fen : total.employer_fen) += line.fen;
  sheet.lines.push_back(std::move(line));
}

// The months or amounts typed for one subsidy, the same for every grade
// since they are typed for this case's grade.
std::optional<SubsidyRule> typed_rule(const FieldTexts& texts, int which) {
  const std::string_view figure = text_of(texts, kTypedFigureFields[which]);
  if (figure.empty()) return std::nullopt;
  SubsidyRule rule;
  rule.base =
      base_from_text(text_of(texts, kTypedBaseFields[which])).value_or(SubsidyBase::kPoolWage);
  rule.by_grade.fill(read_number(figure).value_or(0));
  return rule;
}

}  // namespace

std::string yuan_text(long long fen) {
  const bool negative = fen < 0;
  const unsigned long long magnitude =
      negative ? 0ULL - static_cast<unsigned long long>(fen) : static_cast<unsigned long long>(fen);
  std::string s = std::to_string(magnitude / 100);
  const unsigned cents = static_cast<unsigned>(magnitude % 100);
  s += '.';
  s += static_cast<char>('0' + cents / 10);
  s += static_cast<char>('0' + cents % 10);
  return negative ? "-" + s : s;
}

SheetOutcome make_sheet(const FieldTexts& texts, const Rules& rules) {
  InputTexts classic;
  for (std::size_t i = 0; i < kInputCount; ++i) classic[i] = text_of(texts, kInputNames[i]);
  const Working working = work_out(classic);
  if (const auto* refusal = std::get_if<Refusal>(&working)) return *refusal;
  const Breakdown& b = std::get<Breakdown>(working);

  Sheet sheet;
  ClaimTexts claim;
  for (std::size_t i = 0; i < kClaimInputCount; ++i) claim[i] = text_of(texts, kClaimInputNames[i]);
  // The death section is closed unless 工亡 is ticked: what it still holds
  // from an earlier choice is no part of this claim.
  if (claim[index(ClaimInput::kDeath)] != "是")
    for (ClaimInput hidden : kDeathDetails) claim[index(hidden)] = {};
  const std::string_view region_name = claim[index(ClaimInput::kRegion)];
  if (!region_name.empty()) {
    const Region* region = rules.find(region_name);
    if (region == nullptr) return unknown_region(region_name);
    sheet.region = *region;
  } else {
    Region typed;
    typed.name = "自行填写";
    typed.medical = typed_rule(texts, 0);
    typed.employment = typed_rule(texts, 1);
    if (typed.medical || typed.employment) {
      sheet.region = std::move(typed);
      sheet.typed_region = true;
    }
  }
  const ClaimOutcome outcome =
      work_out_claim(b, claim, sheet.region ? &*sheet.region : nullptr, rules);
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) return *refusal;
  const Claim& c = std::get<Claim>(outcome);
  sheet.retirement = c.retirement;
  sheet.uninsured = text_of(texts, kUninsuredField) == "是";

  const Explanations explained = explain(b);
  const ClaimLine& topped = c.lines[index(ClaimItem::kToppedAllowance)];
  for (const ClassicItem& item : kClassicItems) {
    const double value = read_number(b.texts[index(item.result)]).value_or(0);
    const bool allowance = item.result == Result::kAllowance;
    if (value == 0 || (allowance && topped.present)) continue;
    SheetLine line{std::string(item.item),        0,  money_text(value), item.payer,
                   explained[index(item.result)], {}, item.monthly};
    line.fen = fen_of(line.amount);
    if (allowance && b.grade > kLastGradeFundAllowance) line.payer = Payer::kEmployer;
    const std::string_view article = article_of(item.result, b.grade);
    if (!article.empty()) line.article = std::string(kRegulations) + std::string(article);
    add(sheet, std::move(line));
  }
  for (std::size_t i = 0; i < kClaimItemCount; ++i) {
    const ClaimLine& claimed = c.lines[i];
    // An amount the region's data cannot give is shown as such with the
    // reason, adding nothing to the totals, rather than left out as if it
    // did not apply.
    if (!claimed.present && !claimed.unknown.empty()) {
      add(sheet, {std::string(kClaimItems[i].name), 0, "未知", kClaimItems[i].payer,
                  claimed.unknown, std::string(kClaimItems[i].article), kClaimItems[i].monthly});
    }
    if (!claimed.present) continue;
    SheetLine line{std::string(kClaimItems[i].name),
                   fen_of(claimed.text),
                   claimed.text,
                   claimed.payer,
                   claimed.working,
                   std::string(claimed.article),
                   kClaimItems[i].monthly};
    // The working ends with the region's name and status; typed figures have
    // neither, so it says whose they are instead.
    if (sheet.typed_region && claimed.status) {
      line.working.erase(std::min(line.working.rfind("（"), line.working.size()));
      line.working += "（标准由使用者填写，未经核对）";
    }
    add(sheet, std::move(line));
  }
  std::stable_partition(sheet.lines.begin(), sheet.lines.end(),
                        [](const SheetLine& line) { return !line.monthly; });

  if (sheet.uninsured) {
    for (SheetLine& line : sheet.lines) {
      line.payer = Payer::kEmployer;
      line.article += line.article.empty() ? "" : "；";
      line.article += "未参保，由用人单位支付（第六十二条）";
    }
    for (Total* total : {&sheet.once, &sheet.monthly}) {
      total->employer_fen = total->fen;
      total->fund_fen = 0;
    }
  }

  if (c.lines[index(ClaimItem::kDeathLumpSum)].present &&
      claim[index(ClaimInput::kNationalIncome)].empty()) {
    if (auto death = parse_date(claim[index(ClaimInput::kDeathDate)]))
      sheet.income = rules.income_of(death->year - 1);
  }
  return sheet;
}

}  // namespace gongshang::claimwindow
