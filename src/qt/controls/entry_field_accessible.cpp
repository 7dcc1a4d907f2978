#include "qt/controls/entry_field_accessible.h"

#include <algorithm>
#include <mutex>

#include "controls/changed_span.h"
#include "qt/controls/entry_field_widget.h"

namespace snpp::qt {
namespace {

// As the field draws it: bytes that were not text read as U+FFFD.
QString Readable(std::u32string_view text) {
  QString out;
  for (char32_t c : text) {
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    out += QString::fromUcs4(&c, 1);
  }
  return out;
}

int Utf16Offset(const std::u32string& text, int index) {
  index = std::clamp(index, 0, static_cast<int>(text.size()));
  int offset = index;
  for (int i = 0; i < index; ++i)
    if (text[i] > 0xFFFF) ++offset;
  return offset;
}

int CharacterIndex(const std::u32string& text, int offset) {
  int units = 0;
  for (int i = 0; i < static_cast<int>(text.size()); ++i) {
    if (units >= offset) return i;
    units += text[i] > 0xFFFF ? 2 : 1;
  }
  return static_cast<int>(text.size());
}

// Only the part that changed: a reader then speaks the typed character, not
// the whole field again.
void AnnounceTextChange(TBaseEntryField* field, const std::u32string& before, const std::u32string& after) {
  const auto [head, tail] = FindChangedSpan(before.size(), after.size(),
                                           [&](std::size_t i, std::size_t j) { return before[i] == after[j]; });
  const QString removed = Readable(std::u32string_view(before).substr(head, before.size() - head - tail));
  const QString inserted = Readable(std::u32string_view(after).substr(head, after.size() - head - tail));
  const int at = Utf16Offset(after, static_cast<int>(head));
  if (removed.isEmpty()) {
    QAccessibleTextInsertEvent event(field, at, inserted);
    QAccessible::updateAccessibility(&event);
  } else if (inserted.isEmpty()) {
    QAccessibleTextRemoveEvent event(field, at, removed);
    QAccessible::updateAccessibility(&event);
  } else {
    QAccessibleTextUpdateEvent event(field, at, removed, inserted);
    QAccessible::updateAccessibility(&event);
  }
}

QAccessibleInterface* EntryFieldFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TBaseEntryField::staticMetaObject.className()) && object && object->isWidgetType())
    return new EntryFieldAccessible(static_cast<TBaseEntryField*>(object));
  return nullptr;
}

}  // namespace

EntryFieldAccessible::EntryFieldAccessible(TBaseEntryField* field)
    : QAccessibleWidget(field, QAccessible::EditableText) {}

TBaseEntryField* EntryFieldAccessible::Field() const { return static_cast<TBaseEntryField*>(widget()); }

int EntryFieldAccessible::Offset(int index) const { return Utf16Offset(Field()->Model().Text(), index); }
int EntryFieldAccessible::Index(int offset) const { return CharacterIndex(Field()->Model().Text(), offset); }

void* EntryFieldAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

// The name comes from the label whose buddy the field is.
QString EntryFieldAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return Readable(Field()->Model().Text());
  return QAccessibleWidget::text(t);
}

QAccessible::State EntryFieldAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.editable = Field()->Model().Enabled();
  s.readOnly = !s.editable;
  s.selectableText = true;
  s.hasPopup = true;  // the right-click menu
  return s;
}

void EntryFieldAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || selectionCount() == 0) return;
  *startOffset = Offset(Field()->Model().SelStart());
  *endOffset = Offset(Field()->Model().SelEnd());
}

int EntryFieldAccessible::selectionCount() const { return Field()->Model().HasSelection() ? 1 : 0; }

void EntryFieldAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void EntryFieldAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) Field()->Model().MouseDown(Field()->Model().Cursor(), false);
}

// Selecting acts as a press at one end and a drag to the other.
void EntryFieldAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  Field()->Model().MouseDown(Index(startOffset), false);
  Field()->Model().MouseMove(Index(endOffset));
}

int EntryFieldAccessible::cursorPosition() const { return Offset(Field()->Model().Cursor()); }

void EntryFieldAccessible::setCursorPosition(int position) { Field()->Model().MouseDown(Index(position), false); }

QString EntryFieldAccessible::text(int startOffset, int endOffset) const {
  return text(QAccessible::Value).mid(startOffset, std::max(0, endOffset - startOffset));
}

int EntryFieldAccessible::characterCount() const { return Offset(static_cast<int>(Field()->Model().Text().size())); }

QRect EntryFieldAccessible::characterRect(int offset) const {
  const QRect r = Field()->CharacterRect(Index(offset));
  return {Field()->mapToGlobal(r.topLeft()), r.size()};
}

int EntryFieldAccessible::offsetAtPoint(const QPoint& point) const {
  const QPoint local = Field()->mapFromGlobal(point);
  if (!Field()->rect().contains(local)) return -1;
  return Offset(Field()->CharIndexAt(local.x()));
}

void EntryFieldAccessible::scrollToSubstring(int, int endIndex) { Field()->Model().MouseDown(Index(endIndex), false); }

QString EntryFieldAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = offset;
  return {};
}

void EntryFieldAccessible::deleteText(int startOffset, int endOffset) {
  if (!Field()->Model().Enabled() || startOffset == endOffset) return;
  setSelection(0, startOffset, endOffset);
  Field()->Model().DeleteSelectionCommand();
}

void EntryFieldAccessible::insertText(int offset, const QString& text) {
  if (!Field()->Model().Enabled()) return;
  setCursorPosition(offset);
  for (char32_t c : text.toUcs4()) Field()->Model().TypeChar(c);
}

void EntryFieldAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  deleteText(startOffset, endOffset);
  insertText(startOffset, text);
}

void RegisterEntryFieldAccessible() {
  static std::once_flag once;
  std::call_once(once, [] { QAccessible::installFactory(EntryFieldFactory); });
}

// Events are built only while a screen reader listens: building one looks
// up (and so creates) the field's interface.
void AnnounceFieldChanges(TBaseEntryField* field, AnnouncedField& last) {
  const TEntryFieldModel& m = field->Model();
  if (!QAccessible::isActive()) {
    last = {m.Text(), m.Cursor(), m.SelStart(), m.SelEnd()};
    return;
  }
  if (m.Text() != last.text) AnnounceTextChange(field, last.text, m.Text());
  if (m.SelStart() != last.selStart || m.SelEnd() != last.selEnd) {
    QAccessibleTextSelectionEvent event(field, Utf16Offset(m.Text(), m.SelStart()), Utf16Offset(m.Text(), m.SelEnd()));
    QAccessible::updateAccessibility(&event);
  }
  if (m.Cursor() != last.cursor || m.Text() != last.text) {
    QAccessibleTextCursorEvent event(field, Utf16Offset(m.Text(), m.Cursor()));
    QAccessible::updateAccessibility(&event);
  }
  last = {m.Text(), m.Cursor(), m.SelStart(), m.SelEnd()};
}

}  // namespace snpp::qt
