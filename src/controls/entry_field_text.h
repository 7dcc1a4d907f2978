#pragma once
// Conversions between the program's byte strings and the fields' character
// buffers. Bytes that are not valid UTF-8 become the code points
// U+DC80..U+DCFF and turn back into the same bytes, so any byte string
// survives a trip through a field.

#include <string>
#include <string_view>

namespace snpp {

std::u32string TextFromBytes(std::string_view bytes);
std::string BytesFromText(std::u32string_view text);

}  // namespace snpp
