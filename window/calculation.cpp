#include "window/calculation.h"

#include <string>

#include "engine/compensation.h"
#include "engine/explanation.h"
#include "engine/legal_figures.h"
#include "qstring/utf8.h"

namespace gongshang {

Calculation calculate_shown(const std::array<QString, kInputCount>& inputs) {
  std::array<std::string, kInputCount> utf8;
  InputTexts texts;
  for (std::size_t i = 0; i < kInputCount; ++i) {
    utf8[i] = to_utf8(inputs[i]);
    texts[i] = utf8[i];
  }

  const Working working = work_out(texts);
  if (const auto* refusal = std::get_if<Refusal>(&working)) return to_qstring(refusal->message);
  const auto& breakdown = std::get<Breakdown>(working);
  const Explanations explanations = explain(breakdown);
  ShownResults shown;
  for (std::size_t i = 0; i < kResultCount; ++i) {
    shown.texts[i] = to_qstring(breakdown.texts[i]);
    shown.explanations[i] = to_qstring(explanations[i]);
  }
  return shown;
}

QString rule_text(Result result) {
  return to_qstring(rule_in_words(result));
}

QStringList list_items(Input list) {
  QStringList items{QString()};
  if (list == Input::kGrade) {
    for (const GradeFigures& grade : kGrades) items << to_qstring(grade.item);
  } else if (list == Input::kNursing) {
    for (const NursingFigures& level : kNursingLevels) items << to_qstring(level.item);
  } else {
    items.clear();
  }
  return items;
}

}  // namespace gongshang
