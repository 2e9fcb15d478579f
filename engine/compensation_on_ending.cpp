#include "engine/compensation_on_ending.h"

#include <algorithm>

#include "engine/claim.h"
#include "engine/fields.h"
#include "engine/number_text.h"

namespace gongshang {
namespace {

using R = EndReason;

// 《劳动合同法》第九十八条: in force from this day; 第九十七条第三款 counts
// 经济补偿's years from it.
constexpr Date kLabourContractLaw{2008, 1, 1};
// 第四十七条第二款: a wage above three times the city's average is taken as
// that, and then at most twelve years count.
constexpr double kWageCapMultiple = 3;
constexpr double kCappedMonths = 12;
// 第八十七条: twice 经济补偿's standard.
constexpr double kDamagesMultiple = 2;

// 经济补偿's article for each reason that owes it.
std::string_view severance_article(R reason) {
  switch (reason) {
    case R::kArticle38:
      return "《劳动合同法》第四十六条第一项、第四十七条";
    case R::kAgreed:
      return "《劳动合同法》第四十六条第二项、第四十七条";
    case R::kNoticeOrRedundancy:
      return "《劳动合同法》第四十六条第三项、第四项、第四十七条";
    case R::kExpiry:
      return "《劳动合同法》第四十六条第五项、第四十七条";
    default:
      break;
  }
  return "《劳动合同法》第四十六条、第四十七条";
}
constexpr std::string_view kDamagesArticle =
    "《劳动合同法》第四十八条、第八十七条；《劳动合同法实施条例》第二十五条";

// Art. 47's months of wage for a length of service.
double months_of_wage(MonthsAndDays s) {
  const int rest = s.months % 12;
  double months = s.months / 12;
  if (rest >= 6) {
    months += 1;
  } else if (rest > 0 || s.days > 0) {
    months += 0.5;
  }
  return months;
}

std::string service_text(MonthsAndDays s) {
  std::string t;
  const auto part = [&t](int n, std::string_view unit) {
    if (n == 0) return;
    t.append(t.empty() ? "" : " ").append(std::to_string(n)).append(" ").append(unit);
  };
  part(s.months / 12, "年");
  part(s.months % 12, "个月");
  part(s.days, "天");
  return t.empty() ? "0 天" : t;
}

// The monthly wage both items rest on, and its working.
struct Wage {
  double monthly = 0;
  bool capped = false;
  std::string working;
};

std::optional<Wage> wage_of(const EndingCase& c, bool words) {
  const std::optional<double> typed = c.leaving_wage ? c.leaving_wage : c.own_wage;
  if (!typed) return std::nullopt;
  Wage w{*typed, false, {}};
  if (words) {
    w.working = c.leaving_wage ? "月工资 " + plain_form(*typed) + "（离职前十二个月平均工资）"
                               : "月工资按所填本人月均工资 " + plain_form(*typed) +
                                     "（未填离职前十二个月平均工资；不是第六十四条的本人工资）";
  }
  if (c.minimum_wage && w.monthly < *c.minimum_wage) {
    w.monthly = *c.minimum_wage;
    if (words)
      w.working +=
          "，低于最低工资，按 " + plain_form(w.monthly) + " 计（《劳动合同法实施条例》第二十七条）";
  }
  if (c.pool_wage && *c.pool_wage > 0) {
    const double cap = kWageCapMultiple * *c.pool_wage;
    if (w.monthly > cap) {
      w.monthly = cap;
      w.capped = true;
    }
    if (words) {
      w.working += w.capped ? "，高于统筹月工资 " + plain_form(*c.pool_wage) + " 的三倍，按 " +
                                  plain_form(cap) + " 计，年限最多计十二年"
                            : "，不高于统筹月工资的三倍";
      w.working += "（第四十七条第二款；以统筹月工资代替所在市公布的上年度职工月平均工资）";
    }
  } else if (words) {
    w.working += "（统筹月工资为空或为 0，未核对是否高于所在市上年度职工月平均工资的三倍）";
  }
  return w;
}

// One item from `first` through the 解除日期: `multiple` × Art. 47's
// standard.
LabourPay pay(std::string_view name, Date first, const EndingCase& c, const Wage& w,
              double multiple, std::string_view article, bool words) {
  const MonthsAndDays service = months_through(first, c.end);
  const double counted = months_of_wage(service);
  const double months = w.capped ? std::min(counted, kCappedMonths) : counted;
  LabourPay p{multiple * w.monthly * months, {}, article};
  if (words) {
    p.working = std::string(name) + "：工作年限 " + format_date(first) + " 至 " +
                format_date(c.end) + "（首尾两日都计）共 " + service_text(service) + "，计 " +
                plain_form(counted) +
                " 个月工资（每满一年一个月，余六个月以上按一年、不满六个月按半个月）";
    if (months != counted) p.working += "，月工资高于三倍，最多计 " + plain_form(months) + " 个月";
    p.working += "；" + w.working + "：" +
                 (multiple != 1 ? plain_form(multiple) + " × " : std::string()) +
                 plain_form(w.monthly) + " × " + plain_form(months) + " = " +
                 money_text(*p.amount) + "（" + std::string(article) + "）";
  }
  return p;
}

// What stops an item from being computed, as a note; "" when nothing does.
std::string missing(const EndingCase& c) {
  if (!c.start)
    return "「入职日期」为空：填写入职日期（用工之日）和离职前十二个月平均工资后，可算出";
  if (!c.leaving_wage && !c.own_wage)
    return "「离职前十二个月平均工资」和「本人月均工资」都为空：填写后可算出";
  if (c.end < kLabourContractLaw)
    return "解除日期在《劳动合同法》施行（2008-01-01）之前，按当时有关规定处理，这里不计算";
  return {};
}

}  // namespace

std::string_view end_reason_text(EndReason reason) {
  for (const EndReasonItem& item : kEndReasonItems)
    if (item.reason == reason) return item.text;
  return {};
}

bool employer_ended(EndReason reason) {
  return reason == R::kEmployer || reason == R::kAgreed || reason == R::kNoticeOrRedundancy ||
         reason == R::kUnlawful;
}

Ending ending_of(std::optional<Date> end, std::optional<Date> death,
                 std::optional<Date> retirement) {
  if (!end) return Ending::kNone;
  if (death && *death == *end) return Ending::kByDeath;
  if (retirement && *end >= *retirement) return Ending::kAtRetirement;
  return Ending::kEnded;
}

std::variant<EndingPay, Problem> labour_pay(const EndingCase& c, Ending ending, bool words) {
  EndingPay out;
  std::vector<std::string>& notes = out.notes;
  switch (ending) {
    case Ending::kNone:
      return out;
    case Ending::kByDeath:
      notes.push_back(
          "解除日期即死亡日期：劳动合同因劳动者死亡而终止（《劳动合同法》第四十四条第三项），"
          "不发一次性工伤医疗补助金、一次性伤残就业补助金和经济补偿，近亲属按《工伤保险条例》"
          "第三十九条享受待遇。");
      return out;
    case Ending::kAtRetirement:
      notes.push_back(
          "解除日期不早于解除时施行的法定退休日期：劳动合同已因劳动者达到法定退休年龄而终止"
          "（《劳动合同法实施条例》第二十一条），不发一次性工伤医疗补助金、一次性伤残就业补助金"
          "和经济补偿，此后按国家规定享受基本养老保险待遇。");
      return out;
    case Ending::kEnded:
      break;
  }
  const bool graded = c.grade > 0;
  const bool kept = graded && c.grade < 5;  // 一级至四级
  if (c.reason == R::kExpiry && graded && c.grade <= 6) {
    return Problem{
        name(Field::kEndReason),
        "为合同期满终止的，不适用于一级至六级伤残职工：一级至四级保留劳动关系"
        "（《工伤保险条例》第三十五条），五级、六级保留与用人单位的劳动关系、经本人提出"
        "才可解除或者终止（第三十六条），劳动合同期满时按工伤保险的规定执行（《劳动合同法》"
        "第四十五条）；工伤职工本人提出的，请选择本人提出；用人单位在期满时终止的，"
        "请选择用人单位违法解除"};
  }
  if (kept) {
    notes.push_back(
        "一级至四级伤残职工保留劳动关系，退出工作岗位（《工伤保险条例》第三十五条）：不发一次性"
        "工伤医疗补助金和一次性伤残就业补助金，伤残津贴由工伤保险基金按月支付。");
  }
  if (!c.reason) {
    if (c.start) notes.push_back("「解除原因」为空：经济补偿或赔偿金取决于解除原因，这里未计算。");
    return out;
  }
  const R reason = *c.reason;
  const std::string why = missing(c);
  const std::optional<Wage> wage = why.empty() ? wage_of(c, words) : std::nullopt;
  const auto severance = [&] {
    return pay("经济补偿", std::max(*c.start, kLabourContractLaw), c, *wage, 1,
               severance_article(reason), words);
  };
  const auto damages = [&] {
    return pay("赔偿金", *c.start, c, *wage, kDamagesMultiple, kDamagesArticle, words);
  };
  const auto owe_severance = [&] {
    if (!wage) return notes.push_back(why + "经济补偿。");
    out.severance = severance();
    if (*c.start < kLabourContractLaw) {
      notes.push_back(
          "经济补偿的年限自 2008-01-01 起计算；此前的工作年限，按当时有关规定应当支付经济补偿的，"
          "按当时有关规定执行（《劳动合同法》第九十七条第三款），这里未计算。");
    }
  };
  const auto owe_damages = [&] {
    if (!wage) return notes.push_back(why + "赔偿金。");
    out.damages = damages();
  };
  const std::string unlawful =
      "劳动者要求继续履行劳动合同的，用人单位应当继续履行；不要求继续履行或者劳动合同已经不能"
      "继续履行的，用人单位支付赔偿金（《劳动合同法》第四十八条、第八十七条），不再支付经济补偿"
      "（《劳动合同法实施条例》第二十五条）。";
  const std::string barred =
      "在本单位患职业病或者因工负伤并被确认丧失或者部分丧失劳动能力的，用人单位不得依照"
      "《劳动合同法》第四十条、第四十一条的规定解除劳动合同（第四十二条第二项）";
  switch (reason) {
    case R::kOwnRequest:
      break;
    case R::kAgreed:
    case R::kArticle38:
      owe_severance();
      break;
    case R::kExpiry:
      owe_severance();
      notes.push_back(
          "用人单位维持或者提高劳动合同约定条件续订劳动合同、劳动者不同意续订的，合同期满终止"
          "不支付经济补偿（《劳动合同法》第四十六条第五项）。");
      break;
    case R::kNoticeOrRedundancy:
      if (!graded) {
        owe_severance();
        break;
      }
      owe_damages();
      notes.push_back(barred + "，这样解除属违法解除：" + unlawful);
      break;
    case R::kUnlawful:
      owe_damages();
      notes.push_back((kept ? barred + "。" : std::string("用人单位违法解除：")) + unlawful);
      break;
    case R::kEmployer: {
      // The ground decides; each one's amount where it can be worked out.
      const auto amount = [&](auto work) {
        return wage ? " " + money_text(*work().amount) + " 元" : std::string();
      };
      std::string note =
          "解除原因为用人单位解除，未写明依据，经济补偿和赔偿金未列入：依《劳动合同法》第三十九条"
          "解除的，两者都不支付；";
      note += graded ? "依第四十条、第四十一条解除的，因工伤职工不得这样解除（第四十二条第二项），"
                       "属违法解除，应付赔偿金" +
                           amount(damages) + "（第四十八条、第八十七条）"
                     : "依第四十条、第四十一条解除的，应付经济补偿" + amount(severance) +
                           "（第四十六条第三项、第四项）；违法解除的，应付赔偿金" +
                           amount(damages) + "（第四十八条、第八十七条）";
      notes.push_back(note + "。请在解除原因中选择具体情形。");
      if (!wage) notes.push_back(why + "金额。");
      break;
    }
  }
  return out;
}

}  // namespace gongshang
