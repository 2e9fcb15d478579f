// gongshang-batch --claim, in-process, on the shipped rules file.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch.h"
#include "tests/batch/runs.h"

namespace gongshang::batch {
namespace {

const std::filesystem::path kProgram = GONGSHANG_TEST_PROGRAM;

BatchRun run_claim(std::string_view input, std::vector<std::string_view> args = {"--claim"}) {
  return run_batch(input, args, kProgram);
}

// The result columns written out, so that a change of a name or of the order
// shows. "6,000" is 6000 here (10 months of it give 60000.00), not the
// classic reading's 6; a refusal empties all 24 results and is quoted where
// its message holds a comma. 姓名 and 单位, fields of a case file, pass
// through unread: twice, and with what a case file refuses.
TEST(ClaimBatch, WritesTheClaimColumnsBeforeTheError) {
  const std::string header =
      "工伤等级,本人月均工资,统筹月工资,医疗补助金月数或金额,医疗补助金基数,出生日期,原退休年龄,"
      "解除日期,姓名,单位,姓名";
  const std::string row = "八,\"6,000\",6000,10,本人工资,1966-05-15,60,2020-01-01,张\u202E三" +
                          std::string(200, 'x') + ",\"a,b\",李四";
  BatchRun r = run_claim(header + "\n" + row + "\n七,1E400,3600,,,,,,,,\n");
  EXPECT_EQ(r.status, kExitSuccess);
  EXPECT_TRUE(r.out.starts_with(
      header +
      ",伤残补助金,每月伤残津贴,停薪工资,住院伙食补助,住宿费,护理费,计算医疗费,计算辅助器具费,"
      "计算交通费,计算营养费,合计,退休日期,一次性工伤医疗补助金,一次性伤残就业补助金,"
      "伤残津贴补足后,生活护理费,丧葬补助金,供养亲属抚恤金,一次性工亡补助金,经济补偿,赔偿金,"
      "退休后伤残津贴差额,数据状态,说明,错误\n" +
      row + ",66000,0,0,0,0,0,0,0,0,0,66000,2026-10-15,60000.00,,,,,,,,,,使用者填写；"))
      << r.out;
  EXPECT_TRUE(r.out.ends_with("\n七,1E400,3600,,,,,,,," + std::string(25, ',') +
                              "\"「本人月均工资」只能填写数字，如 3500、6,000 或 12000.5"
                              "（千位分隔须三位一组），不带正负号、单位或指数\"\n"))
      << r.out;
}

// A CSV from before 生活护理等级 keeps its amounts: 护理级别 stands for the
// level where a grade is given, said once on standard error. With the
// column, 护理级别 is the nursing during the leave alone.
TEST(ClaimBatch, WithoutTheCareLevelColumnTheNursingLevelStandsForIt) {
  const std::string header = "工伤等级,护理级别,统筹月工资,本人月均工资";
  BatchRun old = run_claim(header + "\n七,部分护理,5000,5000\n");
  EXPECT_NE(old.err.find("表头没有「生活护理等级」列"), std::string::npos) << old.err;
  EXPECT_NE(old.out.find(",,,,1500.00,,,,,,,,生活护理费：终身,"), std::string::npos) << old.out;
  BatchRun now = run_claim(header + ",生活护理等级\n七,部分护理,5000,5000,\n");
  EXPECT_EQ(now.err.find("生活护理等级"), std::string::npos) << now.err;
  EXPECT_EQ(now.out.find("1500.00"), std::string::npos) << now.out;
}

TEST(ClaimBatch, AUsersRulesFileReplacesTheShippedEntryOrStopsTheRun) {
  const std::string file = testing::TempDir() + "claim_batch_test_" + std::to_string(getpid());
  std::ofstream(file) << R"({"regions": [{"name": "浙江", "statute": "自拟", "status": "转载未核对",
    "sources": [], "medical": {"base": "固定金额",
    "by_grade": {"五": 1, "六": 1, "七": 12345.675, "八": 1, "九": 1, "十": 1}}}]})";
  BatchRun r = run_claim(
      "工伤等级,地区,出生日期,原退休年龄,解除日期,本人月均工资,统筹月工资\n"
      "七,浙江,1966-05-15,60,2020-01-01,6000,6000\n",
      {"--claim", "--rules", file});
  EXPECT_EQ(r.status, kExitSuccess) << r.err;
  EXPECT_NE(r.out.find(",2026-10-15,12345.67,,,,,,,,,,转载未核对；用户规则文件；部分金额未知,"),
            std::string::npos)
      << r.out;

  std::ofstream(file) << "{\n\"regions\": [{\"name\": \"浙江\"}]\n}\n";
  r = run_claim("工伤等级\n七\n", {"--claim", "--rules=" + file});
  EXPECT_EQ(r.status, kExitFailure);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "gongshang-batch: 规则文件有误：" + file + " 第 2 行第 13 列：缺少「statute」\n");
  std::filesystem::remove(file);

  using Args = std::vector<std::string_view>;
  for (const Args& args : {Args{"--rules", "x.json"}, Args{"--claim", "--rules"}}) {
    r = run_claim("工伤等级\n七\n", args);
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_NE(r.err.find("「--rules」"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace gongshang::batch
