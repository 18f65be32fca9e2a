#include "support/fake_os.h"

#include <functional>

#include "core/file_time.h"
#include "core/text.h"

namespace fake {
namespace {

constexpr int64_t kTicksPerMinute = 600000000;

bool MatchMask(const std::string& mask, const std::string& name, size_t m = 0, size_t n = 0) {
  if (m == mask.size()) return n == name.size();
  if (mask[m] == '*') {
    for (size_t k = n; k <= name.size(); ++k) {
      if (MatchMask(mask, name, m + 1, k)) return true;
    }
    return false;
  }
  if (n == name.size()) return false;
  if (mask[m] != '?' && !text::SameLetterIgnoringCase(mask[m], name[n])) return false;
  return MatchMask(mask, name, m + 1, n + 1);
}

class Search : public os::FileSearch {
 public:
  // startFailure: the code of a search that cannot start, 0 when it starts.
  Search(std::vector<os::FindEntry> entries, uint32_t startFailure, int& nextCalls, int& open,
         std::function<uint32_t()> failing)
      : entries_(std::move(entries)),
        nextCalls_(nextCalls),
        open_(open),
        failing_(std::move(failing)) {
    Stop(startFailure);
    ++open_;
  }
  ~Search() override { --open_; }
  bool Next(os::FindEntry& entry) override {
    ++nextCalls_;
    if (stopped_ || at_ >= entries_.size() || Failed()) {
      stopped_ = true;
      return false;
    }
    entry = entries_[at_++];
    return true;
  }

 private:
  bool Failed() {
    const uint32_t code = failing_();  // the machine's code for this step, 0 when it goes on
    Stop(code);
    return code != 0;
  }

  std::vector<os::FindEntry> entries_;
  size_t at_ = 0;
  bool stopped_ = false;
  int& nextCalls_;
  int& open_;
  std::function<uint32_t()> failing_;
};

}  // namespace

os::FileTime MakeFileTime(int year, int month, int day, int hour, int minute, int second,
                          int offsetMinutes) {
  return zolt::FromCivil({year, month, day, hour, minute, second}) -
         static_cast<int64_t>(offsetMinutes) * kTicksPerMinute;
}

Machine::Machine() { AddDrive('c', os::kDriveFixed, "SYSTEM"); }

Drive& Machine::AddDrive(char letter, unsigned type, const std::string& label) {
  const std::string root = std::string(1, text::AsciiUpper(letter)) + ":\\";
  Drive& drive = drives_[Key(root.substr(0, 2))] = Drive();
  drive.type = type;
  drive.label = label;
  Node& node = nodes_[Key(root)];
  node.name = root;
  node.attributes = os::kAttrDirectory;
  return drive;
}

void Machine::AddShare(const std::string& uncRoot) {
  drives_[Key(uncRoot)].type = os::kDriveRemote;
  Node& node = nodes_[Key(uncRoot + "\\")];
  node.name = uncRoot + "\\";
  node.attributes = os::kAttrDirectory;
}

std::string Machine::Key(const std::string& absolute) const {
  std::string key = absolute;
  for (size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(key[i]);
    if (doubleByte_ && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))) {
      ++i;
    } else {
      key[i] = text::AsciiLower(key[i]);
    }
  }
  return key;
}

std::string Machine::RootOf(const std::string& absolute) const {
  if (absolute.size() >= 2 && absolute[1] == ':') return absolute.substr(0, 3);
  // \\server\share\ : the root ends after the share name's backslash.
  size_t server = absolute.find('\\', 2);
  if (server == std::string::npos) return absolute + "\\";
  size_t share = absolute.find('\\', server + 1);
  if (share != std::string::npos) return absolute.substr(0, share + 1);
  return absolute.back() == '\\' ? absolute : absolute + "\\";
}

const Drive* Machine::DriveOf(const std::string& absolute) const {
  std::string root = RootOf(absolute);
  auto it = drives_.find(Key(root.substr(0, root.size() - 1)));
  return it == drives_.end() ? nullptr : &it->second;
}

bool Machine::Resolve(const std::string& p, std::string& absolute) {
  if (p.empty()) {
    lastError_ = os::kErrorPathNotFound;
    return false;
  }
  std::string base;
  std::string rest;
  if (p.size() >= 2 && p[1] == ':') {
    std::string root = std::string(1, text::AsciiUpper(p[0])) + ":\\";
    rest = p.substr(2);
    if (!rest.empty() && rest[0] == '\\') {
      base = root;
    } else {
      auto it = driveCurrent_.find(Key(root.substr(0, 2)));
      base = it != driveCurrent_.end() ? it->second
             : Key(RootOf(current_)) == Key(root) ? current_
                                                  : root;
    }
  } else if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
    std::string drive = text::DrivePart(*this, p);
    base = drive + "\\";
    rest = p.substr(drive.size());
  } else if (p[0] == '\\') {
    base = RootOf(current_);
    rest = p;
  } else {
    base = current_;
    rest = p;
  }
  const std::string root = RootOf(base);
  std::vector<std::string> parts;
  auto split = [&](const std::string& s) {
    size_t start = 0;
    while (start <= s.size()) {
      size_t cut = text::FindFirstBackslash(*this, s, start);
      std::string part = s.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      if (cut == std::string::npos) break;
      start = cut + 1;
    }
  };
  if (rest.empty() || rest[0] != '\\') split(base.substr(root.size()));
  split(rest);
  absolute = root;
  for (size_t i = 0; i < parts.size(); ++i) absolute += (i ? "\\" : "") + parts[i];
  return Reachable(DriveOf(absolute));
}

bool Machine::Reachable(const Drive* drive) {
  if (drive && drive->hasMedium) return true;
  lastError_ = drive ? os::kErrorNotReady : os::kErrorPathNotFound;
  return false;
}

Machine::Node* Machine::Find(const std::string& absolute) {
  auto it = nodes_.find(Key(absolute));
  return it == nodes_.end() ? nullptr : &it->second;
}

std::string Machine::DisplayPath(const std::string& key) const {
  // Rebuild the path from the names as created, component by component.
  const std::string root = RootOf(key);
  std::string path = nodes_.at(root).name;
  size_t start = root.size();
  while (start < key.size()) {
    size_t cut = text::FindFirstBackslash(const_cast<Machine&>(*this), key, start);
    std::string prefix = key.substr(0, cut);
    path = text::JoinPath(const_cast<Machine&>(*this), path, nodes_.at(prefix).name);
    if (cut == std::string::npos) break;
    start = cut + 1;
  }
  return path;
}

void Machine::AddFolder(const std::string& path, uint32_t attributes) {
  std::string absolute;
  if (!Resolve(path, absolute)) return;
  const std::string root = RootOf(absolute);
  std::string parentKey = Key(root);
  size_t start = root.size();
  while (start < absolute.size()) {
    size_t cut = text::FindFirstBackslash(*this, absolute, start);
    std::string name = absolute.substr(start, cut == std::string::npos ? cut : cut - start);
    std::string key = Key(absolute.substr(0, cut));
    if (!nodes_.count(key)) {
      Node& node = nodes_[key];
      node.name = name;
      node.attributes = cut == std::string::npos ? attributes : os::kAttrDirectory;
      nodes_[parentKey].children.push_back(key);
    }
    parentKey = key;
    if (cut == std::string::npos) break;
    start = cut + 1;
  }
}

void Machine::AddFile(const std::string& path, uint64_t size, os::FileTime lastWrite,
                      uint32_t attributes) {
  std::string absolute;
  if (!Resolve(path, absolute)) return;
  size_t cut = text::FindLastBackslash(*this, absolute);
  std::string folder = absolute.substr(0, cut);
  if (folder.size() == 2) folder += "\\";
  // One look-up for the folder and one for the file: folders of 200,000 files build quickly.
  Node* parent = Find(folder);
  if (!parent) {
    AddFolder(folder);
    parent = Find(folder);
  }
  const auto [at, added] = nodes_.try_emplace(Key(absolute));
  if (added && parent) parent->children.push_back(at->first);
  Node& node = at->second;
  node.name = absolute.substr(cut + 1);
  node.attributes = attributes & ~os::kAttrDirectory;
  node.size = size;
  node.lastWrite = lastWrite;
}

void Machine::Remove(const std::string& path) {
  std::string absolute;
  if (!Resolve(path, absolute)) return;
  const std::string key = Key(absolute);
  for (auto it = nodes_.begin(); it != nodes_.end();) {
    if (it->first == key || it->first.compare(0, key.size() + 1, key + "\\") == 0) {
      it = nodes_.erase(it);
    } else {
      auto& kids = it->second.children;
      for (size_t i = 0; i < kids.size(); ++i) {
        if (kids[i] == key) kids.erase(kids.begin() + static_cast<long>(i));
      }
      ++it;
    }
  }
}

void Machine::Forbid(const std::string& path, uint32_t code) {
  std::string absolute;
  if (Resolve(path, absolute)) forbidden_[Key(absolute)] = code;
}

void Machine::Unlistable(const std::string& path) {
  std::string absolute;
  if (Resolve(path, absolute)) unlistable_.insert(Key(absolute));
}

void Machine::SetCurrent(const std::string& path) {
  std::string absolute;
  if (Resolve(path, absolute) && Find(absolute)) {
    current_ = DisplayPath(Key(absolute));
    driveCurrent_[Key(RootOf(absolute)).substr(0, RootOf(absolute).size() - 1)] = current_;
  }
}

bool Machine::Failing(Service service) {
  if (beforeCall) beforeCall(service);
  auto it = failures_.find(service);
  if (it == failures_.end()) return false;
  if (it->second.after > 0) {
    --it->second.after;
    return false;
  }
  lastError_ = it->second.code;
  if (it->second.count > 0 && --it->second.count == 0) failures_.erase(it);
  return true;
}

std::unique_ptr<os::FileSearch> Machine::FindFiles(const std::string& pattern, os::SearchFor) {
  ++findCalls;
  lastPattern = pattern;
  std::vector<os::FindEntry> entries;
  auto search = [&](uint32_t start) {
    return std::make_unique<Search>(std::move(entries), start, nextCalls, openSearches, [this] {
      return Failing(Service::kFindNext) ? lastError_ : 0;
    });
  };
  if (Failing(Service::kFindFiles)) return search(lastError_);
  size_t cut = text::FindLastBackslash(*this, pattern);
  std::string folder = cut == std::string::npos ? "." : pattern.substr(0, cut + 1);
  std::string mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  std::string absolute;
  Node* node = Resolve(folder, absolute) ? Find(absolute) : nullptr;
  if (!node || !(node->attributes & os::kAttrDirectory) || unlistable_.count(Key(absolute))) {
    lastError_ = unlistable_.count(Key(absolute)) ? os::kErrorAccessDenied : os::kErrorPathNotFound;
    return search(lastError_);
  }
  const bool all = mask == "*.*" || mask == "*";
  entries.reserve(node->children.size() + 2);
  if (RootOf(absolute) != absolute && all) {
    for (const char* dots : {".", ".."}) entries.push_back({dots, os::kAttrDirectory});
  }
  for (const std::string& key : node->children) {
    const Node& child = nodes_.at(key);
    if (!all && !MatchMask(mask, child.name)) continue;
    entries.push_back({child.name, child.attributes, child.size, child.lastWrite});
  }
  return search(0);
}

bool Machine::FileTimeToLocal(os::FileTime utc, os::FileTime& local) {
  if (Failing(Service::kFileTimeToLocal)) return false;
  local = utc + static_cast<int64_t>(offsetMinutes_) * kTicksPerMinute;
  return true;
}

bool Machine::FileTimeToDos(os::FileTime local, os::DosDateTime& packed) {
  if (Failing(Service::kFileTimeToDos)) return false;
  zolt::CivilTime c = zolt::ToCivil(local);
  if (c.year < 1980 || c.year > 2107) {
    lastError_ = 87;
    return false;
  }
  packed = zolt::PackDos(c);
  return true;
}

std::string Machine::LocaleSeparator(os::Separator which) {
  if (Failing(Service::kLocaleSeparator)) return std::string();
  return which == os::Separator::kDate ? dateSeparator_ : timeSeparator_;
}

uint32_t Machine::LogicalDrives() {
  if (Failing(Service::kLogicalDrives)) return 0;
  uint32_t mask = 0;
  for (const auto& [root, drive] : drives_) {
    if (root.size() == 2 && root[1] == ':' && root[0] >= 'a' && root[0] <= 'z') {
      mask |= 1u << (root[0] - 'a');
    }
  }
  return mask;
}

unsigned Machine::DriveType(const std::string& root) {
  auto it = drives_.find(Key(root.substr(0, root.size() >= 2 ? 2 : root.size())));
  return it == drives_.end() ? os::kDriveNoRootDir : it->second.type;
}

bool Machine::VolumeInformation(const std::string& root, std::string* label, uint32_t* flags) {
  volumeQueries.push_back(root);
  errorModeAtVolumeQuery.push_back(errorMode_);
  if (Failing(Service::kVolumeInformation)) return false;
  const Drive* drive = DriveOf(RootOf(root));
  if (!Reachable(drive)) return false;
  if (label) *label = drive->label;
  if (flags) *flags = drive->flags;
  return true;
}

bool Machine::NetworkConnection(const std::string& local, std::string& remote) {
  networkQueries.push_back(local);
  if (Failing(Service::kNetworkConnection)) return false;
  auto it = drives_.find(Key(local));
  if (it == drives_.end() || it->second.remote.empty()) {
    lastError_ = 2250;  // not connected
    return false;
  }
  remote = it->second.remote;
  return true;
}

bool Machine::EnterDirectory(const std::string& path) {
  enteredPaths.push_back(path);
  if (beforeEnter) beforeEnter(path);
  if (Failing(Service::kEnterDirectory)) return false;
  std::string absolute;
  if (!Resolve(path, absolute)) return false;
  Node* node = Find(absolute);
  if (!node) {
    std::string parent = absolute.substr(0, text::FindLastBackslash(*this, absolute));
    lastError_ = parent.size() <= 3 || Find(parent) ? os::kErrorFileNotFound
                                                    : os::kErrorPathNotFound;
    return false;
  }
  if (!(node->attributes & os::kAttrDirectory)) {
    lastError_ = 267;  // not a directory
    return false;
  }
  auto forbidden = forbidden_.find(Key(absolute));
  if (forbidden != forbidden_.end()) {
    lastError_ = forbidden->second;
    return false;
  }
  current_ = DisplayPath(Key(absolute));
  const std::string root = RootOf(absolute);
  driveCurrent_[Key(root.substr(0, root.size() - 1))] = current_;
  return true;
}

bool Machine::ReadCurrentDirectory(std::string& path) {
  if (Failing(Service::kReadCurrentDirectory)) return false;
  path = current_;
  return true;
}

uint32_t Machine::FileAttributes(const std::string& path) {
  if (Failing(Service::kFileAttributes)) return os::kInvalidAttributes;
  std::string absolute;
  if (!Resolve(path, absolute)) return os::kInvalidAttributes;
  Node* node = Find(absolute);
  if (!node) {
    lastError_ = os::kErrorFileNotFound;
    return os::kInvalidAttributes;
  }
  return node->attributes;
}

os::Order Machine::CompareText(const std::string& a, const std::string& b, bool ignoreCase) {
  const std::string fa = LowerCase(a);
  const std::string fb = LowerCase(b);
  int c = fa.compare(fb);
  if (c == 0 && !ignoreCase) c = a.compare(b);
  return c < 0 ? os::Order::kLess : c > 0 ? os::Order::kGreater : os::Order::kEqual;
}

bool Machine::IsLeadByte(unsigned char byte) {
  return doubleByte_ && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

std::string Machine::LowerCase(const std::string& s) {
  // As CharLowerBuffA lowers through Unicode: under code page 932 the full-width Latin, Greek and
  // Cyrillic capitals too (both bytes of other double-byte characters stay); under code page
  // 1252 the Latin-1 capitals and Š, Œ, Ž, Ÿ.
  std::string out = s;
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsLeadByte(c) && i + 1 < out.size()) {
      const unsigned char t = static_cast<unsigned char>(out[++i]);
      if (c == 0x82 && t >= 0x60 && t <= 0x79) {
        out[i] = static_cast<char>(t + 0x21);  // Ａ to Ｚ
      } else if (c == 0x83 && t >= 0x9F && t <= 0xB6) {
        out[i] = static_cast<char>(t + 0x20);  // Α to Ω
      } else if (c == 0x84 && t >= 0x40 && t <= 0x60) {
        out[i] = static_cast<char>(t + (t < 0x4F ? 0x30 : 0x31));  // А to Я; 0x847F is unused
      }
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + 32);
    } else if (!doubleByte_ && c >= 0xC0 && c <= 0xDE && c != 0xD7) {
      out[i] = static_cast<char>(c + 0x20);  // À to Þ
    } else if (!doubleByte_ && (c == 0x8A || c == 0x8C || c == 0x8E)) {
      out[i] = static_cast<char>(c + 0x10);  // Š, Œ, Ž
    } else if (!doubleByte_ && c == 0x9F) {
      out[i] = '\xFF';  // Ÿ
    }
  }
  return out;
}

}  // namespace fake
