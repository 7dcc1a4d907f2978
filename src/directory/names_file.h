#pragma once
// names.txt: the recipient list, one entry per line, CR LF after each.
//
// Reading: a line ends at CR, and an LF right after that CR belongs to the
// break; a lone LF stays inside the entry. Byte 26 (Ctrl-Z) ends the file.
// A last line without a break is still an entry, and so is an empty line.
// Entries are raw bytes: nothing is trimmed, converted or validated.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/user_folders.h"

namespace snpp {

struct FileRead;

inline constexpr char kNamesFileName[] = "names.txt";

// complete = false means the bytes stop where a read failed: the line that
// was being read when it failed is not an entry then.
std::vector<std::string> ParseNames(std::string_view bytes, bool complete = true);

// Each entry followed by CR LF. A CR or Ctrl-Z byte inside an entry would
// split it or cut off every later line on the next load, so such a byte is
// written as a blank.
std::string FormatNames(const std::vector<std::string>& entries);

// The session's own changes applied to the list as another copy of the
// program left it on disk: every entry this session added (in current, not
// in loaded) is added to onDisk, every entry it deleted (in loaded, not in
// current) is taken out of onDisk once, if it is still there. An edit is a
// delete and an add. The result keeps onDisk's order, with the additions
// last.
std::vector<std::string> MergeNames(const std::vector<std::string>& loaded,
                                    const std::vector<std::string>& current,
                                    const std::vector<std::string>& onDisk);

enum class NamesLoad {
  NotLoaded,
  Complete,    // the file was read in full and every entry reached the list
  Missing,     // there was no file: the list starts empty
  Incomplete,  // the file exists but could not be read in full
};

enum class NamesSave {
  Saved,   // the file now holds the list
  // The file now holds the list; it had held text after a Ctrl-Z, which no
  // load shows, so the file as it was went to OldCopyPath() first.
  SavedOldKept,
  Kept,    // the file could not be written: the list went to KeptPath()
  Failed,  // nothing could be written anywhere
};

// The list's file. It remembers what it read, so that a list loaded from a
// file we could not read in full never replaces that file, and so that a
// file another copy of the program saved meanwhile is merged, not overwritten.
class NamesFile {
 public:
  // keptDir: where the list goes when it cannot be saved in path.
  explicit NamesFile(std::filesystem::path path = kNamesFileName,
                     std::filesystem::path keptDir = KeptCopiesDirectory());

  // Never fails loudly: a missing file is an empty list, a read that fails
  // half-way gives the entries before the failure.
  std::vector<std::string> Load();
  // The loaded entries did not all reach the list: the file must not be
  // replaced by it.
  void MarkIncomplete() { load_ = NamesLoad::Incomplete; }

  // Puts a merged list into the list's own order (and shows it there).
  using ListOrder = std::function<std::vector<std::string>(const std::vector<std::string>& merged)>;

  // Writes entries to the file (see ReplaceFile). When the file changed on
  // disk since it was read, the session's changes are merged into it
  // (MergeNames) and the merged list, put in order by `order`, is written.
  // When the file may not or cannot be written (an incomplete load, a
  // read-only file or folder, a full disk), the list is kept in a new file
  // in keptDir instead; one run rewrites its own kept copy. An empty list
  // whose file did not exist when loaded, and still does not, writes nothing.
  NamesSave Save(const std::vector<std::string>& entries, const ListOrder& order = {});

  NamesLoad LoadState() const { return load_; }
  const std::filesystem::path& Path() const { return path_; }
  const std::filesystem::path& KeptDirectory() const { return keptDir_; }
  const std::filesystem::path& KeptPath() const { return kept_; }
  const std::filesystem::path& OldCopyPath() const { return oldCopy_; }
  // The place to name when telling the user what a save did: the kept
  // list, the old file's copy, or the folder where nothing could be kept.
  std::filesystem::path ReportedPath(NamesSave result) const;

 private:
  bool MayReplaceFile() const;
  std::optional<std::vector<std::string>> WithOthersChanges(const FileRead& now,
                                                            const std::vector<std::string>& entries,
                                                            const ListOrder& order) const;
  NamesSave Keep(const std::string& bytes);
  enum class OldText { None, Kept, Failed };
  OldText KeepTextAfterEnd(const FileRead& now);

  std::filesystem::path path_;
  std::filesystem::path keptDir_;
  NamesLoad load_ = NamesLoad::NotLoaded;
  std::vector<std::string> loaded_;  // the file's entries as last read or written
  std::filesystem::path kept_;
  std::filesystem::path oldCopy_;
};

// Kept copies of names lists in keptDir, and the copies an earlier version
// left beside namesPath ("names.txt.unsaved", ".unsaved.N"), oldest first.
std::vector<std::filesystem::path> FindKeptCopies(const std::filesystem::path& keptDir,
                                                  const std::filesystem::path& namesPath);

}  // namespace snpp
