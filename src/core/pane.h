// A pane grid: 3 columns, the title row, then one row per listed file. An empty pane has exactly
// 2 rows and a blank row 1, so the grid never shows a bare title row.
#pragma once

#include <cstdint>

#include "core/cell_table.h"
#include "core/mark_array.h"

namespace zolt {

enum : int {
  kColName = 0,
  kColSize = 1,
  kColDateTime = 2,
  kPaneColCount = 3,
};

// The title row's texts, column by column.
extern const char* const kTitles[kPaneColCount];

void WriteTitles(CellTable& grid);

// Makes the grid an empty pane: 2 rows, row 1 holding three empty texts.
void MakeEmptyPane(CellTable& grid);

// Whether the grid shows no file: 2 rows and an empty name in row 1.
bool ShowsNoFile(const CellTable& grid);

// What a pane holds beside its grid, kept by the main window: the number of files listed and
// one mark per listed file.
struct PaneState {
  int32_t& fileCount;
  MarkArray& marks;
};

}  // namespace zolt
