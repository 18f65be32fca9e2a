// An in-memory Windows machine for native tests: drives of every type, folders and files with
// attributes, sizes and times, a current directory (one per drive, as the platform keeps them), a
// time-zone offset, a code page with or without double-byte characters, and failures with chosen
// error codes. Paths are case-insensitive and keep the case they were created with.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/os.h"

namespace fake {

// The services, each of which can be made to fail.
enum class Service {
  kFindFiles,
  kFindNext,  // a search already started stops
  kFileTimeToLocal,
  kFileTimeToDos,
  kLocaleSeparator,
  kLogicalDrives,
  kVolumeInformation,
  kNetworkConnection,
  kEnterDirectory,
  kReadCurrentDirectory,
  kFileAttributes,
  kSortKey,
  kCount,  // not a service: how many there are
};

struct Drive {
  unsigned type = os::kDriveFixed;
  std::string label;
  uint32_t flags = os::kCasePreservedNames;  // a case-preserving, case-insensitive volume
  bool hasMedium = true;                     // false: every access fails with code 21
  std::string remote;                        // network drives: \\server\share
};

// A FILETIME for a local calendar time, with the machine's offset undone (UTC).
os::FileTime MakeFileTime(int year, int month, int day, int hour, int minute, int second,
                          int offsetMinutes = 0);

class Machine : public os::Os {
 public:
  Machine();

  // --- building the machine ---
  // letter "c" gives drive C:, with its root; a network share "\\\\s\\p" is a drive too.
  Drive& AddDrive(char letter, unsigned type, const std::string& label = "");
  void AddShare(const std::string& uncRoot);  // \\server\share
  // Makes every folder on the way; path is absolute, e.g. C:\A\B.
  void AddFolder(const std::string& path, uint32_t attributes = os::kAttrDirectory);
  // Makes the file's folder too when it is not there yet.
  void AddFile(const std::string& path, uint64_t size = 0, os::FileTime lastWrite = 0,
               uint32_t attributes = os::kAttrArchive);
  void Remove(const std::string& path);
  // Entering this folder fails with code (5 for a folder without access rights).
  void Forbid(const std::string& path, uint32_t code = os::kErrorAccessDenied);
  // Listing this folder fails at the start with code 5 (no access).
  void Unlistable(const std::string& path);
  void SetCurrent(const std::string& path);  // sets the process's current directory directly
  void SetOffsetMinutes(int minutes) { offsetMinutes_ = minutes; }
  void SetSeparators(const std::string& date, const std::string& time) {
    dateSeparator_ = date;
    timeSeparator_ = time;
  }
  void SetDoubleByte(bool dbcs) { doubleByte_ = dbcs; }
  // The service fails with code from now on (count < 0), or for its next count calls; with
  // after > 0, only once that many calls have succeeded.
  void Fail(Service service, uint32_t code, int count = -1, int after = 0) {
    failures_[service] = {code, count, after};
  }
  void Heal() { failures_.clear(); }

  // --- what happened ---
  std::vector<std::string> volumeQueries;     // roots asked for volume information
  std::vector<unsigned> errorModeAtVolumeQuery;  // the error mode at each of those questions
  std::vector<std::string> enteredPaths;      // every SetCurrentDirectory argument
  std::vector<std::string> networkQueries;    // every WNetGetConnection argument
  // Called with each SetCurrentDirectory argument before it is handled: a test can change the
  // machine in the middle of an operation (a disc taken out, a folder deleted).
  std::function<void(const std::string& path)> beforeEnter;
  // Called as each service starts: a test can see what the program is doing meanwhile.
  std::function<void(Service service)> beforeCall;
  int findCalls = 0, nextCalls = 0;
  int openSearches = 0;     // searches started and not yet closed
  std::string lastPattern;  // the pattern of the latest search
  unsigned ErrorMode() const { return errorMode_; }
  std::string Current() const { return current_; }

  // --- os::Os ---
  std::unique_ptr<os::FileSearch> FindFiles(const std::string& pattern, os::SearchFor) override;
  bool FileTimeToLocal(os::FileTime utc, os::FileTime& local) override;
  bool FileTimeToDos(os::FileTime local, os::DosDateTime& packed) override;
  std::string LocaleSeparator(os::Separator which) override;
  void ResetThreadLocale() override { ++localeResets; }
  uint32_t LogicalDrives() override;
  unsigned DriveType(const std::string& root) override;
  bool VolumeInformation(const std::string& root, std::string* label, uint32_t* flags) override;
  bool NetworkConnection(const std::string& local, std::string& remote) override;
  unsigned SetErrorMode(unsigned mode) override { return std::exchange(errorMode_, mode); }
  bool EnterDirectory(const std::string& path) override;
  bool ReadCurrentDirectory(std::string& path) override;
  uint32_t FileAttributes(const std::string& path) override;
  uint32_t LastError() override { return lastError_; }
  os::Order CompareText(const std::string& a, const std::string& b, bool ignoreCase) override;
  // Orders as CompareText ignoring case: the lowered text.
  bool SortKey(const std::string& text, std::string& key) override {
    if (Failing(Service::kSortKey)) return false;
    key = LowerCase(text);
    return true;
  }
  bool IsLeadByte(unsigned char byte) override;
  bool DoubleByteSystem() override { return doubleByte_; }
  std::string LowerCase(const std::string& text) override;

  int localeResets = 0;

 private:
  struct Node {
    std::string name;  // as created
    uint32_t attributes = 0;
    uint64_t size = 0;
    os::FileTime lastWrite = 0;
    std::vector<std::string> children;  // keys, in creation order
  };

  bool Failing(Service service);
  std::string Key(const std::string& absolute) const;
  // Absolute, normalised path for p taken against the current directory; empty when p names no
  // place (a missing drive, say). Sets lastError_ on failure.
  bool Resolve(const std::string& p, std::string& absolute);
  // False, with the platform's code, for a missing drive or one without a medium.
  bool Reachable(const Drive* drive);
  const Drive* DriveOf(const std::string& absolute) const;
  std::string DisplayPath(const std::string& key) const;
  Node* Find(const std::string& absolute);
  std::string RootOf(const std::string& absolute) const;

  // By key (folded absolute path, no trailing "\"); hashed, so that folders of hundreds of
  // thousands of files build and list quickly.
  std::unordered_map<std::string, Node> nodes_;
  std::map<std::string, Drive> drives_;              // by folded root: "c:" or "\\s\p"
  std::map<std::string, std::string> driveCurrent_;  // folded root -> absolute current folder
  std::map<std::string, uint32_t> forbidden_;
  std::set<std::string> unlistable_;
  struct Failure {
    uint32_t code;
    int count, after;
  };
  std::map<Service, Failure> failures_;
  std::string current_ = "C:\\";
  int offsetMinutes_ = 0;
  std::string dateSeparator_ = "/", timeSeparator_ = ":";
  bool doubleByte_ = false;
  unsigned errorMode_ = 0;
  uint32_t lastError_ = 0;
};

}  // namespace fake
