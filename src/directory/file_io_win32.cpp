// Whole-file reading and replacing on Windows: the same promises as the POSIX
// version, with the system's own calls (a rename over an existing file needs
// MoveFileEx there).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef ReplaceFile  // the system's macro would rename ours

#include <string>
#include <system_error>

#include "directory/file_io.h"

namespace snpp {
namespace {

namespace fs = std::filesystem;

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE get() const { return h_; }
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!ok()) return true;
    const bool closed = CloseHandle(h_) != FALSE;
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

bool WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

fs::path WriteTarget(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved;
}

HANDLE CreateTemporaryBeside(const fs::path& target, fs::path& tempPath) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = target;
    tempPath += ".tmp" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    HANDLE h = CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

FileRead ReadWholeFile(const fs::path& path) {
  FileRead result;
  Handle h(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.ok()) {
    const DWORD err = GetLastError();
    result.status = err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing
                                                                                : ReadStatus::Failed;
    return result;
  }
  if (GetFileType(h.get()) != FILE_TYPE_DISK) {
    result.status = ReadStatus::Failed;
    return result;
  }
  char buffer[64 * 1024];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr)) {
      result.status = ReadStatus::Failed;
      return result;
    }
    if (n == 0) break;
    result.bytes.append(buffer, n);
  }
  result.status = ReadStatus::Complete;
  return result;
}

bool ReplaceFile(const fs::path& path, std::string_view bytes) {
  const fs::path target = WriteTarget(path);
  // A file the user made read-only is never written. Windows would refuse
  // the move below anyway; Wine lets it through, so ask first.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
  fs::path tempPath;
  Handle h(CreateTemporaryBeside(target, tempPath));
  if (!h.ok()) return false;
  bool written = WriteAll(h.get(), bytes) && FlushFileBuffers(h.get()) != FALSE;
  written = h.Close() && written;
  if (!written || !MoveFileExW(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(tempPath.c_str());
    return false;
  }
  return true;
}

}  // namespace snpp
