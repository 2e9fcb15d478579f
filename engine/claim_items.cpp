#include "engine/claim.h"

namespace gongshang {

std::string_view payer_text(Payer payer) {
  return payer == Payer::kFund ? "基金" : "用人单位";
}

const std::array<ClaimItemInfo, kClaimItemCount> kClaimItems{{
    {"一次性工伤医疗补助金", "《工伤保险条例》第三十六条、第三十七条", Payer::kFund, false},
    {"一次性伤残就业补助金", "《工伤保险条例》第三十六条、第三十七条", Payer::kEmployer, false},
    {"伤残津贴补足后", "《工伤保险条例》第三十五条、第三十六条", Payer::kFund, true,
     kNeedsOwnAndPool},
    {"生活护理费", "《工伤保险条例》第三十四条", Payer::kFund, true, kNeedsPool},
    {"丧葬补助金", "《工伤保险条例》第三十九条第（一）项", Payer::kFund, false, kNeedsPool},
    {"供养亲属抚恤金", "《工伤保险条例》第三十九条第（二）项", Payer::kFund, true,
     kNeedsOwnAndPool},
    {"一次性工亡补助金", "《工伤保险条例》第三十九条第（三）项", Payer::kFund, false},
    {"经济补偿", "《劳动合同法》第四十六条、第四十七条", Payer::kEmployer, false},
    {"赔偿金", "《劳动合同法》第四十八条、第八十七条", Payer::kEmployer, false},
    {"退休后伤残津贴差额", "《工伤保险条例》第三十五条第（三）项；《社会保险法》第四十条",
     Payer::kFund, true, kNeedsOwnAndPool},
}};

const std::array<ClassicItemInfo, kResultCount - 1> kClassicItems{{
    {Result::kSubsidy, "一次性伤残补助金", Payer::kFund, false, kNeedsOwnAndPool},
    {Result::kLeaveWage, "停工留薪期工资", Payer::kEmployer, false, kNeedsOwn},
    {Result::kHospitalMeals, "住院伙食补助费", Payer::kFund},
    {Result::kLodging, "住宿费", Payer::kFund},
    {Result::kNursing, "停工留薪期护理费", Payer::kEmployer, false, kNeedsOwnAndPool},
    {Result::kMedical, "医疗费", Payer::kFund},
    {Result::kDevices, "辅助器具费", Payer::kFund},
    {Result::kTravel, "交通费", Payer::kFund},
    {Result::kNutrition, "营养费", Payer::kEmployer},
    {Result::kAllowance, "伤残津贴", Payer::kFund, true, kNeedsOwnAndPool},
}};

}  // namespace gongshang
