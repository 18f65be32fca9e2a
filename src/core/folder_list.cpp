#include "core/folder_list.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <string_view>

#include "core/errors.h"
#include "core/text.h"

namespace folders {
namespace {

// Repainting stays suspended for the whole rebuild and resumes however it ends.
class RebuildScope {
 public:
  explicit RebuildScope(FolderListView* view) : view_(view) {
    if (view_) view_->RebuildStarted();
  }
  ~RebuildScope() {
    if (view_) view_->RebuildFinished();
  }
  RebuildScope(const RebuildScope&) = delete;
  RebuildScope& operator=(const RebuildScope&) = delete;

 private:
  FolderListView* view_;
};

// Whether s from `at` begins with prefix, character by character: a single-byte character
// ignoring ASCII case, a double-byte one byte for byte (its trail byte is no letter), and a lead
// byte without its trail byte no character at all.
bool BeginsWith(os::Os& os, const std::string& s, std::string::size_type at,
                const std::string& prefix) {
  if (prefix.empty() || s.size() < at || s.size() - at < prefix.size()) return false;
  for (std::string::size_type i = 0; i < prefix.size();) {
    const std::string::size_type n = text::CharLength(os, prefix, i);
    if (n == 1 ? os.IsLeadByte(static_cast<unsigned char>(prefix[i])) ||
                     text::AsciiLower(prefix[i]) != text::AsciiLower(s[at + i])
               : prefix.compare(i, n, s, at + i, n) != 0) {
      return false;
    }
    i += n;
  }
  return true;
}

// The mark in front of each sort key: whether the platform made it.
constexpr char kWeighed = '\0';
constexpr char kUnweighed = '\1';

}  // namespace

int FolderItemHeight(int fontCellHeight) {
  return std::max(fontCellHeight, kFolderGlyphHeight + 1);
}

FolderList::FolderList(os::Os& os) : os_(os), current_(StartingFolder()) {}

std::string FolderList::StartingFolder() {
  std::string path;
  if (os_.ReadCurrentDirectory(path) && !path.empty()) return path;
  // A directory too long to read back must not stop the program at start-up: the list starts
  // at the root of the process's drive, entered, so that both agree again.
  Enter("\\");
  return ProcessDirectory();
}

std::string FolderList::ProcessDirectory() {
  std::string path;
  if (!os_.ReadCurrentDirectory(path) || path.empty()) throw zolt::EInOutError(os_.LastError());
  return path;
}

void FolderList::Enter(const std::string& path) {
  if (!os_.EnterDirectory(path)) throw zolt::EInOutError(os_.LastError());
}

bool FolderList::IsFolder(const std::string& path) {
  if (path.empty()) return false;
  const uint32_t attributes = os_.FileAttributes(path);
  return attributes != os::kInvalidAttributes && (attributes & os::kAttrDirectory);
}

bool FolderList::SameFolder(const std::string& a, const std::string& b) {
  if (caseSensitive_) return os_.CompareText(a, b, false) == os::Order::kEqual;
  return os_.CompareText(text::FoldFileName(os_, a), text::FoldFileName(os_, b), false) ==
         os::Order::kEqual;
}

void FolderList::SetCurrentFolder(const std::string& p) {
  if (p.empty() || SameFolder(p, current_)) return;
  const std::string processBefore = ProcessDirectory();
  const auto [d, r] = Resolve(p, processBefore);
  const std::string before = current_;
  try {
    // Another drive: the platform resolves "X:" to that drive's own current folder.
    if (d != '\0' && !text::SameLetterIgnoringCase(d, current_[0])) {
      Enter(std::string(1, d) + ":");
      current_ = ProcessDirectory();
    }
    // A drive-relative r is taken against the list's own folder, not wherever the process is.
    if (IsFolder(current_)) Enter(current_);
    Enter(r);
    current_ = ProcessDirectory();
  } catch (...) {
    // Nothing half-changed: the list keeps its folder and the process goes back to where it was
    // (a drive switch may already have moved both).
    current_ = before;
    if (IsFolder(processBefore)) os_.EnterDirectory(processBefore);
    throw;
  }
  Rebuild();
  if (OnChange) OnChange();
}

std::pair<char, std::string> FolderList::Resolve(const std::string& p, const std::string& s) {
  char d = s[0];
  std::string r = p;
  std::string q;
  if (r.size() >= 2 && r.front() == '[' && r.back() == ']') {
    r = r.substr(1, r.size() - 2);
  } else {
    q = text::DrivePart(os_, r);
    if (q.empty()) {
      q = text::DrivePart(os_, s);
    } else {
      r.erase(0, q.size());
    }
    d = q.size() >= 2 && q[1] == ':' ? q[0] : '\0';
  }
  try {
    if (IsFolder(q)) Enter(q);
    const std::string f = text::LastComponent(os_, r);
    if (r.size() == f.size() + 1) {
      r = "\\";
    } else if (r.size() > f.size()) {
      r.erase(r.size() - f.size() - 1);
    } else {
      r = ProcessDirectory();
      r.erase(0, text::DrivePart(os_, r).size());
      if (r.empty()) r = "\\";
    }
    if (!r.empty()) Enter(r);
    if (!f.empty() && f.find_first_of("*?") == std::string::npos) {
      const uint32_t attributes = os_.FileAttributes(f);
      const bool plainFile =
          attributes != os::kInvalidAttributes && !(attributes & os::kAttrDirectory);
      if (!plainFile) {
        Enter(f);
        r = text::JoinPath(os_, r, f);  // "\" + f at the root, r + "\" + f below it
      }
    }
    if (d == '\0') r = q + r;
  } catch (...) {
    if (IsFolder(s)) os_.EnterDirectory(s);
    throw;
  }
  if (IsFolder(s)) os_.EnterDirectory(s);
  return {d, r};
}

void FolderList::SetCurrentDrive(char letter) {
  if (!text::IsAsciiLetter(letter) || text::SameLetterIgnoringCase(letter, current_[0])) return;
  SetCurrentFolder(std::string(1, letter) + ":");
}

void FolderList::SetSelected(int index) {
  selected_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
}

int FolderList::Indent(int index) const {
  if (items_[static_cast<size_t>(index)].kind == FolderKind::kSubfolder) {
    return 4 * (currentIndex_ + 1) + 2;
  }
  return 4 * index + 2;
}

std::string FolderList::DisplayText(int index, std::string::size_type bytes) const {
  const std::string& name = items_[static_cast<size_t>(index)].text;
  // The whole name without a walk over its characters when it all fits.
  std::string::size_type end = bytes >= name.size() ? name.size() : 0;
  for (std::string::size_type n;
       end < name.size() && end + (n = text::CharLength(os_, name, end)) <= bytes;) {
    end += n;
  }
  return casePreserving_ ? name.substr(0, end) : os_.LowerCase(name.substr(0, end));
}

int FolderList::FindItem(const std::string& text, int after, bool exact) const {
  const int count = static_cast<int>(items_.size());
  const int from = after >= 0 && after < count ? after + 1 : 0;
  for (int step = 0; step < count && !text.empty(); ++step) {
    const int i = (from + step) % count;
    if (exact) {
      if (os_.CompareText(text, DisplayText(i), true) == os::Order::kEqual) return i;
      continue;
    }
    // No more of the text than "[-" and the beginning asked for.
    const std::string shown = DisplayText(i, text.size() + 2);
    if (BeginsWith(os_, shown, 0, text) ||
        (!shown.empty() && shown[0] == '[' &&
         (BeginsWith(os_, shown, 1, text) ||
          (shown.size() > 1 && shown[1] == '-' && BeginsWith(os_, shown, 2, text))))) {
      return i;
    }
  }
  return -1;
}

std::string FolderList::ItemPath(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) return std::string();
  const std::string drive = text::DrivePart(os_, current_);
  if (index == 0) return drive + "\\";
  const FolderItem& item = items_[static_cast<size_t>(index)];
  if (item.kind == FolderKind::kSubfolder) return text::JoinPath(os_, current_, item.text);
  if (index == currentIndex_) return current_;
  // An ancestor: CurrentFolder up to its (index + 1)-th "\" after the drive part.
  int count = 0;
  for (std::string::size_type at = text::FindFirstBackslash(os_, current_, drive.size());
       at != std::string::npos; at = text::FindFirstBackslash(os_, current_, at + 1)) {
    if (++count == index + 1) return current_.substr(0, at);
  }
  return current_;
}

void FolderList::OpenSelected() {
  SetCurrentFolder(ItemPath(selected_));
}

std::vector<std::string> FolderList::Subfolders() {
  // Each name's sort key, made once: keys order as the locale's comparison does, at a fraction
  // of the cost of comparing two names from scratch at every step of the sort. They lie end to
  // end in one text, so that none of them stays behind as a small block once they are gone.
  std::vector<std::string> names;
  std::string keys;
  std::vector<size_t> keyEnds;
  auto search = os_.FindFiles(text::JoinPath(os_, current_, "*.*"), os::SearchFor::kDirectories);
  os::FindEntry entry;
  std::string made;
  // A folder that cannot be listed, wholly or in part, shows what was found: no failure here.
  while (search->Next(entry)) {
    if (entry.attributes & (os::kAttrHidden | os::kAttrSystem | os::kAttrVolumeLabel)) continue;
    if (!(entry.attributes & os::kAttrDirectory)) continue;
    if (entry.name == "." || entry.name == "..") continue;
    // A name the platform cannot weigh still shows, after the others in the order of its bytes:
    // its key is the name itself behind a mark that no real key has, so that it can neither
    // collide with another name's key nor be taken for a duplicate. Raising instead would leave
    // a folder that can be entered unshowable for one awkward name.
    const bool weighed = os_.SortKey(entry.name, made);
    keys += weighed ? kWeighed : kUnweighed;
    keys += weighed ? made : entry.name;
    keyEnds.push_back(keys.size());
    names.push_back(std::move(entry.name));
  }
  const auto key = [&](size_t i) {
    const size_t from = i ? keyEnds[i - 1] : 0;
    return std::string_view(keys).substr(from, keyEnds[i] - from);
  };
  // Sorted once, whatever order the file system hands them out in. Of names equal but for case
  // the first one found stays: the sort is stable and unique keeps the first of each run.
  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
  order.erase(
      std::unique(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) == key(b); }),
      order.end());
  std::vector<std::string> sorted(order.size());
  std::transform(order.begin(), order.end(), sorted.begin(),
                 [&names](size_t i) { return std::move(names[i]); });
  return sorted;
}

void FolderList::Rebuild() {
  RebuildScope scope(view_);
  std::vector<FolderItem> items;
  const std::string root = text::DrivePart(os_, current_) + "\\";
  uint32_t flags = 0;
  if (os_.VolumeInformation(root, nullptr, &flags)) {
    casePreserving_ = (flags & (os::kCaseSensitiveSearch | os::kCasePreservedNames)) != 0;
    caseSensitive_ = (flags & os::kCaseSensitiveSearch) != 0;
  } else {
    casePreserving_ = true;
    caseSensitive_ = false;
  }
  std::string rest = current_;
  int level = 0;
  if (root.size() >= 2 && root[1] == '\\') {
    items.push_back({root, FolderKind::kRoot});
    rest = current_.size() > root.size() ? current_.substr(root.size()) : std::string();
    level = 1;
  }
  if (!rest.empty()) {
    if (!text::EndsWithBackslash(os_, rest)) {
      for (auto cut = text::FindFirstBackslash(os_, rest); cut != std::string::npos;
           cut = text::FindFirstBackslash(os_, rest)) {
        std::string name = rest.substr(0, cut);
        if (level == 0) name += "\\";
        items.push_back({name, level == 0 ? FolderKind::kRoot : FolderKind::kAncestor});
        rest.erase(0, cut + 1);
        ++level;
      }
    }
    items.push_back({rest, FolderKind::kCurrent});
  }
  const int currentIndex = static_cast<int>(items.size()) - 1;
  std::vector<std::string> names = Subfolders();
  items.reserve(items.size() + names.size());  // no spare room kept for as long as they are shown
  std::transform(names.begin(), names.end(), std::back_inserter(items), [](std::string& name) {
    return FolderItem{std::move(name), FolderKind::kSubfolder};
  });
  items_ = std::move(items);
  currentIndex_ = currentIndex;
  selected_ = view_ ? currentIndex_ : -1;
}

}  // namespace folders
