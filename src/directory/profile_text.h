#pragma once
// The profile (ini) text format, on in-memory text: "[section]" lines, then
// "key=value" lines. Lines may end in CR LF, LF or CR; lines starting with
// ';' are comments. Section and key names match ignoring ASCII case.
//
// Values are read with blanks and tabs around them removed and one pair of
// matching quotes ('...' or "...") around them stripped, so a value written
// here is quoted whenever that would otherwise change it: every text reads
// back exactly as written.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace snpp {

// Bytes of the caller's buffer, terminating zero included: values longer
// than 2047 bytes are cut.
inline constexpr std::size_t kProfileBufferSize = 2048;

// The value of key in section, or defaultValue when the section or key is
// missing; cut to bufferSize - 1 bytes (never inside a UTF-8 character).
// The first matching key wins, looking through matching sections in order.
std::string ReadProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize = kProfileBufferSize);

// Whether section has key (names compared as ReadProfileValue does).
bool HasProfileKey(std::string_view text, std::string_view section, std::string_view key);

// The text with key set to value: the key's value is replaced in place, or
// the key is added at the end of its section, or the section is added at the
// end of the text. Every other byte stays as it was. Empty when the names or
// the value cannot be stored so that they read back (line breaks in them,
// '=' in a key, ']' in a section, blanks around a name, and the like).
std::optional<std::string> WriteProfileValue(std::string_view text, std::string_view section,
                                             std::string_view key, std::string_view value);

}  // namespace snpp
