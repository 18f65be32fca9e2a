#include "core/cell_table.h"

#include "core/errors.h"

namespace zolt {

CellTable::CellTable(int colCount, int rowCount) : colCount_(0), rowCount_(0) {
  SetColCount(colCount);
  SetRowCount(rowCount);
}

void CellTable::SetRowCount(int rowCount) {
  if (rowCount < 0) throw RangeError();
  rowCount_ = rowCount;
  const size_t keep = static_cast<size_t>(rowCount);
  if (storedRows_ > keep) {
    for (size_t i = keep * colCount_; i < slots_.size(); ++i) liveBytes_ -= slots_[i].length;
    ResizeSlots(keep);
    if (arena_.size() > 2 * liveBytes_ + 4096) Compact();
  }
}

void CellTable::SetColCount(int colCount) {
  // Afterwards every row would have to be re-laid, which nothing needs: a form sets the column
  // count before any cell is written.
  if (colCount < 0 || (colCount != colCount_ && !slots_.empty())) throw RangeError();
  colCount_ = colCount;
}

void CellTable::SetCell(int col, int row, std::string_view text) {
  if (col < 0 || col >= colCount_ || row < 0) throw RangeError();
  if (static_cast<size_t>(row) >= storedRows_) ResizeSlots(static_cast<size_t>(row) + 1);
  Slot& slot = slots_[static_cast<size_t>(row) * colCount_ + col];
  liveBytes_ -= slot.length;
  if (text.size() <= slot.length) {
    // Fits where the old text was (a rewrite of the same title, say).
    arena_.replace(slot.offset, text.size(), text.data(), text.size());
  } else {
    if (arena_.size() + text.size() > UINT32_MAX) throw OverflowError();
    slot.offset = static_cast<uint32_t>(arena_.size());
    arena_.append(text.data(), text.size());
  }
  slot.length = static_cast<uint32_t>(text.size());
  liveBytes_ += text.size();
  if (arena_.size() > 2 * liveBytes_ + (1u << 20)) Compact();
}

size_t CellTable::MemoryBytes() const {
  return arena_.capacity() + slots_.capacity() * sizeof(Slot);
}

void CellTable::ResizeSlots(size_t rows) {
  slots_.resize(rows * colCount_);
  storedRows_ = rows;
}

void CellTable::Compact() {
  std::string packed;
  packed.reserve(liveBytes_);
  for (Slot& slot : slots_) {
    const uint32_t offset = static_cast<uint32_t>(packed.size());
    packed.append(arena_, slot.offset, slot.length);
    slot.offset = offset;
  }
  arena_.swap(packed);
}

}  // namespace zolt
