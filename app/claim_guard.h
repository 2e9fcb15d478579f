// Guards of gongshang-claim's --pdf run, kept apart from main so that they
// read (and move) as one piece: the report never lands on an input, and
// only the program's own messages reach standard error.
#ifndef GONGSHANG_APP_CLAIM_GUARD_H_
#define GONGSHANG_APP_CLAIM_GUARD_H_

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace gongshang::app {

// An input file and what it is to the user ("案例文件", "规则文件").
using NamedFile = std::pair<std::filesystem::path, std::string>;

// Why `out` may not be written: it is the same file as one of `inputs`
// (the same device and inode, whatever the names or links); "" otherwise.
//   ("c.json", {{"c.json", "案例文件"}}) -> "c.json 就是案例文件，写入会覆盖它……"
//   ("new.pdf", {{"c.json", "案例文件"}}) -> ""
std::string overwrite_problem(const std::filesystem::path& out,
                              const std::vector<NamedFile>& inputs);

// Drops Qt's own diagnostics (in English, such as "QStandardPaths:
// XDG_RUNTIME_DIR not set"); a fatal one still ends the program.
void silence_qt_messages();

}  // namespace gongshang::app

#endif  // GONGSHANG_APP_CLAIM_GUARD_H_
