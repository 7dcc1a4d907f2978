#include "qt/dialogs/config_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <vector>

#include "directory/standard_messages.h"
#include "qt/controls/numeric_field.h"
#include "qt/dialogs/button_images.h"
#include "qt/dialogs/character_limit.h"
#include "qt/dialogs/field_text.h"
#include "qt/dialogs/form_layout.h"

namespace snpp::qt {

using snpp::TEntryController;

namespace {

constexpr int kMessageLeft = 16;
constexpr int kFirstMessageTop = 124;
constexpr int kMessageStep = 20;

TNumericField* placeNumericField(QWidget* parent, TEntryController& controller, const char* picture,
                                 const QRect& geometry) {
  auto* field = new TNumericField(&controller, parent);
  field->SetPictureMask(picture);
  field->SetRangeLo(std::numeric_limits<std::int32_t>::min());
  field->SetRangeHi(std::numeric_limits<std::int32_t>::max());
  field->setGeometry(geometry);
  return field;
}

}  // namespace

TconfigForm::TconfigForm(snpp::StandardMessages& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
  setWindowTitle("SNPP Client Configuration");
  MakeFixedToolWindow(this, 296, 320);
  setModal(true);

  // The buttons come first so that a fresh opening starts on OK.
  OKButton = ImageButton(this, "OK", TickImage(), QRect(124, 292, 75, 25));
  cancelbutton = ImageButton(this, "Cancel", CrossImage(QColor(0, 0, 128)), QRect(208, 292, 75, 25));
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &TconfigForm::OKButtonClick);
  connect(cancelbutton, &QPushButton::clicked, this, &TconfigForm::cancelbuttonClick);

  PlaceServerGroup();
  PlaceMessages();
  SetKeyboardOrder();
}

// The fields refer to EntryController1, a member that would otherwise be
// gone before QWidget's destructor deletes the children.
TconfigForm::~TconfigForm() {
  delete serverPortEdit;
  delete timeoutEdit;
}

void TconfigForm::PlaceServerGroup() {
  Bevel1 = SunkenBevel(this, QRect(12, 12, 273, 85));
  serverIPlabel = Label(this, "Server IP Address:", 24, 24);
  serverIPComboBox = new QComboBox(this);
  serverIPComboBox->setEditable(true);
  LimitCharacters(*serverIPComboBox->lineEdit(), forms::kServerIPLimit);
  serverIPComboBox->setGeometry(120, 20, 157, 21);
  portLabel = Label(this, "Port:", 24, 48);
  serverPortEdit = placeNumericField(this, EntryController1, "999", QRect(120, 44, 29, 21));
  defaultLabel = Label(this, "(default: 444)", 152, 48);
  msgSendLabel = Label(this, "Msg. send timeout:", 24, 72);
  timeoutEdit = placeNumericField(this, EntryController1, "99", QRect(120, 68, 25, 21));
  Label10 = Label(this, "(seconds)", 148, 72);
  // Screen readers name each field after its label.
  serverIPlabel->setBuddy(serverIPComboBox);
  portLabel->setBuddy(serverPortEdit);
  msgSendLabel->setBuddy(timeoutEdit);
}

void TconfigForm::PlaceMessages() {
  Label5 = Label(this, "Standard messages:", 12, 106);
  for (int i = 0; i < forms::kStandardMessageCount; ++i) {
    const int top = kFirstMessageTop + i * kMessageStep;
    numberLabels[i] = Label(this, QString::number(i + 1), 4, top + 4);
    auto* edit = new QLineEdit(this);
    LimitCharacters(*edit, forms::kStandardMessageLimit);
    edit->setGeometry(kMessageLeft, top, 269, 21);
    edit->setAccessibleName(Label5->text() + " " + numberLabels[i]->text());
    messageEdits_[i] = edit;
  }
  message1Edit = messageEdits_[0];
  message2Edit = messageEdits_[1];
  message3Edit = messageEdits_[2];
  message4Edit = messageEdits_[3];
  message5Edit = messageEdits_[4];
  message6Edit = messageEdits_[5];
  message7Edit = messageEdits_[6];
  message8Edit = messageEdits_[7];
}

// OK, Cancel, port, timeout, server address, messages 1 to 8. The three
// server fields are disabled, so Tab meets OK, Cancel and the messages.
void TconfigForm::SetKeyboardOrder() {
  std::vector<QWidget*> order = {OKButton, cancelbutton, serverPortEdit, timeoutEdit, serverIPComboBox};
  order.insert(order.end(), messageEdits_.begin(), messageEdits_.end());
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

QLineEdit* TconfigForm::messageEdit(int n) const { return messageEdits_.at(static_cast<std::size_t>(n - 1)); }

std::string TconfigForm::MessageText(int n) const { return FieldBytes(*messageEdit(n)); }

void TconfigForm::SetMessageText(int n, std::string_view text) {
  SetFieldBytes(*messageEdit(n), forms::kStandardMessageLimit, text);
}

// Nothing typed last time survives: the server group is switched off again
// and every message field shows the messages held now.
void TconfigForm::FormShow() {
  const std::initializer_list<QWidget*> serverGroup = {serverIPComboBox, serverPortEdit, serverIPlabel, portLabel,
                                                       defaultLabel, msgSendLabel, timeoutEdit};
  for (QWidget* w : serverGroup) w->setEnabled(false);
  for (int n = 1; n <= forms::kStandardMessageCount; ++n) SetMessageText(n, messages_.Message(n));
}

void TconfigForm::OKButtonClick() {
  snpp::StandardMessages::Texts texts;
  for (int n = 1; n <= forms::kStandardMessageCount; ++n) texts[static_cast<std::size_t>(n - 1)] = MessageText(n);
  messages_.Write(texts);  // throws on failure: the dialog stays open with what was typed
  accept();
}

void TconfigForm::cancelbuttonClick() { reject(); }

void TconfigForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    CentreOnScreen(this);
    FormShow();
  }
  QDialog::showEvent(event);
}

}  // namespace snpp::qt
