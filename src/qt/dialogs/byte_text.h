#pragma once

#include <QString>

#include <string>
#include <string_view>

// Stored texts are byte strings that need not be valid UTF-8 (a hand-edited
// names.txt or snppCl.ini in some other code page). Fields show them as
// UTF-8; every byte that is not part of a valid sequence is carried as the
// lone surrogate U+DC00 + byte, so that showing a text and reading it back
// gives the same bytes again.
namespace snpp::dialogs {

QString BytesToText(std::string_view bytes);
std::string TextToBytes(const QString& text);

}  // namespace snpp::dialogs
