#pragma once

#include <exception>
#include <string>

// The text of the general error display, shared by both front ends: what
// the user reads when a handler lets an error escape.
namespace snpp {

// The message, with a full stop added when its last character sorts after
// "." (so "Host not found" reads as a sentence).
std::string generalErrorText(const std::string& message);

// The escaped error's message; one that is not a std::exception has none.
std::string errorMessageOf(std::exception_ptr error);

}  // namespace snpp
