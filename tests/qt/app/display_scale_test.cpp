// The program's look on a scaled screen. The scale is fixed when the
// application starts, so each scale is drawn by a child run of this suite.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTextStream>

#include <cstdlib>
#include <set>
#include <string>
#include <unistd.h>

#include "qt/controls/check_list.h"
#include "controls/entry_controller.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/form_layout.h"
#include "qt/dialogs/program_look.h"

namespace snpp {
namespace {

// What one child draws: the ink extents of three texts in device pixels,
// the colours in the whole picture and a checksum of it.
struct Rendering {
  QSize label;
  QSize field;
  QSize row;
  std::set<unsigned> colours;
  std::string checksum;
};

// Size of the box around the pixels in `area` unlike the area's first.
QSize InkSize(const QImage& image, QRect area) {
  const QRgb background = image.pixel(area.topLeft());
  QRect ink;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) != background) ink |= QRect(x, y, 1, 1);
  return ink.size();
}

QRect Device(QRect r, qreal s) { return QRect(qRound(r.x() * s), qRound(r.y() * s), qRound(r.width() * s), qRound(r.height() * s)); }

// Draws a label, the pager field and a names list as the main window does.
void DrawAndWrite(const char* path) {
  int argc = 1;
  char name[] = "display_scale";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  applyProgramLook(app);
  QWidget window;
  window.setFixedSize(200, 100);
  QLabel* label = layout::label(&window, "Pager Number:", 8, 8);
  TEntryController controller;
  auto* field = new TSimpleField(&controller, &window);
  field->setGeometry(8, 24, 77, 21);
  field->SetStringValue("555-0101");
  auto* list = new TCheckList(&window);
  list->setGeometry(8, 50, 185, 40);
  for (auto item : {"Alice Jones, 555-0101", "Bob Smith, 555 0102"}) list->AddItem(item);
  list->SetItemState(0, cbChecked);
  list->SetItemIndex(1);
  window.show();
  QApplication::processEvents();

  const QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const qreal s = app.devicePixelRatio();
  const QPoint viewport = list->viewport()->mapTo(&window, QPoint());
  const QRect firstRowText(viewport.x() + 17, viewport.y() + 1, list->viewport()->width() - 18, 14);
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly)) std::abort();
  QTextStream text(&out);
  for (QSize ink : {InkSize(image, Device(label->geometry(), s)),
                    InkSize(image, Device(field->geometry().adjusted(3, 3, -3, -3), s)),
                    InkSize(image, Device(firstRowText, s))})
    text << ink.width() << ' ' << ink.height() << ' ';
  const QByteArrayView bits(image.constBits(), image.sizeInBytes());
  text << QCryptographicHash::hash(bits, QCryptographicHash::Sha1).toHex() << '\n';
  std::set<unsigned> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  for (unsigned colour : colours) text << colour << ' ';
}

Rendering DrawnAt(const std::string& scale) {
  char exe[4096] = {};
  EXPECT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
  const std::string result = testing::TempDir() + "display_scale_" + scale;
  const std::string command = "QT_SCALE_FACTOR=" + scale + " SNPP_DRAW_TO='" + result + "' '" + exe +
                              "' --gtest_also_run_disabled_tests --gtest_filter='*DISABLED_DrawInThisProcess'"
                              " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  Rendering r;
  QFile in(QString::fromStdString(result));
  if (!in.open(QIODevice::ReadOnly)) return r;
  QTextStream text(&in);
  QString checksum;
  for (QSize* ink : {&r.label, &r.field, &r.row}) {
    int w = 0, h = 0;
    text >> w >> h;
    *ink = QSize(w, h);
  }
  text >> checksum;
  r.checksum = checksum.toStdString();
  while (!text.atEnd()) {
    unsigned pixel = 0;
    text >> pixel;
    if (text.status() == QTextStream::Ok) r.colours.insert(pixel);
  }
  in.remove();
  return r;
}

TEST(DisplayScale, DISABLED_DrawInThisProcess) {
  if (const char* path = std::getenv("SNPP_DRAW_TO")) DrawAndWrite(path);
}

// The 100 % picture, pixel for pixel, as the fixed layout has always drawn it.
constexpr const char* kChecksumAt100 = "dafc95302cfaf94799077d45593f341f4884bc24";

TEST(DisplayScale, TextKeepsItsSizeAndEdgesStayWholePixels) {
  const Rendering at100 = DrawnAt("1");
  EXPECT_EQ(at100.checksum, kChecksumAt100);
  for (const auto& [scale, factor] : {std::pair{"1.5", 1.5}, std::pair{"2", 2.0}}) {
    SCOPED_TRACE(scale);
    const Rendering scaled = DrawnAt(scale);
    // Glyphs as tall as the window's scale makes them; widths a few device
    // pixels apart at most, as the vector face's letters are not exactly as
    // wide as the bitmap face's.
    for (auto [drawn, at1] : {std::pair{scaled.label, at100.label}, std::pair{scaled.field, at100.field},
                              std::pair{scaled.row, at100.row}}) {
      EXPECT_NEAR(drawn.width(), factor * at1.width(), 5);
      EXPECT_NEAR(drawn.height(), factor * at1.height(), 2);
    }
    // Nothing blended or blurred: every colour is one the 100 % picture has.
    for (unsigned colour : scaled.colours) EXPECT_TRUE(at100.colours.count(colour)) << std::hex << colour;
  }
}

}  // namespace
}  // namespace snpp
