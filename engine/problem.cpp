#include "engine/problem.h"

namespace gongshang {

std::string quoted(std::string_view name, std::string_view tail) {
  std::string s = "「";
  s.append(name).append("」").append(tail);
  return s;
}

std::string message(const Problem& problem) {
  std::string s;
  if (!problem.where.file.empty()) s.append(problem.where.file).append("：");
  if (problem.where.line > 0) {
    s.append("第 ").append(std::to_string(problem.where.line)).append(" 行");
    if (problem.where.column > 0)
      s.append("第 ").append(std::to_string(problem.where.column)).append(" 列");
    s.append("：");
  }
  if (!problem.subject.empty()) s.append(quoted(problem.subject));
  return s.append(problem.words);
}

}  // namespace gongshang
