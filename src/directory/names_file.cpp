#include "directory/names_file.h"

#include <system_error>

#include "directory/file_io.h"

namespace snpp {
namespace {

namespace fs = std::filesystem;

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kCtrlZ = '\x1a';
constexpr int kMaxAsideFiles = 1000;

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
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

NamesFile::NamesFile(fs::path path) : path_(std::move(path)) {}

std::vector<std::string> NamesFile::Load() {
  const FileRead read = ReadWholeFile(path_);
  switch (read.status) {
    case ReadStatus::Complete:
      load_ = NamesLoad::Complete;
      return ParseNames(read.bytes);
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

fs::path NamesFile::ChooseAsidePath() const {
  if (!aside_.empty()) return aside_;  // one run keeps rewriting its own copy
  fs::path candidate = path_;
  candidate += ".unsaved";
  for (int n = 1; Exists(candidate) && n <= kMaxAsideFiles; ++n) {
    candidate = path_;
    candidate += ".unsaved." + std::to_string(n);
  }
  return Exists(candidate) ? fs::path() : candidate;
}

NamesSave NamesFile::Save(const std::vector<std::string>& entries) {
  const std::string bytes = FormatNames(entries);
  if (MayReplaceFile()) {
    if (!ReplaceFile(path_, bytes)) return NamesSave::Failed;
    load_ = NamesLoad::Complete;
    return NamesSave::Saved;
  }
  const fs::path aside = ChooseAsidePath();
  if (aside.empty() || !ReplaceFile(aside, bytes)) return NamesSave::Failed;
  aside_ = aside;
  return NamesSave::SavedAside;
}

}  // namespace snpp
