// A case decided once, for every front end: the window, its report, the
// page and gongshang-batch --claim each hand over the texts of the fields
// and lay out the answer. It holds which fields count, every text that
// cannot be read, or the one reason the claim cannot be worked out, or the
// classic results, the claim's items and (with words) the statement.
//
//   texts -> read_fields (reading.h) -> work_out (compensation.h)
//         -> contradiction -> build_claim (claim.h) -> make_statement
#ifndef GONGSHANG_ENGINE_EVALUATION_H_
#define GONGSHANG_ENGINE_EVALUATION_H_

#include <optional>
#include <string>

#include "engine/claim.h"
#include "engine/claim_statement.h"
#include "engine/compensation.h"
#include "engine/fields.h"
#include "engine/problem.h"
#include "engine/reading.h"
#include "engine/region_rules.h"

namespace gongshang {

struct Evaluation {
  Reading reading;                     // the values, the unreadable fields, the fields in effect
  std::optional<Problem> refusal;      // every text read, but no claim: why
  Breakdown classic;                   // when worked out: the classic results
  Claim claim;                         // when worked out: the claim's items
  std::optional<Statement> statement;  // when worked out with ClaimDetail::kWorking
  // When worked out: each field an item needs that was left empty, with
  // the items left without an amount for it, in form order. The window and
  // the page show it under the field; a batch row is refused for it.
  //   {"统筹月工资", "为空：计算丧葬补助金、供养亲属抚恤金需要此项"}
  std::vector<Problem> needed;
  // 死亡日期 or 死亡情形 filled without 工亡 是 (reading.h): out of effect in
  // a form, which drops them on saving; a batch row is refused for it.
  std::optional<Problem> death_texts;

  bool worked_out() const { return reading.problems.empty() && !refusal; }
  bool in_effect(Field f) const { return reading.in_effect[index(f)]; }

  // What a person is told when nothing was worked out, "" when it was:
  //   two fields unreadable -> "请先改正标红的栏目：本人月均工资、医疗费" (form order)
  //   a refusal -> its message: "「死亡日期」为空：工亡为“是”时，……"
  std::string why_none() const;
  // The first problem as --pdf and the page name it; nullptr when worked out.
  const Problem* first_problem() const;
  // Why a batch row gets no amounts: first_problem(), else death_texts, else
  // the first needed field (a cell has no room for the unknown's reason);
  // nullptr when every amount is there.
  const Problem* row_problem() const;
};

// Decides one case into `into`, which the caller may keep from case to
// case so that its storage is reused. `rules` must outlive what it holds
// (the region and the income figure point into it).
//   {工伤等级 "七", 地区 "浙江", 全省月工资 "7000", 本人月均工资 "6000", …}
//     -> worked out; statement items 一次性伤残补助金, 一次性工伤医疗补助金, …
//   {本人月均工资 "1e3", 医疗费 "x"} -> two problems, no statement
void evaluate(const FieldViews& texts, const Rules& rules, ClaimDetail detail, Evaluation& into);
Evaluation evaluate(const FieldViews& texts, const Rules& rules,
                    ClaimDetail detail = ClaimDetail::kWorking);
Evaluation evaluate(const FieldTexts& texts, const Rules& rules);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_EVALUATION_H_
