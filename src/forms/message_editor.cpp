#include "forms/message_editor.h"

namespace snpp::forms {

std::string MessageCounterText(int characters) { return "(" + std::to_string(characters) + ")"; }

std::optional<std::string> PickedMessage(const StandardMessages& messages, int n) {
  const std::string& text = messages.Message(n);
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace snpp::forms
