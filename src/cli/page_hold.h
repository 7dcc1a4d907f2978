#pragma once
// --at TIME as the HOLD command of RFC 1861: the time in UTC, as
// YYMMDDHHMMSS with the difference "+0000", so the gateway's own time zone
// does not matter.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace snpp::cli {

// TIME is "YYYY-MM-DD HH:MM[:SS]" (or with a 'T'), or "HH:MM[:SS]" (the next
// such time from now), in local time. A time already past is an error.
std::optional<std::string> HoldCommand(std::string_view time, std::time_t now, std::string& error);

}  // namespace snpp::cli
