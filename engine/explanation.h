// Why each figure is what it is: the working and the legal basis behind every
// result, for the result fields' tooltips. Texts only (UTF-8); the window
// shows them.
#ifndef GONGSHANG_ENGINE_EXPLANATION_H_
#define GONGSHANG_ENGINE_EXPLANATION_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/compensation.h"

namespace gongshang {

using Explanations = std::array<std::string, kResultCount>;

// The rule behind a result in words, for a field that shows no figure yet.
//   Result::kLodging -> "住宿费：住宿天数 × 每天 80 元（《工伤保险条例》第三十条）"
std::string_view rule_in_words(Result field);

// The working of one calculation.
//   grade "五", own 3500, pooling 4000:
//     kSubsidy -> "本人月均工资 3500 在统筹月工资 4000 的 60% 至 300% 之间，按 3500
//                 计（第六十四条）\n本人工资 3500 × 18 个月 = 63000（《工伤保险条例》第三十六条）"
//   own 2000, pooling 4672: the first line reads
//     "本人月均工资 2000 低于统筹月工资 4672 的 60%，按 2803.2 取整为 2803（第六十四条）"
//   grade "五", nursing 部分护理, 20 days, own 6000, pooling 5000, kToTheFen:
//     kNursing ends "… ÷ 21.75 = 1655.17（《工伤保险条例》第三十三条、第三十四条）"
// kAsShown: with the very texts the classic calculator shows (1931.03451153328);
// kToTheFen: as a statement shows them, each result in yuan and fen
// ("1931.03") and a wage worked out (60 % of 统筹月工资) to the fen; typed
// figures are shown as typed either way.
enum class Figures : std::uint8_t { kAsShown, kToTheFen };
Explanations explain(const Breakdown& working, Figures figures = Figures::kAsShown);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_EXPLANATION_H_
