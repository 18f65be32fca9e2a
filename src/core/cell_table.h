// The cells of a string grid: the grid's texts are both what the user sees and the only store of
// a pane's listing. Texts live in one byte arena addressed by (offset, length) per cell, so filling
// a grid of 100,000 rows makes no heap allocation per cell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zolt {

class CellTable {
  struct Slot;

 public:
  CellTable(int colCount, int rowCount);

  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  // Rows beyond the new count are no longer part of the grid; their texts may be dropped.
  void SetRowCount(int rowCount);
  // Only while no cell is written; raises RangeError otherwise.
  void SetColCount(int colCount);

  // The text of cell (col, row); empty for a cell never written or outside the table.
  std::string_view Cell(int col, int row) const { return Reader(*this).Cell(col, row); }

  // The cells as a scan over many of them reads them: Cell's texts, inline, from a copy of where
  // the table keeps them, which the compiler can hold in registers (it must otherwise assume
  // that each byte the scan writes might change the table). Valid while the table is unchanged.
  class Reader {
   public:
    explicit Reader(const CellTable& table)
        : slots_(table.slots_.data()),
          storedRows_(table.storedRows_),
          arena_(table.arena_.data()),
          colCount_(table.colCount_) {}

    std::string_view Cell(int col, int row) const {
      if (col < 0 || col >= colCount_ || row < 0 || static_cast<size_t>(row) >= storedRows_) {
        return {};
      }
      const Slot& slot = slots_[static_cast<size_t>(row) * colCount_ + col];
      return std::string_view(arena_ + slot.offset, slot.length);
    }

   private:
    const Slot* slots_;
    size_t storedRows_;
    const char* arena_;
    int colCount_;
  };

  // Writes a cell, growing the storage (not the row count) when row is beyond it, so a listing
  // can write its rows first and set the row count last.
  void SetCell(int col, int row, std::string_view text);

  // Bytes held for texts and cell slots, for the memory report.
  size_t MemoryBytes() const;

 private:
  struct Slot {
    uint32_t offset = 0;
    uint32_t length = 0;
  };
  // Gives slots_ exactly rows rows.
  void ResizeSlots(size_t rows);
  void Compact();

  int colCount_;
  int rowCount_;
  std::vector<Slot> slots_;  // row-major, colCount_ per row; may hold more rows than rowCount_
  size_t storedRows_ = 0;    // the rows slots_ holds: the cells of later rows read empty
  std::string arena_;
  size_t liveBytes_ = 0;
};

}  // namespace zolt
