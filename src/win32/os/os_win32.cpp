#include "win32/os/os_win32.h"

#include <windows.h>
#include <winnetwk.h>

namespace os {
namespace {

FileTime FromFiletime(const FILETIME& ft) {
  return (static_cast<FileTime>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME ToFiletime(FileTime t) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(t);
  ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
  return ft;
}

class Win32Search : public FileSearch {
 public:
  Win32Search(const std::string& pattern, SearchFor what) {
    // The basic level skips the short names and large fetch asks for bigger batches: both cut
    // the cost per file of listing a large folder. Older systems refuse them; fall back.
    handle_ = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data_,
                               what == SearchFor::kDirectories ? FindExSearchLimitToDirectories
                                                               : FindExSearchNameMatch,
                               nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
      handle_ = FindFirstFileA(pattern.c_str(), &data_);
    }
    pending_ = handle_ != INVALID_HANDLE_VALUE;
    if (!pending_) Stop(GetLastError());
  }
  ~Win32Search() override {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  Win32Search(const Win32Search&) = delete;
  Win32Search& operator=(const Win32Search&) = delete;

  bool Next(FindEntry& entry) override {
    if (!pending_) {
      if (handle_ == INVALID_HANDLE_VALUE) return false;
      if (!FindNextFileA(handle_, &data_)) {
        Stop(GetLastError());  // before FindClose sets its own
        FindClose(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return false;
      }
    }
    pending_ = false;
    ReadFindData(data_, entry);
    return true;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA data_{};
  bool pending_ = false;  // data_ holds a match not yet handed out
};

}  // namespace

void ReadFindData(const WIN32_FIND_DATAA& data, FindEntry& entry) {
  entry.name.assign(data.cFileName);
  entry.attributes = data.dwFileAttributes;
  entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  entry.lastWrite = FromFiletime(data.ftLastWriteTime);
}

std::unique_ptr<FileSearch> Win32Os::FindFiles(const std::string& pattern, SearchFor what) {
  return std::make_unique<Win32Search>(pattern, what);
}

bool Win32Os::FileTimeToLocal(FileTime utc, FileTime& local) {
  FILETIME in = ToFiletime(utc), out;
  if (!FileTimeToLocalFileTime(&in, &out)) return false;
  local = FromFiletime(out);
  return true;
}

bool Win32Os::FileTimeToDos(FileTime local, DosDateTime& packed) {
  FILETIME in = ToFiletime(local);
  WORD date, time;
  if (!FileTimeToDosDateTime(&in, &date, &time)) return false;
  packed.date = date;
  packed.time = time;
  return true;
}

std::string Win32Os::LocaleSeparator(Separator which) {
  char buffer[16];
  const LCTYPE item = which == Separator::kDate ? LOCALE_SDATE : LOCALE_STIME;
  const int length = GetLocaleInfoA(GetThreadLocale(), item, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, static_cast<size_t>(length - 1)) : std::string();
}

void Win32Os::ResetThreadLocale() { SetThreadLocale(LOCALE_USER_DEFAULT); }

uint32_t Win32Os::LogicalDrives() { return GetLogicalDrives(); }

unsigned Win32Os::DriveType(const std::string& root) { return GetDriveTypeA(root.c_str()); }

bool Win32Os::VolumeInformation(const std::string& root, std::string* label, uint32_t* flags) {
  char name[261] = "";
  DWORD serial = 0, maxLength = 0, fsFlags = 0;
  if (!GetVolumeInformationA(root.c_str(), name, sizeof name, &serial, &maxLength, &fsFlags,
                             nullptr, 0)) {
    return false;
  }
  if (label) *label = name;
  if (flags) *flags = fsFlags;
  return true;
}

bool Win32Os::NetworkConnection(const std::string& local, std::string& remote) {
  char name[261] = "";
  DWORD length = sizeof name;
  if (WNetGetConnectionA(local.c_str(), name, &length) != NO_ERROR) return false;
  remote = name;
  return true;
}

unsigned Win32Os::SetErrorMode(unsigned mode) { return ::SetErrorMode(mode); }

bool Win32Os::EnterDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) != 0;
}

bool Win32Os::ReadCurrentDirectory(std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length == 0) return false;
  if (length >= sizeof buffer) {
    // The platform reports a short buffer by the length alone; say why, or LastError() would
    // tell whatever an earlier call left.
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  path.assign(buffer, length);
  return true;
}

uint32_t Win32Os::FileAttributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

uint32_t Win32Os::LastError() { return GetLastError(); }

Order Win32Os::CompareText(const std::string& a, const std::string& b, bool ignoreCase) {
  const int result =
      CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                     static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
  return result == CSTR_LESS_THAN ? Order::kLess
         : result == CSTR_EQUAL   ? Order::kEqual
                                  : Order::kGreater;
}

bool Win32Os::SortKey(const std::string& text, std::string& key) {
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int length = static_cast<int>(text.size());
  const int size = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, nullptr, 0);
  if (size <= 0) return false;
  key.assign(static_cast<size_t>(size), '\0');
  return LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, &key[0], size) == size;
}

bool Win32Os::IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

bool Win32Os::DoubleByteSystem() { return GetSystemMetrics(SM_DBCSENABLED) != 0; }

std::string Win32Os::LowerCase(const std::string& text) {
  std::string out = text;
  if (!out.empty()) CharLowerBuffA(&out[0], static_cast<DWORD>(out.size()));
  return out;
}

Os& RealOs() {
  static Win32Os real;
  return real;
}

}  // namespace os
