// The real machine: each call passes straight through to the ...A function of the same name.
#pragma once

#include <windows.h>

#include "core/os.h"

namespace os {

class Win32Os : public Os {
 public:
  std::unique_ptr<FileSearch> FindFiles(const std::string& pattern, SearchFor what) override;
  bool FileTimeToLocal(FileTime utc, FileTime& local) override;
  bool FileTimeToDos(FileTime local, DosDateTime& packed) override;
  std::string LocaleSeparator(Separator which) override;
  void ResetThreadLocale() override;
  uint32_t LogicalDrives() override;
  unsigned DriveType(const std::string& root) override;
  bool VolumeInformation(const std::string& root, std::string* label, uint32_t* flags) override;
  bool NetworkConnection(const std::string& local, std::string& remote) override;
  unsigned SetErrorMode(unsigned mode) override;
  bool EnterDirectory(const std::string& path) override;
  bool ReadCurrentDirectory(std::string& path) override;
  uint32_t FileAttributes(const std::string& path) override;
  uint32_t LastError() override;
  Order CompareText(const std::string& a, const std::string& b, bool ignoreCase) override;
  bool SortKey(const std::string& text, std::string& key) override;
  bool IsLeadByte(unsigned char byte) override;
  bool DoubleByteSystem() override;
  std::string LowerCase(const std::string& text) override;
};

// A found file's record as the program takes it. Its time is the last write: a copy keeps that
// one but gets a new creation time.
void ReadFindData(const WIN32_FIND_DATAA& data, FindEntry& entry);

// The one real machine of the process.
Os& RealOs();

}  // namespace os
