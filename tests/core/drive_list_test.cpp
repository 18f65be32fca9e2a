#include "core/drive_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/folder_list.h"
#include "support/fake_os.h"

namespace folders {
bool operator==(const DriveEntry& a, const DriveEntry& b) {
  return a.text == b.text && a.glyph == b.glyph;
}
}  // namespace folders

namespace {

using folders::DriveEntry;
using folders::DriveGlyph;
using folders::DriveList;

// The machine of the example: floppy A, fixed C labelled SYSTEM, CD-ROM D without a disc,
// network Z mapped to \\SERVER\PUBLIC; E (unknown type) and F (no root) get no entry.
struct ExampleMachine : fake::Machine {
  ExampleMachine() {
    AddDrive('a', os::kDriveRemovable, "FLOPPYLABEL");
    AddDrive('d', os::kDriveCdRom, "DISC").hasMedium = false;
    AddDrive('e', os::kDriveUnknown, "UNKNOWN");
    AddDrive('f', os::kDriveNoRootDir, "NOROOT");
    AddDrive('z', os::kDriveRemote, "SHARE").remote = "\\\\SERVER\\PUBLIC";
  }
};

// Attached to a list, records what the window would be told, and checks at every OnChange that it
// is in step.
struct RecordingView : folders::DriveListView {
  explicit RecordingView(DriveList& list) : list(list) { list.SetView(this); }
  void EntriesChanged() override {
    ++entriesChanged;
    shownSelection = -1;
  }
  void SelectionChanged() override { shownSelection = list.Selected(); }
  const DriveList& list;
  int entriesChanged = 0, shownSelection = -1;
};

TEST(DriveList, ExampleMachineGivesItsFourEntriesWithoutTouchingTheFloppy) {
  ExampleMachine m;
  m.SetErrorMode(0x8000);
  DriveList list(m);
  list.Rebuild();
  const std::vector<DriveEntry> expected = {{"a:", DriveGlyph::kFloppy},
                                            {"c: [system]", DriveGlyph::kHard},
                                            {"d: []", DriveGlyph::kCdRom},
                                            {"z: \\\\server\\public", DriveGlyph::kNetwork}};
  EXPECT_EQ(list.Entries(), expected);
  for (const std::string& root : m.volumeQueries) EXPECT_NE(root[0], 'a') << root;
  EXPECT_EQ(m.volumeQueries, (std::vector<std::string>{"c:\\", "d:\\"}));
  EXPECT_EQ(m.networkQueries, std::vector<std::string>{"Z:"});
  for (unsigned mode : m.errorModeAtVolumeQuery) EXPECT_EQ(mode, os::kFailCriticalErrors);
  EXPECT_EQ(m.ErrorMode(), 0x8000u);
}

TEST(DriveList, VolumeAndNetworkTexts) {
  const struct {
    const char* name;
    unsigned type;
    const char* label;
    const char* remote;
    bool doubleByte, volumeFails;
    const char* text;
    DriveGlyph glyph;
  } cases[] = {
      {"fixed without label", os::kDriveFixed, "", "", false, false, "g: []", DriveGlyph::kHard},
      {"ram disk", os::kDriveRamDisk, "RamD", "", false, false, "g: [ramd]", DriveGlyph::kRam},
      {"cd with disc", os::kDriveCdRom, "Music CD", "", false, false, "g: [music cd]",
       DriveGlyph::kCdRom},
      {"label that cannot be read", os::kDriveFixed, "DATA", "", false, true, "g: []",
       DriveGlyph::kHard},
      {"locale folding on a single-byte system", os::kDriveFixed, "\xC9T\xC9", "", false, false,
       "g: [\xE9t\xE9]", DriveGlyph::kHard},
      // Full-width A (0x82 0x60) and a character whose trail byte is "X" keep their bytes.
      {"ASCII folding on a double-byte system", os::kDriveFixed,
       "\x82\x60"
       "AB\xE0X",
       "", true, false,
       "g: [\x82\x60"
       "ab\xE0X]",
       DriveGlyph::kHard},
      {"network name, no brackets", os::kDriveRemote, "VOL", "\\\\Host\\Docs", false, false,
       "g: \\\\host\\docs", DriveGlyph::kNetwork},
      {"network drive not connected falls back to its label", os::kDriveRemote, "VOL", "", false,
       false, "g: [vol]", DriveGlyph::kNetwork},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake::Machine m;
    m.SetDoubleByte(c.doubleByte);
    m.AddDrive('g', c.type, c.label).remote = c.remote;
    if (c.volumeFails) m.Fail(fake::Service::kVolumeInformation, os::kErrorAccessDenied);
    DriveList list(m);
    list.Rebuild();
    ASSERT_EQ(list.Entries().size(), 2u);
    EXPECT_EQ(list.Entries()[1], (DriveEntry{c.text, c.glyph}));
    EXPECT_EQ(m.ErrorMode(), 0u);
  }
}

// Folding the label throws: the error mode must come back all the same.
class ThrowingFold : public fake::Machine {
 public:
  std::string LowerCase(const std::string& text) override {
    if (ErrorMode() == os::kFailCriticalErrors) throw std::runtime_error("fold");
    return fake::Machine::LowerCase(text);
  }
};

TEST(DriveList, ErrorModeIsRestoredWhenTheLabelStepThrows) {
  ThrowingFold m;
  m.SetErrorMode(0x8000);
  DriveList list(m);
  EXPECT_THROW(list.Rebuild(), std::runtime_error);
  EXPECT_EQ(m.ErrorMode(), 0x8000u);
}

TEST(DriveList, StartsFromTheProcessDirectory) {
  const struct {
    const char* current;
    bool readable;  // false: too long to read back at construction, read at the first rebuild
    char before, after;
    int selected;
  } cases[] = {
      {"C:\\", true, 'C', 'c', 1},
      {"D:\\X", true, 'D', 'd', 2},
      {"\\\\S\\P\\A", true, '\0', '\0', -1},
      {"D:\\X", false, '\0', 'd', 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.current);
    fake::Machine m;
    m.AddDrive('a', os::kDriveRemovable);
    m.AddDrive('d', os::kDriveFixed);
    m.AddFolder("D:\\X");
    m.AddShare("\\\\S\\P");
    m.AddFolder("\\\\S\\P\\A");
    m.SetCurrent(c.current);
    if (!c.readable) m.Fail(fake::Service::kReadCurrentDirectory, 206, 1);
    DriveList list(m);
    EXPECT_EQ(list.CurrentDrive(), c.before);
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.Rebuild();  // window creation: nothing is selected yet, so the drive is applied in full
    EXPECT_EQ(list.CurrentDrive(), c.after);
    EXPECT_EQ(list.Selected(), c.selected);
    EXPECT_EQ(changes, 1);
    list.Rebuild();  // window re-creation applies it again
    EXPECT_EQ(list.Selected(), c.selected);
    EXPECT_EQ(changes, 2);
  }
}

TEST(DriveList, ApplyingADrive) {
  ExampleMachine m;
  DriveList list(m);
  RecordingView view(list);
  int changes = 0;
  list.OnChange = [&] {
    ++changes;
    EXPECT_EQ(view.shownSelection, list.Selected());
  };
  list.Rebuild();
  ASSERT_EQ(changes, 1);
  EXPECT_EQ(view.entriesChanged, 1);
  // Each row runs on the state the rows before it left.
  const struct {
    char write, stored;
    int selected;
    bool fires;
  } steps[] = {
      {'c', 'c', 1, false},
      {'C', 'c', 1, false},
      {'D', 'd', 2, true},
      {'d', 'd', 2, false},
      {'\0', '\0', -1, true},
      {'\0', '\0', -1, true},  // no entry selected: applied again
      {'q', 'q', -1, true},    // no entry for q: stored, selection stays
      {'Z', 'z', 3, true},
      {'q', 'q', 3, true},
      {'A', 'a', 0, true},
      {'\\', '\0', -1, true},  // a network folder's drive value means no drive
      {'1', '\0', -1, true},
      {'c', 'c', 1, true},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(std::string("write ") + (s.write ? std::string(1, s.write) : "NUL"));
    const int before = changes;
    list.SetCurrentDrive(s.write);
    EXPECT_EQ(list.CurrentDrive(), s.stored);
    EXPECT_EQ(list.Selected(), s.selected);
    EXPECT_EQ(view.shownSelection, s.selected);
    EXPECT_EQ(changes - before, s.fires ? 1 : 0);
  }
}

TEST(DriveList, APickFiresTwiceWithTheNewDriveAlreadyStored) {
  const struct {
    const char* name;
    int pick;
    std::vector<std::string> events;
  } cases[] = {
      {"another drive", 3, {"click", "change z 3", "change z 3"}},
      {"the same drive", 1, {"click", "change c 1"}},
      {"nothing", -1, {"click", "change c -1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExampleMachine m;
    DriveList list(m);
    list.Rebuild();
    std::vector<std::string> events;
    list.OnClick = [&] { events.push_back("click"); };
    list.OnChange = [&] {
      events.push_back(std::string("change ") + list.CurrentDrive() + " " +
                       std::to_string(list.Selected()));
    };
    list.Pick(c.pick);
    EXPECT_EQ(events, c.events);
  }
}

TEST(DriveList, ItemHeightIsTheFontCellWithTheGlyphAsMinimum) {
  const struct {
    int cell, drive, folder;
  } cases[] = {{0, 11, 16},  {8, 11, 16},  {11, 11, 16}, {15, 15, 16},
               {16, 16, 16}, {17, 17, 17}, {24, 24, 24}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    EXPECT_EQ(folders::DriveItemHeight(c.cell), c.drive);
    EXPECT_EQ(folders::FolderItemHeight(c.cell), c.folder);
  }
}

// The list below the field is the window's height beyond the field, less its border above and
// below: it shows whole entries only, as many as asked.
TEST(DriveList, DroppedListShowsTheEntriesAskedWhole) {
  for (int field = 0; field <= 30; field += 5) {
    for (int item = 1; item <= 24; ++item) {
      for (int entries = 0; entries <= 10; ++entries) {
        for (int border = 0; border <= 2; ++border) {
          const int list =
              folders::DroppedHeight(field, item, entries, border) - field - 2 * border;
          ASSERT_EQ(list % item, 0) << field << " " << item << " " << entries << " " << border;
          ASSERT_EQ(list / item, entries)
              << field << " " << item << " " << entries << " " << border;
        }
      }
    }
  }
}

}  // namespace
