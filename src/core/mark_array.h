// A pane's comparison marks: one byte per data row (grid row r at index r - 1), with checked
// indexing so a stray index raises the range error instead of corrupting memory.
#pragma once

#include <cstdint>
#include <vector>

#include "core/errors.h"

namespace zolt {

enum : uint8_t {
  MarkName = 1,  // paint the name cell
  MarkSize = 2,  // paint the size cell
  MarkDate = 4,  // paint the date-time cell
  MarkMissing = 255,
};

class MarkArray {
 public:
  int Length() const { return static_cast<int>(marks_.size()); }
  bool Empty() const { return marks_.empty(); }
  // Releases the array, as setting a dynamic array to empty does.
  void Clear() { std::vector<uint8_t>().swap(marks_); }
  // Gives the array n entries, all 0.
  void Reset(int n) {
    if (n < 0) throw RangeError();
    marks_.assign(static_cast<size_t>(n), 0);
  }
  uint8_t At(int i) const {
    if (i < 0 || i >= Length()) throw RangeError();
    return marks_[static_cast<size_t>(i)];
  }
  uint8_t& At(int i) {
    if (i < 0 || i >= Length()) throw RangeError();
    return marks_[static_cast<size_t>(i)];
  }
  const std::vector<uint8_t>& Bytes() const { return marks_; }

 private:
  std::vector<uint8_t> marks_;
};

}  // namespace zolt
