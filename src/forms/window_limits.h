#pragma once
// How much the windows let a user type. The same in every face.

#include "directory/standard_messages.h"

namespace snpp::forms {

inline constexpr int kMessageLimit = 999;          // the message editor, in characters
inline constexpr int kPagerNumberLimit = 10;       // the main window's pager number
inline constexpr int kNameLimit = 15;              // a name in the name dialog
inline constexpr int kPagerIDLimit = 14;           // a pager ID in the name dialog
inline constexpr int kStandardMessageLimit = 100;  // one standard message in the configuration dialog
inline constexpr int kServerIPLimit = 35;          // the configuration dialog's server address
inline constexpr int kStandardMessageCount = StandardMessages::kCount;

// A field's limit holds for typing only. A longer text put in by the
// program (an entry from a hand-edited names.txt, a message read from
// snppCl.ini) is shown whole, so reading the field back never cuts it; the
// user may shorten it but never make it longer than it came in.
constexpr int ShownFieldLimit(int typedLimit, int shownLength) {
  return shownLength > typedLimit ? shownLength : typedLimit;
}

}  // namespace snpp::forms
