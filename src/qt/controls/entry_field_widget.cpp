#include "entry_field_widget.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "entry_field_beep.h"
#include "entry_field_keys.h"
#include "entry_field_menu.h"
#include "entry_field_text.h"

namespace snpp {
namespace {

std::u32string FromQString(const QString& s) {
  const QList<uint> ucs = s.toUcs4();
  return std::u32string(ucs.begin(), ucs.end());
}

QString ToQString(std::u32string_view s) {
  return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

// Bytes that were not text show as the replacement character.
char32_t DisplayChar(char32_t c) {
  if (c >= 0xD800 && c <= 0xDFFF) return 0xFFFD;
  return c;
}

QRect ToQRect(const TFieldBox& b) { return {b.left, b.top, b.width, b.height}; }

// A control character (a pasted line break, say) is a small hollow square
// in the pen's colour: a letter in its place would read as part of the
// number.
void DrawControlMark(QPainter& p, const TFieldBox& mark) {
  p.drawRect(mark.left, mark.top, mark.width - 1, mark.height - 1);
}

// A menu takes the keyboard only for a moment (on Windows it never takes
// the focus at all), so going to it and back is no leaving and entering.
bool LeavesWindow(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
         reason == Qt::MenuBarFocusReason;
}

}  // namespace

TBaseEntryField::TBaseEntryField(std::unique_ptr<TEntryFieldModel> model, QWidget* parent)
    : QWidget(parent), model_(std::move(model)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setCursor(Qt::IBeamCursor);
  RegisterEntryFieldAccessible();
  Connect();
  resize(121, AutoHeight());
  const int flash = QApplication::cursorFlashTime();
  if (flash > 0) {
    blink_.setInterval(flash / 2);
    connect(&blink_, &QTimer::timeout, this, [this] {
      caretOn_ = !caretOn_;
      update();
    });
  }
}

TBaseEntryField::~TBaseEntryField() = default;

void TBaseEntryField::Connect() {
  TEntryFieldModel& m = *model_;
  m.OnBeep = [] { EntryFieldBeep(); };
  m.OnRepaint = [this] {
    RestartCaret();
    update();
    AnnounceFieldChanges(this, announced_);
  };
  m.OnChange = [this] {
    if (OnChange) OnChange();
    emit Changed();
  };
  m.ReadClipboard = []() -> std::optional<std::u32string> {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return FromQString(data->text());
  };
  m.WriteClipboard = [](const std::u32string& s) { QGuiApplication::clipboard()->setText(ToQString(s)); };
  m.MeasureText = [this](std::u32string_view s) { return TextWidth(s); };
  m.ViewWidth = ClientRect().width();
}

QString TBaseEntryField::StringValue() { return ToQString(model_->StringValue()); }
void TBaseEntryField::SetStringValue(const QString& value) { model_->SetStringValue(FromQString(value)); }
std::string TBaseEntryField::StringValueBytes() { return BytesFromText(model_->StringValue()); }
void TBaseEntryField::SetStringValueBytes(const std::string& value) {
  model_->SetStringValue(TextFromBytes(value));
}

QColor TBaseEntryField::Color() const { return SystemColor(color_, QPalette::Base); }

QColor TBaseEntryField::SystemColor(const QColor& chosen, QPalette::ColorRole role, QPalette::ColorGroup group) const {
  return chosen.isValid() ? chosen : palette().color(group, role);
}

void TBaseEntryField::SetColor(const QColor& c) {
  color_ = c;
  update();
}

void TBaseEntryField::SetControlCharColor(const QColor& c) {
  controlCharColor_ = c;
  update();
}

void TBaseEntryField::SetAutoSize(bool v) {
  autoSize_ = v;
  if (v) resize(width(), AutoHeight());
}

int TBaseEntryField::AutoHeight() const { return TFieldLayout::AutoHeight(fontMetrics().height(), 1); }

QSize TBaseEntryField::sizeHint() const { return {121, AutoHeight()}; }

QRect TBaseEntryField::ClientRect() const { return ToQRect(Layout().Client()); }

TFieldLayout TBaseEntryField::Layout() const {
  const QFontMetrics fm = fontMetrics();
  const TFieldLayout::Metrics metrics{width(), height(), fm.height(), fm.ascent(), 1.0};
  return TFieldLayout(*model_, metrics, [fm](char32_t c) {
    const char32_t d = DisplayChar(c);
    return fm.horizontalAdvance(QString::fromUcs4(&d, 1));
  }, RightAligned());
}

int TBaseEntryField::CharWidth(char32_t c) const { return Layout().CharWidth(c); }
int TBaseEntryField::TextWidth(std::u32string_view text) const { return Layout().TextWidth(text); }

QString TBaseEntryField::DisplayText(std::u32string_view text) const {
  std::u32string d(text);
  for (char32_t& c : d) c = DisplayChar(c);
  return ToQString(d);
}

int TBaseEntryField::FirstDrawn() const { return Layout().FirstDrawn(); }
int TBaseEntryField::TextLeft() const { return Layout().TextLeft(); }
int TBaseEntryField::TextTop() const { return Layout().TextTop(); }
int TBaseEntryField::PositionAt(int x) const { return Layout().PositionAt(x); }
int TBaseEntryField::CharIndexAt(int x) const { return Layout().CharIndexAt(x); }
QRect TBaseEntryField::CaretRect() const { return ToQRect(Layout().CaretBox()); }
QRect TBaseEntryField::CharacterRect(int index) const { return ToQRect(Layout().CharacterBox(index)); }

void TBaseEntryField::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  QPixmap buffer(size() * ratio);
  buffer.setDevicePixelRatio(ratio);
  {
    QPainter p(&buffer);
    Render(p);
  }
  QPainter(this).drawPixmap(0, 0, buffer);
}

void TBaseEntryField::Render(QPainter& p) {
  const bool enabled = model_->Enabled();
  QColor back = Color();
  const TFieldTone tone = Layout().BackTone();
  if (tone == TFieldTone::Disabled) back = SystemColor(colors_.Disabled.BackColor, QPalette::Base);
  else if (tone == TFieldTone::Error) back = colors_.Error.BackColor;
  p.fillRect(rect(), back);
  DrawEdge(p);
  p.save();
  p.setClipRect(ClientRect());
  p.setFont(font());
  DrawText(p);
  if (hasFocus() && enabled && caretOn_) DrawCaret(p);
  p.restore();
}

void TBaseEntryField::DrawEdge(QPainter& p) {
  const int r = width() - 1, b = height() - 1;
  // Filled, not stroked: on a scaled screen a pen's line straddles device
  // pixels, while a one-pixel area covers exactly the pixels it maps to.
  auto line = [&](QColor c, int x1, int y1, int x2, int y2) { p.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), c); };
  line(QColor(128, 128, 128), 0, 0, r - 1, 0);  // outer shadow
  line(QColor(128, 128, 128), 0, 0, 0, b - 1);
  line(QColor(255, 255, 255), 0, b, r, b);      // outer highlight
  line(QColor(255, 255, 255), r, 0, r, b);
  line(QColor(0, 0, 0), 1, 1, r - 2, 1);        // inner dark shadow
  line(QColor(0, 0, 0), 1, 1, 1, b - 2);
  line(QColor(192, 192, 192), 1, b - 1, r - 1, b - 1);  // inner light
  line(QColor(192, 192, 192), r - 1, 1, r - 1, b - 1);
}

void TBaseEntryField::DrawText(QPainter& p) {
  const auto& t = model_->Text();
  const TFieldLayout layout = Layout();
  QColor text = palette().color(QPalette::Active, QPalette::Text);
  const TFieldTone tone = layout.TextTone(hasFocus());
  if (tone == TFieldTone::Disabled) text = SystemColor(colors_.Disabled.TextColor, QPalette::Text, QPalette::Disabled);
  else if (tone == TFieldTone::Error) text = colors_.Error.TextColor;
  const QColor highlight = SystemColor(colors_.Highlight.BackColor, QPalette::Highlight);
  const QColor highlightText = SystemColor(colors_.Highlight.TextColor, QPalette::HighlightedText);
  const int top = layout.TextTop();
  const int h = fontMetrics().height();
  const int ascent = fontMetrics().ascent();
  int x = layout.TextLeft();
  const int first = layout.FirstDrawn();
  for (int i = first; i < static_cast<int>(t.size()) && x < width(); ++i) {
    const int w = layout.CharWidth(t[i]);
    const bool selected = layout.Selected(i, hasFocus());
    QColor fg = IsControlChar(t[i]) ? controlCharColor_ : text;
    if (selected) {
      p.fillRect(x, top, w, h, highlight);
      fg = highlightText;
    }
    p.setPen(fg);
    if (IsControlChar(t[i]))
      DrawControlMark(p, layout.ControlMark({x, top, w, h}));
    else
      p.drawText(x, top + ascent, DisplayText(std::u32string_view(&t[i], 1)));
    x += w;
  }
}

void TBaseEntryField::DrawCaret(QPainter& p) {
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p.fillRect(CaretRect(), Qt::white);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TBaseEntryField::RestartCaret() {
  caretOn_ = true;
  if (hasFocus() && blink_.interval() > 0) blink_.start();
}

bool TBaseEntryField::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    // Editing keys belong to the field, not to window shortcuts.
    auto* k = static_cast<QKeyEvent*>(e);
    const bool function = k->key() >= Qt::Key_F1 && k->key() <= Qt::Key_F35;
    if (!(k->modifiers() & Qt::AltModifier) && !function) {
      e->accept();
      return true;
    }
  }
  return QWidget::event(e);
}

void TBaseEntryField::keyPressEvent(QKeyEvent* e) {
  const std::uint8_t shift = ShiftStateFromQt(e->modifiers());
  const TCommand command = model_->KeyDown(VirtualKeyFromQt(e->key(), e->modifiers()), shift);
  if (command == ccNoCmd) {
    // An Alt combination is a menu key, never typed text.
    if (!KeyTypesText(shift)) {
      e->ignore();
      return;
    }
    for (char32_t c : FromQString(e->text())) {
      c = TypedCharacter(c, shift);
      if (c != 0) model_->TypeChar(c);
    }
  }
  e->accept();
}

// Text composed by an input method arrives as typed characters.
void TBaseEntryField::inputMethodEvent(QInputMethodEvent* e) {
  for (char32_t c : FromQString(e->commitString())) model_->TypeChar(c);
  e->accept();
}

void TBaseEntryField::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(e);
    return;
  }
  const bool hadFocus = hasFocus();
  if (!hadFocus) setFocus(Qt::MouseFocusReason);
  const int x = static_cast<int>(e->position().x());
  model_->MouseDown(PositionAt(x), hadFocus && (e->modifiers() & Qt::ShiftModifier));
  dragging_ = true;
}

void TBaseEntryField::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_ && (e->buttons() & Qt::LeftButton))
    model_->MouseMove(PositionAt(static_cast<int>(e->position().x())));
}

void TBaseEntryField::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TBaseEntryField::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  model_->DoubleClick(CharIndexAt(static_cast<int>(e->position().x())));
}

QMenu* TBaseEntryField::CreateContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  for (const TFieldMenuItem& item : FieldMenuItems(*model_)) {
    if (item.action == TFieldMenuAction::Separator) {
      menu->addSeparator();
      continue;
    }
    QAction* a = menu->addAction(QString::fromStdString(item.text));
    a->setEnabled(item.enabled);
    connect(a, &QAction::triggered, this, [this, action = item.action] { RunFieldMenuAction(*model_, action); });
  }
  return menu;
}

void TBaseEntryField::contextMenuEvent(QContextMenuEvent* e) {
  if (!isEnabled()) return;
  if (!hasFocus()) setFocus(Qt::MouseFocusReason);
  QMenu* menu = CreateContextMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(e->globalPos());
}

void TBaseEntryField::focusInEvent(QFocusEvent* e) {
  if (LeavesWindow(e->reason()))
    model_->FocusReturn();
  else
    model_->FocusIn(e->reason() == Qt::MouseFocusReason ? TEntryFieldModel::FocusSource::Mouse
                                                        : TEntryFieldModel::FocusSource::Keyboard);
  RestartCaret();
}

void TBaseEntryField::focusOutEvent(QFocusEvent* e) {
  blink_.stop();
  const bool sameWindow = !LeavesWindow(e->reason());
  const std::uint16_t code = model_->FocusOut(sameWindow);
  if (code != 0 && !model_->HasOption(efoSoftValidation)) ReportFailure(code);
}

// The focus goes back after the change that caused the failure is done;
// only one report is shown while another is pending.
void TBaseEntryField::ReportFailure(std::uint16_t code) {
  const bool report = ClaimErrorReport(*model_);
  QTimer::singleShot(0, this, [this, code, report] {
    setFocus(Qt::OtherFocusReason);
    if (!report) return;
    DeliverErrorReport(*model_, code, [this](const std::string& text) {
      QMessageBox::critical(this, QStringLiteral("Error"), QString::fromStdString(text), QMessageBox::Ok);
    });
  });
}

void TBaseEntryField::resizeEvent(QResizeEvent* e) {
  model_->ViewWidth = ClientRect().width();
  model_->UpdateView();
  QWidget::resizeEvent(e);
}

void TBaseEntryField::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) model_->SetEnabled(isEnabled());
  if (e->type() == QEvent::FontChange && autoSize_) resize(width(), AutoHeight());
  QWidget::changeEvent(e);
}

}  // namespace snpp
