#pragma once
// Whole-file reading and replacing for the user's data files. A file is
// either read in full or the caller learns that it was not; a file is either
// replaced in full or left as it was.

#include <filesystem>
#include <string>
#include <string_view>

namespace snpp {

enum class ReadStatus {
  Complete,  // every byte was read
  Missing,   // there is no such file
  Failed,    // it exists but could not be read in full (or is no regular file)
};

struct FileRead {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;  // what was read before any failure
};

FileRead ReadWholeFile(const std::filesystem::path& path);

// Writes bytes to a new file beside path and renames it over path, so that a
// full disk or a crash half-way leaves the old file untouched. A symbolic
// link at path is followed (the link stays), the old file's permission bits
// are kept. Returns false, with nothing changed, on any failure.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace snpp
