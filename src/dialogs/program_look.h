#pragma once

class QApplication;

namespace snpp {
// Registers and sets the program's face and the classic widget style, which
// the fixed pixel layout of every window assumes.
void applyProgramLook(QApplication& app);
}  // namespace snpp
