#pragma once

class QApplication;

namespace snpp {
// Registers and sets the program's face and the classic widget style, which
// the fixed pixel layout of every window assumes. Call it once the
// application exists: the face depends on the screens' scale.
void applyProgramLook(QApplication& app);
}  // namespace snpp
