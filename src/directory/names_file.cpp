#include "directory/names_file.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <process.h>
#include <windows.h>
#undef ReplaceFile  // ours, not the system's
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <map>
#include <new>
#include <system_error>
#include <utility>

#include "directory/file_io.h"

namespace snpp {
namespace {

namespace fs = std::filesystem;

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kCtrlZ = '\x1a';
constexpr int kMaxKeptNames = 1000;
constexpr char kKeptPrefix[] = "names-";
constexpr char kOldCopyPrefix[] = "original-names-";  // not a list to offer back at start
constexpr char kKeptSuffix[] = ".txt";
constexpr int kLockTries = 100;
constexpr int kLockPauseMilliseconds = 50;

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// Two copies saving at the same moment take turns: each reads, merges and
// writes while it holds the folder's lock. Best effort, no lock file left
// behind, and never more than a few seconds' wait for a copy that hangs.
#ifdef _WIN32
// On Windows the folder's lock is a named mutex, one per folder.
class DirectoryLock {
 public:
  explicit DirectoryLock(const fs::path& file) {
    std::error_code ec;
    const fs::path dir = fs::absolute(file, ec).parent_path();
    const std::wstring name = L"Local\\orvant-snpp-names-" + std::to_wstring(std::hash<std::wstring>{}(dir.wstring()));
    mutex_ = ::CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex_ != nullptr) {
      const DWORD got = ::WaitForSingleObject(mutex_, kLockTries * kLockPauseMilliseconds);
      owned_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    }
  }
  ~DirectoryLock() {
    if (owned_) ::ReleaseMutex(mutex_);
    if (mutex_ != nullptr) ::CloseHandle(mutex_);
  }
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

 private:
  HANDLE mutex_ = nullptr;
  bool owned_ = false;
};

int ProcessId() { return ::_getpid(); }
void LocalTime(std::time_t now, std::tm* local) { ::localtime_s(local, &now); }
#else
class DirectoryLock {
 public:
  explicit DirectoryLock(const fs::path& file) {
    fs::path dir = file.parent_path();
    fd_ = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int tries = 0; fd_ >= 0 && tries < kLockTries; ++tries) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) break;
      ::usleep(kLockPauseMilliseconds * 1000);
    }
  }
  ~DirectoryLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

 private:
  int fd_ = -1;
};

int ProcessId() { return ::getpid(); }
void LocalTime(std::time_t now, std::tm* local) { ::localtime_r(&now, local); }
#endif

bool AlreadyHolds(const FileRead& now, const std::string& bytes) {
  return now.status == ReadStatus::Complete && now.bytes == bytes;
}

// names-<date>-<time>-<process>.txt: a new name for every run, so a run
// never writes over a copy an earlier run kept.
fs::path NewKeptName(const fs::path& dir, const char* prefix = kKeptPrefix) {
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  LocalTime(now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = prefix + std::string(stamp) + "-" + std::to_string(ProcessId());
  for (int n = 0; n < kMaxKeptNames; ++n) {
    const fs::path candidate = dir / (base + (n == 0 ? "" : "-" + std::to_string(n)) + kKeptSuffix);
    if (!Exists(candidate)) return candidate;
  }
  return {};
}

// Bytes after the Ctrl-Z that ends the file, other than more of them (old
// editors pad the last block with it).
bool HasTextAfterEnd(std::string_view bytes) {
  const std::size_t end = bytes.find(kCtrlZ);
  return end != std::string_view::npos && bytes.find_first_not_of(kCtrlZ, end) != std::string_view::npos;
}

}  // namespace

std::vector<std::string> ParseNames(std::string_view bytes, bool complete) {
  std::vector<std::string> entries;
  std::string line;
  bool inLine = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == kCtrlZ) {
      complete = true;  // the file ends here, whatever followed
      break;
    }
    if (c == kCr) {
      entries.push_back(std::move(line));
      line.clear();
      inLine = false;
      if (i + 1 < bytes.size() && bytes[i + 1] == kLf) ++i;
      continue;
    }
    line.push_back(c);
    inLine = true;
  }
  if (inLine && complete) entries.push_back(std::move(line));
  return entries;
}

std::string FormatNames(const std::vector<std::string>& entries) {
  std::string bytes;
  for (const std::string& entry : entries) {
    for (char c : entry) bytes.push_back(c == kCr || c == kCtrlZ ? ' ' : c);
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<std::string> MergeNames(const std::vector<std::string>& loaded,
                                    const std::vector<std::string>& current,
                                    const std::vector<std::string>& onDisk) {
  std::map<std::string_view, int> balance;  // > 0 added, < 0 deleted by this session
  for (const std::string& e : current) ++balance[e];
  for (const std::string& e : loaded) --balance[e];
  std::vector<std::string> merged;
  merged.reserve(onDisk.size());
  for (const std::string& e : onDisk) {
    const auto it = balance.find(e);
    if (it != balance.end() && it->second < 0) {
      ++it->second;
      continue;
    }
    merged.push_back(e);
  }
  for (const std::string& e : current) {
    int& added = balance[e];
    if (added > 0) {
      --added;
      merged.push_back(e);
    }
  }
  return merged;
}

NamesFile::NamesFile(fs::path path, fs::path keptDir) : path_(std::move(path)), keptDir_(std::move(keptDir)) {}

// The state is set only once the entries are parsed; the caller marks the
// load incomplete should they not all reach the list.
std::vector<std::string> NamesFile::Load() {
  load_ = NamesLoad::NotLoaded;
  loaded_.clear();
  const FileRead read = ReadWholeFile(path_);
  switch (read.status) {
    case ReadStatus::Complete:
      loaded_ = ParseNames(read.bytes);
      load_ = NamesLoad::Complete;
      return loaded_;
    case ReadStatus::Missing:
      load_ = NamesLoad::Missing;
      return {};
    case ReadStatus::Failed:
      load_ = NamesLoad::Incomplete;
      return ParseNames(read.bytes, false);
  }
  return {};
}

bool NamesFile::MayReplaceFile() const {
  switch (load_) {
    case NamesLoad::Complete:
    case NamesLoad::Missing:
      return true;
    case NamesLoad::Incomplete:
      return false;
    case NamesLoad::NotLoaded:
      return !Exists(path_);
  }
  return false;
}

// Another copy of the program working in the same folder may have saved
// since we read the file. Rather than let the last to close win, our adds,
// edits and deletes are applied to what is on disk now (`now`), so neither
// copy's changes are lost. Empty when the file can no longer be read.
std::optional<std::vector<std::string>> NamesFile::WithOthersChanges(const FileRead& now,
                                                                     const std::vector<std::string>& entries,
                                                                     const ListOrder& order) const {
  if (now.status == ReadStatus::Missing) return entries;
  if (now.status == ReadStatus::Failed) return std::nullopt;
  const std::vector<std::string> onDisk = ParseNames(now.bytes);
  if (onDisk == loaded_) return entries;
  std::vector<std::string> merged = MergeNames(loaded_, entries, onDisk);
  return order ? order(merged) : merged;
}

NamesSave NamesFile::Save(const std::vector<std::string>& entries, const ListOrder& order) {
  const DirectoryLock lock(path_);
  // Merely starting the program in a folder must not leave a file there:
  // a list that had no file and is still empty needs none.
  if (entries.empty() && (load_ == NamesLoad::Missing || load_ == NamesLoad::NotLoaded) && !Exists(path_)) {
    return NamesSave::Saved;
  }
  // The file as it is now, read once for the merge, the check for a
  // needless write and the text after a Ctrl-Z.
  FileRead now;
  std::optional<std::vector<std::string>> toWrite;
  try {
    if (MayReplaceFile()) {
      now = ReadWholeFile(path_);
      toWrite = WithOthersChanges(now, entries, order);
    }
  } catch (const std::bad_alloc&) {
    toWrite.reset();  // no room to merge: the session's list is kept instead
  }
  const std::string bytes = FormatNames(toWrite ? *toWrite : entries);
  // A list that is already on disk as it stands needs no write: a read-only
  // list the user only looked at stays where it is, with no kept copy.
  if (toWrite && AlreadyHolds(now, bytes)) {
    load_ = NamesLoad::Complete;
    loaded_ = std::move(*toWrite);
    return NamesSave::Saved;
  }
  if (toWrite) {
    const OldText old = KeepTextAfterEnd(now);
    if (old != OldText::Failed && ReplaceFile(path_, bytes)) {
      load_ = NamesLoad::Complete;
      loaded_ = std::move(*toWrite);
      return old == OldText::Kept ? NamesSave::SavedOldKept : NamesSave::Saved;
    }
    if (old == OldText::Kept) {
      std::error_code ec;
      fs::remove(oldCopy_, ec);  // the file still holds it
      oldCopy_.clear();
    }
  }
  return Keep(bytes);
}

// The list never shows what follows a Ctrl-Z, so writing it back would lose
// that text for good: the file as it is goes to a copy first, or, should
// that fail, the file is not replaced at all.
NamesFile::OldText NamesFile::KeepTextAfterEnd(const FileRead& now) {
  if (now.status != ReadStatus::Complete || !HasTextAfterEnd(now.bytes)) return OldText::None;
  std::error_code ec;
  fs::create_directories(keptDir_, ec);
  const fs::path name = NewKeptName(keptDir_, kOldCopyPrefix);
  if (name.empty() || !ReplaceFile(name, now.bytes)) return OldText::Failed;
  oldCopy_ = name;
  return OldText::Kept;
}

fs::path NamesFile::ReportedPath(NamesSave result) const {
  switch (result) {
    case NamesSave::Kept: return kept_;
    case NamesSave::SavedOldKept: return oldCopy_;
    case NamesSave::Saved:
    case NamesSave::Failed: break;
  }
  return keptDir_;
}

NamesSave NamesFile::Keep(const std::string& bytes) {
  if (!kept_.empty()) return ReplaceFile(kept_, bytes) ? NamesSave::Kept : NamesSave::Failed;
  std::error_code ec;
  fs::create_directories(keptDir_, ec);
  const fs::path name = NewKeptName(keptDir_);
  if (name.empty() || !ReplaceFile(name, bytes)) return NamesSave::Failed;
  kept_ = name;
  return NamesSave::Kept;
}

std::vector<fs::path> FindKeptCopies(const fs::path& keptDir, const fs::path& namesPath) {
  std::vector<std::pair<fs::file_time_type, fs::path>> found;
  const auto collect = [&](const fs::path& dir, const std::string& prefix, const std::string& suffix) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      const bool matches = name.size() >= prefix.size() + suffix.size() && name.rfind(prefix, 0) == 0 &&
                           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
      std::error_code fileEc;
      if (matches && it->is_regular_file(fileEc)) found.emplace_back(it->last_write_time(fileEc), it->path());
    }
  };
  collect(keptDir, kKeptPrefix, kKeptSuffix);
  fs::path besideNames = namesPath.parent_path();
  collect(besideNames.empty() ? fs::path(".") : besideNames, namesPath.filename().string() + ".unsaved", "");
  std::sort(found.begin(), found.end());
  std::vector<fs::path> paths;
  for (auto& [time, path] : found) paths.push_back(std::move(path));
  return paths;
}

}  // namespace snpp
