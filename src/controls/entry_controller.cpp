#include "entry_controller.h"

#include "entry_field_messages.h"

namespace snpp {

std::string TEntryController::ErrorText(std::uint16_t code) const {
  if (code >= kErrUserFirst) return lastMessage_;
  return ValidationErrorText(code);
}

}  // namespace snpp
