#include "layout.h"

#include <array>

#include <QRect>
#include <QString>

#include "addresses.h"

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
    {u"大图框", K::kPanel, u"", 0, 0, 9612, 7452, 0},
    {u"滚动条", K::kScrollBar, u"", 9720, 120, 372, 1572, 55},

    // The note lies behind every other control on the panel.
    {u"Label57", K::kNote, u"", 1800, 6120, 6972, 612, 54},

    {u"Label49", K::kLabel, u"计算工伤赔偿金额", 840, 0, 8532, 252, 52, F::kTitle},
    {u"Label48", K::kLabel, u"原始数据区", 1320, 360, 3132, 252, 51, F::kHeading},
    {u"Label47", K::kLabel, u"计算结果区", 5520, 360, 3132, 252, 50, F::kHeading},

    // Input column.
    {u"Label35", K::kLabel, u"工伤等级", kInLabelLeft, 840, kLabelWidth, kLabelHeight, 41},
    {u"工伤等级", K::kList, u"", kInFieldLeft, 840 - kListRaise, kFieldWidth, kListHeight, 5},
    {u"Label2", K::kLabel, u"护理级别", kInLabelLeft, 1200, 1092, kLabelHeight, 29},
    {u"护理级别", K::kList, u"", kInFieldLeft, 1200 - kListRaise, kFieldWidth, kListHeight, 4},
    {u"Label3", K::kLabel, u"本人月均工资", kInLabelLeft, 1560, kLabelWidth, kLabelHeight, 30},
    {u"本人月均工资", K::kTextBox, u"", kInFieldLeft, 1560, kFieldWidth, kBoxHeight, 6},
    {u"Label5", K::kLabel, u"统筹月工资", kInLabelLeft, 1920, kLabelWidth, kLabelHeight, 32},
    {u"统筹月工资", K::kTextBox, u"", kInFieldLeft, 1920, kFieldWidth, kBoxHeight, 8},
    {u"Label6", K::kLabel, u"停薪月数", kInLabelLeft, 2280, kLabelWidth, kLabelHeight, 33},
    {u"停薪月数", K::kTextBox, u"", kInFieldLeft, 2280, kFieldWidth, kBoxHeight, 9},
    {u"Label7", K::kLabel, u"住院天数", kInLabelLeft, 2640, kLabelWidth, kLabelHeight, 34},
    {u"住院天数", K::kTextBox, u"", kInFieldLeft, 2640, kFieldWidth, kBoxHeight, 10},
    {u"Label8", K::kLabel, u"住宿天数", kInLabelLeft, 3000, kLabelWidth, kLabelHeight, 35},
    {u"住宿天数", K::kTextBox, u"", kInFieldLeft, 3000, kFieldWidth, kBoxHeight, 11},
    {u"Label9", K::kLabel, u"护理天数", kInLabelLeft, 3360, kLabelWidth, kLabelHeight, 36},
    {u"护理天数", K::kTextBox, u"", kInFieldLeft, 3360, kFieldWidth, kBoxHeight, 12},
    {u"Label4", K::kLabel, u"医疗费", kInLabelLeft, 3720, kLabelWidth, kLabelHeight, 31},
    {u"医疗费", K::kTextBox, u"", kInFieldLeft, 3720, kFieldWidth, kBoxHeight, 7},
    {u"Label38", K::kLabel, u"辅助器具费", kInLabelLeft, 4080, kLabelWidth, kLabelHeight, 44},
    {u"辅助器具费", K::kTextBox, u"", kInFieldLeft, 4080, kFieldWidth, kBoxHeight, 19},
    {u"Label11", K::kLabel, u"交通费", kInLabelLeft, 4440, kLabelWidth, kLabelHeight, 37},
    {u"交通费", K::kTextBox, u"", kInFieldLeft, 4440, kFieldWidth, kBoxHeight, 13},
    {u"Label10", K::kLabel, u"营养费", kInLabelLeft, 4800, kLabelWidth, kLabelHeight, 27},
    {u"营养费", K::kTextBox, u"", kInFieldLeft, 4800, kFieldWidth, kBoxHeight, 2},

    // Result column; the total stands apart, 600 twips below the tenth row.
    {u"Label34", K::kLabel, u"伤残补助金", kOutLabelLeft, 840, kLabelWidth, kLabelHeight, 40},
    {u"伤残补助金", K::kTextBox, u"", kOutFieldLeft, 840, kFieldWidth, kBoxHeight, 16},
    {u"Label36", K::kLabel, u"每月伤残津贴", kOutLabelLeft, 1200, kLabelWidth, kLabelHeight, 42},
    {u"每月伤残津贴", K::kTextBox, u"", kOutFieldLeft, 1200, kFieldWidth, kBoxHeight, 17},
    {u"Label24", K::kLabel, u"停薪工资", kOutLabelLeft, 1560, kLabelWidth, kLabelHeight, 38},
    {u"停薪工资", K::kTextBox, u"", kOutFieldLeft, 1560, kFieldWidth, kBoxHeight, 14},
    {u"Label42", K::kLabel, u"住院伙食补助", kOutLabelLeft, 1920, kLabelWidth, kLabelHeight, 45},
    {u"住院伙食补助", K::kTextBox, u"", kOutFieldLeft, 1920, kFieldWidth, kBoxHeight, 20},
    {u"Label43", K::kLabel, u"住宿费", kOutLabelLeft, 2280, kLabelWidth, kLabelHeight, 46},
    {u"住宿费", K::kTextBox, u"", kOutFieldLeft, 2280, kFieldWidth, kBoxHeight, 21},
    {u"Label37", K::kLabel, u"护理费", kOutLabelLeft, 2640, kLabelWidth, kLabelHeight, 43},
    {u"护理费", K::kTextBox, u"", kOutFieldLeft, 2640, kFieldWidth, kBoxHeight, 18},
    {u"Label45", K::kLabel, u"计算医疗费", kOutLabelLeft, 3000, kLabelWidth, kLabelHeight, 48},
    {u"计算医疗费", K::kTextBox, u"", kOutFieldLeft, 3000, kFieldWidth, kBoxHeight, 23},
    {u"Label1", K::kLabel, u"计算辅助器具费", kOutLabelLeft, 3360, kLabelWidth, kLabelHeight, 28},
    {u"计算辅助器具费", K::kTextBox, u"", kOutFieldLeft, 3360, kFieldWidth, kBoxHeight, 3},
    {u"Label44", K::kLabel, u"计算交通费", kOutLabelLeft, 3720, kLabelWidth, kLabelHeight, 47},
    {u"计算交通费", K::kTextBox, u"", kOutFieldLeft, 3720, kFieldWidth, kBoxHeight, 22},
    {u"Label46", K::kLabel, u"计算营养费", kOutLabelLeft, 4080, kLabelWidth, kLabelHeight, 49},
    {u"计算营养费", K::kTextBox, u"", kOutFieldLeft, 4080, kFieldWidth, kBoxHeight, 24},
    {u"Label33", K::kLabel, u"合计", kOutLabelLeft, 4680, kLabelWidth, kLabelHeight, 39},
    {u"合计", K::kTextBox, u"", kOutFieldLeft, 4680, kFieldWidth, kBoxHeight, 15},

    {u"计算按钮", K::kButton, u"计算", 1080, kButtonTop, kButtonWidth, kButtonHeight, 26},
    {u"清空按钮", K::kButton, u"清空", 4080, kButtonTop, kButtonWidth, kButtonHeight, 25},
    {u"法条依据按钮", K::kButton, u"法条依据", 7080, kButtonTop, kButtonWidth, kButtonHeight, 1},

    // In front of the note: eight full-width characters (8 × 180 twips) in
    // from its left edge and one note line down, over the note's address.
    {u"主页", K::kLink, u"", 1800 + 8 * 180, 6120 + kNoteLinePitch, 1812, 252, 53},
}};

// The note, around the address. The invitation is eight full-width
// characters, which is what puts the address under the link label; the gap
// after the address clears the link label's right edge, which reaches past the
// address itself, so that the telephone label is not hidden behind it.
constexpr std::u16string_view kNoteCredit = u"本软件由工伤赔偿计算器开发组编制，计算结果仅供参考。";
constexpr std::u16string_view kNoteInvitation = u"更多信息请访问：";
constexpr std::u16string_view kNoteGap = u"\u3000\u3000\u3000";
constexpr std::u16string_view kNotePhone = u"电话：010-00000000";

QString text_of(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QRect to_pixels(const ControlRow& row) {
  return {to_pixels(row.left), to_pixels(row.top), to_pixels(row.width), to_pixels(row.height)};
}

std::span<const ControlRow> window_layout() {
  return kLayout;
}

const ControlRow& control_row(std::u16string_view name) {
  for (const ControlRow& row : kLayout) {
    if (row.name == name) return row;
  }
  return kLayout.front();
}

QString initial_text(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::kLink:
      return text_of(超级链接::kShownAddress);
    case ControlKind::kNote:
      // Each line ends in a line break, so the note holds a third, empty line.
      return text_of(kNoteCredit) + u'\n' + text_of(kNoteInvitation) +
             text_of(超级链接::kShownAddress) + text_of(kNoteGap) + text_of(kNotePhone) + u'\n';
    default:
      return text_of(row.text);
  }
}

}  // namespace gongshang
