#pragma once

#include <QPlainTextEdit>

// The message editor: holds at most a fixed number of characters, however
// they arrive (typing or pasting), and Enter never starts a new line since
// a page is sent as a single line.
class MessageMemo : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit MessageMemo(int maxLength, QWidget* parent = nullptr);
  int maxLength() const { return maxLength_; }
  // Characters as the user sees them (a line break counts as one).
  static int characterCount(const QString& text);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

private:
  int room() const;
  void insertLimited(const QString& text);
  int maxLength_;
};
