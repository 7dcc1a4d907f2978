#include "qt/dialogs/program_look.h"

#include "qt/dialogs/button_style.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include <cstdlib>

#include "qt/dialogs/scalable_face.h"

namespace snpp {
namespace {

constexpr const char* kBitmapFaceFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";
constexpr const char* kScalableFaceFile = "/usr/share/wine/fonts/tahoma.ttf";
constexpr int kFacePixels = 11;  // 8 points on a 96-dpi screen
constexpr int kScalableSpacingPercent = 97;

// The bitmap face's hand-made sizes by cell height, each shown for the pixel
// sizes nearest to it, and the vector face's em size for the same text.
struct FaceSize {
  int bitmapCell;
  int vectorEm;
};
constexpr FaceSize kFaceSizes[] = {{13, 11}, {16, 13}, {20, 16}};

// Empty while the bitmap face (or the fallback) is in use.
QString& ScalableFamilyInUse() {
  static QString family;
  return family;
}

QString RegisteredFamily(int id) {
  const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
  return families.isEmpty() ? QString() : families.first();
}

// The classic dialog face: hand-made bitmaps, exact at 100 %.
QString BitmapFamily() {
  return QFile::exists(kBitmapFaceFile) ? RegisteredFamily(QFontDatabase::addApplicationFont(kBitmapFaceFile))
                                        : QString();
}

// The bitmaps exist only for 96-dpi sizes; on a scaled screen Qt draws their
// 1x glyphs at scaled positions, small and spread out. There the vector face
// Windows itself puts in the old face's place at high DPI takes over: the
// same design and nearly the same widths, so the fixed layout still fits.
QString ScalableFamily() {
  QFile file(kScalableFaceFile);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return RegisteredFamily(QFontDatabase::addApplicationFontFromData(WithDesktopLineMetrics(file.readAll())));
}

}  // namespace

void applyProgramLook(QApplication& app) {
  if (QStyle* style = QStyleFactory::create("Windows")) app.setStyle(new ButtonStyle(style));
  const bool scaled = app.devicePixelRatio() != 1.0;
  const QString family = scaled ? ScalableFamily() : BitmapFamily();
  if (scaled) ScalableFamilyInUse() = family;
  QFont font;
  if (!family.isEmpty()) {
    font = QFont(family);
    font.setPixelSize(kFacePixels);
    // Its lower-case letters run about 3 % wider than the bitmap face's;
    // spaced a little tighter, lines of text keep the width laid out for them.
    if (scaled) font.setLetterSpacing(QFont::PercentageSpacing, kScalableSpacingPercent);
  } else {
    font = QFont("Liberation Sans");
    font.setPointSize(8);
  }
  // Whole pixels only, as on the classic desktop: no grey fringes at any scale.
  font.setStyleStrategy(QFont::NoAntialias);
  app.setFont(font);
}

QFont programFaceAt(const QFont& base, int pixels) {
  QFont f = base;
  if (ScalableFamilyInUse().isEmpty() || base.family() != ScalableFamilyInUse()) {
    f.setPixelSize(pixels);
    return f;
  }
  const FaceSize* nearest = &kFaceSizes[0];
  for (const FaceSize& size : kFaceSizes)
    if (std::abs(size.bitmapCell - pixels) < std::abs(nearest->bitmapCell - pixels)) nearest = &size;
  f.setPixelSize(nearest->vectorEm);
  return f;
}

}  // namespace snpp
