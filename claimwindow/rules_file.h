// The rules the window offers: the shipped regions file, with a user's own
// file (--rules) replacing entries of the same name.
#ifndef GONGSHANG_CLAIMWINDOW_RULES_FILE_H_
#define GONGSHANG_CLAIMWINDOW_RULES_FILE_H_

#include <QString>

#include "engine/region_rules.h"

namespace gongshang::claimwindow {

struct RulesLoad {
  Rules rules;
  QString problem;  // "" when every file was read; else the file, line and what is wrong
};

// The shipped rules, then user_file's over them when it is not empty. A file
// that cannot be read leaves the rules as they were before it.
RulesLoad load_rules(const QString& user_file);

}  // namespace gongshang::claimwindow

#endif  // GONGSHANG_CLAIMWINDOW_RULES_FILE_H_
