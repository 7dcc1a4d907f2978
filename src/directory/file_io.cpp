#include "directory/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <optional>
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

bool WriteAllAt(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

// The file a write must land in: the target of a symbolic link, so that the
// link stays a link.
fs::path WriteTarget(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved;
}

constexpr std::string_view kTempTag = ".tmp";

fs::path TemporaryName(const fs::path& target, long pid, unsigned n) {
  fs::path name = target;
  name += std::string(kTempTag) + std::to_string(pid) + "-" + std::to_string(n);
  return name;
}

// Opens a fresh file next to target; O_EXCL makes sure it is our own.
int CreateTemporaryBeside(const fs::path& target, fs::path& tempPath) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = TemporaryName(target, ::getpid(), counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// "<digits>-<digits>" gives the process that wrote a temporary of ours.
std::optional<long> TemporaryOwner(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == rest.size()) return std::nullopt;
  const auto digits = [](std::string_view s) {
    return s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1)) || dash > 9) return std::nullopt;
  return std::stol(std::string(rest.substr(0, dash)));
}

bool ProcessAlive(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// A crash between creating a temporary and renaming it leaves the temporary
// behind; one whose writer is gone is ours to remove. A running copy's is not.
void RemoveStrayTemporaries(const fs::path& target) {
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  const std::string prefix = target.filename().string() + std::string(kTempTag);
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::optional<long> owner = TemporaryOwner(std::string_view(name).substr(prefix.size()));
    std::error_code statEc;
    if (!owner || ProcessAlive(*owner) || !fs::is_regular_file(it->symlink_status(statEc))) continue;
    ::unlink(it->path().c_str());
  }
}

void SyncDirectoryOf(const fs::path& target) {
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.ok()) ::fsync(fd.get());  // best effort: the rename itself succeeded
}

// Read-only means read-only, also to root, who could write it anyway.
bool MayWrite(const fs::path& target, const struct stat& st) {
  return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

enum class Beside { Replaced, NotPossible };

// old is null when there is no file yet.
Beside WriteBesideAndRename(const fs::path& target, std::string_view bytes, const struct stat* old) {
  fs::path tempPath;
  Fd fd(CreateTemporaryBeside(target, tempPath));
  if (!fd.ok()) return Beside::NotPossible;
  bool written = true;
  if (old != nullptr) {
    // The same owner, or the rename would hand the file to someone else;
    // mode after owner, since a change of owner can clear set-id bits.
    [[maybe_unused]] const int owned = ::fchown(fd.get(), old->st_uid, old->st_gid);
    struct stat now {};
    written = ::fstat(fd.get(), &now) == 0 && now.st_uid == old->st_uid && now.st_gid == old->st_gid &&
              ::fchmod(fd.get(), old->st_mode & 07777) == 0;
  }
  written = written && WriteAllAt(fd.get(), bytes, 0) && ::fsync(fd.get()) == 0;
  written = fd.Close() && written;
  if (!written || ::rename(tempPath.c_str(), target.c_str()) != 0) {
    ::unlink(tempPath.c_str());
    return Beside::NotPossible;
  }
  SyncDirectoryOf(target);
  return Beside::Replaced;
}

// Rewrites the file itself. The room is taken before any old byte is
// overwritten, so a full disk fails without damage; should a write still
// fail, the old content goes back.
bool WriteInPlace(const fs::path& target, std::string_view bytes) {
  const FileRead old = ReadWholeFile(target);
  if (old.status != ReadStatus::Complete) return false;
  Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.ok()) return false;
  const off_t oldSize = static_cast<off_t>(old.bytes.size());
  const off_t newSize = static_cast<off_t>(bytes.size());
  if (newSize > oldSize && ::posix_fallocate(fd.get(), 0, newSize) != 0) {
    [[maybe_unused]] const int cut = ::ftruncate(fd.get(), oldSize);
    return false;
  }
  if (WriteAllAt(fd.get(), bytes, 0) && ::ftruncate(fd.get(), newSize) == 0 && ::fsync(fd.get()) == 0) {
    return fd.Close();
  }
  WriteAllAt(fd.get(), old.bytes, 0);
  [[maybe_unused]] const int cut = ::ftruncate(fd.get(), oldSize);
  ::fsync(fd.get());
  return false;
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
  result.bytes.reserve(static_cast<std::size_t>(st.st_size));  // one allocation, not a doubling series
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
  RemoveStrayTemporaries(target);
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0) {
    return errno == ENOENT && WriteBesideAndRename(target, bytes, nullptr) == Beside::Replaced;
  }
  if (!S_ISREG(old.st_mode) || !MayWrite(target, old)) return false;
  if (old.st_nlink == 1 && WriteBesideAndRename(target, bytes, &old) == Beside::Replaced) return true;
  return WriteInPlace(target, bytes);
}

}  // namespace snpp
