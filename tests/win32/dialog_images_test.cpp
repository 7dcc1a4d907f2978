// The button pictures: drawn at the size asked for, in whole pixels of their
// own colours over an untouched background, with a grey disabled copy.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "canvas_test_support.h"
#include "win32/button_images.h"
#include "win32/window_look.h"

using namespace snpp::win32;

namespace {

constexpr COLORREF kBackground = RGB(255, 0, 255);

// The colours of the picture drawn `size` pixels square on the background.
std::set<COLORREF> Colours(ButtonImage image, int size, bool enabled, std::vector<COLORREF>* corners = nullptr) {
  const canvas_test::Canvas canvas(size, size);
  HDC dc = canvas.Dc();
  RECT all{0, 0, size, size};
  HBRUSH brush = CreateSolidBrush(kBackground);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  DrawButtonImage(dc, image, 0, 0, size, enabled);
  std::set<COLORREF> colours;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) colours.insert(GetPixel(dc, x, y));
  }
  if (corners) *corners = {GetPixel(dc, 0, 0), GetPixel(dc, size - 1, 0), GetPixel(dc, 0, size - 1)};
  return colours;
}

TEST(ButtonImages, CrispAtEveryScaleOnATransparentBackgroundWithAGreyDisabledCopy) {
  for (int size : {18, 27, 36}) {  // 100 %, 150 %, 200 %
    std::vector<COLORREF> corners;
    EXPECT_EQ(Colours(ButtonImage::Tick, size, true, &corners), (std::set<COLORREF>{kBackground, RGB(0, 128, 0)}))
        << size;
    EXPECT_EQ(corners, std::vector<COLORREF>(3, kBackground)) << size;
    EXPECT_EQ(Colours(ButtonImage::Cross, size, true), (std::set<COLORREF>{kBackground, RGB(0, 0, 128)})) << size;
    for (ButtonImage image : {ButtonImage::Tick, ButtonImage::Cross, ButtonImage::Abort, ButtonImage::Send,
                              ButtonImage::Clear}) {
      EXPECT_EQ(Colours(image, size, false),
                (std::set<COLORREF>{kBackground, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)}))
          << size << " " << static_cast<int>(image);
    }
  }
}

// The main window's Clear Message button is 21 pixels high, less than the
// picture plus the button's edges: the picture keeps off the 2-pixel edge.
TEST(ButtonImages, ThePictureStaysInsideAButtonLowerThanItself) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND button = CreateWindowExA(0, "BUTTON", "Clear &Message", WS_CHILD | WS_VISIBLE, 0, 0, 101, 21, parent,
                                nullptr, nullptr, nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont(1.0)), FALSE);
  SetButtonImage(button, ButtonImage::Clear);
  const canvas_test::Canvas canvas(101, 21);
  HDC dc = canvas.Dc();
  DRAWITEMSTRUCT item{ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, button, dc, {0, 0, 101, 21}, 0};
  ASSERT_TRUE(DrawImageButton(&item));
  int red = 0;
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 101; ++x) {
      if (GetPixel(dc, x, y) != RGB(200, 0, 0)) continue;
      ++red;
      EXPECT_TRUE(x >= 2 && x < 99 && y >= 2 && y < 19) << x << "," << y;
    }
  }
  EXPECT_GT(red, 0);
  DestroyWindow(parent);
}

}  // namespace
