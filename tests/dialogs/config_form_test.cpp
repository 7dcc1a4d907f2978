#include "dialogs/config_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "controls/numeric_field.h"
#include "directory/standard_messages.h"

#if defined(__SANITIZE_ADDRESS__)
#define SNPP_WITH_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SNPP_WITH_LSAN 1
#endif
#endif
#ifdef SNPP_WITH_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace fs = std::filesystem;

namespace {

// The write error unwinds through QtWidgets frames, which are built without
// cleanups: the few bytes they hold (QPointer guards on the dialog's widgets)
// are lost. That is the price of the program's catch-all error display.
struct QtUnwindLeaksIgnored {
#ifdef SNPP_WITH_LSAN
  QtUnwindLeaksIgnored() { __lsan_disable(); }
  ~QtUnwindLeaksIgnored() { __lsan_enable(); }
#endif
};

class ConfigFormTest : public ::testing::Test {
protected:
  fs::path dir() const { return fs::path(temp.path().toStdString()); }
  fs::path file() const { return dir() / "snppCl.ini"; }

  // The messages as a later run of the program would read them.
  std::string stored(int n) const {
    snpp::StandardMessages again(file());
    again.Read();
    return again.message(n);
  }

  void open() { form.show(); }

  QTemporaryDir temp;
  snpp::StandardMessages messages{file()};
  TconfigForm form{messages};
};

TEST_F(ConfigFormTest, LaidOutAsAFixedDialog) {
  EXPECT_EQ(form.windowTitle(), "SNPP Client Configuration");
  EXPECT_EQ(form.size(), QSize(296, 320));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinMaxButtonsHint);
  EXPECT_EQ(form.serverIPComboBox->geometry(), QRect(120, 20, 157, 21));
  EXPECT_EQ(form.serverPortEdit->geometry(), QRect(120, 44, 29, 21));
  EXPECT_EQ(form.timeoutEdit->geometry(), QRect(120, 68, 25, 21));
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(form.messageEdit(n)->geometry(), QRect(16, 124 + 20 * (n - 1), 269, 21));
    EXPECT_EQ(form.numberLabels[n - 1]->text(), QString::number(n));
    EXPECT_EQ(form.numberLabels[n - 1]->pos(), QPoint(4, 128 + 20 * (n - 1)));
  }
  EXPECT_EQ(form.OKButton->geometry(), QRect(124, 292, 75, 25));
  EXPECT_EQ(form.cancelbutton->geometry(), QRect(208, 292, 75, 25));
  EXPECT_TRUE(form.OKButton->isDefault());
}

TEST_F(ConfigFormTest, ServerGroupIsDisabledOnEveryOpening) {
  for (int opening = 0; opening < 2; ++opening) {
    open();
    for (QWidget* w : std::initializer_list<QWidget*>{form.serverIPComboBox, form.serverPortEdit, form.timeoutEdit,
                                                      form.serverIPlabel, form.portLabel, form.defaultLabel,
                                                      form.msgSendLabel}) {
      EXPECT_FALSE(w->isEnabled()) << opening;
    }
    EXPECT_TRUE(form.Label10->isEnabled());
    EXPECT_EQ(form.Label10->text(), "(seconds)");
    form.cancelbutton->click();
    // Whatever turned them on in between, the next opening turns them off.
    form.serverIPComboBox->setEnabled(true);
    form.serverPortEdit->setEnabled(true);
    form.timeoutEdit->setEnabled(true);
  }
}

TEST_F(ConfigFormTest, TabGoesOkCancelMessagesAndBackToOk) {
  open();
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
  const std::string before = messages.message(2);
  for (int way = 0; way < 3; ++way) {
    open();
    EXPECT_EQ(form.message2Edit->text().toStdString(), before);
    form.message2Edit->selectAll();
    QTest::keyClicks(form.message2Edit, "Pick up milk");
    if (way == 0) form.cancelbutton->click();
    if (way == 1) QTest::keyClick(form.message2Edit, Qt::Key_Escape);
    if (way == 2) form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(messages.message(2), before);
  }
  open();
  EXPECT_EQ(form.MessageText(2), before);
  EXPECT_FALSE(fs::exists(file()));
}

TEST_F(ConfigFormTest, OkKeepsAndStoresTheTexts) {
  open();
  form.message2Edit->selectAll();
  QTest::keyClicks(form.message2Edit, "Pick up milk");
  form.message3Edit->clear();
  form.OKButton->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(messages.message(2), "Pick up milk");
  EXPECT_EQ(messages.message(3), "");
  EXPECT_EQ(stored(2), "Pick up milk");
  EXPECT_EQ(stored(3), "");  // an emptied message stays empty, the default does not come back
  EXPECT_EQ(stored(8), snpp::StandardMessages::DefaultMessage(8));
  open();
  EXPECT_EQ(form.MessageText(2), "Pick up milk");
}

TEST_F(ConfigFormTest, EnterInAMessageFieldSavesAndCloses) {
  open();
  form.message5Edit->selectAll();
  QTest::keyClicks(form.message5Edit, "Late again");
  QTest::keyClick(form.message5Edit, Qt::Key_Return);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(stored(5), "Late again");
}

TEST_F(ConfigFormTest, MessageFieldsTakeAHundredCharacters) {
  open();
  form.message1Edit->clear();
  QTest::keyClicks(form.message1Edit, QString(101, 'x'));
  EXPECT_EQ(form.MessageText(1), std::string(100, 'x'));
}

TEST_F(ConfigFormTest, MessagesFromTheFileSurviveUnchanged) {
  // Hand-edited values: longer than anyone may type, and in another code page.
  const std::string longText(2047, 'L');
  const std::string latin1 = "Caf\xE9 um 8";
  messages.setMessage(4, longText);
  messages.setMessage(6, latin1);
  open();
  form.OKButton->click();
  EXPECT_EQ(stored(4), longText);
  EXPECT_EQ(stored(6), latin1);
}

TEST_F(ConfigFormTest, ModalRunSaves) {
  QTimer::singleShot(0, &form, [this] {
    form.message7Edit->selectAll();
    QTest::keyClicks(form.message7Edit, "Bring snacks");
    form.OKButton->click();
  });
  EXPECT_EQ(form.exec(), QDialog::Accepted);
  EXPECT_EQ(stored(7), "Bring snacks");
}

class ConfigFormWriteFailureTest : public ::testing::Test {
protected:
  void SetUp() override {
    // A regular file where the settings directory should be: no write can
    // succeed, even for root.
    std::ofstream(blocker) << "not a directory";
  }
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
  EXPECT_EQ(messages.message(2), "Pick up milk");  // memory is updated before the write

  // The same through the keyboard, out to whoever dispatches the event.
  EXPECT_THROW(QTest::keyClick(form.message2Edit, Qt::Key_Return), std::runtime_error);
  EXPECT_TRUE(form.isVisible());
  form.cancelbutton->click();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
