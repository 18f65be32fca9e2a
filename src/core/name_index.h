// The first row of each name in a pane grid's name column, found in constant time on average, so
// a comparison costs time in proportion to the sum of the two row counts, not their product.
// Names match by exact bytes (no case folding); the empty name is a name like any other.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/cell_table.h"

namespace compare {

class NameIndex {
 public:
  // Indexes rows 1 to RowCount - 1. The grid must not change while the index is in use: the
  // index reads the names back from it.
  explicit NameIndex(const zolt::CellTable& grid);

  // The first row whose name is exactly name, or -1.
  int FirstRow(std::string_view name) const;

  // What places a name's slot; different names may share it.
  static uint32_t Hash(std::string_view name);

 private:
  struct Slot {
    uint32_t hash = 0;
    int32_t row = 0;  // 0: free (row 0 is the title row, never indexed)
  };

  const zolt::CellTable& grid_;
  std::vector<Slot> slots_;  // open addressing, a power of two at least twice the row count
  size_t mask_ = 0;
};

}  // namespace compare
