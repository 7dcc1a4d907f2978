#include "qt/dialogs/add_name_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "forms/accessible_names.h"
#include "forms/window_limits.h"
#include "qt/dialogs/button_images.h"
#include "qt/dialogs/character_limit.h"
#include "qt/dialogs/field_text.h"
#include "qt/dialogs/form_layout.h"

namespace snpp::qt {


namespace {

QLineEdit* placeEdit(QWidget* parent, int limit, const QRect& geometry) {
  auto* edit = new QLineEdit(parent);
  LimitCharacters(*edit, limit);
  edit->setGeometry(geometry);
  return edit;
}

}  // namespace

// No system menu and no close box: the only ways out are OK and Cancel.
TaddNameForm::TaddNameForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(" ");
  setFixedSize(204, 115);
  setModal(true);

  // Created in keyboard order: name, pager number, OK, Cancel.
  nameEdit = placeEdit(this, forms::kNameLimit, QRect(88, 16, 101, 21));
  pagerIDEdit = placeEdit(this, forms::kPagerIDLimit, QRect(88, 40, 101, 21));
  okButton = ImageButton(this, "OK", TickImage(), QRect(20, 84, 75, 25));
  cancelButton = ImageButton(this, "Cancel", CrossImage(QColor(255, 0, 0)), QRect(108, 84, 75, 25));
  Label1 = Label(this, "Name:", 12, 20);
  Label2 = Label(this, "Pager Number:", 12, 44);
  Label1->setBuddy(nameEdit);  // screen readers name each field after its label
  Label2->setBuddy(pagerIDEdit);

  setTabOrder(nameEdit, pagerIDEdit);
  setTabOrder(pagerIDEdit, okButton);
  setTabOrder(okButton, cancelButton);

  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::string TaddNameForm::NameText() const { return FieldBytes(*nameEdit); }

void TaddNameForm::SetNameText(std::string_view name) { SetFieldBytes(*nameEdit, forms::kNameLimit, name); }

std::string TaddNameForm::PagerIDText() const { return FieldBytes(*pagerIDEdit); }

void TaddNameForm::SetPagerIDText(std::string_view pagerID) {
  SetFieldBytes(*pagerIDEdit, forms::kPagerIDLimit, pagerID);
}

// Add opens the dialog empty and wants typing to start in the name field.
void TaddNameForm::FormShow() {
  if (nameEdit->text().isEmpty()) nameEdit->setFocus();
}

// The caption is a blank; a reader is told what the dialog is for.
void TaddNameForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    CentreOnScreen(this);
    setAccessibleName(QString::fromUtf8(forms::NameDialogName(NameText())));
  }
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

}  // namespace snpp::qt
