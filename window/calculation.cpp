#include "window/calculation.h"

#include <string>

#include "engine/compensation.h"
#include "engine/explanation.h"
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
  if (!working) return to_qstring(message(working.problem()));
  const Breakdown& breakdown = *working;
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

QStringList list_choices(Input list) {
  const std::span<const std::string_view> items = list_items(field_of(list));
  if (items.empty()) return {};
  QStringList choices{QString()};
  for (std::string_view item : items) choices << to_qstring(item);
  return choices;
}

}  // namespace gongshang
