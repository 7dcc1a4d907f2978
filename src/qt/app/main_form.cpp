#include "qt/app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "forms/accessible_names.h"
#include "forms/main_window.h"
#include "forms/message_editor.h"
#include "forms/window_limits.h"
#include "qt/app/main_form_paging.h"
#include "qt/app/message_memo.h"
#include "qt/app/status_notice.h"
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/byte_text.h"
#include "qt/dialogs/about_form.h"
#include "qt/dialogs/button_images.h"
#include "qt/dialogs/config_form.h"
#include "qt/dialogs/form_layout.h"
#include "qt/dialogs/instructions_form.h"

namespace snpp::qt {


namespace {

QPushButton* button(QWidget* parent, const QString& caption, const QRect& geometry) {
  auto* b = new QPushButton(caption, parent);
  b->setGeometry(geometry);
  b->setAutoDefault(false);
  return b;
}

QFrame* raisedPanel(QWidget* parent, const QRect& geometry) {
  auto* f = new QFrame(parent);
  f->setFrameStyle(QFrame::Panel | QFrame::Raised);
  f->setLineWidth(1);
  f->setGeometry(geometry);
  return f;
}

}  // namespace

// The fields that use EntryController1 go before it; Qt would otherwise
// delete them only after this object's members are gone.
Tmainform::~Tmainform() {
  delete idEditField;
  delete namesListbox;
}

Tmainform::Tmainform(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("SNPP Client          by Brevik LLC");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  BuildMenu();
  BuildMessageArea();
  BuildSendArea();
  BuildNamesArea();
  BuildLogArea();
  SetTabOrder();
  ConnectHandlers();

  CreatePaging();
  Timer1 = new QTimer(this);
  Timer1->setInterval(forms::kSendTimerInterval);
  Timer1->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire 5 % early: the send limit too
  connect(Timer1, &QTimer::timeout, this, &Tmainform::Timer1Timer);
  Timer1->start();

  setFixedSize(sizeHint());
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && client->isAncestorOf(now)) lastFocus_ = now;
  });
}


void Tmainform::BuildMenu() {
  // Plain captions: "&Configure" or "&About" would clash with the Cancel
  // and Add buttons' Alt+C and Alt+A.
  QMenu* File1 = menuBar()->addMenu("File");
  Exit1 = File1->addAction("Exit");
  Configure1 = menuBar()->addAction("Configure");
  About1 = menuBar()->addAction("About");
}

void Tmainform::BuildMessageArea() {
  messagePanel = raisedPanel(client, QRect(0, 0, 529, 21));
  messageLabel = new QLabel(messagePanel);
  messageLabel->setTextFormat(Qt::PlainText);
  messageLabel->move(4, 4);
  SetTextColour(messageLabel, QColor(0, 0, 255));

  SunkenBevel(client, QRect(4, 24, 245, 145));
  QLabel* Label2 = Label(client, "Pager Number:", 8, 26);
  idEditField = new TSimpleField(&EntryController1, client);
  idEditField->SetPictureMask('X');
  idEditField->SetMaxLength(forms::kPagerNumberLimit);
  idEditField->setGeometry(8, 40, 77, 21);
  Label2->setBuddy(idEditField);  // screen readers name a control after its label

  // A lowered outer and a raised inner bevel, one pixel each: Qt's sunken
  // box draws exactly that groove.
  selectingPanel = raisedPanel(client, QRect(120, 28, 125, 33));
  selectingPanel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  selectingPanel->setMidLineWidth(0);
  auto* Label6 = Label(selectingPanel, " SELECT RECIPIENTS ", 6, 4);
  Label6->setAutoFillBackground(true);
  QPalette yellow = Label6->palette();
  yellow.setColor(QPalette::Window, QColor(255, 255, 0));
  Label6->setPalette(yellow);
  Label(selectingPanel, "by checking names -->", 8, 16);
  selectingPanel->hide();

  QLabel* Label1 = Label(client, "Message:", 8, 70);
  lengthLabel = Label(client, "(0)", 72, 70);
  clearButton = button(client, "Clear &Message", QRect(144, 64, 101, 21));
  clearButton->setIcon(ClearImage());
  messageMemo = new MessageMemo(forms::kMessageLimit, client);
  messageMemo->setGeometry(8, 84, 237, 61);
  Label1->setBuddy(messageMemo);

  Label(client, "Standard messages:", 12, 149);
  static constexpr int kPickLefts[forms::kStandardMessageCount] = {113, 130, 147, 164, 181, 198, 215, 232};
  for (int i = 0; i < forms::kStandardMessageCount; ++i) {
    pickButtons[i] = button(client, QString::number(i + 1), QRect(kPickLefts[i], 146, 13, 21));
    pickButtons[i]->setAccessibleName(QString::fromStdString(forms::PickButtonName(i + 1)));
  }
}

void Tmainform::BuildSendArea() {
  SunkenBevel(client, QRect(4, 176, 245, 51));
  sendButton = button(client, "&Send", QRect(8, 180, 113, 25));
  sendButton->setIcon(SendImage());
  cancelSendButton = button(client, "&Cancel", QRect(132, 180, 113, 25));
  cancelSendButton->setIcon(CrossImage(QColor(192, 0, 0)));  // the usual abort cross
  Label(client, "Message Status:", 8, 208);
  messageStatusLabel = new StatusNotice("NONE", client);
  messageStatusLabel->setTextFormat(Qt::PlainText);
  messageStatusLabel->setGeometry(92, 208, 153, 13);
  messageStatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Tmainform::BuildNamesArea() {
  SunkenBevel(client, QRect(256, 24, 269, 203));
  QLabel* Label4 = Label(client, "Names List:  (click to select)", 260, 28);
  namesListbox = new TCheckList(client);
  namesListbox->setGeometry(260, 42, 185, 179);
  namesListbox->SetSorted(true);
  namesListbox->SetBoxClickOnly(true);
  namesListbox->SetWantDblClicks(true);
  namesListbox->SetController(&EntryController1);
  Label4->setBuddy(namesListbox);
  AddButton = button(client, "&Add...", QRect(448, 44, 73, 21));
  deleteButton = button(client, "&Delete", QRect(448, 68, 73, 21));
  editNameButton = button(client, "&Edit...", QRect(448, 92, 73, 21));
  checkAllButton = button(client, "Select All", QRect(448, 132, 73, 21));
  uncheckAllButton = button(client, "De-select All", QRect(448, 156, 73, 21));
  instructionsButton = button(client, "Instructions", QRect(448, 198, 73, 21));
}

void Tmainform::BuildLogArea() {
  sendingMemo = new QPlainTextEdit(client);
  sendingMemo->setGeometry(4, 248, 521, 93);
  sendingMemo->setReadOnly(true);
  sendingMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  sendingMemo->setTabChangesFocus(true);
  sendingMemo->setAccessibleName(forms::kSendLogName);

  StatusBar1 = new QStatusBar(client);
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->setGeometry(0, kClientHeight - 19, kClientWidth, 19);
  // Its text is painted, not a child; a reader's read-status-bar command
  // reads the name.
  connect(StatusBar1, &QStatusBar::messageChanged, StatusBar1, &QWidget::setAccessibleName);
}

void Tmainform::SetTabOrder() {
  QList<QWidget*> order = {idEditField, messageMemo, sendButton, cancelSendButton, clearButton,
                           AddButton, deleteButton, editNameButton};
  for (QPushButton* pick : pickButtons) order.append(pick);
  order.append({namesListbox, uncheckAllButton, checkAllButton, sendingMemo, instructionsButton});
  for (qsizetype i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void Tmainform::ConnectHandlers() {
  connect(Exit1, &QAction::triggered, this, &Tmainform::Exit1Click);
  connect(Configure1, &QAction::triggered, this, &Tmainform::configureButtonClick);
  connect(About1, &QAction::triggered, this, &Tmainform::aboutButtonClick);
  connect(messageMemo, &QPlainTextEdit::textChanged, this, &Tmainform::messageMemoChange);
  connect(clearButton, &QPushButton::clicked, this, &Tmainform::clearButtonClick);
  connect(instructionsButton, &QPushButton::clicked, this, &Tmainform::instructionsButtonClick);
  for (int i = 0; i < forms::kStandardMessageCount; ++i) {
    connect(pickButtons[i], &QPushButton::clicked, this, [this, i] { pickButtonClick(i + 1); });
  }
  ConnectDirectory();
  connect(sendButton, &QPushButton::clicked, this, &Tmainform::sendButtonClick);
  connect(cancelSendButton, &QPushButton::clicked, this, &Tmainform::cancelSendButtonClick);
}

void Tmainform::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  CentreOnScreen(this);
  FormShow();
  // After the window is up, so the report has the window to sit on.
  QMetaObject::invokeMethod(this, &Tmainform::ReportKeptCopies, Qt::QueuedConnection);
}

void Tmainform::FormShow() {
  setWindowTitle(forms::kMainWindowCaption);
  standardMessages.Read();
  messageLabel->clear();
  messageLabel->adjustSize();
  DescribePickButtons();
  directory_.Load();  // empties the list first
  clearButtonClick();
  ResetSendState();
}

// A reader hears what a pick button would put in the editor.
void Tmainform::DescribePickButtons() {
  for (int i = 0; i < forms::kStandardMessageCount; ++i)
    pickButtons[i]->setAccessibleDescription(BytesToText(standardMessages.Message(i + 1)));
}

void Tmainform::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  QApplication::quit();
}

void Tmainform::FormClose() { SaveNames(!endingSession_); }

void Tmainform::messageMemoChange() {
  const int count = MessageMemo::CharacterCount(messageMemo->toPlainText());
  lengthLabel->setText(QString::fromStdString(forms::MessageCounterText(count)));
  lengthLabel->adjustSize();
}

void Tmainform::clearButtonClick() {
  messageMemo->clear();
  messageMemoChange();
}

void Tmainform::Exit1Click() { close(); }

void Tmainform::configureButtonClick() {
  if (configForm_) configForm_->exec();
  DescribePickButtons();
  ReturnFocus();
}

void Tmainform::aboutButtonClick() {
  if (aboutForm_) aboutForm_->exec();
  ReturnFocus();
}

// Also once the menu bar has finished with the command that called here,
// since it may take the focus again on its way out.
void Tmainform::ReturnFocus() {
  const auto giveBack = [this] {
    QWidget* now = QApplication::focusWidget();
    if (!lastFocus_ || !isActiveWindow() || (now && client->isAncestorOf(now))) return;
    lastFocus_->setFocus(Qt::MenuBarFocusReason);
  };
  giveBack();
  QTimer::singleShot(0, this, giveBack);
}

// Coming back to the window from a dialog or another program.
void Tmainform::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) ReturnFocus();
}

void Tmainform::instructionsButtonClick() {
  if (!instructionsForm_) return;
  instructionsForm_->show();
  instructionsForm_->raise();
  instructionsForm_->activateWindow();
}

}  // namespace snpp::qt
