#include "core/drive_list.h"

#include <algorithm>

#include "core/text.h"

namespace folders {
namespace {

// Critical-error prompts off for one question; the previous mode comes back however it ends.
class PromptsOff {
 public:
  explicit PromptsOff(os::Os& os) : os_(os), previous_(os.SetErrorMode(os::kFailCriticalErrors)) {}
  ~PromptsOff() { os_.SetErrorMode(previous_); }
  PromptsOff(const PromptsOff&) = delete;
  PromptsOff& operator=(const PromptsOff&) = delete;

 private:
  os::Os& os_;
  unsigned previous_;
};

}  // namespace

int DriveItemHeight(int fontCellHeight) {
  return std::max(fontCellHeight, kDriveGlyphHeight);
}

int DroppedHeight(int fieldHeight, int itemHeight, int entries, int listBorder) {
  return fieldHeight + entries * itemHeight + 2 * listBorder;
}

DriveList::DriveList(os::Os& os) : os_(os) {
  driveKnown_ = ReadProcessDrive();
}

bool DriveList::ReadProcessDrive() {
  std::string current;
  if (!os_.ReadCurrentDirectory(current) || current.empty()) return false;
  drive_ = current[0] != '\\' ? current[0] : '\0';
  return true;
}

void DriveList::SetCurrentDrive(char v) {
  if (!text::IsAsciiLetter(v)) v = '\0';
  if (selected_ >= 0 && text::SameLetterIgnoringCase(v, drive_)) return;
  if (v == '\0') {
    drive_ = '\0';
    Select(-1);
  } else {
    drive_ = text::AsciiLower(v);
    for (size_t i = 0; i < entries_.size(); ++i) {
      const std::string& t = entries_[i].text;
      if (t.size() >= 2 && t[1] == ':' && text::SameLetterIgnoringCase(t[0], drive_)) {
        Select(static_cast<int>(i));
        break;
      }
    }
  }
  if (OnChange) OnChange();
}

void DriveList::Rebuild() {
  BuildEntries();
  // A directory too long to read back left the drive unknown at construction; the folder list
  // has since entered its drive's root, so the drive reads now.
  if (!driveKnown_) driveKnown_ = ReadProcessDrive();
  SetCurrentDrive(drive_);
}

void DriveList::Pick(int index) {
  selected_ = index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
  if (OnClick) OnClick();
  if (selected_ >= 0) SetCurrentDrive(entries_[static_cast<size_t>(selected_)].text[0]);
  if (OnChange) OnChange();
}

void DriveList::Select(int index) {
  selected_ = index;
  if (view_) view_->SelectionChanged();
}

void DriveList::BuildEntries() {
  entries_.clear();
  selected_ = -1;
  const uint32_t mask = os_.LogicalDrives();
  for (int n = 0; n < 26; ++n) {
    if (!(mask & (1u << n))) continue;
    const char letter = static_cast<char>('a' + n);
    const std::string name(1, letter);
    switch (os_.DriveType(name + ":\\")) {
      case os::kDriveRemovable:
        // The medium is not touched: reading a floppy's label would spin it up or prompt.
        entries_.push_back({name + ":", DriveGlyph::kFloppy});
        break;
      case os::kDriveFixed:
        entries_.push_back({name + ": " + VolumeText(letter), DriveGlyph::kHard});
        break;
      case os::kDriveRemote:
        entries_.push_back({name + ": " + NetworkText(letter), DriveGlyph::kNetwork});
        break;
      case os::kDriveCdRom:
        entries_.push_back({name + ": " + VolumeText(letter), DriveGlyph::kCdRom});
        break;
      case os::kDriveRamDisk:
        entries_.push_back({name + ": " + VolumeText(letter), DriveGlyph::kRam});
        break;
      default:
        break;
    }
  }
  if (view_) view_->EntriesChanged();
}

std::string DriveList::VolumeText(char letter) {
  PromptsOff quiet(os_);
  std::string label;
  if (!os_.VolumeInformation(std::string(1, letter) + ":\\", &label, nullptr)) label.clear();
  return "[" + text::FoldFileName(os_, label) + "]";
}

std::string DriveList::NetworkText(char letter) {
  std::string remote;
  if (os_.NetworkConnection(std::string(1, text::AsciiUpper(letter)) + ":", remote)) {
    return text::FoldFileName(os_, remote);
  }
  return VolumeText(letter);
}

}  // namespace folders
