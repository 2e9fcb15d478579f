#include "engine/region_rules.h"

#include <algorithm>
#include <iterator>

namespace gongshang {
namespace {

struct StatusWords {
  std::string_view text;
  std::string_view explanation;
};
// Indexed by DataStatus.
constexpr StatusWords kStatusWords[kDataStatusCount] = {
    {"条文已核对", "这些数字已与地方法规条文本身核对。"},
    {"政府文件", "这些数字来自政府部门发布的文件，地方法规条文本身未核对。"},
    {"转载未核对", "这些数字来自二手资料，请向当地社保经办机构核实。"},
    {"未找到数字",
     "没有找到这个地区两项补助金可以采用的数字，其金额显示为未知：请向当地社保经办机构了解标准，"
     "或不选地区，按当地标准自行填写月数或金额。"},
};

// Indexed by SubsidyBase.
constexpr std::string_view kBaseTexts[kSubsidyBaseCount] = {"统筹月工资", "全省月工资", "本人工资",
                                                            "固定金额"};

// Indexed by CutScope.
constexpr std::string_view kScopeTexts[] = {"全部", "本人提出"};

}  // namespace

std::string_view scope_text(CutScope scope) {
  return kScopeTexts[static_cast<std::size_t>(scope)];
}

std::optional<CutScope> scope_from_text(std::string_view text) {
  for (std::size_t i = 0; i < std::size(kScopeTexts); ++i) {
    if (kScopeTexts[i] == text) return static_cast<CutScope>(i);
  }
  return std::nullopt;
}

std::string_view status_text(DataStatus status) {
  return kStatusWords[static_cast<std::size_t>(status)].text;
}

std::string_view status_explanation(DataStatus status) {
  return kStatusWords[static_cast<std::size_t>(status)].explanation;
}

std::string status_choices() {
  std::string out;
  for (std::size_t i = 0; i < kDataStatusCount; ++i) {
    if (i > 0) out += i + 1 == kDataStatusCount ? " 或 " : "、";
    out += kStatusWords[i].text;
  }
  return out;
}

std::optional<DataStatus> status_from_text(std::string_view text) {
  for (std::size_t i = 0; i < kDataStatusCount; ++i) {
    if (kStatusWords[i].text == text) return static_cast<DataStatus>(i);
  }
  return std::nullopt;
}

std::string_view base_text(SubsidyBase base) {
  return kBaseTexts[static_cast<std::size_t>(base)];
}

std::optional<SubsidyBase> base_from_text(std::string_view text) {
  for (std::size_t i = 0; i < kSubsidyBaseCount; ++i) {
    if (kBaseTexts[i] == text) return static_cast<SubsidyBase>(i);
  }
  return std::nullopt;
}

const Region* Rules::find(std::string_view name) const {
  if (name.empty()) return nullptr;
  auto it = std::find_if(regions.begin(), regions.end(),
                         [name](const Region& r) { return r.name == name; });
  return it == regions.end() ? nullptr : &*it;
}

const IncomeYear* Rules::income_of(int year) const {
  auto it = std::find_if(income.begin(), income.end(),
                         [year](const IncomeYear& y) { return y.year == year; });
  return it == income.end() ? nullptr : &*it;
}

std::string region_status_words(const Region* region) {
  if (region == nullptr)
    return "没有选择地区：一次性工伤医疗补助金和一次性伤残就业补助金按下面自行填写的月数"
           "或金额计算，请向当地社保经办机构了解标准。";
  if (region->user_file)
    return "用户规则文件，自称" + std::string(status_text(region->status)) +
           "：这些数字不是随程序发布的核对结果，请自行核实。";
  return std::string(status_text(region->status)) + "：" +
         std::string(status_explanation(region->status));
}

}  // namespace gongshang
