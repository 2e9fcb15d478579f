// What goes wrong on the way from a text to an answer, in one shape: the
// field (or result) it is about, the words for the person, and where in a
// file it was found. The 「field」 before the words and the place before
// both are put in one place, message(), so every front end says a fault the
// same way. A result that may fail is a Checked<T>: the value, or its Problem.
#ifndef GONGSHANG_ENGINE_PROBLEM_H_
#define GONGSHANG_ENGINE_PROBLEM_H_

#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace gongshang {

// A place in a file; line and column count from 1, 0 where unknown.
struct Where {
  std::string file;
  int line = 0;
  int column = 0;
  friend bool operator==(const Where&, const Where&) = default;
};

struct Problem {
  Problem() = default;
  Problem(std::string_view subject, std::string words, Where where = {})
      : subject(subject), words(std::move(words)), where(std::move(where)) {}

  // The name of the field or result the words are about ("本人月均工资",
  // "一次性工伤医疗补助金"), or empty when they are about no one field.
  std::string_view subject;
  std::string words;  // "只能填写数字……", without the subject
  Where where;
  friend bool operator==(const Problem&, const Problem&) = default;
};

// The problem in the words a person reads: the place, 「subject」, the words.
//   {"统筹月工资", "的数值超出可计算范围"} -> "「统筹月工资」的数值超出可计算范围"
//   {"", "文件在这里意外结束", {"", 1, 2}} -> "第 1 行第 2 列：文件在这里意外结束"
//   {"工伤等级", "只能是…", {"case.json"}} -> "case.json：「工伤等级」只能是…"
std::string message(const Problem& problem);

// "「name」" followed by tail: a subject quoted inside other words.
//   ("出生日期", "之后") -> "「出生日期」之后"
std::string quoted(std::string_view name, std::string_view tail = {});

// A value, or the problem that kept it from being made.
template <class T>
class Checked {
 public:
  Checked(T value) : v_(std::move(value)) {}            // NOLINT: implicit by design
  Checked(Problem problem) : v_(std::move(problem)) {}  // NOLINT

  explicit operator bool() const { return v_.index() == 0; }
  T& operator*() { return std::get<0>(v_); }
  const T& operator*() const { return std::get<0>(v_); }
  T* operator->() { return &std::get<0>(v_); }
  const T* operator->() const { return &std::get<0>(v_); }
  const Problem& problem() const { return std::get<1>(v_); }
  Problem& problem() { return std::get<1>(v_); }

 private:
  std::variant<T, Problem> v_;
};

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_PROBLEM_H_
