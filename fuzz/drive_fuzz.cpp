// The drive list over an arbitrary fake drive table (any letters and types, labels and network
// names of any bytes, missing media, unconnected network drives, failing services), rebuilt and
// then driven by arbitrary drive writes and user picks. A small model of the drive list's rules
// says what each step must give: the entries and their texts, the questions asked of the machine
// and in which error mode, the stored drive, the selection and every OnChange.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/drive_list.h"
#include "core/text.h"
#include "fuzz_input.h"
#include "support/fake_os.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// A text as the platform hands it back: up to its terminating NUL.
std::string UpToNul(const std::string& s) {
  return s.substr(0, s.find('\0'));
}

// One drive of the table, as the fuzzer made it.
struct Made {
  bool present = false;
  unsigned type = os::kDriveUnknown;
  std::string label;
  bool medium = true;
  std::string remote;  // empty: not connected
};

// Calls of one service that fail: `count` of them (all, when count < 0) after `after` succeed.
struct Outage {
  int after = 0;
  int count = 0;
  int calls = 0;
  bool NextFails() {
    const int k = calls++;
    return count != 0 && k >= after && (count < 0 || k < after + count);
  }
};

struct Model {
  fake::Machine& machine;
  Made drives[26];
  Outage logical, volume, network;
  std::vector<std::string> volumeRoots, networkNames;  // every question, in order

  // File-name case folding: on a double-byte system only ASCII letters, never either byte of a
  // double-byte character; otherwise the platform's own lower case.
  std::string Fold(const std::string& s) {
    if (!machine.DoubleByteSystem()) return machine.LowerCase(s);
    std::string out = s;
    for (size_t i = 0; i < out.size(); ++i) {
      if (machine.IsLeadByte(static_cast<unsigned char>(out[i]))) {
        ++i;
      } else {
        out[i] = text::AsciiLower(out[i]);
      }
    }
    return out;
  }
  std::string VolumeText(int n) {
    volumeRoots.push_back(std::string(1, static_cast<char>('a' + n)) + ":\\");
    const bool ok = !volume.NextFails() && drives[n].medium;
    return "[" + Fold(ok ? drives[n].label : "") + "]";
  }
  std::string NetworkText(int n) {
    networkNames.push_back(std::string(1, static_cast<char>('A' + n)) + ":");
    if (!network.NextFails() && !drives[n].remote.empty()) return Fold(drives[n].remote);
    return VolumeText(n);
  }
  std::vector<folders::DriveEntry> Entries() {
    using folders::DriveGlyph;
    std::vector<folders::DriveEntry> out;
    if (logical.NextFails()) return out;
    for (int n = 0; n < 26; ++n) {
      if (!drives[n].present) continue;
      const std::string letter(1, static_cast<char>('a' + n));
      switch (drives[n].type) {
        case os::kDriveRemovable:
          out.push_back({letter + ":", DriveGlyph::kFloppy});
          break;
        case os::kDriveFixed:
          out.push_back({letter + ": " + VolumeText(n), DriveGlyph::kHard});
          break;
        case os::kDriveRemote:
          out.push_back({letter + ": " + NetworkText(n), DriveGlyph::kNetwork});
          break;
        case os::kDriveCdRom:
          out.push_back({letter + ": " + VolumeText(n), DriveGlyph::kCdRom});
          break;
        case os::kDriveRamDisk:
          out.push_back({letter + ": " + VolumeText(n), DriveGlyph::kRam});
          break;
        default:
          break;
      }
    }
    return out;
  }
};

// Draws drive n from the input and puts it into the machine and the model alike.
void MakeDrive(fuzz::Input& in, fake::Machine& machine, Model& model, int n) {
  Made& d = model.drives[n];
  d.present = true;
  d.type = in.Byte() % 9;  // 7 and 8 are types the list does not know
  d.label = UpToNul(in.Text(40));
  const uint8_t flags = in.Byte();
  d.medium = !(flags & 1);
  d.remote = flags & 2 ? UpToNul(in.Text(40)) : std::string();
  fake::Drive& drive = machine.AddDrive(static_cast<char>('a' + n), d.type, d.label);
  drive.hasMedium = d.medium;
  drive.remote = d.remote;
}

void MakeOutage(fuzz::Input& in, fake::Machine& machine, fake::Service service, Outage& outage) {
  const uint8_t b = in.Byte();
  if (!(b & 1)) return;
  outage.after = (b >> 1) & 7;
  outage.count = (b >> 4) & 3 ? (b >> 4) & 3 : -1;
  machine.Fail(service, 21, outage.count, outage.after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  fake::Machine machine;
  machine.SetDoubleByte(in.Byte() & 1);
  Model model{machine, {}, {}, {}, {}, {}, {}};
  model.drives[2] = Made{true, os::kDriveFixed, "SYSTEM", true, ""};  // the machine's own C:
  uint32_t letters = 0;
  for (int i = 0; i < 4; ++i) letters = letters << 8 | in.Byte();
  for (int n = 0; n < 26; ++n) {
    if (letters & (1u << n)) MakeDrive(in, machine, model, n);
  }
  const uint8_t where = in.Byte();
  if (where % 3 == 1) {
    machine.AddShare("\\\\S\\P");
    machine.SetCurrent("\\\\S\\P\\");
  } else if (where % 3 == 2) {
    machine.SetCurrent(std::string(1, static_cast<char>('A' + (where >> 2) % 26)) + ":\\");
  }
  Outage current;
  MakeOutage(in, machine, fake::Service::kReadCurrentDirectory, current);
  MakeOutage(in, machine, fake::Service::kLogicalDrives, model.logical);
  MakeOutage(in, machine, fake::Service::kVolumeInformation, model.volume);
  MakeOutage(in, machine, fake::Service::kNetworkConnection, model.network);
  machine.SetErrorMode(in.Byte() | in.Byte() << 8);

  const std::string cwd = machine.Current();
  bool known = !current.NextFails();
  char stored = !known || cwd[0] == '\\' ? '\0' : cwd[0];
  folders::DriveList list(machine);
  if (list.CurrentDrive() != stored) Fail("the first drive is not the current directory's");
  std::vector<folders::DriveEntry> entries;
  int selected = -1;
  std::string events;  // k: click, c: OnChange
  list.OnClick = [&] { events += 'k'; };
  list.OnChange = [&] {
    events += 'c';
    // A handler sees the drive already stored and its entry already selected.
    if (list.CurrentDrive() != stored) Fail("OnChange before the drive was stored");
    if (list.Selected() != selected) Fail("OnChange before its entry was selected");
  };
  // The entry a write of letter v selects: the first of that letter, or the selection as it was.
  auto selectFor = [&](char v) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].text.size() >= 2 && entries[i].text[1] == ':' &&
          text::AsciiLower(entries[i].text[0]) == v)
        return static_cast<int>(i);
    }
    return selected;
  };
  // What a write of v does: nothing when an entry is selected and v is its letter already;
  // otherwise store (NUL for a byte that names no drive), select and fire once.
  auto expectWrite = [&](char v) {
    if (!text::IsAsciiLetter(v)) v = '\0';
    if (selected >= 0 && text::AsciiLower(v) == text::AsciiLower(stored)) return std::string();
    stored = text::AsciiLower(v);
    selected = v == '\0' ? -1 : selectFor(stored);
    return std::string("c");
  };

  for (int step = 0; step < 64; ++step) {
    if (step > 0 && in.Empty()) break;
    const uint8_t op = step == 0 ? 0 : in.Byte() % 4;
    std::string want;
    const unsigned mode = machine.ErrorMode();
    const size_t volumeAsked = machine.volumeQueries.size();
    const size_t networkAsked = machine.networkQueries.size();
    model.volumeRoots.clear();
    model.networkNames.clear();
    events.clear();
    if (op == 0) {  // the window is (re)created
      entries = model.Entries();
      selected = -1;
      // A drive that could not be read at construction is read again at the next rebuild.
      if (!known && (known = !current.NextFails())) stored = cwd[0] == '\\' ? '\0' : cwd[0];
      want = expectWrite(stored);
      list.Rebuild();
    } else if (op == 1) {
      const char v = static_cast<char>(in.Byte());
      want = expectWrite(v);
      list.SetCurrentDrive(v);
    } else if (op == 2) {
      const int index = static_cast<int>(in.Byte() % (entries.size() + 2)) - 1;
      selected = index < static_cast<int>(entries.size()) ? index : -1;
      want = "k" +
             (selected >= 0 ? expectWrite(entries[static_cast<size_t>(selected)].text[0]) : "") +
             "c";
      list.Pick(index);
    } else {  // the machine changes under the list; it shows only after the next rebuild
      MakeDrive(in, machine, model, in.Byte() % 26);
      machine.SetErrorMode(in.Byte());
      continue;
    }
    if (events != want) Fail("OnChange or the click fired other than the rules say");
    if (list.CurrentDrive() != stored) Fail("wrong stored drive");
    if (stored != '\0' && !(stored >= 'a' && stored <= 'z')) Fail("stored drive not lower case");
    if (list.Selected() != selected) Fail("wrong selection");
    if (list.Entries().size() != entries.size()) Fail("wrong number of entries");
    for (size_t i = 0; i < entries.size(); ++i) {
      const folders::DriveEntry& e = list.Entries()[i];
      if (e.text != entries[i].text || e.glyph != entries[i].glyph) Fail("wrong entry");
      if (i > 0 && !(list.Entries()[i - 1].text[0] < e.text[0])) Fail("entries out of order");
    }
    if (std::vector<std::string>(machine.volumeQueries.begin() + volumeAsked,
                                 machine.volumeQueries.end()) != model.volumeRoots)
      Fail("labels asked of the wrong drives");
    if (std::vector<std::string>(machine.networkQueries.begin() + networkAsked,
                                 machine.networkQueries.end()) != model.networkNames)
      Fail("network names asked of the wrong drives");
    for (size_t q = volumeAsked; q < machine.errorModeAtVolumeQuery.size(); ++q) {
      if (machine.errorModeAtVolumeQuery[q] != os::kFailCriticalErrors)
        Fail("a label was asked with critical-error prompts on");
    }
    if (machine.ErrorMode() != mode) Fail("the error mode was not restored");
  }
  return 0;
}
