// The Windows services ZOLT uses, as one interface: the real machine passes straight through to
// the ...A functions (os_win32), the fake machine (tests) keeps an in-memory one. Every text is a
// byte string in the system's ANSI code page, exactly as the ...A functions take and give it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace os {

// Attribute bits, as the platform reports them.
enum : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrVolumeLabel = 0x08,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
  kInvalidAttributes = 0xFFFFFFFFu,
};

// Drive types, as GetDriveTypeA returns them.
enum : unsigned {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

// Volume flags and error-mode bits.
enum : uint32_t {
  kCaseSensitiveSearch = 0x01,
  kCasePreservedNames = 0x02,
  kFailCriticalErrors = 0x0001,
};

// Platform error codes the program meets by name.
enum : uint32_t {
  kErrorFileNotFound = 2,
  kErrorPathNotFound = 3,
  kErrorAccessDenied = 5,
  kErrorNotReady = 21,
  kErrorNoMoreFiles = 18,
};

// 100-nanosecond intervals since 1601-01-01 (a FILETIME as one number).
using FileTime = uint64_t;

// A packed date-time: date = (year - 1980) << 9 | month << 5 | day,
// time = hour << 11 | minute << 5 | seconds / 2.
struct DosDateTime {
  uint16_t date = 0;
  uint16_t time = 0;
};

struct FindEntry {
  std::string name;  // long name, without folder
  uint32_t attributes = 0;
  uint64_t size = 0;
  FileTime lastWrite = 0;  // UTC
};

// An open file search; destroying it closes the search (FindClose).
class FileSearch {
 public:
  virtual ~FileSearch() = default;
  // The next match; false once the search has stopped, after which it stays false.
  virtual bool Next(FindEntry& entry) = 0;
  // Why it stopped: 0 when it ran out of matches, else the platform's error code, also when it
  // could not start (where 2 is a folder with no match and 3 no such folder).
  uint32_t Failure() const { return failure_; }

 protected:
  // The platform's code at the stop; "no more files" is the plain end.
  void Stop(uint32_t code) { failure_ = code == kErrorNoMoreFiles ? 0 : code; }

 private:
  uint32_t failure_ = 0;
};

enum class SearchFor { kAnything, kDirectories };

enum class Separator { kDate, kTime };

// CompareStringA's answers, less 2 (CSTR_LESS_THAN = 1 gives -1).
enum class Order { kLess = -1, kEqual = 0, kGreater = 1 };

class Os {
 public:
  virtual ~Os() = default;

  // File search over a pattern such as C:\DATA\*.*; a search that cannot start yields nothing
  // and tells why (FileSearch::Failure).
  // kDirectories is only a hint (the platform may still return files).
  virtual std::unique_ptr<FileSearch> FindFiles(const std::string& pattern, SearchFor what) = 0;

  // FileTimeToLocalFileTime: uses the time-zone offset in force now, not on the file's date.
  virtual bool FileTimeToLocal(FileTime utc, FileTime& local) = 0;
  // FileTimeToDosDateTime: fails outside 1980 to 2107.
  virtual bool FileTimeToDos(FileTime local, DosDateTime& packed) = 0;

  // GetLocaleInfoA on the thread's locale; empty when the settings give none.
  virtual std::string LocaleSeparator(Separator which) = 0;
  // Resets the thread's locale to the user's default (after a settings change).
  virtual void ResetThreadLocale() = 0;

  virtual uint32_t LogicalDrives() = 0;                     // bit n: drive "a" + n
  virtual unsigned DriveType(const std::string& root) = 0;  // root such as c:\ .
  // GetVolumeInformationA on a root: label (up to its NUL) and file-system flags.
  virtual bool VolumeInformation(const std::string& root, std::string* label, uint32_t* flags) = 0;
  // WNetGetConnectionA on a local name such as Z: .
  virtual bool NetworkConnection(const std::string& local, std::string& remote) = 0;
  virtual unsigned SetErrorMode(unsigned mode) = 0;  // returns the previous mode

  // SetCurrentDirectoryA; on failure LastError() tells why.
  virtual bool EnterDirectory(const std::string& path) = 0;
  // GetCurrentDirectoryA into a 260-byte buffer; false (and LastError()) on failure, with
  // ERROR_FILENAME_EXCED_RANGE (206) when the path does not fit (at code page 932 a path of
  // fewer than 260 characters may not).
  virtual bool ReadCurrentDirectory(std::string& path) = 0;
  virtual uint32_t FileAttributes(const std::string& path) = 0;  // kInvalidAttributes on failure
  virtual uint32_t LastError() = 0;

  // CompareStringA with LOCALE_USER_DEFAULT, with or without NORM_IGNORECASE.
  virtual Order CompareText(const std::string& a, const std::string& b, bool ignoreCase) = 0;
  // LCMapStringA with LCMAP_SORTKEY and NORM_IGNORECASE, user locale: keys that order and equal,
  // byte by byte, as CompareText(a, b, true) orders the texts; false when the platform makes none.
  virtual bool SortKey(const std::string& text, std::string& key) = 0;
  virtual bool IsLeadByte(unsigned char byte) = 0;  // IsDBCSLeadByte
  // Whether the system's code page has double-byte characters (SM_DBCSENABLED).
  virtual bool DoubleByteSystem() = 0;
  virtual std::string LowerCase(const std::string& text) = 0;  // CharLowerBuffA
};

}  // namespace os
