#include "core/name_index.h"

#include <functional>

#include "core/pane.h"

namespace compare {

uint32_t NameIndex::Hash(std::string_view name) {
  return static_cast<uint32_t>(std::hash<std::string_view>()(name));
}

NameIndex::NameIndex(const zolt::CellTable& grid) : grid_(grid) {
  const size_t rows = grid.RowCount() > 1 ? static_cast<size_t>(grid.RowCount() - 1) : 0;
  size_t size = 2;
  while (size < 2 * rows) size *= 2;
  slots_.resize(size);
  mask_ = size - 1;
  for (int32_t row = 1; row < grid.RowCount(); ++row) {
    const std::string_view name = grid.Cell(zolt::kColName, row);
    const uint32_t hash = Hash(name);
    size_t at = hash & mask_;
    while (slots_[at].row != 0) {
      // A later row of a name already held is never the first: keep the earlier one.
      if (slots_[at].hash == hash && grid.Cell(zolt::kColName, slots_[at].row) == name) break;
      at = (at + 1) & mask_;
    }
    if (slots_[at].row == 0) slots_[at] = {hash, row};
  }
}

int NameIndex::FirstRow(std::string_view name) const {
  const uint32_t hash = Hash(name);
  for (size_t at = hash & mask_; slots_[at].row != 0; at = (at + 1) & mask_) {
    if (slots_[at].hash == hash && grid_.Cell(zolt::kColName, slots_[at].row) == name) {
      return slots_[at].row;
    }
  }
  return -1;
}

}  // namespace compare
