// A case written on one line, as the tests state them: "地区=河南 工伤等级=五"
// gives the texts of a case whose other fields are empty.
#ifndef GONGSHANG_TESTS_CLAIM_CASE_LINE_H_
#define GONGSHANG_TESTS_CLAIM_CASE_LINE_H_

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/fields.h"

namespace gongshang {

inline FieldTexts case_line(std::string_view line) {
  FieldTexts texts;
  while (!line.empty()) {
    const std::string_view word = line.substr(0, line.find(' '));
    line.remove_prefix(std::min(line.size(), word.size() + 1));
    if (word.empty()) continue;
    const auto field = find_field(word.substr(0, word.find('=')));
    if (!field) {
      ADD_FAILURE() << "no field in " << word;
      continue;
    }
    texts[index(*field)] = std::string(word.substr(word.find('=') + 1));
  }
  return texts;
}

}  // namespace gongshang

#endif  // GONGSHANG_TESTS_CLAIM_CASE_LINE_H_
