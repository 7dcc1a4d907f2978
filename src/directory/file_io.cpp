#include "directory/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace snpp {
namespace {

namespace fs = std::filesystem;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Close(); }
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  bool Close() {
    if (fd_ < 0) return true;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file a write must land in: the target of a symbolic link, so that the
// rename does not turn the link into a plain file.
fs::path WriteTarget(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved;
}

// Opens a fresh file next to target; O_EXCL makes sure it is our own.
int CreateTemporaryBeside(const fs::path& target, fs::path& tempPath) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = target;
    tempPath += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncDirectoryOf(const fs::path& target) {
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.ok()) ::fsync(fd.get());  // best effort: the rename itself succeeded
}

}  // namespace

FileRead ReadWholeFile(const fs::path& path) {
  FileRead result;
  // O_NONBLOCK so that a FIFO in the file's place cannot hang us.
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.ok()) {
    result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    return result;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    result.status = ReadStatus::Failed;
    return result;
  }
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.status = ReadStatus::Failed;
      return result;
    }
    if (n == 0) break;
    result.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  result.status = ReadStatus::Complete;
  return result;
}

bool ReplaceFile(const fs::path& path, std::string_view bytes) {
  const fs::path target = WriteTarget(path);
  fs::path tempPath;
  Fd fd(CreateTemporaryBeside(target, tempPath));
  if (!fd.ok()) return false;

  struct stat old {};
  bool written = true;
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    // Keep the owner when we may (running as root); mode after owner, since
    // a change of owner can clear set-id bits.
    [[maybe_unused]] const int owned = ::fchown(fd.get(), old.st_uid, old.st_gid);
    written = ::fchmod(fd.get(), old.st_mode & 07777) == 0;
  }
  written = written && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
  written = fd.Close() && written;
  if (!written || ::rename(tempPath.c_str(), target.c_str()) != 0) {
    ::unlink(tempPath.c_str());
    return false;
  }
  SyncDirectoryOf(target);
  return true;
}

}  // namespace snpp
