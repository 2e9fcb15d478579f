#include "window/layout.h"

#include <algorithm>
#include <array>
#include <string>

#include <QRect>
#include <QString>

#include "engine/fields.h"
#include "engine/results.h"
#include "links/addresses.h"
#include "qstring/utf8.h"

namespace gongshang {

namespace {

using K = ControlKind;
using F = FontRole;

// Shared measures of the two columns.
constexpr int kInLabelLeft = 0, kInFieldLeft = 1800;
constexpr int kOutLabelLeft = 5640, kOutFieldLeft = 7440;
constexpr int kLabelWidth = 1692, kLabelHeight = 252;
constexpr int kFieldWidth = 1815, kBoxHeight = 270, kListHeight = 276;
constexpr int kListRaise = 120;  // a list stands this much above its label
constexpr int kButtonTop = 5400, kButtonWidth = 1575, kButtonHeight = 375;

constexpr std::array<ControlRow, 56> kLayout{{
    // The window's own two controls.
    {"大图框", K::kPanel, "", 0, 0, 9612, 7452, 0},
    {"滚动条", K::kScrollBar, "", 9720, 120, 372, 1572, 55},

    // The note lies behind every other control on the panel.
    {"Label57", K::kNote, "", 1800, 6120, 6972, 612, 54},

    {"Label49", K::kLabel, "计算工伤赔偿金额", 840, 0, 8532, 252, 52, F::kTitle},
    {"Label48", K::kLabel, "原始数据区", 1320, 360, 3132, 252, 51, F::kHeading},
    {"Label47", K::kLabel, "计算结果区", 5520, 360, 3132, 252, 50, F::kHeading},

    // Input column.
    {"Label35", K::kLabel, "工伤等级", kInLabelLeft, 840, kLabelWidth, kLabelHeight, 41},
    {"工伤等级", K::kList, "", kInFieldLeft, 840 - kListRaise, kFieldWidth, kListHeight, 5},
    {"Label2", K::kLabel, "护理级别", kInLabelLeft, 1200, 1092, kLabelHeight, 29},
    {"护理级别", K::kList, "", kInFieldLeft, 1200 - kListRaise, kFieldWidth, kListHeight, 4},
    {"Label3", K::kLabel, "本人月均工资", kInLabelLeft, 1560, kLabelWidth, kLabelHeight, 30},
    {"本人月均工资", K::kTextBox, "", kInFieldLeft, 1560, kFieldWidth, kBoxHeight, 6},
    {"Label5", K::kLabel, "统筹月工资", kInLabelLeft, 1920, kLabelWidth, kLabelHeight, 32},
    {"统筹月工资", K::kTextBox, "", kInFieldLeft, 1920, kFieldWidth, kBoxHeight, 8},
    {"Label6", K::kLabel, "停薪月数", kInLabelLeft, 2280, kLabelWidth, kLabelHeight, 33},
    {"停薪月数", K::kTextBox, "", kInFieldLeft, 2280, kFieldWidth, kBoxHeight, 9},
    {"Label7", K::kLabel, "住院天数", kInLabelLeft, 2640, kLabelWidth, kLabelHeight, 34},
    {"住院天数", K::kTextBox, "", kInFieldLeft, 2640, kFieldWidth, kBoxHeight, 10},
    {"Label8", K::kLabel, "住宿天数", kInLabelLeft, 3000, kLabelWidth, kLabelHeight, 35},
    {"住宿天数", K::kTextBox, "", kInFieldLeft, 3000, kFieldWidth, kBoxHeight, 11},
    {"Label9", K::kLabel, "护理天数", kInLabelLeft, 3360, kLabelWidth, kLabelHeight, 36},
    {"护理天数", K::kTextBox, "", kInFieldLeft, 3360, kFieldWidth, kBoxHeight, 12},
    {"Label4", K::kLabel, "医疗费", kInLabelLeft, 3720, kLabelWidth, kLabelHeight, 31},
    {"医疗费", K::kTextBox, "", kInFieldLeft, 3720, kFieldWidth, kBoxHeight, 7},
    {"Label38", K::kLabel, "辅助器具费", kInLabelLeft, 4080, kLabelWidth, kLabelHeight, 44},
    {"辅助器具费", K::kTextBox, "", kInFieldLeft, 4080, kFieldWidth, kBoxHeight, 19},
    {"Label11", K::kLabel, "交通费", kInLabelLeft, 4440, kLabelWidth, kLabelHeight, 37},
    {"交通费", K::kTextBox, "", kInFieldLeft, 4440, kFieldWidth, kBoxHeight, 13},
    {"Label10", K::kLabel, "营养费", kInLabelLeft, 4800, kLabelWidth, kLabelHeight, 27},
    {"营养费", K::kTextBox, "", kInFieldLeft, 4800, kFieldWidth, kBoxHeight, 2},

    // Result column; the total stands apart, 600 twips below the tenth row.
    {"Label34", K::kLabel, "伤残补助金", kOutLabelLeft, 840, kLabelWidth, kLabelHeight, 40},
    {"伤残补助金", K::kTextBox, "", kOutFieldLeft, 840, kFieldWidth, kBoxHeight, 16},
    {"Label36", K::kLabel, "每月伤残津贴", kOutLabelLeft, 1200, kLabelWidth, kLabelHeight, 42},
    {"每月伤残津贴", K::kTextBox, "", kOutFieldLeft, 1200, kFieldWidth, kBoxHeight, 17},
    {"Label24", K::kLabel, "停薪工资", kOutLabelLeft, 1560, kLabelWidth, kLabelHeight, 38},
    {"停薪工资", K::kTextBox, "", kOutFieldLeft, 1560, kFieldWidth, kBoxHeight, 14},
    {"Label42", K::kLabel, "住院伙食补助", kOutLabelLeft, 1920, kLabelWidth, kLabelHeight, 45},
    {"住院伙食补助", K::kTextBox, "", kOutFieldLeft, 1920, kFieldWidth, kBoxHeight, 20},
    {"Label43", K::kLabel, "住宿费", kOutLabelLeft, 2280, kLabelWidth, kLabelHeight, 46},
    {"住宿费", K::kTextBox, "", kOutFieldLeft, 2280, kFieldWidth, kBoxHeight, 21},
    {"Label37", K::kLabel, "护理费", kOutLabelLeft, 2640, kLabelWidth, kLabelHeight, 43},
    {"护理费", K::kTextBox, "", kOutFieldLeft, 2640, kFieldWidth, kBoxHeight, 18},
    {"Label45", K::kLabel, "计算医疗费", kOutLabelLeft, 3000, kLabelWidth, kLabelHeight, 48},
    {"计算医疗费", K::kTextBox, "", kOutFieldLeft, 3000, kFieldWidth, kBoxHeight, 23},
    {"Label1", K::kLabel, "计算辅助器具费", kOutLabelLeft, 3360, kLabelWidth, kLabelHeight, 28},
    {"计算辅助器具费", K::kTextBox, "", kOutFieldLeft, 3360, kFieldWidth, kBoxHeight, 3},
    {"Label44", K::kLabel, "计算交通费", kOutLabelLeft, 3720, kLabelWidth, kLabelHeight, 47},
    {"计算交通费", K::kTextBox, "", kOutFieldLeft, 3720, kFieldWidth, kBoxHeight, 22},
    {"Label46", K::kLabel, "计算营养费", kOutLabelLeft, 4080, kLabelWidth, kLabelHeight, 49},
    {"计算营养费", K::kTextBox, "", kOutFieldLeft, 4080, kFieldWidth, kBoxHeight, 24},
    {"Label33", K::kLabel, "合计", kOutLabelLeft, 4680, kLabelWidth, kLabelHeight, 39},
    {"合计", K::kTextBox, "", kOutFieldLeft, 4680, kFieldWidth, kBoxHeight, 15},

    {"计算按钮", K::kButton, "计算", 1080, kButtonTop, kButtonWidth, kButtonHeight, 26},
    {"清空按钮", K::kButton, "清空", 4080, kButtonTop, kButtonWidth, kButtonHeight, 25},
    {"法条依据按钮", K::kButton, "法条依据", 7080, kButtonTop, kButtonWidth, kButtonHeight, 1},

    // In front of the note: eight full-width characters (8 × 180 twips) in
    // from its left edge and one note line down, over the note's address. As
    // tall as a box, which holds the descenders of g, j and p below the line
    // that a 252-twip label cuts off.
    {"主页", K::kLink, "", 1800 + 8 * 180, 6120 + kNoteLinePitch, 1812, kBoxHeight, 53},
}};

// Every input and result of the engine is shown by exactly one control of
// its kind, so that a renamed row cannot leave a field unread or a result
// unshown: the controls are found by these names.
constexpr bool placed_once(std::string_view name, ControlKind kind) {
  return std::ranges::count_if(kLayout, [&](const ControlRow& row) {
           return row.name == name && row.kind == kind;
         }) == 1;
}
constexpr bool every_field_placed() {
  for (const std::string_view name : kInputNames) {
    const bool listed =
        name == gongshang::name(Input::kGrade) || name == gongshang::name(Input::kNursing);
    if (!placed_once(name, listed ? K::kList : K::kTextBox)) return false;
  }
  return std::ranges::all_of(
      kResults, [](const ResultRow& result) { return placed_once(result.name, K::kTextBox); });
}
static_assert(every_field_placed(), "every input and result of the engine needs one layout row");

// The note, around the address. The invitation is eight full-width
// characters, which is what puts the address under the link label; the gap
// after the address clears the link label's right edge, which reaches past the
// address itself, so that the telephone label is not hidden behind it.
constexpr std::string_view kNoteCredit = "本软件由工伤赔偿计算器开发组编制，计算结果仅供参考。";
constexpr std::string_view kNoteInvitation = "更多信息请访问：";
constexpr std::string_view kNoteGap = "\u3000\u3000\u3000";
constexpr std::string_view kNotePhone = "电话：010-00000000";
constexpr std::string_view kLineEnd = "\n";

}  // namespace

QRect to_pixels(const ControlRow& row) {
  return {to_pixels(row.left), to_pixels(row.top), to_pixels(row.width), to_pixels(row.height)};
}

std::span<const ControlRow> window_layout() {
  return kLayout;
}

const ControlRow& control_row(std::string_view name) {
  for (const ControlRow& row : kLayout) {
    if (row.name == name) return row;
  }
  return kLayout.front();
}

QString initial_text(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::kLink:
      return to_qstring(links::kShownAddress);
    case ControlKind::kNote: {
      // Each line ends in a line break, so the note holds a third, empty line.
      std::string note;
      for (std::string_view part : {kNoteCredit, kLineEnd, kNoteInvitation, links::kShownAddress,
                                    kNoteGap, kNotePhone, kLineEnd})
        note += part;
      return to_qstring(note);
    }
    default:
      return to_qstring(row.text);
  }
}

}  // namespace gongshang
