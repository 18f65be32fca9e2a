// The drive list's state, window-free: its entries (one per listed drive, in drive-letter
// order), the selected entry and `CurrentDrive`. The window only mirrors what this says.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/os.h"

namespace folders {

enum class DriveGlyph { kFloppy, kHard, kNetwork, kCdRom, kRam };

struct DriveEntry {
  std::string text;  // "c: [system]", "a:", "z: \\server\public"
  DriveGlyph glyph;
};

// What the window does when the state changes; the state calls it before firing OnChange, so a
// handler always sees the window in step.
class DriveListView {
 public:
  virtual ~DriveListView() = default;
  virtual void EntriesChanged() = 0;    // all entries replaced, none selected
  virtual void SelectionChanged() = 0;  // Selected() moved
};

// Smallest item height: the height of the FLOPPY glyph; otherwise the font's full cell height.
constexpr int kDriveGlyphHeight = 11;
int DriveItemHeight(int fontCellHeight);

// A drop-down combo box takes the height of its list from its window's height beyond the field:
// the window height whose list shows `entries` whole entries inside its border.
int DroppedHeight(int fieldHeight, int itemHeight, int entries, int listBorder);

class DriveList {
 public:
  // CurrentDrive starts as the first character of the process's current directory, or NUL when
  // it runs in a network folder or the directory cannot be read (it is then read again at the
  // first Rebuild). No entries until Rebuild.
  explicit DriveList(os::Os& os);

  const std::vector<DriveEntry>& Entries() const { return entries_; }
  int Selected() const { return selected_; }  // -1: none
  char CurrentDrive() const { return drive_; }

  // Applies a drive: fires OnChange unless an entry is selected and v is its letter already.
  // A value that is not an ASCII letter names no drive and is applied as NUL: it stores NUL and
  // clears the selection. (A process started in a network folder makes the folder list report
  // "\" as its drive; the browse dialog hands that back here, and the two lists then agree on
  // "no drive" and stay in the network folder.)
  void SetCurrentDrive(char v);

  // Window (re)creation: rebuilds the entries and applies the remembered drive.
  void Rebuild();

  // The user moved the selection to index (-1: none), as the platform reports it.
  void Pick(int index);

  void SetView(DriveListView* view) { view_ = view; }

  std::function<void()> OnClick;   // the control's click notification, first on every pick
  std::function<void()> OnChange;  // every application of a drive, and once more per pick

 private:
  void BuildEntries();
  std::string VolumeText(char letter);
  std::string NetworkText(char letter);
  void Select(int index);
  // The process's drive into drive_; false when its current directory cannot be read.
  bool ReadProcessDrive();

  os::Os& os_;
  std::vector<DriveEntry> entries_;
  int selected_ = -1;
  char drive_ = '\0';
  bool driveKnown_ = false;
  DriveListView* view_ = nullptr;
};

}  // namespace folders
