#pragma once

#include <QByteArray>

namespace snpp {

// A TrueType face prepared to be laid out as the Windows desktop lays it out:
// line metrics from the face's Windows ascent and descent (a renderer that
// honours the typographic metrics makes lines two pixels shorter at 11 px),
// and without its embedded bitmaps, whose metrics would win at the sizes
// they cover. Returns the bytes unchanged when they are not a face it knows.
QByteArray WithDesktopLineMetrics(QByteArray face);

}  // namespace snpp
