// The shipped rules file, loaded once per test program from beside the
// program (GONGSHANG_TEST_PROGRAM names it), as the programs find it.
#ifndef GONGSHANG_TESTS_CLAIM_SHIPPED_RULES_H_
#define GONGSHANG_TESTS_CLAIM_SHIPPED_RULES_H_

#include <variant>

#include <gtest/gtest.h>

#include "regions/rules_file.h"

namespace gongshang {

inline const Rules& shipped() {
  static const Rules rules = [] {
    auto loaded = regions::load_rules(GONGSHANG_TEST_PROGRAM, {});
    if (auto* e = std::get_if<regions::LoadError>(&loaded)) ADD_FAILURE() << e->text();
    return std::holds_alternative<Rules>(loaded) ? std::get<Rules>(loaded) : Rules{};
  }();
  return rules;
}

}  // namespace gongshang

#endif  // GONGSHANG_TESTS_CLAIM_SHIPPED_RULES_H_
