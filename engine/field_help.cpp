// The help beside the fields that is more than a row's line: what a group
// is for, and what each item of a list means in law. Figures in it come
// from the tables that decide them (legal_figures.h), never written again.
#include <cmath>

#include "engine/compensation_on_ending.h"
#include "engine/fields.h"
#include "engine/legal_figures.h"
#include "engine/number_text.h"
#include "engine/reading.h"
#include "engine/subsidy.h"

namespace gongshang {

namespace {

constexpr std::string_view kRegulations = "《工伤保险条例》";

std::string percent(double rate) {
  return double_form(std::round(rate * 1000) / 10) + "%";
}

std::string grade_help(int grade) {
  const GradeFigures& g = grade_figures(grade);
  std::string help = std::string(g.item) + "级：一次性伤残补助金为 " +
                     single_form(g.subsidy_months) + " 个月的本人工资；";
  if (grade < kFirstSubsidyGrade) {
    help += "保留劳动关系，退出工作岗位，按月领伤残津贴，为本人工资的 " +
            percent(decimal_value(g.allowance_rate));
  } else if (grade <= kLastGradeWithAllowance) {
    help += "保留劳动关系，由用人单位安排适当工作，难以安排的按月发给伤残津贴，为本人工资的 " +
            percent(decimal_value(g.allowance_rate)) +
            "；经本人提出可以解除或者终止劳动关系，领两项一次性补助金";
  } else {
    help += "劳动、聘用合同期满终止，或者本人提出解除的，领两项一次性补助金";
  }
  return help + "（" + std::string(kRegulations) + std::string(g.article) + "）";
}

// In the order of kEndReasonItems.
constexpr std::string_view kEndReasonHelp[] = {
    "工伤职工本人提出解除或者终止劳动关系（《工伤保险条例》第三十六条、第三十七条第（二）项）",
    "用人单位向劳动者提出解除劳动合同，并与劳动者协商一致解除：用人单位支付经济补偿（《劳动合同法》"
    "第三十六条、第四十六条第（二）项）",
    "劳动合同期满终止：用人单位支付经济补偿（《劳动合同法》第四十四条第（一）项、第四十六条第（五）"
    "项）；一级至四级伤残职工保留劳动关系，不因期满终止",
    "用人单位未及时足额支付劳动报酬、未依法缴纳社会保险费等，劳动者依《劳动合同法》第三十八条"
    "解除劳动合同：用人单位支付经济补偿（第四十六条第（一）项）",
    "用人单位以医疗期满不能从事原工作、不能胜任工作、客观情况重大变化或经济性裁员为由解除：对因工"
    "丧失或者部分丧失劳动能力的劳动者，法律不许这样解除（《劳动合同法》第四十二条第（二）项）",
    "用人单位解除劳动合同，未写明依据：请按实际依据选择上面的一项",
    "用人单位违反《劳动合同法》解除或者终止劳动合同：劳动者不要求继续履行的，用人单位按经济补偿"
    "的二倍支付赔偿金（第四十八条、第八十七条）",
};
static_assert(std::size(kEndReasonHelp) == kEndReasonItems.size());

std::string age_help(std::string_view age) {
  constexpr std::string_view kReform =
      "；2025 年起逐步延迟（全国人大常委会 2024 年 9 月 13 日的决定），退休日期由程序推算";
  std::string help;
  if (age == "60") help = "男职工";
  if (age == "55") help = "原法定退休年龄为五十五周岁的女职工（原规定称女干部）";
  if (age == "50") help = "原法定退休年龄为五十周岁的女职工（原规定称女工人）";
  if (help.empty()) return help;
  if (age != "60") help += "，不确定的可向社保经办机构查询";
  return help + std::string(kReform);
}

std::string base_help(std::string_view base) {
  if (base == base_text(SubsidyBase::kOwnWage))
    return "第六十四条的本人工资：本人月均工资，低于统筹月工资 " + percent(kBaseWageLower) +
           " 的按 " + percent(kBaseWageLower) + "，高于 " + percent(kBaseWageUpper) + " 的按 " +
           percent(kBaseWageUpper);
  if (base == base_text(SubsidyBase::kFixed)) return "上面填的是金额（元），不乘工资";
  return {};
}

}  // namespace

std::string_view group_help(FieldGroup group) {
  switch (group) {
    case FieldGroup::kParty:
      return "可以不填，不影响计算。";
    case FieldGroup::kTypedRule:
      return "没有选择地区时，两项一次性补助金按这里填写的当地标准计算。标准由省、自治区、直辖市"
             "人民政府规定（《工伤保险条例》第三十六条、第三十七条），可查当地的工伤保险规定，或拨"
             "打 "
             "12333 询问；不填的一项不计算。";
    default:
      return {};
  }
}

std::string item_help(Field list, std::string_view item) {
  if (item.empty()) return {};
  switch (list) {
    case Field::kGrade:
      for (std::size_t i = 0; i < kGrades.size(); ++i)
        if (kGrades[i].item == item) return grade_help(static_cast<int>(i) + 1);
      break;
    case Field::kNursing:
      for (std::size_t i = 0; i < kNursingLevels.size(); ++i)
        if (kNursingLevels[i].item == item)
          return "停工留薪期内的护理由所在单位负责（" + std::string(kRegulations) +
                 "第三十三条第三款）：护理费按本人工资的 " +
                 percent(decimal_value(kNursingLevels[i].rate)) +
                 " 和护理天数计；评定伤残等级后按月的生活护理费，看生活护理等级";
      break;
    case Field::kCareLevel:
      // At the rates of kNursingLevels in the same order.
      for (std::size_t i = 0; i < kCareLevels.size(); ++i)
        if (kCareLevels[i] == item)
          return std::string(item) + "：从工伤保险基金按月支付生活护理费，为统筹月工资的 " +
                 percent(decimal_value(kNursingLevels[i].rate)) + "（" + std::string(kRegulations) +
                 "第三十四条）";
      break;
    case Field::kSuitableWork:
      if (item == kSuitableWorkItems[0])
        return "用人单位已安排适当工作：不发伤残津贴（" + std::string(kRegulations) +
               "第三十六条第一款第（二）项）";
      return "难以安排工作：由用人单位按月发给伤残津贴（" + std::string(kRegulations) +
             "第三十六条第一款第（二）项）";
    case Field::kDeathCase:
      if (item == kDeathAfterLeave)
        return "一级至四级伤残职工在停工留薪期满后死亡、未认定为因工死亡的：近亲属享受丧葬补助金"
               "和供养亲属抚恤金，不享受一次性工亡补助金（《工伤保险条例》第三十九条第三款）";
      if (item == kDeathCases[0])
        return "职工因工死亡，或伤残职工在停工留薪期内因工伤导致死亡：丧葬补助金、供养亲属抚恤金和"
               "一次性工亡补助金（《工伤保险条例》第三十九条第一款、第二款）";
      break;
    case Field::kEndReason:
      for (std::size_t i = 0; i < kEndReasonItems.size(); ++i)
        if (kEndReasonItems[i].text == item) return std::string(kEndReasonHelp[i]);
      break;
    case Field::kOriginalAge:
      return age_help(item);
    case Field::kMedicalBase:
    case Field::kEmploymentBase:
      return base_help(item);
    default:
      break;
  }
  return {};
}

}  // namespace gongshang
