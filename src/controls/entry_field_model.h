#pragma once
// Editing state and behaviour of a single-line picture-mask field, free of
// any window system: the widget feeds it keys, characters, mouse positions
// (as character indexes) and focus changes, and draws what it holds.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "command_table_codes.h"
#include "entry_controller.h"
#include "entry_field_options.h"

namespace snpp {

enum TSimpleDataType { sftString };

class TEntryFieldModel {
 public:
  // Throws std::invalid_argument("No Controller assigned") for nullptr.
  explicit TEntryFieldModel(TEntryController* controller);
  virtual ~TEntryFieldModel() = default;
  TEntryFieldModel(const TEntryFieldModel&) = delete;
  TEntryFieldModel& operator=(const TEntryFieldModel&) = delete;

  TEntryController& Controller() const { return *controller_; }
  void SetController(TEntryController* controller);

  // Picture character for every position: 'X' (code 32 and above) or '9'
  // (blank and digits). Anything else throws std::invalid_argument.
  char32_t PictureChar() const { return picture_; }
  void SetPictureChar(char32_t picture);
  TSimpleDataType DataType() const { return sftString; }

  // At most 255; the text is cut to a smaller limit at once.
  std::uint16_t MaxLength() const { return maxLength_; }
  virtual void SetMaxLength(std::uint16_t v);

  TEntryFieldOptions Options() const { return options_; }
  void SetOptions(TEntryFieldOptions v) { options_ = v; }
  // Field options together with the controller's entry options.
  TEntryFieldOptions EffectiveOptions() const;
  bool HasOption(TEntryFieldOptions o) const { return (EffectiveOptions() & o) != 0; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  const std::u32string& Text() const { return text_; }
  int Cursor() const { return cursor_; }
  int SelStart() const { return selStart_; }
  int SelEnd() const { return selEnd_; }
  bool HasSelection() const { return selStart_ != selEnd_; }
  bool AllSelected() const { return selStart_ == 0 && selEnd_ == Length(); }
  int FirstVisible() const { return firstVisible_; }
  bool InsertMode() const { return insertMode_; }
  bool Modified() const { return modified_; }
  bool InError() const { return inError_; }
  void SetInError(bool v);
  bool Focused() const { return focused_; }
  const std::u32string& SavedText() const { return savedText_; }
  std::uint16_t LastError() const { return lastError_; }

  virtual std::u32string StringValue();
  virtual void SetStringValue(const std::u32string& value);

  // Translates the key through the controller's tables and carries out the
  // command. Returns the translation; only for ccNoCmd may the caller offer
  // the key's characters to TypeChar.
  TCommand KeyDown(std::uint8_t key, std::uint8_t shift);
  virtual void ExecuteCommand(TCommand command);
  // False when the character was refused.
  virtual bool TypeChar(char32_t c);

  // Positions are character indexes (0 … length).
  virtual void MouseDown(int pos, bool shift);
  virtual void MouseMove(int pos);
  // `charIndex` is the character under the pointer.
  virtual void DoubleClick(int charIndex);

  enum class FocusSource { Keyboard, Mouse };
  virtual void FocusIn(FocusSource source);
  // Focus that comes with the window's activation: when the field only lost
  // it to another window, the cursor and selection stay as they were and
  // only the text for ccRestore is taken anew.
  void FocusReturn();
  // Validation code of leaving for another control of the same window
  // (0 when fine); leaving the window only drops the focus.
  std::uint16_t FocusOut(bool sameWindow);
  std::uint16_t Validate();

  // Right-click menu rules and actions.
  bool CanRestore() const { return modified_; }
  bool CanCopy() const { return HasSelection(); }
  bool CanPaste() const;
  bool CanSelectAll() const { return !AllSelected(); }
  void SelectAll();
  void DeleteSelectionCommand();

  // Recomputes the first visible character so that the cursor shows.
  virtual void UpdateView();

  std::function<void()> OnChange;
  std::function<void(TEntryFieldModel*, std::uint16_t, const std::string&)> OnError;
  std::function<void(TEntryFieldModel*, std::uint16_t&)> OnUserValidation;
  std::function<void(TEntryFieldModel*, TCommand)> OnUserCommand;

  // Services of the host window. All may stay unset in tests.
  std::function<void()> OnBeep;
  std::function<void()> OnRepaint;
  std::function<std::optional<std::u32string>()> ReadClipboard;
  std::function<void(const std::u32string&)> WriteClipboard;
  std::function<int(std::u32string_view)> MeasureText;  // pixels
  int ViewWidth = 1 << 20;  // client width in pixels
  int TextMargin = 2;

 protected:
  int Length() const { return static_cast<int>(text_.size()); }
  void Beep();
  void Repaint();
  // Puts new text in place; marks modified and raises OnChange if it differs.
  void Edit(std::u32string text, int cursor);
  // Program-side write: not an edit.
  void Assign(std::u32string text);
  void SetSelection(int start, int end, int cursor);
  void Collapse(int cursor) { SetSelection(cursor, cursor, cursor); }
  virtual void CopySelection();
  virtual bool AcceptsChar(char32_t c) const;
  virtual std::uint16_t CheckType() { return 0; }
  virtual void RestoreSaved();
  virtual void DeleteSelection();
  virtual void Paste(const std::u32string& clip);
  int WordLeftFrom(int pos) const;
  int WordRightFrom(int pos) const;

  bool insertMode_ = true;

 private:
  void Move(TCommand command);
  bool Movement(TCommand command, int& pos) const;
  void DeleteChar(bool back);
  void ToggleInsert();
  bool InsertChar(std::u32string& t, int& pos, char32_t c) const;
  bool OverwriteChar(std::u32string& t, int& pos, char32_t c) const;

  TEntryController* controller_;
  char32_t picture_ = U'X';
  std::uint16_t maxLength_ = 15;
  TEntryFieldOptions options_ = kDefaultFieldOptions;
  bool enabled_ = true;
  std::u32string text_;
  int cursor_ = 0;
  int selStart_ = 0;
  int selEnd_ = 0;
  int anchor_ = 0;
  int firstVisible_ = 0;
  bool modified_ = false;
  bool inError_ = false;
  bool focused_ = false;
  bool leftWindow_ = false;
  bool ctrlCharMode_ = false;
  std::u32string savedText_;
  std::uint16_t lastError_ = 0;

  friend class TNumericFieldModel;
};

}  // namespace snpp
