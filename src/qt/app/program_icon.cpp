#include "qt/app/program_icon.h"

// The pictures are compiled into a static library, where nothing would pull
// them into the program unless they are registered by name; Qt's macro for
// that must not stand inside a namespace.
static void registerProgramIconResource() { Q_INIT_RESOURCE(program_icon); }

namespace snpp {

QIcon programIcon() {
  registerProgramIconResource();
  QIcon icon;
  for (const int size : {16, 32, 48, 256}) {
    icon.addFile(QStringLiteral(":/icons/orvant-snpp-client-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace snpp
