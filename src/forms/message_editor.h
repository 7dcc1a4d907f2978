#pragma once
// The message editor's neighbours: the counter beside it and the pick
// buttons that fill it.

#include <optional>
#include <string>

#include "directory/standard_messages.h"

namespace snpp::forms {

// The counter beside the editor: "(n)" for n characters.
std::string MessageCounterText(int characters);

// What pick button n puts into the editor, replacing all of it; nothing
// for a button whose standard message is empty.
std::optional<std::string> PickedMessage(const StandardMessages& messages, int n);

}  // namespace snpp::forms
