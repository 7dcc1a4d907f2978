#include "controls/entry_field_model.h"
#include "controls/entry_field_numeric.h"

#include <gtest/gtest.h>

#include "controls/entry_field_messages.h"
#include "controls/entry_field_text.h"

namespace snpp {
namespace {

constexpr std::uint8_t S = ssShift, C = ssCtrl;

class PagerField : public ::testing::Test {
 protected:
  PagerField() : field(&controller) {
    field.SetMaxLength(10);
    field.OnBeep = [this] { ++beeps; };
    field.OnChange = [this] { ++changes; };
    field.ReadClipboard = [this]() -> std::optional<std::u32string> { return clipboard; };
    field.WriteClipboard = [this](const std::u32string& s) { clipboard = s; };
  }
  void Type(const std::u32string& s) {
    for (char32_t c : s) {
      ASSERT_EQ(field.KeyDown(0, 0), ccNoCmd);
      field.TypeChar(c);
    }
  }
  void Key(std::uint8_t key, std::uint8_t shift = 0) { field.KeyDown(key, shift); }
  void Enter(const std::u32string& text) {
    field.SetStringValue(text);
    field.FocusIn(TEntryFieldModel::FocusSource::Keyboard);
  }

  TEntryController controller;
  TEntryFieldModel field;
  int beeps = 0;
  int changes = 0;
  std::optional<std::u32string> clipboard;
};

TEST_F(PagerField, EleventhCharacterIsRefusedWithABeep) {
  Enter(U"");
  Type(U"12345678901");
  EXPECT_EQ(field.Text(), U"1234567890");
  EXPECT_EQ(beeps, 1);
  EXPECT_TRUE(field.Modified());
  EXPECT_EQ(changes, 10);
}

TEST_F(PagerField, FullFieldInsertPushesOrOverwrites) {
  Enter(U"1234567890");
  Key(vkHome);
  Key(vkRight);
  Key(vkRight);
  Type(U"x");
  EXPECT_EQ(field.Text(), U"12x3456789");
  EXPECT_EQ(field.Text().size(), 10u);
  EXPECT_EQ(field.Cursor(), 3);
  EXPECT_EQ(beeps, 0);

  Key(vkInsert);
  EXPECT_FALSE(field.InsertMode());
  Key(vkLeft);
  Type(U"y");
  EXPECT_EQ(field.Text(), U"12y3456789");
  Key(vkEnd);
  Type(U"z");  // overwrite at the limit
  EXPECT_EQ(beeps, 1);

  // Without pushing, a full field refuses the character.
  controller.SetEntryOptions(efoAutoSelect | efoBeepOnError);
  Key(vkInsert);
  Key(vkHome);
  Type(U"w");
  EXPECT_EQ(field.Text(), U"12y3456789");
  EXPECT_EQ(beeps, 2);
}

TEST_F(PagerField, ControlCharactersBeepAndChangeNothing) {
  Enter(U"555");
  Key(vkEnd);
  for (char32_t c : {U'\r', U'\x1b', U'\x11'}) {
    EXPECT_EQ(field.KeyDown(c == U'\r' ? vkReturn : vkEscape, 0), ccNoCmd);
    EXPECT_FALSE(field.TypeChar(c));
  }
  EXPECT_EQ(field.Text(), U"555");
  EXPECT_EQ(beeps, 3);
  EXPECT_FALSE(field.Modified());
  // Without efoBeepOnError the refusal is silent.
  controller.SetEntryOptions(efoAutoSelect);
  field.TypeChar(U'\r');
  EXPECT_EQ(beeps, 3);
}

TEST_F(PagerField, KeyboardEntrySelectsAllMouseEntryDoesNot) {
  Enter(U"5551234");
  EXPECT_TRUE(field.AllSelected());
  EXPECT_EQ(field.Cursor(), 7);
  Type(U"9");
  EXPECT_EQ(field.Text(), U"9");

  field.FocusOut(true);
  EXPECT_EQ(field.Cursor(), 0);
  field.FocusIn(TEntryFieldModel::FocusSource::Mouse);
  field.MouseDown(1, false);
  EXPECT_FALSE(field.HasSelection());
  EXPECT_EQ(field.Cursor(), 1);
}

TEST_F(PagerField, BlanksAreTrimmedOnlyWhenLeavingWithinTheWindow) {
  Enter(U"");
  Type(U" 555 ");
  EXPECT_EQ(field.StringValue(), U" 555 ");
  field.FocusOut(false);  // another window: nothing validated
  EXPECT_EQ(field.Text(), U" 555 ");
  EXPECT_EQ(field.Cursor(), 5);
  field.FocusReturn();
  EXPECT_EQ(field.FocusOut(true), 0);
  EXPECT_EQ(field.Text(), U"555");
  EXPECT_EQ(field.Cursor(), 0);
  EXPECT_EQ(field.FirstVisible(), 0);
}

TEST_F(PagerField, InsertModeTravelsThroughTheController) {
  TEntryFieldModel other(&controller);
  Enter(U"1");
  Key(vkInsert);
  field.FocusOut(true);
  EXPECT_FALSE(controller.InsertMode());
  other.FocusIn(TEntryFieldModel::FocusSource::Keyboard);
  EXPECT_FALSE(other.InsertMode());
  // A field that forces a mode ignores both the controller and Ins.
  other.FocusOut(true);
  other.SetOptions(kDefaultFieldOptions | efoForceInsert);
  other.FocusIn(TEntryFieldModel::FocusSource::Keyboard);
  EXPECT_TRUE(other.InsertMode());
  other.KeyDown(vkInsert, 0);
  EXPECT_TRUE(other.InsertMode());
}

TEST_F(PagerField, StringValueWritesAreNotEdits) {
  Enter(U"12");
  Type(U"3");
  field.SetStringValue(U"123456789012");
  EXPECT_EQ(field.Text(), U"1234567890");
  EXPECT_TRUE(field.AllSelected());  // focused: caret to end, all selected
  EXPECT_FALSE(field.Modified());
  field.SetStringValue(U"");
  EXPECT_EQ(field.Text(), U"");
  EXPECT_EQ(changes, 1);
  field.FocusOut(true);
  field.SetStringValue(U"77");
  EXPECT_FALSE(field.HasSelection());
  EXPECT_EQ(field.Cursor(), 0);
}

TEST_F(PagerField, UndoRestoresTheTextFromFocusGain) {
  Enter(U"5551234");
  Key(vkEnd);
  Key(vkBack);
  Type(U"99");
  EXPECT_EQ(field.Text(), U"55512399");
  changes = 0;
  Key('Z', C);
  EXPECT_EQ(field.Text(), U"5551234");
  EXPECT_TRUE(field.AllSelected());
  EXPECT_FALSE(field.Modified());
  EXPECT_EQ(changes, 1);
  Key(vkBack, ssAlt);  // Alt+Backspace restores too
  EXPECT_EQ(field.Text(), U"5551234");

  // Coming back to the window is a focus gain: Ctrl+Z now goes back to the
  // text the field held then, with the cursor left where it was.
  Key(vkEnd);
  Type(U"0");
  field.FocusOut(false);
  field.FocusReturn();
  EXPECT_EQ(field.Cursor(), 8);
  Type(U"1");
  Key('Z', C);
  EXPECT_EQ(field.Text(), U"55512340");
}

TEST_F(PagerField, WordMovesAndSelectionExtension) {
  field.SetMaxLength(40);
  Enter(U"ab  cd ef");
  Key(vkEnd);
  Key(vkLeft, C);
  EXPECT_EQ(field.Cursor(), 7);
  Key(vkLeft, C);
  EXPECT_EQ(field.Cursor(), 4);
  Key(vkLeft, C);
  EXPECT_EQ(field.Cursor(), 0);
  Key(vkRight, C);
  EXPECT_EQ(field.Cursor(), 4);

  // Extending moves the edge at the cursor; the other edge stays.
  Key(vkRight, C | S);
  EXPECT_EQ(field.SelStart(), 4);
  EXPECT_EQ(field.SelEnd(), 7);
  Key(vkLeft, S);
  EXPECT_EQ(field.SelEnd(), 6);
  Key(vkHome, S);
  EXPECT_EQ(field.SelStart(), 0);
  EXPECT_EQ(field.SelEnd(), 4);
  // A plain move collapses the selection at the moved cursor.
  Key(vkRight);
  EXPECT_FALSE(field.HasSelection());
  EXPECT_EQ(field.Cursor(), 1);

  field.DoubleClick(4);  // on "cd": the word and the blank after it
  EXPECT_EQ(field.SelStart(), 4);
  EXPECT_EQ(field.SelEnd(), 7);
  field.MouseDown(1, false);
  field.MouseMove(5);
  EXPECT_EQ(field.SelStart(), 1);
  EXPECT_EQ(field.SelEnd(), 5);
  field.MouseDown(8, true);  // shift-click extends from the anchor
  EXPECT_EQ(field.SelStart(), 1);
  EXPECT_EQ(field.SelEnd(), 8);
}

TEST_F(PagerField, DeleteCutCopyPaste) {
  Enter(U"12345");
  Key(vkHome);
  Key(vkDelete);
  EXPECT_EQ(field.Text(), U"2345");
  Key(vkBack);  // nothing left of the cursor
  EXPECT_EQ(field.Text(), U"2345");
  Key(vkRight, S);
  Key(vkRight, S);
  Key('C', C);
  EXPECT_EQ(clipboard, U"23");
  Key('X', C);
  EXPECT_EQ(field.Text(), U"45");
  Key(vkEnd);
  Key('V', C);
  EXPECT_EQ(field.Text(), U"4523");

  // Control characters paste as they are, NUL does not.
  clipboard = std::u32string(U"a\r\n") + char32_t(0) + U"b";
  Key(vkInsert, S);
  EXPECT_EQ(field.Text(), U"4523a\r\nb");
  EXPECT_EQ(beeps, 0);
  // What does not fit is cut off, and the user hears about it.
  clipboard = U"6789";
  Key('V', C);
  EXPECT_EQ(field.Text(), U"4523a\r\nb67");
  EXPECT_EQ(beeps, 1);
  // With the cursor inside a full field the paste pushes the tail out.
  clipboard = U"0";
  Key(vkHome);
  Key('V', C);
  EXPECT_EQ(field.Text(), U"04523a\r\nb6");
  EXPECT_EQ(beeps, 1);
}

TEST_F(PagerField, MenuRules) {
  clipboard.reset();
  Enter(U"12");
  EXPECT_FALSE(field.CanRestore());
  EXPECT_TRUE(field.CanCopy());
  EXPECT_FALSE(field.CanPaste());
  EXPECT_FALSE(field.CanSelectAll());
  field.DeleteSelectionCommand();
  EXPECT_EQ(field.Text(), U"");
  EXPECT_TRUE(field.CanRestore());
  clipboard = U"";
  EXPECT_TRUE(field.CanPaste());
}

TEST_F(PagerField, ViewScrollsToKeepTheCursorVisible) {
  field.SetMaxLength(40);
  field.MeasureText = [](std::u32string_view s) { return static_cast<int>(s.size()) * 6; };
  field.ViewWidth = 33;  // 30 pixels for text: the cursor must stay under that
  Enter(U"");
  Type(U"abcd");
  EXPECT_EQ(field.FirstVisible(), 0);
  Type(U"e");  // 5 chars = 30 pixels: the view moves on
  EXPECT_EQ(field.FirstVisible(), 1);
  Type(U"fgh");
  EXPECT_EQ(field.FirstVisible(), 4);
  Key(vkLeft);
  EXPECT_EQ(field.FirstVisible(), 4);
  Key(vkHome);
  EXPECT_EQ(field.FirstVisible(), 0);
  Key(vkRight);
  Key(vkRight);
  Key(vkRight);
  EXPECT_EQ(field.FirstVisible(), 0);
}

TEST_F(PagerField, CtrlCharModeTakesTheNextControlCharacter) {
  controller.EntryCommands().FindTable("WordStar")->SetActive(true);
  Enter(U"");
  EXPECT_EQ(field.KeyDown('P', C), ccCtrlChar);
  EXPECT_EQ(field.KeyDown('M', C), ccNoCmd);
  EXPECT_TRUE(field.TypeChar(U'\r'));
  EXPECT_FALSE(field.TypeChar(U'\r'));  // only the one character
  EXPECT_EQ(field.Text(), U"\r");
}

TEST_F(PagerField, NinePictureTakesDigitsAndBlanks) {
  field.SetPictureChar(U'9');
  Enter(U"");
  Type(U"1a 2");
  EXPECT_EQ(field.Text(), U"1 2");
  EXPECT_EQ(beeps, 1);
  EXPECT_THROW(field.SetPictureChar(U'A'), std::invalid_argument);
  EXPECT_THROW(TEntryFieldModel(nullptr), std::invalid_argument);
}

TEST_F(PagerField, ValidationFailuresComeBackFromLeaving) {
  Enter(U"x");
  field.OnUserValidation = [](TEntryFieldModel*, std::uint16_t& code) { code = kErrRequired; };
  EXPECT_EQ(field.FocusOut(true), kErrRequired);
  EXPECT_FALSE(field.InError());
  field.SetOptions(kDefaultFieldOptions | efoSoftValidation);
  field.FocusIn(TEntryFieldModel::FocusSource::Keyboard);
  EXPECT_EQ(field.FocusOut(true), kErrRequired);
  EXPECT_TRUE(field.InError());
  EXPECT_EQ(controller.ErrorText(kErrRequired), "A value is required in this field");
  controller.SetLastMessage("Own check failed");
  EXPECT_EQ(controller.ErrorText(40000), "Own check failed");
  controller.SetEpoch(1599);
  controller.SetEpoch(4000);
  EXPECT_EQ(controller.Epoch(), 2000);
  controller.SetEpoch(1600);
  EXPECT_EQ(controller.Epoch(), 1600);
}

TEST_F(PagerField, DisabledFieldTakesNoInputButTakesWrites) {
  Enter(U"12");
  field.SetEnabled(false);
  field.TypeChar(U'3');
  field.KeyDown(vkBack, 0);
  EXPECT_EQ(field.Text(), U"12");
  field.SetStringValue(U"9");
  EXPECT_EQ(field.Text(), U"9");
}

TEST(EntryMessages, CodesAndTexts) {
  EXPECT_EQ(ValidationErrorText(256), "Value is not within required range");
  EXPECT_EQ(ValidationErrorText(257), "Value is not valid for this field type");
  EXPECT_EQ(ValidationErrorText(261), "This field should contain no blanks");
  EXPECT_EQ(ValidationErrorText(262), "This field should be either empty or completely full");
  EXPECT_EQ(ValidationErrorText(300), "Entry Error");
  EXPECT_EQ(EntryMessage(1), "Unknown");
  EXPECT_EQ(EntryMessage(kMsgNoController), "No Controller assigned");
}

TEST(EntryText, AnyByteStringRoundTrips) {
  const std::string bytes = "a\xC3\xA9\xFF\xC3(\xE2\x82\xAC\xF0\x9F\x98\x80\xED\xA0\x80z";
  const std::u32string text = TextFromBytes(bytes);
  EXPECT_EQ(text.substr(0, 2), U"a\u00e9");
  EXPECT_EQ(BytesFromText(text), bytes);
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(BytesFromText(TextFromBytes(all)), all);
}

}  // namespace
}  // namespace snpp

namespace snpp {
namespace {

// Any mix of keys, characters, clicks and focus changes keeps the state
// consistent: within the limit, positions inside the text.
template <typename Model>
void Storm(Model& field, unsigned seed, const std::u32string& alphabet) {
  std::optional<std::u32string> clip = U"12 ab\n";
  field.ReadClipboard = [&clip]() { return clip; };
  field.WriteClipboard = [&clip](const std::u32string& s) { clip = s; };
  field.MeasureText = [](std::u32string_view s) { return static_cast<int>(s.size()) * 5; };
  field.ViewWidth = 40;
  const std::uint8_t keys[] = {vkLeft, vkRight, vkHome, vkEnd, vkBack, vkDelete, vkInsert,
                               'Z', 'X', 'C', 'V', 'Q', 'K', 'S', 'P', '1', vkReturn};
  std::uint32_t state = seed;
  auto next = [&state](std::uint32_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % n;
  };
  field.FocusIn(TEntryFieldModel::FocusSource::Keyboard);
  for (int step = 0; step < 20000; ++step) {
    const int len = static_cast<int>(field.Text().size());
    switch (next(8)) {
      case 0: case 1: case 2:
        field.KeyDown(keys[next(std::size(keys))], static_cast<std::uint8_t>(next(16) & 14));
        break;
      case 3: case 4:
        field.TypeChar(alphabet[next(static_cast<std::uint32_t>(alphabet.size()))]);
        break;
      case 5:
        field.MouseDown(static_cast<int>(next(static_cast<std::uint32_t>(len + 3))) - 1, next(2) != 0);
        field.MouseMove(static_cast<int>(next(static_cast<std::uint32_t>(len + 3))) - 1);
        break;
      case 6:
        field.DoubleClick(static_cast<int>(next(static_cast<std::uint32_t>(len + 2))) - 1);
        break;
      default:
        field.FocusOut(next(2) != 0);
        field.FocusIn(next(2) ? TEntryFieldModel::FocusSource::Keyboard : TEntryFieldModel::FocusSource::Mouse);
        break;
    }
    const int n = static_cast<int>(field.Text().size());
    ASSERT_LE(n, std::max<int>(field.MaxLength(), 12)) << step;
    ASSERT_GE(field.Cursor(), 0);
    ASSERT_LE(field.Cursor(), n);
    ASSERT_LE(0, field.SelStart());
    ASSERT_LE(field.SelStart(), field.SelEnd());
    ASSERT_LE(field.SelEnd(), n);
    ASSERT_LE(field.FirstVisible(), std::max(field.Cursor(), 0));
  }
}

TEST(EntryFieldStorm, StringFieldStaysConsistent) {
  TEntryController controller;
  controller.EntryCommands().FindTable("WordStar")->SetActive(true);
  TEntryFieldModel field(&controller);
  field.SetMaxLength(10);
  Storm(field, 7, U"0123456789 ab\r\x1b\u00e9");
}

TEST(EntryFieldStorm, NumericFieldStaysConsistent) {
  TEntryController controller;
  TNumericFieldModel field(&controller);
  field.SetPictureMask(U"999");
  Storm(field, 11, U"0123456789 -x");
}

}  // namespace
}  // namespace snpp
