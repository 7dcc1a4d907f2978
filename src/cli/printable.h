#pragma once
// Text from files and from the server may hold control bytes; printed raw
// they could move the cursor or rewrite the terminal's title.

#include <string>
#include <string_view>

namespace snpp::cli {

// Control bytes become '?'; everything else, UTF-8 included, stays.
std::string Printable(std::string_view text);

}  // namespace snpp::cli
