#include "core/listing.h"

#include <charconv>
#include <memory>

#include "core/errors.h"
#include "core/file_time.h"
#include "core/pane.h"

namespace listing {
namespace {

// What a search with the read-only plus archive filter (0x21) leaves out.
constexpr uint32_t kSkipped =
    os::kAttrDirectory | os::kAttrHidden | os::kAttrSystem | os::kAttrVolumeLabel;

// The file's last-write time as local time in 2-second steps, with the offset in force now.
zolt::CivilTime LocalStamp(os::Os& os, os::FileTime lastWrite) {
  os::FileTime local;
  // A time with no local form cannot be written truthfully: fail the load visibly instead.
  if (!os.FileTimeToLocal(lastWrite, local)) throw zolt::DateTimeError::Date();
  zolt::CivilTime civil = zolt::ToCivil(local);
  os::DosDateTime packed;
  if (os.FileTimeToDos(local, packed)) {
    const zolt::CivilTime unpacked = zolt::UnpackDos(packed);
    // Wine packs years past 2107 too, wrapped by 128 (2110 as 1982): such a value is no packed
    // form of this time.
    if (unpacked.year == civil.year) return unpacked;
  }
  // Before 1980 or after 2107 there is no packed form: take the same 2-second step from the
  // time itself, so such files list and compare like any other.
  civil.second &= ~1;
  return civil;
}

}  // namespace

int32_t ListFolder(os::Os& os, zolt::CellTable& grid, const std::string& folderPath,
                   const DateTimeFormat& format) {
  int32_t count = 0;
  {
    std::unique_ptr<os::FileSearch> search =
        os.FindFiles(folderPath + "*.*", os::SearchFor::kAnything);
    os::FindEntry entry;
    std::string dateTime;  // one buffer for every row's text
    bool started = false;
    while (search->Next(entry)) {
      started = true;
      if (entry.attributes & kSkipped) continue;
      count = zolt::CheckedAdd(count, 1);
      grid.SetCell(zolt::kColName, count, entry.name);
      char size[24];
      const char* end = std::to_chars(size, size + sizeof size, entry.size).ptr;
      grid.SetCell(zolt::kColSize, count, std::string_view(size, static_cast<size_t>(end - size)));
      dateTime.clear();
      format.AppendText(LocalStamp(os, entry.lastWrite), dateTime);
      grid.SetCell(zolt::kColDateTime, count, dateTime);
    }
    // A search that finds no match or no folder at its start is an empty folder; any other
    // failure would pass a partial or missing listing off as the folder's.
    const uint32_t failure = search->Failure();
    const bool nothingThere =
        !started && (failure == os::kErrorFileNotFound || failure == os::kErrorPathNotFound);
    if (failure != 0 && !nothingThere) throw zolt::EInOutError(failure);
  }  // the search is closed here, before the grid changes shape
  if (count == 0) {
    zolt::MakeEmptyPane(grid);
  } else {
    grid.SetRowCount(zolt::CheckedAdd(count, 1));
  }
  return count;
}

std::string StatusText(int32_t count) {
  if (count == 0) return " No File";
  return " " + std::to_string(count) + " Files";
}

std::string LoadPane(os::Os& os, zolt::CellTable& grid, const std::string& pathText,
                     const DateTimeFormat& format, const zolt::PaneState& state) {
  const int32_t count = ListFolder(os, grid, pathText, format);
  state.fileCount = count;
  state.marks.Clear();
  if (count != 0) state.marks.Reset(count);
  return StatusText(count);
}

}  // namespace listing
