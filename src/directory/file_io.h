#pragma once
// Whole-file reading and writing for the user's data files. A file is either
// read in full or the caller learns that it was not; a file is either written
// in full or left as it was.

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

// Makes the file at path hold bytes, or returns false with the file as it was.
//
// Where it changes nothing but the content, a new file is written beside the
// old one and renamed over it, so a crash half-way leaves the old file. Where
// a rename would change more (a file with several hard links, an owner we
// cannot give the new file) or cannot be done (a folder we may not create
// files in), the file is rewritten in place, with the room for the new
// content reserved first and the old content put back if the write fails.
// A symbolic link is followed and stays a link. A file the user made
// read-only (no write permission for anyone, or none for us) is never
// written, not even when we could (as root). Temporary files that an earlier
// run of ours left beside the file are removed.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace snpp
