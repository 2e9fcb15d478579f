#include "engine/earlier_cases.h"

#include "engine/legal_figures.h"
#include "engine/list_items.h"

namespace gongshang {

namespace {

constexpr std::string_view kCheck =
    "生活护理费只付给经劳动能力鉴定委员会确认需要生活护理的职工（《工伤保险条例》第三十四条），"
    "护理级别现在只算停工留薪期的护理费：请核实已评定这一生活护理等级，未评定的请把生活护理等级"
    "留空";

}  // namespace

std::string_view care_level_of_nursing(const FieldViews& texts) {
  const std::optional<std::string_view> grade = grade_item(texts[index(Field::kGrade)]);
  const std::optional<std::string_view> nursing = nursing_item(texts[index(Field::kNursing)]);
  if (!grade || grade->empty() || !nursing || nursing->empty()) return {};
  for (std::size_t i = 0; i < kNursingLevels.size(); ++i)
    if (kNursingLevels[i].item == *nursing) return kCareLevels[i];
  return {};
}

Problem care_level_notice(std::string_view level) {
  std::string_view nursing;
  for (std::size_t i = 0; i < kCareLevels.size(); ++i)
    if (kCareLevels[i] == level) nursing = kNursingLevels[i].item;
  return {name(Field::kCareLevel), "按护理级别“" + std::string(nursing) + "”填为“" +
                                       std::string(level) + "”（旧案例没有这一栏）。" +
                                       std::string(kCheck) + "。"};
}

std::string care_level_column_notice() {
  return "表头没有「生活护理等级」列：有工伤等级的行按护理级别计生活护理费。" +
         std::string(kCheck) + "，或加上这一列。";
}

}  // namespace gongshang
