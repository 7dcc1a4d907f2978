#pragma once

class QApplication;
class QFont;

namespace snpp {
// Registers and sets the program's face and the classic widget style, which
// the fixed pixel layout of every window assumes. Call it once the
// application exists: the face depends on the screens' scale.
void applyProgramLook(QApplication& app);

// The program's face for text laid out at `pixels` on a 100 % screen, so
// that it keeps the size it has there, relative to the window, at any scale.
QFont programFaceAt(const QFont& base, int pixels);
}  // namespace snpp
