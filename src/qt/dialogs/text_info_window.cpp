#include "qt/dialogs/text_info_window.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "qt/dialogs/form_layout.h"

TextInfoWindow::TextInfoWindow(const Shape& shape, const QString& text, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(shape.caption);
  snpp::layout::makeFixedToolWindow(this, shape.client.width(), shape.client.height());
  move(shape.screenPosition);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setGeometry(shape.memo);
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setPlainText(text);

  button_ = new QPushButton("OK", this);
  button_->setGeometry(shape.button);
  button_->setDefault(shape.buttonIsDefault);
  button_->setAutoDefault(shape.buttonIsDefault);
  connect(button_, &QPushButton::clicked, this, &QDialog::close);
}
