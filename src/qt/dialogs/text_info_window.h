#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QString>

class QPlainTextEdit;
class QPushButton;

// A fixed window showing read-only text and an OK button that hides it.
// The instructions and trouble-shooting windows differ only in their values.
class TextInfoWindow : public QDialog {
  Q_OBJECT
public:
  struct Shape {
    QString caption;
    QSize client;
    QPoint screenPosition;
    QRect memo;
    QRect button;
    bool buttonIsDefault;
  };
  TextInfoWindow(const Shape& shape, const QString& text, QWidget* parent);

  QPlainTextEdit* Memo1 = nullptr;

protected:
  QPushButton* button_ = nullptr;
};
