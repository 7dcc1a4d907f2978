#include "forms/accessible_names.h"

namespace snpp::forms {

std::string PickButtonName(int n) { return "Standard message " + std::to_string(n); }

std::string_view NameDialogName(std::string_view nameShown) { return nameShown.empty() ? "Add name" : "Edit name"; }

bool IsSendOutcome(std::string_view status) {
  return status == "SUCCESS" || status == "CANCEL" || status.substr(0, 4) == "FAIL";
}

std::string_view CheckActionName(bool checked) { return checked ? "Uncheck" : "Check"; }

}  // namespace snpp::forms
