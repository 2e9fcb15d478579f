// A case file as the window, --pdf and the page open and save it: a text
// its field's control cannot hold is refused with the field and the value,
// the others open in the form the control shows.
#include "casefile/case_file.h"

#include <gtest/gtest.h>

#include "tests/claim/case_line.h"

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
  // typed, to be marked at the field. Without 工亡 是 a death text would count
  // for nothing: dropped, and said.
  const Checked<OpenedCase> opened =
      open_case(R"j({"格式": 3, "地区": " 浙江", "死亡情形": "因工死亡", "工伤等级": "5级",
                    "配偶": " １ ", "本人月均工资": "<img/src=x>", "出生日期": "1966-2-30",
                    "解除原因": "协商一致(用人单位提出)"})j",
                rules);
  ASSERT_TRUE(opened) << message(opened.problem());
  EXPECT_EQ(opened->texts, case_line("地区=浙江 工伤等级=五 配偶=1 本人月均工资=<img/src=x> "
                                     "出生日期=1966-2-30 解除原因=协商一致（用人单位提出）"));
  ASSERT_EQ(opened->notices.size(), 1u);
  EXPECT_EQ(opened->notices[0].subject, "工亡");
  EXPECT_NE(opened->notices[0].words.find("「死亡情形」"), std::string::npos);
}

// Saved always with 生活护理等级, empty too: a file without the key is one
// from before it, whose 护理级别 stood for the level assessed.
TEST(CaseFile, SavesTheCareLevelKeySoAnOldCaseIsFilledOnlyOnce) {
  FieldTexts texts = case_line("工伤等级=七 护理级别=部分护理 解除原因=合同期满终止");
  texts[index(Field::kWorkerName)] = " 张三 ";  // kept as typed
  const std::string saved = write_case(texts);
  EXPECT_TRUE(saved.starts_with("{\n  \"格式\": 3,")) << saved;
  EXPECT_NE(saved.find("\"生活护理等级\": \"\""), std::string::npos);
  EXPECT_EQ(saved.find("死亡情形"), std::string::npos);
  const Checked<OpenedCase> again = open_case(saved, two_regions());
  ASSERT_TRUE(again);
  EXPECT_EQ(again->texts, texts);  // 生活护理等级 empty stays so
  EXPECT_TRUE(again->notices.empty());

  const struct {
    std::string_view json, level;
  } old[] = {
      {R"({"格式": 3, "工伤等级": "一", "护理级别": "完全护理"})", "生活完全不能自理"},
      {R"({"格式": 1, "护理级别": "完全护理"})", ""},  // no grade: no 生活护理费 then either
  };
  for (const auto& o : old) {
    const Checked<OpenedCase> opened = open_case(o.json, two_regions());
    ASSERT_TRUE(opened) << o.json;
    EXPECT_EQ(opened->texts[index(Field::kCareLevel)], o.level) << o.json;
    EXPECT_EQ(opened->notices.size(), o.level.empty() ? 0u : 1u) << o.json;
  }
  const Checked<OpenedCase> filled = open_case(old[0].json, two_regions());
  EXPECT_TRUE(message(filled->notices.at(0))
                  .starts_with("「生活护理等级」按护理级别“完全护理”填为“生活完全不能自理”"));
  EXPECT_NE(write_case(filled->texts).find("\"生活护理等级\": \"生活完全不能自理\""),
            std::string::npos);
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
