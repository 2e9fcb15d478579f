#include "engine/claim.h"

namespace gongshang {

std::string_view payer_text(Payer payer) {
  return payer == Payer::kFund ? "基金" : "用人单位";
}

const std::array<ClaimItemInfo, kClaimItemCount> kClaimItems{{
    {"一次性工伤医疗补助金", "《工伤保险条例》第三十六条、第三十七条", Payer::kFund, false,
     "五至十级解除或终止劳动关系时一次发给：地区规定的基数 × 月数（或定额），职业病按地区规定加发，"
     "临近退休按地区规定递减，到退休日期不再发给"},
    {"一次性伤残就业补助金", "《工伤保险条例》第三十六条、第三十七条", Payer::kEmployer, false,
     "五至十级解除或终止劳动关系时一次发给：地区规定的基数 × 月数（或定额），职业病按地区规定加发，"
     "临近退休按地区规定递减，到退休日期不再发给"},
    {"伤残津贴补足后", "《工伤保险条例》第三十五条、第三十六条", Payer::kFund, true,
     "一至六级每月伤残津贴低于当地最低工资的，补足到最低工资；一至四级由基金支付，五、六级由用人单"
     "位支付"},
    {"生活护理费", "《工伤保险条例》第三十四条", Payer::kFund, true,
     "每月按统筹月工资的 50%、40%、30% 发给，分别对应完全、大部分、部分护理"},
    {"丧葬补助金", "《工伤保险条例》第三十九条第（一）项", Payer::kFund, false,
     "6 个月的统筹地区上年度职工月平均工资"},
    {"供养亲属抚恤金", "《工伤保险条例》第三十九条第（二）项", Payer::kFund, true,
     "每月按本人工资发给：配偶 40%，其他亲属每人 30%，孤寡老人或孤儿每人再加 "
     "10%；合计不高于本人工资"},
    {"一次性工亡补助金", "《工伤保险条例》第三十九条第（三）项", Payer::kFund, false,
     "上一年度全国城镇居民人均可支配收入的 20 倍"},
}};

ClassicPayment classic_payment(Result result, int grade) {
  switch (result) {
    case Result::kAllowance:
      return {grade > 4 ? Payer::kEmployer : Payer::kFund, true};
    case Result::kLeaveWage:  // wages during paid leave (Art. 33)
    case Result::kNursing:    // nursing during paid leave (Art. 33)
    case Result::kNutrition:  // no item of the regulation: claimed from the employer
      return {Payer::kEmployer, false};
    case Result::kTotal:
      return {std::nullopt, false};
    default:
      return {Payer::kFund, false};
  }
}

}  // namespace gongshang
