#include "qt/dialogs/config_form.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "directory/profile_file.h"
#include "directory/standard_messages.h"
#include "qt/controls/numeric_field.h"

#include "qt/support/qt_unwind_leaks.h"

using namespace snpp::qt;

namespace fs = std::filesystem;

namespace {

class ConfigFormTest : public ::testing::Test {
protected:
  fs::path file() const { return fs::path(temp.path().toStdString()) / "snppCl.ini"; }

  // The messages as the next run of the program reads them.
  std::string stored(int n) const {
    snpp::StandardMessages again(file());
    again.Read();
    return again.Message(n);
  }

  void retype(int n, const char* text) {
    form.messageEdit(n)->selectAll();
    QTest::keyClicks(form.messageEdit(n), text);
  }

  QTemporaryDir temp;
  snpp::StandardMessages messages{file()};
  TconfigForm form{messages};
};

// OK shows a green tick and Cancel a dark-blue cross (the name entry
// dialog's Cancel is the red one).
TEST_F(ConfigFormTest, CancelShowsADarkBlueCross) {
  const QImage picture = form.cancelbutton->icon().pixmap(18, 18).toImage();
  QSet<QRgb> colours;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qAlpha(picture.pixel(x, y)) == 255) colours.insert(picture.pixel(x, y) & 0xffffff);
    }
  }
  EXPECT_EQ(colours, QSet<QRgb>{0x000080});
}

TEST_F(ConfigFormTest, ServerGroupIsDisabledOnEveryOpening) {
  for (int opening = 0; opening < 2; ++opening) {
    form.show();
    for (QWidget* w : std::initializer_list<QWidget*>{form.serverIPComboBox, form.serverPortEdit, form.timeoutEdit,
                                                      form.serverIPlabel, form.portLabel, form.defaultLabel,
                                                      form.msgSendLabel}) {
      EXPECT_FALSE(w->isEnabled()) << opening;
    }
    EXPECT_TRUE(form.Label10->isEnabled());
    EXPECT_EQ(form.serverPortEdit->StringValue().trimmed(), "0");
    form.cancelbutton->click();
    for (QWidget* w : std::initializer_list<QWidget*>{form.serverIPComboBox, form.serverPortEdit, form.timeoutEdit}) {
      w->setEnabled(true);  // whatever turned them on, the next opening turns them off
    }
  }
}

TEST_F(ConfigFormTest, TabGoesOkCancelMessagesAndBackToOk) {
  form.show();
  QApplication::setActiveWindow(&form);
  form.OKButton->setFocus();
  std::vector<QWidget*> expected = {form.cancelbutton};
  for (int n = 1; n <= 8; ++n) expected.push_back(form.messageEdit(n));
  expected.push_back(form.OKButton);
  for (QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
}

TEST_F(ConfigFormTest, CancelEscapeAndCloseBoxDropTheChanges) {
  const std::string before = messages.Message(2);
  for (int way = 0; way < 3; ++way) {
    form.show();
    EXPECT_EQ(form.MessageText(2), before);
    retype(2, "Pick up milk");
    if (way == 0) form.cancelbutton->click();
    if (way == 1) QTest::keyClick(form.message2Edit, Qt::Key_Escape);
    if (way == 2) form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(messages.Message(2), before);
  }
  form.show();
  EXPECT_EQ(form.MessageText(2), before);
  EXPECT_FALSE(fs::exists(file()));
}

TEST_F(ConfigFormTest, OkOrEnterKeepsAndStoresTheTexts) {
  form.show();
  retype(2, "Pick up milk");
  form.message3Edit->clear();
  form.OKButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(messages.Message(2), "Pick up milk");
  EXPECT_EQ(stored(2), "Pick up milk");
  EXPECT_EQ(stored(3), "");  // an emptied message stays empty; the default does not come back
  EXPECT_EQ(stored(8), snpp::StandardMessages::DefaultMessage(8));

  form.show();
  EXPECT_EQ(form.MessageText(2), "Pick up milk");
  retype(5, "Late again");
  QTest::keyClick(form.message5Edit, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(stored(5), "Late again");
}

TEST_F(ConfigFormTest, TypingStopsAtAHundredButStoredTextsSurviveWhole) {
  const std::string longText(2047, 'L');  // hand-edited values: longer than anyone may type,
  const std::string latin1 = "Caf\xE9 um 8";  // and in another code page
  messages.SetMessage(4, longText);
  messages.SetMessage(6, latin1);
  form.show();
  form.message1Edit->clear();
  QTest::keyClicks(form.message1Edit, QString(101, 'x'));
  EXPECT_EQ(form.MessageText(1), std::string(100, 'x'));
  form.OKButton->click();
  EXPECT_EQ(stored(4), longText);
  EXPECT_EQ(stored(6), latin1);
}

TEST_F(ConfigFormTest, ModalRunSaves) {
  QTimer::singleShot(0, &form, [this] {
    retype(7, "Bring snacks");
    form.OKButton->click();
  });
  EXPECT_EQ(form.exec(), QDialog::Accepted);
  EXPECT_EQ(stored(7), "Bring snacks");
}

TEST_F(ConfigFormTest, PastedLineBreakIsStoredAsABlankAndUntouchedMessagesStayAsStored) {
  const std::string handEdited(8000, 'H');  // more than a read returns
  std::ofstream(file(), std::ios::binary) << "[General]\r\nmessage4=" << handEdited << "\r\nmessage2=two\r\n";
  messages.Read();
  form.show();
  QGuiApplication::clipboard()->setText("first line\r\nsecond line");
  form.message2Edit->selectAll();
  form.message2Edit->paste();
  form.OKButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(stored(2), "first line second line");
  EXPECT_EQ(snpp::ReadProfileString("General", "message4", "", 10000, file()), handEdited);
}

class ConfigFormWriteFailureTest : public ::testing::Test {
protected:
  // A regular file where the settings directory should be: no write can
  // succeed, even for root.
  void SetUp() override { std::ofstream(blocker) << "not a directory"; }

  QtUnwindLeaksIgnored unwinding;  // first in, last out: covers the dialog's whole life
  QTemporaryDir temp;
  fs::path blocker = fs::path(temp.path().toStdString()) / "config";
  snpp::StandardMessages messages{blocker / "snppCl.ini"};
  TconfigForm form{messages};
};

TEST_F(ConfigFormWriteFailureTest, DialogStaysOpenWithTheTypedTexts) {
  form.show();
  form.message2Edit->selectAll();
  QTest::keyClicks(form.message2Edit, "Pick up milk");
  try {
    form.OKButton->click();
    FAIL() << "the failed write was swallowed";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Unable to write to snppCl.ini");
  }
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.MessageText(2), "Pick up milk");
  EXPECT_EQ(messages.Message(2), "Pick up milk");  // memory first, then the file

  // The same through the keyboard, out to whoever dispatched the key.
  EXPECT_THROW(QTest::keyClick(form.message2Edit, Qt::Key_Return), std::runtime_error);
  EXPECT_TRUE(form.isVisible());
  form.cancelbutton->click();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
