#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "directory/names_file.h"

namespace snpp {

// What the user is told when the names list could not be saved where it
// belongs: where it was to go, and where it went instead (Kept) or where it
// could not be kept either (Failed, `elsewhere` being the kept-copy folder);
// or, for a list saved over a file that held text after a Ctrl-Z, where the
// file as it was went. Empty for a list that was simply saved. Paths come as
// the front end shows them; `elsewhere` is NamesFile::ReportedPath.
std::string UnsavedNamesText(NamesSave result, const std::string& listPath, const std::string& elsewhere);

// Told at every start while copies kept by an earlier run remain.
std::string KeptCopiesText(const std::vector<std::string>& paths);

namespace forms {

// A path as a face shows it: the ANSI code page on Windows, the file
// system's own bytes elsewhere.
using PathToText = std::function<std::string(const std::filesystem::path&)>;

// When a window tells the user about the names list's file. A list that
// could not be saved is reported once per run, however often it is saved
// again (at close, at the end of the session); copies kept by an earlier
// run are reported at every start until they are gone.
class NamesSaveReport {
 public:
  explicit NamesSaveReport(const NamesFile& file,
                           PathToText pathText = [](const std::filesystem::path& p) { return p.string(); });

  // After a save: the text to tell, or nothing when it was saved or the
  // user has been told already.
  std::optional<std::string> AfterSave(NamesSave result);
  // At start: the text naming the kept copies, or nothing.
  std::optional<std::string> KeptCopies() const;

 private:
  std::filesystem::path ListPath() const;

  const NamesFile& file_;
  PathToText pathText_;
  bool told_ = false;
};

}  // namespace forms
}  // namespace snpp
