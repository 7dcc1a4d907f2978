#include "app/message_memo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

MessageMemo::MessageMemo(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength) {
  setTabChangesFocus(true);
}

int MessageMemo::characterCount(const QString& text) {
  int count = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!text.at(i).isLowSurrogate()) ++count;
  }
  return count;
}

// How many more characters fit once the selection is replaced.
int MessageMemo::room() const {
  const QString selected = textCursor().selectedText();
  return maxLength_ - characterCount(toPlainText()) + characterCount(selected);
}

void MessageMemo::insertLimited(const QString& text) {
  int left = room();
  if (left <= 0) return;
  QString fitting;
  int taken = 0;
  for (qsizetype i = 0; i < text.size() && taken < left; ++i) {
    fitting += text.at(i);
    if (text.at(i).isHighSurrogate() && i + 1 < text.size()) fitting += text.at(++i);
    ++taken;
  }
  textCursor().insertText(fitting);
  ensureCursorVisible();
}

void MessageMemo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->ignore();  // lets the window's default handling (if any) see it
    return;
  }
  const QString text = event->text();
  const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (printable) {
    insertLimited(text);
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void MessageMemo::insertFromMimeData(const QMimeData* source) {
  if (source && source->hasText()) insertLimited(source->text());
}
