#pragma once

#include <exception>
#include <functional>
#include <string>

#include "net/general_error_text.h"

// The general error display: what the user sees when a handler lets an
// error escape. The program goes on afterwards.
namespace snpp {

// Shows the message box (caption "SNPP Client", error icon, OK). One box
// at a time: errors raised while it is open are shown after it, each text
// once. Tests replace the presenter to see what would have been shown.
void showGeneralError(const std::string& message);
// The same for an error caught as it escaped; one that is not a
// std::exception has no message and is shown with empty text.
void showGeneralError(std::exception_ptr error);
// The same from the main loop once the current event is over: for errors
// caught inside socket events, whose handlers must not run nested in a box.
void postGeneralError(std::exception_ptr error);
using ErrorPresenter = std::function<void(const std::string& text)>;
ErrorPresenter setErrorPresenter(ErrorPresenter presenter);

}  // namespace snpp
