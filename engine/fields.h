// The calculator's twelve input fields. Their Chinese names are data: the
// window's controls and the batch tool's columns carry them exactly.
#ifndef GONGSHANG_ENGINE_FIELDS_H_
#define GONGSHANG_ENGINE_FIELDS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace gongshang {

// In the order of the input table.
enum class Input : std::uint8_t {
  kGrade,
  kNursing,
  kOwnWage,
  kPoolWage,
  kLeaveMonths,
  kHospitalDays,
  kLodgingDays,
  kNursingDays,
  kMedical,
  kDevices,
  kTravel,
  kNutrition,
};
inline constexpr std::size_t kInputCount = 12;

constexpr std::size_t index(Input f) {
  return static_cast<std::size_t>(f);
}

// Indexed by Input; UTF-8.
inline constexpr std::array<std::string_view, kInputCount> kInputNames{
    "工伤等级", "护理级别", "本人月均工资", "统筹月工资", "停薪月数", "住院天数",
    "住宿天数", "护理天数", "医疗费",       "辅助器具费", "交通费",   "营养费",
};

constexpr std::string_view name(Input f) {
  return kInputNames[index(f)];
}

// Twelve input texts indexed by Input, UTF-8; views, so callers keep the texts.
using InputTexts = std::array<std::string_view, kInputCount>;

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_FIELDS_H_
