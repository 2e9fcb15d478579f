// The combinations of values a claim cannot be worked out from, apart from
// the reading of each text: every field here was read on its own first.
#include <string>
#include <string_view>

#include "engine/claim.h"
#include "engine/list_items.h"
#include "engine/reading.h"

namespace gongshang {

using F = Field;

std::optional<Problem> contradiction(const CaseValues& v) {
  const auto refuse = [](Field f, std::string words) {
    return std::optional<Problem>(Problem{name(f), std::move(words)});
  };
  if (v.birth && v.end && *v.end <= *v.birth) return refuse(F::kEndDate, "应在「出生日期」之后");
  if (v.birth && v.death_date && *v.death_date <= *v.birth)
    return refuse(F::kDeathDate, "应在「出生日期」之后");
  if (v.end && v.death_date && *v.end > *v.death_date)
    return refuse(F::kEndDate, "不能晚于「死亡日期」");
  if (v.lone > v.spouse + v.others)
    return refuse(F::kLoneExtra, "不能多于配偶与其他供养亲属的人数之和");
  if (v.end) {
    constexpr std::string_view kWhy =
        "为空：有解除日期时，需要出生日期和原退休年龄来算距退休的整年数";
    if (!v.birth) return refuse(F::kBirthDate, std::string(kWhy));
    // A typed 法定退休日期 stands for the one the age would give.
    if (!v.original_age && !v.retirement)
      return refuse(F::kOriginalAge, std::string(kWhy) + "（或填写法定退休日期）");
  }
  if (v.birth && v.retirement && *v.retirement <= *v.birth)
    return refuse(F::kRetirementDate, "应在「出生日期」之后");
  // Art. 34 pays 生活护理费 to a worker 已经评定伤残等级.
  if (v.care_level > 0 && v.classic.grade == 0) {
    return refuse(F::kCareLevel,
                  "只适用于已评定伤残等级的职工（《工伤保险条例》第三十四条）；"
                  "请选择工伤等级，或把生活护理等级留空");
  }
  // 60 is the men's original age, 50 the women workers'; a man retiring at
  // 55 holds a special-type job.
  if (v.male && v.original_age &&
      (*v.male ? *v.original_age == kRetirementAges[2] : *v.original_age == kRetirementAges[0])) {
    return refuse(F::kSex, "为“" + std::string(kSexes[*v.male ? 0 : 1]) + "”，与原退休年龄 " +
                               std::to_string(*v.original_age) + " 岁（" +
                               (*v.male ? "女工人" : "男职工") + "）矛盾");
  }
  // 期满后死亡 has no lump sum, so no income year is needed.
  if (v.death && !v.death_after_leave && !v.national_income) {
    if (!v.death_date) {
      return refuse(F::kDeathDate,
                    "为空：工亡为“是”时，需要死亡日期（以取上一年度全国城镇居民人均可支配收入）"
                    "或填写全国人均可支配收入");
    }
  }
  if (v.start && v.end && *v.start > *v.end) return refuse(F::kStartDate, "不能晚于「解除日期」");
  if (v.start && v.birth && *v.start <= *v.birth)
    return refuse(F::kStartDate, "应在「出生日期」之后");
  // A 解除日期 on the 死亡日期 is the contract ending by death: which one it
  // is needs both.
  if (v.death && v.end && !v.death_date) {
    return refuse(F::kDeathDate,
                  "为空：工亡为“是”又有解除日期时，需要死亡日期来判断劳动合同是否因死亡而终止");
  }
  return std::nullopt;
}

}  // namespace gongshang
