#include "row_batch.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <variant>

#include "csv.h"
#include "list_items.h"
#include "utf8.h"

namespace gongshang::batch {
namespace {

bool two_cores() {
  static const bool answer = std::thread::hardware_concurrency() > 1;
  return answer;
}

// Result texts are ASCII; copying them unit by unit is the common path.
void append_result(std::u16string_view text, std::string& out) {
  const std::size_t at = out.size();
  out.resize(at + text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] >= 0x80) {
      out.resize(at + i);
      append_utf8(text.substr(i), out);
      return;
    }
    out[at + i] = static_cast<char>(text[i]);
  }
}

std::u16string to_utf16(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');
  out.resize(utf8_to_utf16(utf8, out.data()));
  return out;
}

}  // namespace

void RowBatch::add(const CsvRecord& record, std::size_t width, const Columns& columns) {
  const std::size_t count = record.cells.size();
  if (!record.quoted) {
    carried_.append(record.raw);
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      if (i > 0) carried_.push_back(',');
      append_cell(carried_, record.cells[i]);
    }
  }
  if (width > count) carried_.append(width - count, ',');
  carried_ends_.push_back(carried_.size());

  for (std::size_t column : columns) {
    if (column < count) {
      const std::string_view cell = record.cells[column];
      // UTF-16 never needs more units than UTF-8 needs bytes.
      if (texts_.size() - texts_size_ < cell.size()) {
        texts_.resize(std::max(2 * texts_.size(), texts_size_ + cell.size()));
      }
      texts_size_ += utf8_to_utf16(cell, texts_.data() + texts_size_);
    }
    text_ends_.push_back(texts_size_);
  }
}

void RowBatch::compute(std::size_t first, std::size_t last, std::string_view line_end,
                       std::string& out) const {
  for (std::size_t row = first; row < last; ++row) {
    const std::size_t carried_begin = row == 0 ? 0 : carried_ends_[row - 1];
    out.append(carried_, carried_begin, carried_ends_[row] - carried_begin);

    InputTexts inputs;
    for (std::size_t f = 0; f < kInputCount; ++f) {
      const std::size_t i = row * kInputCount + f;
      const std::size_t begin = i == 0 ? 0 : text_ends_[i - 1];
      inputs[f] = std::u16string_view(texts_.data() + begin, text_ends_[i] - begin);
    }
    // A typed grade or nursing level ("5级", " 完全护理 ") is read as its
    // list item first; the engine knows only the items.
    const std::string typed_grade = to_utf8(inputs[index(InputField::工伤等级)]);
    const std::string typed_nursing = to_utf8(inputs[index(InputField::护理级别)]);
    const auto grade = grade_item(typed_grade);
    const auto nursing = nursing_item(typed_nursing);
    char16_t items[2][16];
    Outcome outcome = Refusal{};
    if (!grade) {
      std::get<Refusal>(outcome).message = to_utf16(grade_refusal(typed_grade));
    } else if (!nursing) {
      std::get<Refusal>(outcome).message = to_utf16(nursing_refusal(typed_nursing));
    } else {
      inputs[index(InputField::工伤等级)] = {items[0], utf8_to_utf16(*grade, items[0])};
      inputs[index(InputField::护理级别)] = {items[1], utf8_to_utf16(*nursing, items[1])};
      outcome = calculate(inputs);
    }
    if (const auto* texts = std::get_if<ResultTexts>(&outcome)) {
      for (const std::u16string& text : *texts) {
        out.push_back(',');
        append_result(text, out);
      }
      out.push_back(',');
    } else {
      out.append(kResultCount + 1, ',');
      append_cell(out, to_utf8(std::get<Refusal>(outcome).message));
    }
    out.append(line_end);
  }
}

void RowBatch::write_to(std::string& out, std::string_view line_end) {
  const std::size_t rows = size();
  if (rows == 0) return;
  if (rows < kMinParallelRows || !two_cores()) {
    compute(0, rows, line_end, out);
  } else {
    // Both threads take the next chunk until none is left, so that a core
    // shared with another program slows its thread without holding up the
    // other: fixed halves would wait for the slower one.
    const std::size_t chunks = (rows + kChunkRows - 1) / kChunkRows;
    if (chunk_texts_.size() < chunks) chunk_texts_.resize(chunks);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
      for (std::size_t c; (c = next.fetch_add(1)) < chunks;) {
        chunk_texts_[c].clear();
        compute(c * kChunkRows, std::min(rows, (c + 1) * kChunkRows), line_end, chunk_texts_[c]);
      }
    };
    std::thread helper;
    try {
      helper = std::thread(work);
    } catch (const std::system_error&) {
      // No thread to be had: this one takes every chunk.
    }
    work();
    if (helper.joinable()) helper.join();
    for (std::size_t c = 0; c < chunks; ++c) out.append(chunk_texts_[c]);
  }
  carried_.clear();
  carried_ends_.clear();
  texts_size_ = 0;
  text_ends_.clear();
}

}  // namespace gongshang::batch
