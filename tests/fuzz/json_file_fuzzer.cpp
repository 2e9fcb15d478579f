// Feeds arbitrary bytes to the JSON reader and the rules loader and holds them to what users rely
// on: no crash, no unbounded work, every refusal says where (a line and a column from 1), and
// each value's place is where the value starts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "jsonfile/json_file.h"
#include "regions/rules_file.h"

using namespace gongshang;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const jsonfile::Document doc = jsonfile::parse(
      bytes, [](std::string_view key) { return key.starts_with("x") ? "不认识" : ""; });
  if (doc.problem) {
    check(doc.problem->line >= 1 && doc.problem->column >= 1 && !doc.problem->message.empty());
  } else {
    check(!doc.offsets.empty());
    check(doc.offset_of(&doc.root) == doc.offsets.front());
    // Each value's place is the first byte of a value.
    for (std::size_t at : doc.offsets)
      check(at < bytes.size() &&
            std::string_view("{[\"-0123456789tfn").find(bytes[at]) != std::string_view::npos);
  }
  const regions::Loaded loaded = regions::parse_rules(bytes);
  if (const auto* error = std::get_if<regions::LoadError>(&loaded))
    check(error->line >= 1 && error->column >= 1 && !error->message.empty());
  return 0;
}
