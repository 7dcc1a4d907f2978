#pragma once
// names.txt: the recipient list, one entry per line, CR LF after each.
//
// Reading: a line ends at CR, and an LF right after that CR belongs to the
// break; a lone LF stays inside the entry. Byte 26 (Ctrl-Z) ends the file.
// A last line without a break is still an entry, and so is an empty line.
// Entries are raw bytes: nothing is trimmed, converted or validated.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace snpp {

inline constexpr char kNamesFileName[] = "names.txt";

// complete = false means the bytes stop where a read failed: the line that
// was being read when it failed is not an entry then.
std::vector<std::string> ParseNames(std::string_view bytes, bool complete = true);

// Each entry followed by CR LF. A CR or Ctrl-Z byte inside an entry would
// split it or cut off every later line on the next load, so such a byte is
// written as a blank.
std::string FormatNames(const std::vector<std::string>& entries);

enum class NamesLoad {
  NotLoaded,
  Complete,    // the file was read in full
  Missing,     // there was no file: the list starts empty
  Incomplete,  // the file exists but could not be read in full
};

enum class NamesSave {
  Saved,       // the file now holds the list
  SavedAside,  // the file was left alone; the list went to AsidePath()
  Failed,      // nothing was written; every file is as it was
};

// The list's file, remembering whether it was read in full so that a list
// loaded from a file we could not read never replaces that file.
class NamesFile {
 public:
  explicit NamesFile(std::filesystem::path path = kNamesFileName);

  // Never fails loudly: a missing file is an empty list, a read that fails
  // half-way gives the entries before the failure.
  std::vector<std::string> Load();

  // Replaces the file in one step (a failed write leaves it untouched). After
  // an incomplete load, or when nothing was loaded but a file exists, the file
  // is kept and the list is written to "<file>.unsaved" (or ".unsaved.N"
  // when that is taken) instead.
  NamesSave Save(const std::vector<std::string>& entries);

  NamesLoad LoadState() const { return load_; }
  const std::filesystem::path& Path() const { return path_; }
  const std::filesystem::path& AsidePath() const { return aside_; }

 private:
  bool MayReplaceFile() const;
  std::filesystem::path ChooseAsidePath() const;

  std::filesystem::path path_;
  NamesLoad load_ = NamesLoad::NotLoaded;
  std::filesystem::path aside_;
};

}  // namespace snpp
