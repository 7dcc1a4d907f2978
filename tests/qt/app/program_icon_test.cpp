// The program's windows carry the pager icon, drawn at each size desktops
// ask for, from pictures compiled into the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "qt/app/main_form.h"
#include "qt/app/program_windows.h"

TEST(ProgramIcon, WindowsShowThePagerAtEverySizeItIsDrawnIn) {
  ProgramWindows windows;
  const QIcon icon = windows.mainform->windowIcon();
  for (const int size : {16, 32, 48, 256}) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    const QImage picture = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(picture.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(picture.pixel(size / 2, size * 3 / 4)), 255);  // the pager's case
  }
}
