// What each province decided for the two one-time subsidies when a grade
// 五–十 worker's employment ends, and the national disposable-income table
// for the death lump sum. Data with a source and a stated degree of
// checking: the regions/ loader fills these from data/regions.json, and a
// region the user types is just a Region the caller builds.
#ifndef GONGSHANG_ENGINE_REGION_RULES_H_
#define GONGSHANG_ENGINE_REGION_RULES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gongshang {

// How far a region's figures were checked against their source.
enum class DataStatus : std::uint8_t {
  kStatuteChecked,    // the statute's own text was read
  kGovernmentNotice,  // a government notice was read
  kSecondaryOnly,     // lawyers' articles, Q&A pages, or statute text through a third party
  kNoFigureFound,     // at most the document's name was found: the region has no figure
};
inline constexpr std::size_t kDataStatusCount = 4;

// The status as the user sees it and as data/regions.json spells it.
//   kStatuteChecked -> "条文已核对"   kGovernmentNotice -> "政府文件"
//   kSecondaryOnly -> "转载未核对"    kNoFigureFound -> "未找到数字"
std::string_view status_text(DataStatus status);

// Every status word in order, as a message offering them names them:
//   "条文已核对、政府文件、转载未核对 或 未找到数字"
std::string status_choices();

// What the status means for someone relying on the figures, in one sentence.
//   kSecondaryOnly -> "这些数字来自二手资料，请向当地社保经办机构核实。"
std::string_view status_explanation(DataStatus status);

// The inverse of status_text; nullopt for any other text.
//   "政府文件" -> kGovernmentNotice   "checked" -> nullopt
std::optional<DataStatus> status_from_text(std::string_view text);

// What a subsidy's figures multiply.
enum class SubsidyBase : std::uint8_t {
  kPoolWage,      // 统筹月工资: the pooling area's previous-year average monthly wage
  kProvinceWage,  // 全省月工资: the province's
  kOwnWage,       // 本人工资: the classic base wage, held 60–300 %
  kFixed,         // none: the figures are amounts in yuan
};
inline constexpr std::size_t kSubsidyBaseCount = 4;

// kPoolWage -> "统筹月工资"  kProvinceWage -> "全省月工资"  kOwnWage -> "本人工资"
// kFixed -> "固定金额"; status_from_text's counterpart below.
std::string_view base_text(SubsidyBase base);
std::optional<SubsidyBase> base_from_text(std::string_view text);

// Grades the subsidies exist for: 五 (index 0) to 十 (index 5).
inline constexpr int kFirstSubsidyGrade = 5;  // classic grade number of 五
inline constexpr std::size_t kSubsidyGradeCount = 6;
// Whole years left before retirement below which most regions cut a
// subsidy; a scale marked unknown covers these unless it says otherwise.
inline constexpr int kFullSubsidyYears = 5;

// Figures per grade, 五..十; nullopt where the figure is unknown.
using ByGrade = std::array<std::optional<double>, kSubsidyGradeCount>;

// Which endings of the employment a near-retirement cut applies to.
enum class CutScope : std::uint8_t {
  kAll,         // 全部: however the employment ended
  kOwnRequest,  // 本人提出: only when the worker asked to end it (not under
                // 劳动合同法第三十八条, not when the employer ended it)
};
// kAll -> "全部"  kOwnRequest -> "本人提出"; scope_from_text's counterpart.
std::string_view scope_text(CutScope scope);
std::optional<CutScope> scope_from_text(std::string_view text);

// A subsidy's cut near retirement.
struct NearRetirementCut {
  // Percent paid with 0, 1, 2, … whole years left; with as many years as
  // the scale has entries or more, in full. Empty when `unknown`.
  std::vector<double> percent;
  // The region cuts, but its scale is not known: within `unknown_years`
  // whole years the amount is unknown, never paid in full by default.
  bool unknown = false;
  int unknown_years = kFullSubsidyYears;
  CutScope scope = CutScope::kAll;

  // Whole years left below which the cut can apply.
  //   {10, 20, 40, 60, 80} -> 5   unknown, unknown_years 5 -> 5
  int years() const { return unknown ? unknown_years : static_cast<int>(percent.size()); }
};

// Months that follow the years of life a worker has left rather than a
// table: coefficient × (life expectancy − age at the end of the employment,
// a part year counting as a whole one), at least the minimum (福建).
struct LifeExpectancyRule {
  ByGrade months_per_year{};
  ByGrade minimum_months{};
  // The life expectancy, overall and, where the source splits it, by sex;
  // with the split, men's is taken for 原退休年龄 60, women's for 55 and 50.
  std::optional<double> all, men, women;
  int year = 0;        // the year the figure describes: 2020
  std::string source;  // "闽人社办〔2022〕63号"
};

// One subsidy of one region.
struct SubsidyRule {
  SubsidyBase base = SubsidyBase::kPoolWage;
  // Months of the base, or yuan for kFixed, for 五..十; nullopt where the
  // figure is unknown (the subsidy is then shown as unknown for that grade).
  // Unused when `life_expectancy` gives the months.
  ByGrade by_grade{};
  // Occupational disease: the amount is multiplied by 1 + this (0.3 for 30 %).
  double disease_uplift = 0;
  // nullopt: paid in full until the retirement date.
  std::optional<NearRetirementCut> near_retirement;
  std::optional<LifeExpectancyRule> life_expectancy;
};

// A region's rule that the one-time subsidies end the work-injury insurance
// relation: the fund then pays no monthly item after the employment ended.
struct RelationEnd {
  std::string article;  // "第二十七条第二款"
  std::string text;  // the statute's words: "领取一次性工伤医疗补助金和伤残就业补助金的……"
};

struct Region {
  std::string name;       // "浙江"
  std::string statute;    // "《浙江省工伤保险条例》"
  std::string articles;   // "第二十七条"
  std::string effective;  // the version relied on, as the source gives it: "2020-09-24"
  DataStatus status = DataStatus::kSecondaryOnly;
  std::vector<std::string> sources;
  std::optional<SubsidyRule> medical;     // 一次性工伤医疗补助金
  std::optional<SubsidyRule> employment;  // 一次性伤残就业补助金
  std::optional<RelationEnd> relation_end;
  std::string notes;       // what the figures leave out or where sources disagree
  bool user_file = false;  // from a user's --rules file, not the shipped one
};

// The national urban per-capita disposable income of one year (NBS).
struct IncomeYear {
  int year = 0;
  double yuan = 0;
  bool confirmed = false;  // false: seen in a second-hand summary only
  std::string source;
  bool user_file = false;  // from a user's --rules file, not the shipped one
};

struct Rules {
  std::vector<Region> regions;
  std::vector<IncomeYear> income;
  // When the shipped figures were collected, "2026-12-06"; a user's file
  // does not change it (its figures are marked as the user's instead).
  std::string collected;

  // The region of exactly that name, or nullptr.
  //   "浙江" -> the 浙江 entry   "浙江省" -> nullptr   "" -> nullptr
  const Region* find(std::string_view name) const;

  // The income figure of a data year, or nullptr (a year is never guessed).
  //   2024 -> {2024, 54188, true, ...}   2030 -> nullptr
  const IncomeYear* income_of(int year) const;
};

// What the chosen region's figures are worth, in the words shown beside the
// region list, the window's and the page's:
//   浙江 -> "条文已核对：这些数字……"   nullptr -> "没有选择地区：……"
//   a user's file -> "用户规则文件，自称转载未核对：这些数字不是随程序发布的核对结果……"
std::string region_status_words(const Region* region);

}  // namespace gongshang

#endif  // GONGSHANG_ENGINE_REGION_RULES_H_
