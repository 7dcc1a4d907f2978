#include "qt/app/message_memo.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

#include <algorithm>

#include "qt/controls/user_characters.h"

MessageMemo::MessageMemo(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength) {
  setTabChangesFocus(true);
}

int MessageMemo::characterCount(const QString& text) { return snpp::UserCharacterCount(text); }

// What of `text` fits when it goes in at the cursor. `replaceStart` and
// `replaceLength` (relative to the cursor) cover text an input method
// replaces besides the selection.
QString MessageMemo::fitting(const QString& text, int replaceStart, int replaceLength) const {
  const QTextCursor cursor = textCursor();
  const QString all = toPlainText();
  const QString rest = all.left(cursor.selectionStart()) + all.mid(cursor.selectionEnd());
  const qsizetype from = std::clamp<qsizetype>(cursor.selectionStart() + replaceStart, 0, rest.size());
  const qsizetype to = std::clamp<qsizetype>(from + replaceLength, from, rest.size());
  return snpp::FittingInsertion(rest.left(from), text, rest.mid(to), maxLength_);
}

void MessageMemo::insertLimited(const QString& text) {
  const QString fits = fitting(text, 0, 0);
  if (fits.isEmpty()) return;
  textCursor().insertText(fits);
  ensureCursorVisible();
}

void MessageMemo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->ignore();  // lets the window's default handling (if any) see it
    return;
  }
  const QString text = event->text();
  const bool printable = !text.isEmpty() && QChar::isPrint(text.toUcs4().value(0)) &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (printable) {
    insertLimited(text);
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

// Composed characters and an input method's text arrive here, not as keys.
void MessageMemo::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const QString fits = fitting(commit, event->replacementStart(), event->replacementLength());
  if (fits.size() == commit.size()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent cut(event->preeditString(), event->attributes());
  cut.setCommitString(fits, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&cut);
  event->accept();
}

void MessageMemo::insertFromMimeData(const QMimeData* source) {
  if (source && source->hasText()) insertLimited(source->text());
}
