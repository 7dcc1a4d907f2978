#include "forms/names_save_report.h"

#include <utility>

namespace snpp {

std::string UnsavedNamesText(NamesSave result, const std::string& listPath, const std::string& elsewhere) {
  switch (result) {
    case NamesSave::Saved:
      return {};
    case NamesSave::SavedOldKept:
      return listPath + "\nheld text after an end-of-file mark (Ctrl-Z), which the names list does not show.\n\n"
                        "The file as it was has been kept in\n" + elsewhere;
    case NamesSave::Kept:
      return "The names list could not be saved in\n" + listPath + "\n\nIt has been kept in\n" + elsewhere;
    case NamesSave::Failed:
      break;
  }
  return "The names list could not be saved in\n" + listPath + "\n\nnor kept in\n" + elsewhere;
}

std::string KeptCopiesText(const std::vector<std::string>& paths) {
  std::string text = "Names that could not be saved in an earlier run are kept in:\n";
  for (const std::string& path : paths) text += "\n" + path;
  return text;
}

}  // namespace snpp

namespace snpp::forms {

NamesSaveReport::NamesSaveReport(const NamesFile& file, PathToText pathText)
    : file_(file), pathText_(std::move(pathText)) {}

// The full path, so the user can find the file; the path as given when the
// working folder is gone.
std::filesystem::path NamesSaveReport::ListPath() const {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(file_.Path(), error);
  return error ? file_.Path() : full;
}

std::optional<std::string> NamesSaveReport::AfterSave(NamesSave result) {
  if (result == NamesSave::Saved || told_) return std::nullopt;
  told_ = true;
  return UnsavedNamesText(result, pathText_(ListPath()), pathText_(file_.ReportedPath(result)));
}

std::optional<std::string> NamesSaveReport::KeptCopies() const {
  const std::vector<std::filesystem::path> kept = FindKeptCopies(file_.KeptDirectory(), ListPath());
  if (kept.empty()) return std::nullopt;
  std::vector<std::string> paths;
  for (const std::filesystem::path& path : kept) paths.push_back(pathText_(path));
  return KeptCopiesText(paths);
}

}  // namespace snpp::forms
