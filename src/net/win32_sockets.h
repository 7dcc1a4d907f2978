#pragma once

namespace snpp::net::win32 {

// The 47 functions of the Windows Sockets 1.1 library by ordinal: the
// Berkeley calls 1-23, the database calls 51-57, the WSA calls 101-116 and
// __WSAFDIsSet.
inline constexpr int kLibraryOrdinals[] = {
    1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,
    17,  18,  19,  20,  21,  22,  23,  51,  52,  53,  54,  55,  56,  57,  101, 102,
    103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 151};

// What an ordinal resolved to in the loaded library; nullptr before a load.
void* LibraryEntry(int ordinal);

}  // namespace snpp::net::win32
