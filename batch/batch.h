// gongshang-batch: the compensation calculation over every row of a CSV
// file, for payroll and legal staff with many cases at once.
//
// The first row is a header. Columns named exactly like the twelve input
// fields feed the calculation (a missing one counts as the empty text); the
// others are carried through. Each row comes out as read, followed by the
// eleven result columns and 错误, which holds the reason when the engine
// refuses the row (its results then stay empty):
//   工伤等级,本人月均工资,统筹月工资,姓名
//   一,40000,12000,张三
//     -> 工伤等级,本人月均工资,统筹月工资,姓名,伤残补助金,…,合计,错误
//        一,40000,12000,张三,972000,32400,0,0,0,0,0,0,0,0,1004400,
//
// Bad input stops the run with a message naming the line and exit status
// kExitFailure; the rows before it have been written by then.
#ifndef GONGSHANG_BATCH_BATCH_H_
#define GONGSHANG_BATCH_BATCH_H_

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "batch/csv.h"
#include "batch/io.h"
#include "engine/region_rules.h"

namespace gongshang::batch {

inline constexpr int kExitSuccess = 0;  // refused rows included
inline constexpr int kExitFailure = 2;  // bad input, unreadable file, unknown option

inline constexpr std::string_view kProgramName = "gongshang-batch";
inline constexpr std::string_view kErrorColumn = "错误";

// Output is handed to the sink in pieces of about this size, and whenever
// more input has to be waited for.
inline constexpr std::size_t kWriteBlockSize = std::size_t{256} << 10;

// Turns the CSV read from in into the result CSV written to out; a bad input
// gets one line on err. Returns the exit status.
// With claim_rules, the --claim columns too.
int convert(ByteSource& in, ByteSink& out, ByteSink& err, const CsvLimits& limits = {},
            const Rules* claim_rules = nullptr);

// The whole program: args are the command-line arguments after the program
// name ("--help", "-h", "--claim", "--rules FILE", "--", a FILE, "-" for
// standard input). With --claim the shipped rules file is found from
// `program`, empty for this process's own path.
int run(std::span<const std::string_view> args, ByteSource& standard_input, ByteSink& out,
        ByteSink& err, const std::filesystem::path& program = {});

// The same over bytes in memory, for tests and fuzzing.
//   run({}, "医疗费\n5\n", out, err) -> 0, out "医疗费,伤残补助金,…,合计,错误\n5,0,…,5,5,\n"
int run(std::span<const std::string_view> args, std::string_view input, std::string& out,
        std::string& err, const std::filesystem::path& program = {});

// What --help prints.
std::string help_text();

}  // namespace gongshang::batch

#endif  // GONGSHANG_BATCH_BATCH_H_
