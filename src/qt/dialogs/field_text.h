#pragma once

#include <QLineEdit>

#include <string>
#include <string_view>

// An entry field's character limit holds for typing only. A longer text
// put in by the program (an entry from a hand-edited names.txt, a message
// read from snppCl.ini) is shown whole, so reading the field back never
// cuts it; the user may edit such a text but never make it longer than it
// came in.
namespace snpp::dialogs {

void SetFieldBytes(QLineEdit& edit, int typedLimit, std::string_view bytes);
std::string FieldBytes(const QLineEdit& edit);

}  // namespace snpp::dialogs
