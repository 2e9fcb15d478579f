#include "app/claim_guard.h"

#include <cstdlib>
#include <system_error>

#include <QtGlobal>

namespace gongshang::app {

std::string overwrite_problem(const std::filesystem::path& out,
                              const std::vector<NamedFile>& inputs) {
  for (const auto& [input, what] : inputs) {
    std::error_code error;  // a file that does not exist is no other file
    if (!input.empty() && std::filesystem::equivalent(out, input, error)) {
      return out.string() + " 就是" + what + " " + input.string() +
             "，写入会覆盖它：请换一个输出文件名";
    }
  }
  return {};
}

void silence_qt_messages() {
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg) std::abort();
  });
}

}  // namespace gongshang::app
