#pragma once

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

}  // namespace snpp
