#pragma once
// What a screen reader learns about an entry field: an editable text with
// the name of its label, its text as value, the caret and the selection,
// text that can be set through it; and the events that tell it when any of
// them changes, each text change as the part that actually changed.

#include <QAccessibleWidget>

#include <string>

namespace snpp::qt {

class TBaseEntryField;

class EntryFieldAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
 public:
  explicit EntryFieldAccessible(TBaseEntryField* field);

  void* interface_cast(QAccessible::InterfaceType t) override;
  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;

  // Offsets count UTF-16 units of text(0, characterCount()), as Qt's do.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  // Text set this way is typed into the field, so its mask and its limit
  // apply as to keys; a disabled field takes none.
  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  TBaseEntryField* Field() const;
  int Offset(int index) const;  // character index -> UTF-16 offset
  int Index(int offset) const;  // and back
};

// What was last told to a screen reader about one field.
struct AnnouncedField {
  std::u32string text;
  int cursor = 0;
  int selStart = 0;
  int selEnd = 0;
};

void RegisterEntryFieldAccessible();
// Sends the events for whatever changed since `last`, and updates it.
void AnnounceFieldChanges(TBaseEntryField* field, AnnouncedField& last);

}  // namespace snpp::qt
