#include "qt/dialogs/scalable_face.h"

#include <cstdint>

namespace snpp {
namespace {

// Offsets in the OS/2 table.
constexpr int kTypoAscender = 68;
constexpr int kTypoDescender = 70;
constexpr int kTypoLineGap = 72;
constexpr int kWinAscent = 74;
constexpr int kWinDescent = 76;
constexpr int kOs2Needed = 78;

int Read16(const QByteArray& b, qsizetype at) {
  return (static_cast<std::uint8_t>(b[at]) << 8) | static_cast<std::uint8_t>(b[at + 1]);
}

qsizetype Read32(const QByteArray& b, qsizetype at) {
  return (static_cast<qsizetype>(Read16(b, at)) << 16) | Read16(b, at + 2);
}

void Write16(QByteArray& b, qsizetype at, int value) {
  b[at] = static_cast<char>((value >> 8) & 0xFF);
  b[at + 1] = static_cast<char>(value & 0xFF);
}

}  // namespace

QByteArray WithDesktopLineMetrics(QByteArray face) {
  if (face.size() < 12) return face;
  const int tables = Read16(face, 4);
  if (face.size() < 12 + 16 * static_cast<qsizetype>(tables)) return face;
  for (int i = 0; i < tables; ++i) {
    const qsizetype record = 12 + 16 * static_cast<qsizetype>(i);
    const QByteArray tag = face.mid(record, 4);
    if (tag == "EBLC") {
      face[record + 3] = 'c';  // still sorted between EBDT and the next tag
    } else if (tag == "OS/2") {
      const qsizetype os2 = Read32(face, record + 8);
      if (os2 < 0 || os2 + kOs2Needed > face.size()) continue;
      Write16(face, os2 + kTypoAscender, Read16(face, os2 + kWinAscent));
      Write16(face, os2 + kTypoDescender, -Read16(face, os2 + kWinDescent));
      Write16(face, os2 + kTypoLineGap, 0);
    }
  }
  return face;
}

}  // namespace snpp
