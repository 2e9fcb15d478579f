// The fuzzers' verdict on a promise: a broken one stops the run, and
// libFuzzer keeps the input that broke it.
#ifndef GONGSHANG_TESTS_FUZZ_CHECK_H_
#define GONGSHANG_TESTS_FUZZ_CHECK_H_

#include <cstdlib>

namespace gongshang {

inline void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace gongshang

#endif  // GONGSHANG_TESTS_FUZZ_CHECK_H_
