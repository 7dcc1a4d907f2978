#include "entry_field_layout.h"

#include <algorithm>
#include <cmath>

namespace snpp {

TFieldLayout::TFieldLayout(const TEntryFieldModel& model, Metrics metrics, Advance advance, bool rightAligned)
    : model_(model), m_(metrics), advance_(std::move(advance)), right_(rightAligned) {}

int TFieldLayout::Px(int layoutPixels) const { return static_cast<int>(std::lround(layoutPixels * m_.scale)); }

int TFieldLayout::AutoHeight(int lineHeight, double scale) {
  return lineHeight + static_cast<int>(std::lround(8 * scale));
}

TFieldBox TFieldLayout::Client() const {
  const int e = Edge();
  return {e, e, std::max(m_.width - 2 * e, 0), std::max(m_.height - 2 * e, 0)};
}

// A control character's square is as wide as a "0", with a pixel of room
// on each side so it never touches its neighbours.
int TFieldLayout::CharWidth(char32_t c) const {
  if (IsControlChar(c)) return advance_(U'0') + Px(2);
  return advance_(c);
}

int TFieldLayout::TextWidth(std::u32string_view text) const {
  int w = 0;
  for (char32_t c : text) w += CharWidth(c);
  return w;
}

int TFieldLayout::FirstDrawn() const {
  const auto& t = model_.Text();
  if (!right_) return std::min(model_.FirstVisible(), static_cast<int>(t.size()));
  const auto first = t.find_first_not_of(U' ');
  return first == std::u32string::npos ? static_cast<int>(t.size()) : static_cast<int>(first);
}

// A string starts TextMargin - 1 pixels into the client area, a number
// ends TextMargin + 1 pixels before its right edge.
int TFieldLayout::TextLeft() const {
  const TFieldBox c = Client();
  if (!right_) return c.left + Px(model_.TextMargin - 1);
  const std::u32string_view shown = std::u32string_view(model_.Text()).substr(FirstDrawn());
  return c.Right() - Px(model_.TextMargin + 1) - TextWidth(shown);
}

int TFieldLayout::TextTop() const {
  const TFieldBox c = Client();
  if (m_.lineHeight < m_.height - Px(4)) return c.top + Px(1);
  return c.top + (c.height - m_.lineHeight) / 2;
}

int TFieldLayout::PositionAt(int x) const {
  const auto& t = model_.Text();
  int left = TextLeft();
  int i = FirstDrawn();
  // Left of the text a drag reaches back one character at a time.
  if (x < left && !right_) return std::max(i - 1, 0);
  for (; i < static_cast<int>(t.size()); ++i) {
    const int w = CharWidth(t[i]);
    if (x < left + (w + 1) / 2) break;
    left += w;
  }
  return i;
}

int TFieldLayout::CharIndexAt(int x) const {
  const auto& t = model_.Text();
  int left = TextLeft();
  int i = FirstDrawn();
  for (; i < static_cast<int>(t.size()); ++i) {
    left += CharWidth(t[i]);
    if (x < left) break;
  }
  return i;
}

TFieldBox TFieldLayout::CharacterBox(int index) const {
  const auto& t = model_.Text();
  index = std::clamp(index, 0, static_cast<int>(t.size()));
  const int first = std::min(FirstDrawn(), index);
  const int x = TextLeft() + TextWidth(std::u32string_view(t).substr(first, index - first));
  const int w = index < static_cast<int>(t.size()) ? CharWidth(t[index]) : 0;
  return {x, TextTop(), w, m_.lineHeight};
}

TFieldBox TFieldLayout::CaretBox() const {
  const auto& t = model_.Text();
  const int cursor = model_.Cursor();
  TFieldBox r = CharacterBox(cursor);
  // Past the end the overwrite block is as wide as a digit: some fonts
  // report an average width far wider than any of their characters.
  const char32_t under = cursor < static_cast<int>(t.size()) ? t[cursor] : U'0';
  r.width = model_.InsertMode() ? Px(2) : CharWidth(under);
  return r;
}

// Standing on the baseline, so a mark reads as a character of its own and
// not as part of the number beside it.
TFieldBox TFieldLayout::ControlMark(const TFieldBox& cell) const {
  const int side = cell.width - Px(2);
  return {cell.left + Px(1), cell.top + m_.ascent - side, side, side};
}

TFieldTone TFieldLayout::BackTone() const {
  if (!model_.Enabled()) return TFieldTone::Disabled;
  if (model_.InError()) return TFieldTone::Error;
  return TFieldTone::Normal;
}

TFieldTone TFieldLayout::TextTone(bool focused) const {
  if (!model_.Enabled() && !SelectionShown(focused)) return TFieldTone::Disabled;
  if (model_.InError()) return TFieldTone::Error;
  return TFieldTone::Normal;
}

bool TFieldLayout::SelectionShown(bool focused) const { return focused && model_.HasSelection(); }

bool TFieldLayout::Selected(int index, bool focused) const {
  return SelectionShown(focused) && index >= model_.SelStart() && index < model_.SelEnd();
}

}  // namespace snpp
