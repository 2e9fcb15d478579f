#include "claimwindow/rules_file.h"

namespace gongshang::claimwindow {

RulesLoad load_rules(const QString& user_file) {
  (void)user_file;
  return {};
}

}  // namespace gongshang::claimwindow
