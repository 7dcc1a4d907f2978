#include "directory/names_save_report.h"

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
