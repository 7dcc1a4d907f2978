#pragma once
// What assistive technology is told about controls whose visible caption
// says little or nothing: the pick buttons show only a digit, the log pane
// has no caption, the name dialog's caption is a blank. The captions stay
// as they are; these texts go only to screen readers, on both faces.

#include <string>
#include <string_view>

namespace snpp::forms {

// Pick button n (1..8): "Standard message n".
std::string PickButtonName(int n);

inline constexpr char kSendLogName[] = "Send log";

// The name dialog opens empty to add a name and filled in to edit one.
std::string_view NameDialogName(std::string_view nameShown);

// Whether a status caption is the outcome of a send (SUCCESS, FAIL …,
// CANCEL), which a screen reader should speak unasked.
bool IsSendOutcome(std::string_view status);

// The default action of a check-list row: what pressing it would do.
std::string_view CheckActionName(bool checked);

}  // namespace snpp::forms
