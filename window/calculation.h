// The window's side of the engine, and the one place where texts cross
// between the controls' QStrings and the engine's UTF-8: each control's text
// is converted once on its way in, each result and its working once on the
// way out.
#ifndef GONGSHANG_WINDOW_CALCULATION_H_
#define GONGSHANG_WINDOW_CALCULATION_H_

#include <array>
#include <variant>

#include <QString>
#include <QStringList>

#include "engine/fields.h"
#include "engine/results.h"

namespace gongshang {

// What the result boxes show after a calculation, indexed by Result.
struct ShownResults {
  std::array<QString, kResultCount> texts;
  std::array<QString, kResultCount> explanations;  // their tooltips
};
// Either the results, or the one message the window shows when the engine
// refuses, e.g. "「统筹月工资」的数值超出可计算范围".
using Calculation = std::variant<ShownResults, QString>;

// The controls' texts, indexed by Input -> what the results show.
//   grade "五", nursing "大部分护理", own 3500, pooling 4000, ...
//     -> texts "63000", "2450", ..., explanations of each
//   统筹月工资 "1E400" -> "「统筹月工资」的数值超出可计算范围"
Calculation calculate_shown(const std::array<QString, kInputCount>& inputs);

// A result's tooltip until a calculation explains it: its rule in words.
//   Result::kLodging -> the engine's rule_in_words(Result::kLodging), as a QString
QString rule_text(Result result);

// A list's items, the empty item (no choice) first.
//   Input::kNursing -> "", "完全护理", "大部分护理", "部分护理"
//   an input that is no list -> empty
QStringList list_choices(Input list);

}  // namespace gongshang

#endif  // GONGSHANG_WINDOW_CALCULATION_H_
