#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <string_view>

#include "controls/entry_controller.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace snpp {
class StandardMessages;
class TNumericField;
}

// Edits the eight standard messages. The server group is shown for looks
// only: it is disabled on every opening and never read or stored.
class TconfigForm : public QDialog {
  Q_OBJECT
public:
  static constexpr int kMessageCount = 8;
  static constexpr int kMessageLimit = 100;

  // `messages` is the program's one set of standard messages; it must
  // outlive the dialog.
  explicit TconfigForm(snpp::StandardMessages& messages, QWidget* parent = nullptr);
  ~TconfigForm() override;

  // The field of message n (1 ... 8) as bytes, the form messages are kept in.
  std::string MessageText(int n) const;
  void SetMessageText(int n, std::string_view text);

  QFrame* Bevel1 = nullptr;
  QLabel* serverIPlabel = nullptr;
  QComboBox* serverIPComboBox = nullptr;
  QLabel* portLabel = nullptr;
  snpp::TNumericField* serverPortEdit = nullptr;
  QLabel* defaultLabel = nullptr;
  QLabel* msgSendLabel = nullptr;
  snpp::TNumericField* timeoutEdit = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label5 = nullptr;
  std::array<QLabel*, kMessageCount> numberLabels{};  // Label1 ... Label4, Label6 ... Label9
  QLineEdit* message1Edit = nullptr;
  QLineEdit* message2Edit = nullptr;
  QLineEdit* message3Edit = nullptr;
  QLineEdit* message4Edit = nullptr;
  QLineEdit* message5Edit = nullptr;
  QLineEdit* message6Edit = nullptr;
  QLineEdit* message7Edit = nullptr;
  QLineEdit* message8Edit = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* cancelbutton = nullptr;
  snpp::TEntryController EntryController1;

  QLineEdit* messageEdit(int n) const;

  void FormShow();
  // Keeps the texts, then writes snppCl.ini. A failed write throws out of
  // here to the application's error display and leaves the dialog open.
  void OKButtonClick();
  void cancelbuttonClick();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void placeServerGroup();
  void placeMessages();
  void setKeyboardOrder();

  snpp::StandardMessages& messages_;
  std::array<QLineEdit*, kMessageCount> messageEdits_{};
};
