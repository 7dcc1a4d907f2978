#pragma once
// The window side of an entry field: turns Qt keys, mouse and focus events
// into calls on the field model and draws the model through an off-screen
// pixmap, Windows 95 style (sunken edge, system colours, own caret).

#include <QColor>
#include <QPalette>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "entry_field_accessible.h"
#include "entry_field_layout.h"
#include "entry_field_model.h"

class QMenu;

namespace snpp {

struct TColorPair {
  QColor BackColor;
  QColor TextColor;
};

// A colour left invalid follows the system palette (window colour and gray
// text, highlight and highlight text), so a field selects in the same
// colours as every other control of the window.
struct TEntryFieldColors {
  TColorPair Disabled;
  TColorPair Error{QColor(255, 0, 0), QColor(0, 0, 0)};
  TColorPair Highlight;
};

class TBaseEntryField : public QWidget {
  Q_OBJECT

 public:
  ~TBaseEntryField() override;

  TEntryFieldModel& Model() { return *model_; }
  const TEntryFieldModel& Model() const { return *model_; }
  TEntryController& Controller() const { return model_->Controller(); }
  void SetController(TEntryController* controller) { model_->SetController(controller); }

  QString StringValue();
  void SetStringValue(const QString& value);
  // The program's byte strings, kept byte for byte.
  std::string StringValueBytes();
  void SetStringValueBytes(const std::string& value);

  TEntryFieldOptions Options() const { return model_->Options(); }
  void SetOptions(TEntryFieldOptions v) { model_->SetOptions(v); }
  bool Modified() const { return model_->Modified(); }

  TEntryFieldColors& EFColors() { return colors_; }
  // The background: the system window colour unless one was set.
  QColor Color() const;
  void SetColor(const QColor& c);
  QColor ControlCharColor() const { return controlCharColor_; }
  void SetControlCharColor(const QColor& c);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  // Font line height plus room for the sunken edge.
  int AutoHeight() const;

  // The right-click menu; the caller owns it. Exposed so tests can check
  // its items without running it.
  QMenu* CreateContextMenu(QWidget* parent);

  // Left edge in pixels (widget coordinates) of the caret and its size.
  QRect CaretRect() const;
  // The cell of the character at `index` (past the end: an empty cell).
  QRect CharacterRect(int index) const;
  // Character index for a widget x position: nearest boundary, or the
  // character under the pointer.
  int PositionAt(int x) const;
  int CharIndexAt(int x) const;
  QRect ClientRect() const;

  QSize sizeHint() const override;

  std::function<void()> OnChange;

 signals:
  void Changed();

 protected:
  TBaseEntryField(std::unique_ptr<TEntryFieldModel> model, QWidget* parent);

  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

  // Numbers are drawn right-aligned without their padding blanks.
  virtual bool RightAligned() const { return false; }
  int FirstDrawn() const;
  // Where everything sits, from the shared rules and this font's advances.
  TFieldLayout Layout() const;

  int TextLeft() const;
  int TextTop() const;
  int CharWidth(char32_t c) const;
  int TextWidth(std::u32string_view text) const;
  QString DisplayText(std::u32string_view text) const;
  QColor SystemColor(const QColor& chosen, QPalette::ColorRole role,
                     QPalette::ColorGroup group = QPalette::Active) const;

 private:
  void Connect();
  void Render(QPainter& p);
  void DrawEdge(QPainter& p);
  void DrawText(QPainter& p);
  void DrawCaret(QPainter& p);
  void ReportFailure(std::uint16_t code);
  void RestartCaret();

  std::unique_ptr<TEntryFieldModel> model_;
  TEntryFieldColors colors_;
  QColor color_;  // invalid: follow the palette
  QColor controlCharColor_{255, 0, 0};
  bool autoSize_ = true;
  bool dragging_ = false;
  bool caretOn_ = true;
  QTimer blink_;
  AnnouncedField announced_;
};

}  // namespace snpp
