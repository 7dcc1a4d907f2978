#pragma once
// The main window as every face makes it: the caption it takes once shown,
// and how often its timer drives the send.

namespace snpp::forms {

// Before it is shown the window carries its maker's caption.
inline constexpr char kMainWindowCaption[] = "Orvant SNPP Client";

// In milliseconds: SendController::kTicksPerUnit ticks make one second of
// the send's limits.
inline constexpr int kSendTimerInterval = 333;

}  // namespace snpp::forms
