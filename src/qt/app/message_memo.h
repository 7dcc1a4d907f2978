#pragma once

#include <QPlainTextEdit>

// The message editor: holds at most a fixed number of characters, however
// they arrive (typed, composed or pasted), and Enter never starts a new line since
// a page is sent as a single line.
class MessageMemo : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit MessageMemo(int maxLength, QWidget* parent = nullptr);
  int maxLength() const { return maxLength_; }
  // Characters as the user sees them (a line break counts as one, and so
  // does a letter with its accents or an emoji with its modifiers).
  static int characterCount(const QString& text);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

private:
  QString fitting(const QString& text, int replaceStart, int replaceLength) const;
  void insertLimited(const QString& text);
  int maxLength_;
};
