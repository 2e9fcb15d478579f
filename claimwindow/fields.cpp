#include "claimwindow/fields.h"

#include <algorithm>
#include <iterator>

namespace gongshang::claimwindow {

namespace {

using enum FieldGroup;
using enum FieldKind;

// The names are the batch tool's columns; 用人单位未参保 exists only here,
// since it changes who pays, not what is owed.
constexpr FieldRow kFields[] = {
    {"地区", kRegion, FieldKind::kRegion},
    {"工伤等级", kInjury, kList},
    {"护理级别", kInjury, kList},
    {"职业病", kInjury, kYesNo},
    {"本人月均工资", kWages, kMoney, "受伤前 12 个月平均月缴费工资"},
    {"统筹月工资", kWages, kMoney, "统筹地区上年度职工月平均工资"},
    {"全省月工资", kWages, kMoney, "全省上年度职工月平均工资"},
    {"最低工资", kWages, kMoney, "当地月最低工资标准"},
    {"停薪月数", kTime, kCount, {}, 99},
    {"住院天数", kTime, kCount, {}, 99999},
    {"住宿天数", kTime, kCount, {}, 99999},
    {"护理天数", kTime, kCount, {}, 99999},
    {"出生日期", kTime, kDate},
    {"原退休年龄", kTime, kAge},
    {"解除日期", kTime, kDate, "解除或终止劳动关系之日"},
    {"医疗费", kCosts, kMoney},
    {"辅助器具费", kCosts, kMoney},
    {"交通费", kCosts, kMoney},
    {"营养费", kCosts, kMoney},
    {"工亡", kDeath, kYesNo},
    {"死亡日期", kDeath, kDate},
    {"配偶", kDeath, kCount, {}, 1},
    {"其他供养亲属", kDeath, kCount, {}, 99},
    {"孤寡加发人数", kDeath, kCount, {}, 99},
    {"全国人均可支配收入", kDeath, kMoney, "留空则按死亡上一年度的统计数据"},
    {"用人单位未参保", kRegion, kYesNo},
};

constexpr AgeItem kAges[] = {
    {"", ""},
    {"60", "60 岁（男职工）"},
    {"55", "55 岁（女干部）"},
    {"50", "50 岁（女工人）"},
};

}  // namespace

std::span<const FieldRow> claim_fields() {
  return kFields;
}

const FieldRow* find_field(std::string_view name) {
  const auto* row = std::find_if(std::begin(kFields), std::end(kFields),
                                 [name](const FieldRow& r) { return r.name == name; });
  return row == std::end(kFields) ? nullptr : row;
}

std::span<const AgeItem> age_items() {
  return kAges;
}

std::string_view group_title(FieldGroup group) {
  switch (group) {
    case kInjury:
      return "伤情";
    case kWages:
      return "工资";
    case kTime:
      return "时间";
    case kCosts:
      return "费用";
    case kDeath:
      return "工亡";
    case FieldGroup::kRegion:
      break;
  }
  return "地区";
}

}  // namespace gongshang::claimwindow
