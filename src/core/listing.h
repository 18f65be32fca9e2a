// Pane loading: a folder's plain files listed into a pane grid as name, size text and date-time
// text. These texts are exactly what the comparison and the row matching compare.
#pragma once

#include <cstdint>
#include <string>

#include "core/cell_table.h"
#include "core/date_time_format.h"
#include "core/os.h"
#include "core/pane.h"

namespace listing {

// Lists the files of folderPath (ending in "\") into grid rows 1..n in the order the search
// returns them, skipping directories, hidden, system and volume-label entries; sets the row
// count only once every cell is written (n + 1, or an empty pane); returns n.
// A folder whose search finds nothing at its start, not even the folder (codes 2 and 3), lists
// as empty; a search that fails otherwise, at its start or later, throws EInOutError with its
// code. Throws the date error when a file time cannot be brought to local time. After a throw
// the grid keeps its old row count over the rows written so far.
int32_t ListFolder(os::Os& os, zolt::CellTable& grid, const std::string& folderPath,
                   const DateTimeFormat& format);

// The status bar's text for a pane of count files: " No File", or " <count> Files" (also for 1).
std::string StatusText(int32_t count);

// Loads a pane from the path its path box shows: the listing, then the file count, an all-clear
// mark array of that length and the returned status text. A listing that throws leaves the
// count and the marks as they were (and the caller's status bar untouched).
std::string LoadPane(os::Os& os, zolt::CellTable& grid, const std::string& pathText,
                     const DateTimeFormat& format, const zolt::PaneState& state);

}  // namespace listing
