// The folder list's state, window-free: `CurrentFolder`, the items (the chain from the root
// down to the current folder, then its subfolders), the selection and the volume's case flags.
// It is bound to the process's current directory: every change of folder enters the folder and
// reads the path back from the platform.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/os.h"

namespace folders {

enum class FolderKind { kRoot, kAncestor, kCurrent, kSubfolder };

struct FolderItem {
  std::string text;  // a bare name; the root's is the drive part and "\" (C:\, \\s\p\)
  FolderKind kind;
};

// What the window does around a rebuild: repainting stays suspended from RebuildStarted until
// RebuildFinished, when the items and the selection are final.
class FolderListView {
 public:
  virtual ~FolderListView() = default;
  virtual void RebuildStarted() = 0;
  virtual void RebuildFinished() = 0;
};

// Smallest item height: the OPENFOLDER glyph's height plus one; otherwise the font's full cell
// height.
constexpr int kFolderGlyphHeight = 15;
int FolderItemHeight(int fontCellHeight);

class FolderList {
 public:
  // CurrentFolder starts as the process's current directory, or, when that cannot be read, as
  // the root of the process's drive, which the process then enters; no items until Rebuild.
  explicit FolderList(os::Os& os);

  const std::string& CurrentFolder() const { return current_; }
  // Moves the list to path p (relative to the list's folder when it has no drive); nothing
  // happens when p is empty or names the current folder. Raises EInOutError when a part cannot
  // be entered, leaving the folder, the items, the selection and the process's current
  // directory as they were.
  void SetCurrentFolder(const std::string& p);

  // The first character of CurrentFolder, as the platform wrote it ("\" in a network folder).
  char CurrentDrive() const { return current_[0]; }
  // Moves to the drive's current folder unless the list is on that drive already. A value that
  // is not an ASCII letter (NUL, or the "\" of a network folder) names no drive to move to and
  // leaves the list where it is, so the browse dialog's exchange of drive values in a network
  // folder settles at once.
  void SetCurrentDrive(char letter);

  const std::vector<FolderItem>& Items() const { return items_; }
  int CurrentIndex() const { return currentIndex_; }
  int Selected() const { return selected_; }  // -1: none
  void SetSelected(int index);                // the user moved the selection
  // Pixels from the item rectangle's left edge to its glyph.
  int Indent(int index) const;
  // The item's text as shown: lower case on a volume that neither keeps nor tells letter case;
  // only its first whole characters that fit in `bytes`, when given.
  std::string DisplayText(int index, std::string::size_type bytes = std::string::npos) const;
  // The searches of the platform's list box over the texts as shown: the first item after `after`
  // (the first item when `after` names none), round past the end, whose text begins with `text`
  // or, exact, equals it; -1 for none. A beginning matches character by character, ignoring the
  // case of ASCII letters only, and "[x" and "[-x" (the platform's marks of a folder and a drive)
  // also begin with x; an exact match follows the locale's case-insensitive comparison. A typed
  // character is a beginning of one character: a keystroke reads only each item's first ones.
  int FindItem(const std::string& text, int after, bool exact) const;
  bool CasePreserving() const { return casePreserving_; }
  bool CaseSensitive() const { return caseSensitive_; }

  // The folder an item stands for; empty beyond the last item.
  std::string ItemPath(int index) const;
  // Moves to the selected item's folder (may raise EInOutError).
  void OpenSelected();

  // Rebuilds the items from CurrentFolder (window creation does this).
  void Rebuild();

  // The window, while it exists: it is told about rebuilds, and only then is the current item
  // selected.
  void SetView(FolderListView* view) { view_ = view; }

  std::function<void()> OnChange;  // after every change of folder, once the items are rebuilt

 private:
  bool SameFolder(const std::string& a, const std::string& b);
  bool IsFolder(const std::string& path);
  void Enter(const std::string& path);
  std::string ProcessDirectory();
  std::string StartingFolder();
  // Splits p into a drive letter (NUL for a network path) and a folder part, checking by entering
  // them that the parts can be entered; the process is back in s afterwards, whatever happens.
  std::pair<char, std::string> Resolve(const std::string& p, const std::string& s);
  std::vector<std::string> Subfolders();

  os::Os& os_;
  std::string current_;
  std::vector<FolderItem> items_;
  int currentIndex_ = -1;
  int selected_ = -1;
  // Until a volume says otherwise: names keep their case and compare without it.
  bool casePreserving_ = true;
  bool caseSensitive_ = false;
  FolderListView* view_ = nullptr;
};

}  // namespace folders
