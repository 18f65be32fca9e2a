// The comparison as plainly defined: the six preconditions, then two nested scans starting from
// all-clear marks. The reference that the indexed comparison is checked and timed against.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/cell_table.h"

namespace reference {

struct Pane {
  std::string_view pathText;
  const zolt::CellTable* grid;
  int32_t fileCount;
};

inline void NestedPass(const zolt::CellTable& own, const zolt::CellTable& other,
                       std::vector<uint8_t>& marks) {
  for (int i = 1; i < own.RowCount(); ++i) {
    int j = 1;
    while (j < other.RowCount() && other.Cell(0, j) != own.Cell(0, i)) ++j;
    uint8_t& mark = marks.at(static_cast<size_t>(i - 1));
    if (j == other.RowCount()) {
      mark = 255;
      continue;
    }
    if (own.Cell(1, i) != other.Cell(1, j)) mark = 2;
    if (own.Cell(2, i) != other.Cell(2, j)) mark |= 4;
  }
}

// False when a precondition fails (marks untouched).
inline bool NestedCompare(const Pane& left, const Pane& right, std::vector<uint8_t>& marks1,
                          std::vector<uint8_t>& marks2) {
  auto noFile = [](const zolt::CellTable& g) { return g.RowCount() == 2 && g.Cell(0, 1).empty(); };
  if (left.pathText.empty() || right.pathText.empty()) return false;
  if (noFile(*left.grid) || noFile(*right.grid)) return false;
  if (left.fileCount == 0 || right.fileCount == 0) return false;
  marks1.assign(static_cast<size_t>(left.fileCount), 0);
  marks2.assign(static_cast<size_t>(right.fileCount), 0);
  NestedPass(*left.grid, *right.grid, marks1);
  NestedPass(*right.grid, *left.grid, marks2);
  return true;
}

}  // namespace reference
