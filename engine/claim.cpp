#include "engine/claim.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "engine/compensation_on_ending.h"
#include "engine/dates.h"
#include "engine/legal_figures.h"
#include "engine/number_text.h"
#include "engine/subsidy.h"

namespace gongshang {
namespace {

using C = ClaimItem;

// The nursing allowance takes the classic nursing rates at their decimal
// value: the classic table holds them in single precision for the classic
// 护理费 alone, and Art. 34's 40 % is 0.4, not 0.4000000059604645. The
// shortest text of each single names its decimal.
const std::array<double, kNursingLevels.size()>& nursing_allowance_rates() {
  static const auto rates = [] {
    std::array<double, kNursingLevels.size()> decimal{};
    for (std::size_t i = 0; i < kNursingLevels.size(); ++i) {
      decimal[i] = decimal_value(kNursingLevels[i].rate);
    }
    return decimal;
  }();
  return rates;
}

// 一次性工亡补助金's, where the income table lacks the year.
constexpr Field kNeedsIncome[] = {Field::kNationalIncome};

// The fields a subsidy's base is worked out from, by SubsidyBase (an empty
// 全省月工资 is refused by the subsidy itself).
constexpr std::array<std::span<const Field>, kSubsidyBaseCount> kBaseNeeds{
    {kNeedsPool, {}, kNeedsOwnAndPool, {}}};

std::string figure(double x) {
  return plain_form(x);
}

Problem result_refusal(ClaimItem item) {
  return {kClaimItems[index(item)].name, "的计算结果超出可计算范围"};
}

// Fills an item from its amount; false when the amount is beyond every double.
bool settle(ClaimLine& line, ClaimItem item, double amount) {
  if (!std::isfinite(amount)) return false;
  line.present = true;
  line.amount = amount;
  line.text = money_text(amount);
  line.fen = fen_of(amount);
  line.article = kClaimItems[index(item)].article;
  line.payer = kClaimItems[index(item)].payer;
  return true;
}

class ClaimBuilder {
 public:
  ClaimBuilder(const Breakdown& classic, const CaseValues& in, const Region* region,
               const Rules& rules, ClaimDetail detail, Claim& claim)
      : b_(classic),
        in_(in),
        region_(region),
        rules_(rules),
        words_(detail == ClaimDetail::kWorking),
        claim_(claim) {}

  std::optional<Problem> build() {
    claim_.retirement.clear();
    for (ClaimLine& l : claim_.lines) {
      l.present = false;
      l.amount = 0;
      l.fen = 0;
      l.text.clear();
      l.working.clear();
      l.duration.clear();
      l.article = {};
      l.payer = Payer::kFund;
      l.status.reset();
      l.unknown.clear();
    }
    claim_.notes.clear();
    claim_.missing.clear();
    for (std::string& why : claim_.classic_unknown) why.clear();
    claim_.suitable_work = false;
    // The years left count to the retirement date in force on 解除日期; the
    // statement shows today's.
    std::optional<Date> counted;
    retirement_.reset();
    if (in_.retirement) {
      // Typed where the computed date does not hold (a special-type job, an
      // early retirement): the reform delays neither.
      retirement_ = counted = *in_.retirement;
      claim_.notes.push_back("法定退休日期按所填 " + format_date(*in_.retirement) +
                             " 计，不按出生日期和原退休年龄推算；距退休的整年数也算至这一天。");
    } else if (in_.birth && in_.original_age) {
      // A man retiring at 55 holds a special-type job, which retires early at
      // the age itself: the reform's delay does not reach it.
      if (in_.male == true && *in_.original_age == kSpecialJobAge) {
        retirement_ = counted = add_years_months(*in_.birth, kSpecialJobAge, 0);
        claim_.notes.push_back(
            "性别为男、原退休年龄 55 岁，按特殊工种提前退休计：法定退休日期为年满 55 周岁之日 " +
            format_date(*retirement_) + "，不适用延迟法定退休年龄的规定。");
      } else {
        retirement_ = retirement_date(*in_.birth, *in_.original_age);
        if (in_.end) counted = retirement_date_on(*in_.birth, *in_.original_age, *in_.end);
      }
    }
    if (retirement_) claim_.retirement = format_date(*retirement_);
    if (!in_.end) counted.reset();
    claim_.data_status.clear();
    claim_.income = nullptr;
    claim_.death_after_leave = in_.death && in_.death_after_leave;
    if (claim_.death_after_leave && (b_.grade < 1 || b_.grade >= kFirstSubsidyGrade)) {
      // Leaving it empty would mean 因工死亡, a claim the law does not give
      // here: the refusal suggests nothing.
      return Problem{name(Field::kDeathCase),
                     "为期满后死亡，但《工伤保险条例》第三十九条第三款只规定“一级至四级伤残职工在"
                     "停工留薪期满后死亡的，其近亲属可以享受本条第一款第(一)项、第(二)项规定的待遇”"
                     "；五级至十级伤残职工停工留薪期满后因其他原因死亡的，没有该条规定的待遇"};
    }
    classic_needs();
    claim_.ending = ending_of(in_.end, in_.death ? in_.death_date : std::nullopt, counted);
    if (b_.grade >= kFirstSubsidyGrade &&
        (claim_.ending == Ending::kEnded || claim_.ending == Ending::kAtRetirement)) {
      if (auto r = subsidy(C::kMedicalSubsidy, *counted, &Region::medical)) return *r;
      if (auto r = subsidy(C::kEmploymentSubsidy, *counted, &Region::employment)) return *r;
    }
    if (auto r = labour_law()) return *r;
    // Art. 36: leaving the employment trades the allowance for the
    // subsidies; a death ends the worker's own monthly items.
    claim_.allowance_ended = b_.grade >= kFirstSubsidyGrade && in_.end.has_value();
    if (!in_.death && !claim_.allowance_ended) {
      if (auto r = topped_allowance()) return *r;
      if (auto r = pension_top_up()) return *r;
    }
    if (!in_.death && !relation_ended()) {
      if (auto r = nursing_allowance()) return *r;
    }
    if (in_.death) {
      if (auto r = death_benefits()) return *r;
    }
    claim_.data_status = data_status();
    return std::nullopt;
  }

 private:
  ClaimLine& line(ClaimItem item) { return claim_.lines[index(item)]; }

  // 数据状态: see Claim::data_status.
  std::string data_status() const {
    std::string s;
    const auto add = [&s](std::string_view part) {
      if (!s.empty()) s += "；";
      s += part;
    };
    if (region_) add(region_->statute.empty() ? "使用者填写" : status_text(region_->status));
    if ((region_ && region_->user_file) || (claim_.income && claim_.income->user_file)) {
      add("用户规则文件");
    }
    if (claim_.income && !claim_.income->confirmed) {
      add(std::to_string(claim_.income->year) + "年收入未确认");
    }
    // An unknown amount leaves its cell empty; this says it is not "none".
    const bool unknown = std::any_of(claim_.lines.begin(), claim_.lines.end(),
                                     [](const ClaimLine& l) { return !l.unknown.empty(); }) ||
                         std::any_of(claim_.classic_unknown.begin(), claim_.classic_unknown.end(),
                                     [](const std::string& why) { return !why.empty(); });
    if (unknown) add("部分金额未知");
    return s;
  }

  bool given(Field f) const {
    switch (f) {
      case Field::kOwnWage:
        return in_.own_wage.has_value();
      case Field::kPoolWage:
        return in_.pool_wage.has_value();
      case Field::kNationalIncome:
        return in_.national_income.has_value();
      default:
        return true;
    }
  }

  // Why `item` has no amount when a field it needs is empty
  // ("计算丧葬补助金需要「统筹月工资」"), each such field kept for the form and
  // the batch's refusal; "" when all were given.
  std::string lacking(std::string_view item, std::span<const Field> needs) {
    std::string fields;
    for (Field f : needs) {
      if (given(f)) continue;
      fields.append("「").append(name(f)).append("」");
      auto at = std::find_if(claim_.missing.begin(), claim_.missing.end(),
                             [f](const MissingField& m) { return m.field == f; });
      if (at == claim_.missing.end()) {
        at = std::upper_bound(
            claim_.missing.begin(), claim_.missing.end(), f,
            [](Field a, const MissingField& m) { return index(a) < index(m.field); });
        at = claim_.missing.insert(at, MissingField{f, {}});
      }
      at->items.append(at->items.empty() ? "" : "、").append(item);
    }
    return fields.empty() ? fields : "计算" + std::string(item) + "需要" + fields;
  }
  std::string lacking(ClaimItem item) {
    return lacking(kClaimItems[index(item)].name, kClaimItems[index(item)].needs);
  }

  // The classic results a statement shows, where a field they need is
  // empty: the calculator reads it as 0, the claim has no amount. A result
  // applies where the wages would give it one. The allowance is shown as
  // 伤残津贴补足后, with needs of its own.
  void classic_needs() {
    for (const ClassicItemInfo& info : kClassicItems) {
      if (info.needs.empty()) continue;
      const ResultRow& r = row(info.result);
      const double input = b_.number(r.input);
      bool applies = false;
      switch (r.formula) {
        case Formula::kGradeMonths:
          applies = b_.grade > 0 && grade_figures(b_.grade).subsidy_months > 0;
          break;
        case Formula::kOwnWageTimes:
          applies = input != 0;
          break;
        case Formula::kNursing:
          applies = b_.nursing > 0 && input != 0;
          break;
        default:
          break;
      }
      if (applies) claim_.classic_unknown[index(info.result)] = lacking(info.name, info.needs);
    }
  }

  // Owed, but no amount can be given: the region's data has none the
  // calculator could rely on, or nothing was typed without a region. The
  // item is carried with the reason, never paid in full by default.
  // `regional`: the reason is the region's data, whose status it carries.
  std::optional<Problem> unknown(ClaimItem item, std::string reason, bool regional = true) {
    ClaimLine& l = line(item);
    l.unknown = std::move(reason);
    l.payer = kClaimItems[index(item)].payer;
    l.article = kClaimItems[index(item)].article;
    if (region_ && regional) l.status = region_->status;
    return std::nullopt;
  }

  std::optional<Problem> subsidy(ClaimItem item, Date counted,
                                 std::optional<SubsidyRule> Region::*which) {
    // No rule: without a region (or one typed, which has no statute) nothing
    // was typed for it; a region of the rules has no reliable figure. Either
    // way nothing is owed from the retirement date on.
    const std::optional<SubsidyRule>* rule = region_ ? &(region_->*which) : nullptr;
    if (!rule || !*rule) {
      if (claim_.ending == Ending::kAtRetirement) return std::nullopt;
      const bool typed = !region_ || region_->statute.empty();
      return unknown(item, typed ? std::string(kNoFigureTyped)
                                 : "地区“" + region_->name + "”没有" +
                                       std::string(kClaimItems[index(item)].name) +
                                       "的数字，请向当地社保经办机构核实");
    }
    if (std::string why = lacking(kClaimItems[index(item)].name,
                                  kBaseNeeds[static_cast<std::size_t>((*rule)->base)]);
        !why.empty())
      return unknown(item, std::move(why), false);
    const SubsidyCase c{b_.grade,          b_.number(Input::kPoolWage),
                        in_.province_wage, b_.base_wage,
                        in_.disease,       *in_.birth,
                        in_.male,          in_.original_age.value_or(0),
                        *in_.end,          counted,
                        in_.reason};
    std::string_view name = kClaimItems[index(item)].name;
    SubsidyOutcome out = work_out_subsidy(**rule, name, region_->name, c, words_);
    if (auto* refusal = std::get_if<Problem>(&out)) return std::move(*refusal);
    if (auto* why = std::get_if<SubsidyUnknown>(&out)) return unknown(item, std::move(why->reason));
    SubsidyAmount& a = std::get<SubsidyAmount>(out);
    if (!settle(line(item), item, a.amount)) return result_refusal(item);
    line(item).status = region_->status;
    if (words_) {
      // A region the user typed has no statute: its figures are theirs.
      line(item).working =
          std::string(name) + "：" + a.working + (a.note.empty() ? "" : "；" + a.note) +
          (region_->statute.empty()
               ? std::string("（标准由使用者填写，未经核对）")
               : "（" + region_->name + " " + region_->statute + region_->articles + "，" +
                     std::string(status_text(region_->status)) +
                     (region_->user_file ? "，用户规则文件" : "") + "）");
    }
    if (!a.note.empty() &&
        std::find(claim_.notes.begin(), claim_.notes.end(), a.note) == claim_.notes.end()) {
      claim_.notes.push_back(std::move(a.note));
    }
    return std::nullopt;
  }

  // 经济补偿 or 赔偿金 (compensation_on_ending.h), and the notes on how the
  // employment ended.
  std::optional<Problem> labour_law() {
    if (!in_.end) return std::nullopt;
    const EndingCase c{b_.grade,         in_.reason,   in_.start,     *in_.end,
                       in_.leaving_wage, in_.own_wage, in_.pool_wage, in_.minimum_wage};
    std::variant<EndingPay, Problem> out = labour_pay(c, claim_.ending, words_);
    if (auto* refusal = std::get_if<Problem>(&out)) return std::move(*refusal);
    EndingPay& pay = std::get<EndingPay>(out);
    for (auto [item, part] :
         {std::pair{C::kSeverance, &pay.severance}, std::pair{C::kDamages, &pay.damages}}) {
      if (!part->amount) continue;
      if (!settle(line(item), item, *part->amount)) return result_refusal(item);
      line(item).article = part->article;
      line(item).working = std::move(part->working);
    }
    for (std::string& note : pay.notes) claim_.notes.push_back(std::move(note));
    return std::nullopt;
  }

  // The region ends the work-injury insurance relation with the subsidies
  // (浙江, 河南): the fund pays no monthly item after 解除日期.
  bool relation_ended() {
    if (!region_ || !region_->relation_end || b_.grade < kFirstSubsidyGrade ||
        claim_.ending != Ending::kEnded)
      return false;
    if (in_.care_level > 0) {
      const RelationEnd& end = *region_->relation_end;
      claim_.notes.push_back(region_->statute + end.article + "：“" + end.text +
                             "”。领取两项补助金后工伤保险关系终止，解除日期 " +
                             format_date(*in_.end) +
                             " 以后工伤保险基金不再按月支付生活护理费，故按月项目中不列。");
    }
    return true;
  }

  // How long the allowance runs: until the pension (Art. 35(三); 社会保险法
  // 第四十条), for 五/六 also until the employment ends.
  std::string until_pension(bool employer) const {
    std::string d = employer ? "至解除或者终止劳动关系或领取基本养老金" : "至领取基本养老金";
    if (!claim_.retirement.empty()) d += "，法定退休日期 " + claim_.retirement;
    return d;
  }

  std::optional<Problem> topped_allowance() {
    if (b_.grade < 1 || b_.grade > kLastGradeWithAllowance) return std::nullopt;
    const bool employer = b_.grade >= kFirstSubsidyGrade;
    // Art. 36(二): the employer pays 五/六 the allowance only 难以安排工作的.
    if (employer && in_.suitable_work == true) {
      claim_.suitable_work = true;
      claim_.notes.push_back(
          "已安排适当工作：五级、六级伤残职工“保留与用人单位的劳动关系，由用人单位安排适当工作。"
          "难以安排工作的，由用人单位按月发给伤残津贴”（《工伤保险条例》第三十六条第一款第（二）"
          "项），已安排工作的不发伤残津贴，故按月项目中不列。");
      return std::nullopt;
    }
    if (std::string why = lacking(C::kToppedAllowance); !why.empty())
      return unknown(C::kToppedAllowance, std::move(why), false);
    const double classic = b_.value(Result::kAllowance);
    double amount = classic;
    std::string w;
    if (words_) w = "每月伤残津贴 " + money_text(classic);
    if (in_.minimum_wage && *in_.minimum_wage > classic) {
      amount = *in_.minimum_wage;
      if (words_) w += " 低于最低工资 " + figure(amount) + "，补足到 " + money_text(amount);
    } else if (words_ && in_.minimum_wage) {
      w += " 不低于最低工资 " + figure(*in_.minimum_wage) + "，不需补足";
    }
    if (words_ && employer) {
      w += in_.suitable_work ? "；未安排适当工作"
                             : "；“已安排适当工作”未填，按难以安排工作计（填“是”则不发）";
    }
    ClaimLine& l = line(C::kToppedAllowance);
    if (!settle(l, C::kToppedAllowance, amount)) return result_refusal(C::kToppedAllowance);
    // Grades 五 and 六 draw the allowance from the employer (Art. 36).
    l.payer = employer ? Payer::kEmployer : Payer::kFund;
    l.article = employer ? "《工伤保险条例》第三十六条" : "《工伤保险条例》第三十五条";
    if (words_) l.working = "伤残津贴补足后：" + w + "（" + std::string(l.article) + "）";
    l.duration = until_pension(employer);
    return std::nullopt;
  }

  // Art. 35(三): after retirement the fund tops a pension below the
  // allowance up to it; the allowance as the grade's share of 本人工资.
  std::optional<Problem> pension_top_up() {
    if (!in_.pension || b_.grade < 1 || b_.grade >= kFirstSubsidyGrade) return std::nullopt;
    if (std::string why = lacking(C::kPensionTopUp); !why.empty())
      return unknown(C::kPensionTopUp, std::move(why), false);
    const double allowance = b_.value(Result::kAllowance);
    const double top = std::max(0.0, allowance - *in_.pension);
    ClaimLine& l = line(C::kPensionTopUp);
    if (!settle(l, C::kPensionTopUp, top)) return result_refusal(C::kPensionTopUp);
    if (words_) {
      l.working = "退休后伤残津贴差额：每月伤残津贴 " + b_.text(Result::kAllowance) +
                  (top > 0 ? " − 基本养老金 " + figure(*in_.pension) + " = " + l.text
                           : "，基本养老金 " + figure(*in_.pension) + " 不低于它，不需补足") +
                  "（伤残津贴按本人工资的比例计，不含补足到最低工资的部分；" +
                  std::string(l.article) + "）";
    }
    l.duration =
        "自领取基本养老金起" +
        (claim_.retirement.empty() ? std::string() : "，法定退休日期 " + claim_.retirement);
    return std::nullopt;
  }

  // Art. 34: by the level the 劳动能力鉴定委员会 assessed, not by the nursing
  // during the leave (护理级别), which is the employer's (Art. 33).
  std::optional<Problem> nursing_allowance() {
    if (in_.care_level < 1) return std::nullopt;
    const auto level = static_cast<std::size_t>(in_.care_level - 1);
    if (std::string why = lacking(C::kNursingAllowance); !why.empty())
      return unknown(C::kNursingAllowance, std::move(why), false);
    const double pooled = b_.number(Input::kPoolWage);
    const double rate = nursing_allowance_rates()[level];
    const double amount = pooled * rate;
    ClaimLine& l = line(C::kNursingAllowance);
    if (!settle(l, C::kNursingAllowance, amount)) return result_refusal(C::kNursingAllowance);
    if (words_) {
      l.working = "生活护理费（" + std::string(kCareLevels[level]) + "）：统筹月工资 " +
                  figure(pooled) + " × " + figure(rate * 100) + "% = " + l.text + "，每月（" +
                  std::string(l.article) + "）";
    }
    l.duration = "终身";
    return std::nullopt;
  }

  std::optional<Problem> death_benefits() {
    if (auto r = funeral_grant()) return *r;
    if (auto r = dependant_pension()) return *r;
    if (in_.death_after_leave) return std::nullopt;  // Art. 39, third paragraph
    return death_lump_sum();
  }

  std::optional<Problem> funeral_grant() {
    if (std::string why = lacking(C::kFuneralGrant); !why.empty())
      return unknown(C::kFuneralGrant, std::move(why), false);
    const double pooled = b_.number(Input::kPoolWage);
    ClaimLine& funeral = line(C::kFuneralGrant);
    if (!settle(funeral, C::kFuneralGrant, kFuneralMonths * pooled)) {
      return result_refusal(C::kFuneralGrant);
    }
    if (words_) {
      funeral.working = "丧葬补助金：" + figure(kFuneralMonths) + " × 统筹月工资 " +
                        figure(pooled) + " = " + funeral.text + "（" +
                        std::string(funeral.article) + "）";
    }
    return std::nullopt;
  }

  std::optional<Problem> dependant_pension() {
    if (std::string why = lacking(C::kDependantPension); !why.empty())
      return unknown(C::kDependantPension, std::move(why), false);
    const double own = b_.base_wage;
    const double rate = kSpouseShare * in_.spouse + kOtherDependantShare * in_.others +
                        kLoneDependantExtra * in_.lone;
    double pension = own * rate;
    const bool capped = pension > own;
    if (capped) pension = own;
    ClaimLine& p = line(C::kDependantPension);
    if (!settle(p, C::kDependantPension, pension)) return result_refusal(C::kDependantPension);
    if (words_) {
      p.working = "供养亲属抚恤金：本人工资 " + figure(own) + " × (40% × " +
                  std::to_string(in_.spouse) + " + 30% × " + std::to_string(in_.others) +
                  " + 10% × " + std::to_string(in_.lone) + ")" +
                  (capped ? "，高于本人工资，按本人工资 " : " = ") + p.text + "，每月（" +
                  std::string(p.article) + "）";
    }
    p.duration = "每名供养亲属按月领取，至其不再符合供养条件";
    return std::nullopt;
  }

  // Art. 39(三) as amended from 2011-01-01: 20 times the national income of
  // the year before the death. Before, the 2003 text paid 48–60 months of
  // the pooling wage, a range the region fixed: no figure is given.
  std::optional<Problem> death_lump_sum() {
    if (in_.death_date && *in_.death_date < Date{kAmendedYear, 1, 1}) {
      return unknown(C::kDeathLumpSum,
                     "死亡日期 " + format_date(*in_.death_date) + " 早于 " +
                         std::to_string(kAmendedYear) +
                         "-01-01，适用 2003 年的《工伤保险条例》：一次性工亡补助金为 " +
                         std::to_string(kOldGrantMonthsLow) + " 个月至 " +
                         std::to_string(kOldGrantMonthsHigh) +
                         " 个月的统筹地区上年度职工月平均工资，月数由当地规定，本程序不计算",
                     false);
    }
    // A year the table lacks needs the figure typed.
    if (!in_.national_income && !rules_.income_of(in_.death_date->year - 1)) {
      return unknown(C::kDeathLumpSum,
                     lacking(kClaimItems[index(C::kDeathLumpSum)].name, kNeedsIncome), false);
    }
    double income = 0;
    std::string whence;
    if (in_.national_income) {
      income = *in_.national_income;
      whence = "所填全国人均可支配收入 ";
    } else {
      const IncomeYear* y = rules_.income_of(in_.death_date->year - 1);
      claim_.income = y;
      income = y->yuan;
      whence = std::to_string(y->year) + " 年全国城镇居民人均可支配收入" +
               (y->confirmed ? " " : "（未确认） ");
    }
    ClaimLine& lump = line(C::kDeathLumpSum);
    if (!settle(lump, C::kDeathLumpSum, kDeathGrantYears * income)) {
      return result_refusal(C::kDeathLumpSum);
    }
    if (words_) {
      lump.working = "一次性工亡补助金：" + figure(kDeathGrantYears) + " × " + whence +
                     figure(income) + " = " + lump.text + "（" + std::string(lump.article) + "）";
    }
    return std::nullopt;
  }

  const Breakdown& b_;
  const CaseValues& in_;
  const Region* region_;
  const Rules& rules_;
  const bool words_;
  std::optional<Date> retirement_;
  Claim& claim_;
};

}  // namespace

std::optional<Problem> build_claim(const Breakdown& classic, const CaseValues& values,
                                   const Region* region, const Rules& rules, ClaimDetail detail,
                                   Claim& into) {
  return ClaimBuilder(classic, values, region, rules, detail, into).build();
}

}  // namespace gongshang
