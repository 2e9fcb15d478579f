// A case file as the window, --pdf and the page open and save it: a text
// its field's control cannot hold is refused with the field and the value,
// the others open in the form the control shows.
#include "casefile/case_file.h"

#include <gtest/gtest.h>

namespace gongshang::casefile {
namespace {

Rules two_regions() {
  Rules rules;
  rules.regions.resize(2);
  rules.regions[0].name = "浙江";
  rules.regions[1].name = "河南";
  return rules;
}

TEST(CaseFile, OpeningNamesTheFieldAndValueOrEmptiesWhatTheFileLeavesOut) {
  const Rules rules = two_regions();
  const struct {
    std::string_view json, problem;
  } refused[] = {
      {R"({"格式": 1, "工伤等级": "十一"})",
       "「工伤等级」只能是一、二、三、四、五、六、七、八、九、十之一或留空：十一"},
      {R"({"格式": 1, "配偶": "2"})", "「配偶」应为 0 至 1 的整数：2"},
      {R"({"格式": 1, "地区": "火星"})",
       "「地区」没有名为“火星”的条目：请填写规则文件中的地区名，或留空：火星"},
      {R"({"格式": 1, " 地区": "浙江"})", "第 1 行第 11 列：案例中有本程序不认识的栏目「 地区」"},
      {R"({"格式": 1, "医疗费": 5})", "「医疗费」的值应是文字（加引号）"},
      {R"({"格式": 4})",
       "这个案例由更新版本的程序保存（格式 4），本程序只能打开格式 1 至 3；请更新程序后再打开"},
      // A name is printed on the report: nothing in it may turn the line.
      {R"({"格式": 3, "姓名": "张\u202E三"})",
       "「姓名」不能含有控制字符或看不见的字符：张\\u202E三"},
  };
  for (const auto& r : refused) {
    const Checked<OpenedCase> opened = open_case(r.json, rules);
    ASSERT_FALSE(opened) << r.json;
    EXPECT_EQ(message(opened.problem()), r.problem);
  }

  // A control shows the engine's form of the text; money and dates open as
  // typed, to be marked at the field.
  const Checked<OpenedCase> opened =
      open_case(R"j({"格式": 3, "地区": " 浙江", "死亡情形": "因工死亡", "工伤等级": "5级",
                    "配偶": " １ ", "本人月均工资": "<img src=x>", "解除原因": "协商一致(用人单位提出)"})j",
                rules);
  ASSERT_TRUE(opened) << message(opened.problem());
  const FieldTexts& t = opened->texts;
  EXPECT_EQ(t[index(Field::kSpouse)], "1");
  EXPECT_EQ(t[index(Field::kRegion)], "浙江");
  // Without 工亡 是 a death text would count for nothing: dropped, and said.
  EXPECT_EQ(t[index(Field::kDeathCase)], "");
  ASSERT_EQ(opened->notices.size(), 1u);
  EXPECT_NE(opened->notices[0].find("「死亡情形」"), std::string::npos);
  EXPECT_EQ(t[index(Field::kGrade)], "五");
  EXPECT_EQ(t[index(Field::kOwnWage)], "<img src=x>");
  EXPECT_EQ(t[index(Field::kNursing)], "");
  EXPECT_EQ(t[index(Field::kEndReason)], "协商一致（用人单位提出）");
}

TEST(CaseFile, SavesTheOldestFormatThatHoldsItsKeys) {
  FieldTexts texts;
  texts[index(Field::kGrade)] = "七";
  const std::string first = write_case(texts);
  EXPECT_TRUE(first.starts_with("{\n  \"格式\": 1,")) << first;
  EXPECT_EQ(first.find("死亡情形"), std::string::npos);
  texts[index(Field::kDeathCase)] = "期满后死亡";
  texts[index(Field::kEndReason)] = "用人单位解除";
  const std::string second = write_case(texts);
  EXPECT_NE(second.find("\"格式\": 2"), std::string::npos);
  EXPECT_EQ(second.find("死亡情形"), std::string::npos);  // without 工亡 是 it counts for nothing
  // A value the older list lacks needs the newer format, as a newer key does.
  texts[index(Field::kEndReason)] = "合同期满终止";
  const std::string third = write_case(texts);
  EXPECT_NE(third.find("\"格式\": 3"), std::string::npos);
  texts[index(Field::kEndReason)] = "本人提出";
  texts[index(Field::kStartDate)] = "2010-01-01";
  EXPECT_NE(write_case(texts).find("\"格式\": 3"), std::string::npos);
  texts[index(Field::kStartDate)] = "";
  texts[index(Field::kDeathCase)] = "";  // not saved without 工亡 是 (above)
  texts[index(Field::kWorkerName)] = " 张三 ";  // kept as typed
  const std::string named = write_case(texts);
  EXPECT_NE(named.find("\"格式\": 3"), std::string::npos);
  const Checked<OpenedCase> again = open_case(named, two_regions());
  ASSERT_TRUE(again);
  EXPECT_EQ(again->texts, texts);
}

TEST(CaseFile, DefaultNamesComeFromWhomTheCaseIsAbout) {
  const struct {
    std::string_view worker, employer;
    SavedFile what;
    std::string_view name;
  } kRows[] = {
      {"", "", SavedFile::kReport, "工伤待遇计算书.pdf"},
      {" 张三 ", "某某/建筑:公司", SavedFile::kCase, "工伤案例-张三-某某建筑公司.json"},
      {"..\u202E", "\x01 a*b? ", SavedFile::kCase, "工伤案例-ab.json"},
      {"", "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十多", SavedFile::kReport,
       "工伤待遇计算书-一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十.pdf"},
  };
  for (const auto& r : kRows) {
    FieldTexts texts;
    texts[index(Field::kWorkerName)] = r.worker;
    texts[index(Field::kEmployerName)] = r.employer;
    EXPECT_EQ(default_file_name(texts, r.what), r.name) << r.worker << r.employer;
  }
}

}  // namespace
}  // namespace gongshang::casefile
