// What the claim window accepts in a money field. The value is the project's
// number rule (engine/number_text.h); only the texts that rule would read
// differently from what a person meant are marked: a unit, a thousands
// comma, a second point, a minus sign.
#ifndef GONGSHANG_CLAIMWINDOW_MONEY_TEXT_H_
#define GONGSHANG_CLAIMWINDOW_MONEY_TEXT_H_

#include <QString>

namespace gongshang::claimwindow {

// The reason a money text cannot be taken, or an empty string when it can.
// Blanks are ignored wherever they stand and full-width forms count as their
// ASCII twins, as the number rule has it; an empty text means "not given".
//   ""          -> ""                 "3500"       -> ""     "１２０００．５" -> ""
//   "3 500"     -> ""                 ".5"         -> ""
//   "1,000"     -> "只能填写数字，如 3500 或 12000.5，不带单位或逗号"
//   "3500元"    -> the same           "-5"         -> "不能是负数"
//   400 digits  -> "数目太大，无法计算"
QString money_problem(const QString& text);

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_MONEY_TEXT_H_
