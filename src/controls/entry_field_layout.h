#pragma once
// Where an entry field's characters, caret and marks sit, and where a
// click lands, given the glyph advances of the font it is drawn with. Both
// window systems draw the field from these answers, so the rules are one.
// Pixels are the front end's own; `Scale` turns the field's fixed sizes
// (margins, caret width, edge) into them.

#include <functional>
#include <string_view>

#include "entry_field_model.h"

namespace snpp {

// A pasted line break or tab is shown as a mark, never as a glyph.
constexpr bool IsControlChar(char32_t c) { return c < 32; }

struct TFieldBox {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }  // one past the last pixel
  int Bottom() const { return top + height; }
};

enum class TFieldTone { Normal, Disabled, Error, Highlight };

class TFieldLayout {
 public:
  // Advance of one displayable character (never a control character).
  using Advance = std::function<int(char32_t)>;

  struct Metrics {
    int width = 0, height = 0;  // the whole field
    int lineHeight = 0;         // the font's
    int ascent = 0;
    double scale = 1;
  };

  TFieldLayout(const TEntryFieldModel& model, Metrics metrics, Advance advance, bool rightAligned);

  // The field's own lengths in the front end's pixels.
  int Px(int layoutPixels) const;
  int Edge() const { return Px(2); }
  TFieldBox Client() const;
  // Line height plus room for the sunken edge.
  static int AutoHeight(int lineHeight, double scale);

  int CharWidth(char32_t c) const;
  int TextWidth(std::u32string_view text) const;
  // First character drawn: numbers are drawn without their padding blanks.
  int FirstDrawn() const;
  // x of the boundary before the first drawn character.
  int TextLeft() const;
  int TextTop() const;
  // Character index for an x position: nearest boundary, or the character
  // under the pointer.
  int PositionAt(int x) const;
  int CharIndexAt(int x) const;
  // The cell of the character at `index` (past the end: an empty cell).
  TFieldBox CharacterBox(int index) const;
  TFieldBox CaretBox() const;
  // The hollow square drawn for a control character in `cell`; its outline
  // is `Px(1)` thick.
  TFieldBox ControlMark(const TFieldBox& cell) const;

  // Colours, by their role: the selection shows only in a focused field.
  TFieldTone BackTone() const;
  TFieldTone TextTone(bool focused) const;
  bool SelectionShown(bool focused) const;
  bool Selected(int index, bool focused) const;

 private:
  const TEntryFieldModel& model_;
  Metrics m_;
  Advance advance_;
  bool right_;
};

}  // namespace snpp
