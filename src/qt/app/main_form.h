#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "controls/entry_controller.h"
#include "directory/names_file.h"
#include "directory/recipient_directory.h"
#include "directory/standard_messages.h"
#include "forms/names_save_report.h"
#include "forms/window_limits.h"
#include "qt/app/status_notice.h"

class QAction;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;

namespace snpp::qt {

class MessageMemo;
class TAboutform;
class TaddNameForm;
class TconfigForm;
class TinstructionsForm;
class TCheckList;
class TSimpleField;

// The whole working surface: pager number, message, Send/Cancel with the
// status, the names list with its buttons, the log and the server notice.
class Tmainform : public QMainWindow, private snpp::DirectoryView {
  Q_OBJECT
public:
  static constexpr int kClientWidth = 529;
  static constexpr int kClientHeight = 360;

  explicit Tmainform(QWidget* parent = nullptr);
  ~Tmainform() override;

  // The windows the menu and buttons open; they are created after this one.
  void SetAboutForm(TAboutform* form) { aboutForm_ = form; }
  void SetInstructionsForm(TinstructionsForm* form) { instructionsForm_ = form; }
  void SetAddNameForm(TaddNameForm* form) { addNameForm_ = form; }
  void SetConfigForm(TconfigForm* form) { configForm_ = form; }

  // Controls, named as the rest of the program refers to them.
  QAction* Exit1 = nullptr;
  QAction* Configure1 = nullptr;
  QAction* About1 = nullptr;
  QWidget* client = nullptr;
  QFrame* messagePanel = nullptr;
  QLabel* messageLabel = nullptr;
  snpp::TEntryController EntryController1;
  TSimpleField* idEditField = nullptr;
  QFrame* selectingPanel = nullptr;
  QLabel* lengthLabel = nullptr;
  QPushButton* clearButton = nullptr;
  MessageMemo* messageMemo = nullptr;
  QPushButton* pickButtons[forms::kStandardMessageCount] = {};
  QPushButton* sendButton = nullptr;
  QPushButton* cancelSendButton = nullptr;
  StatusNotice* messageStatusLabel = nullptr;
  TCheckList* namesListbox = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* deleteButton = nullptr;
  QPushButton* editNameButton = nullptr;
  QPushButton* checkAllButton = nullptr;
  QPushButton* uncheckAllButton = nullptr;
  QPushButton* instructionsButton = nullptr;
  QPlainTextEdit* sendingMemo = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QTimer* Timer1 = nullptr;

  // Handlers.
  void FormShow();
  void FormClose();
  void messageMemoChange();
  void clearButtonClick();
  void Exit1Click();
  void configureButtonClick();
  void aboutButtonClick();
  void instructionsButtonClick();
  void Timer1Timer();

  // The stored data: the eight standard messages (shared with the
  // configuration dialog) and the names list's file (main_form_directory.cpp).
  snpp::StandardMessages standardMessages;
  snpp::NamesFile namesFile;
  void pickButtonClick(int n);
  void AddButtonClick();
  void editNameButtonClick();
  void deleteButtonClick();
  void namesListBoxClick();
  void checkAllButtonClick();
  void uncheckAllButtonClick();

  // Ending other than by the user closing the window (a signal, the desktop
  // session ending): the list is saved as on close, and where it went is
  // written to the error output instead of a message box, which would keep
  // the program from ending. The next start reports any kept copy.
  void EndSession();          // saves, closes the window and ends the program
  void SaveForSessionEnd();   // saves; the program may go on

  // The send (main_form_paging.cpp).
  void sendButtonClick();
  void cancelSendButtonClick();

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void BuildMenu();
  void BuildMessageArea();
  void BuildSendArea();
  void BuildNamesArea();
  void BuildLogArea();
  void SetTabOrder();
  void DescribePickButtons();
  void ConnectHandlers();

  // Paging state and its connection, kept out of this header
  // (main_form_paging.cpp).
  struct Paging;
  std::unique_ptr<Paging> paging_;
  void CreatePaging();
  void ResetSendState();

  // The names list as the directory's commands see it.
  int NameCount() const override;
  std::string NameItem(int index) const override;
  int NameItemIndex() const override;
  void AddName(const std::string& entry) override;
  void DeleteName(int index) override;
  void ClearNames() override;
  int CheckedCount() const override;
  void SetNameChecked(int index, bool checked) override;
  void SetPagerNumber(const std::string& id) override;
  void SetPagerNumberEnabled(bool enabled) override;
  void SetSelectingHintVisible(bool visible) override;
  void ShowRefusedPagerId(const std::string& text) override;
  bool AskForName(std::string& name, std::string& id) override;
  void ConnectDirectory();
  void SaveNames(bool mayShowBox);
  void TellUser(const QString& text, bool mayShowBox);
  void ReportKeptCopies();

  snpp::RecipientDirectory directory_{*this, namesFile};
  forms::NamesSaveReport saveReport_{namesFile};
  TAboutform* aboutForm_ = nullptr;
  TaddNameForm* addNameForm_ = nullptr;
  TconfigForm* configForm_ = nullptr;
  TinstructionsForm* instructionsForm_ = nullptr;
  bool shown_ = false;
  bool endingSession_ = false;

  // The control that had the keyboard last. A menu command or a dialog
  // hands the focus back to it, so typing goes on where it was; Qt would
  // otherwise leave it on the menu bar.
  QPointer<QWidget> lastFocus_;
  void ReturnFocus();
};

}  // namespace snpp::qt
