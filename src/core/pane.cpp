#include "core/pane.h"

namespace zolt {

const char* const kTitles[kPaneColCount] = {"FileName", "Size", "DateTime"};

void WriteTitles(CellTable& grid) {
  for (int col = 0; col < kPaneColCount; ++col) grid.SetCell(col, 0, kTitles[col]);
}

void MakeEmptyPane(CellTable& grid) {
  grid.SetRowCount(2);
  for (int col = 0; col < kPaneColCount; ++col) grid.SetCell(col, 1, {});
}

bool ShowsNoFile(const CellTable& grid) {
  return grid.RowCount() == 2 && grid.Cell(kColName, 1).empty();
}

}  // namespace zolt
