#include "controls/entry_field_numeric.h"

#include <gtest/gtest.h>

#include "controls/entry_field_messages.h"

namespace snpp {
namespace {

class NumericField : public ::testing::Test {
 protected:
  NumericField() : field(&controller) {
    field.SetPictureMask(U"999");
    field.OnBeep = [this] { ++beeps; };
    field.ReadClipboard = [this]() -> std::optional<std::u32string> { return clipboard; };
    field.WriteClipboard = [this](const std::u32string& s) { clipboard = s; };
  }
  void Type(const std::u32string& s) {
    for (char32_t c : s) field.TypeChar(c);
  }
  void Focus() { field.FocusIn(TEntryFieldModel::FocusSource::Keyboard); }

  TEntryController controller;
  TNumericFieldModel field;
  int beeps = 0;
  std::optional<std::u32string> clipboard;
};

TEST_F(NumericField, StartsAtZeroPlacedFromTheRight) {
  EXPECT_EQ(field.Text(), U"  0");
  EXPECT_EQ(field.StringValue(), U"0");
  EXPECT_EQ(field.Value(), 0);
  field.SetRangeLo(5);
  EXPECT_EQ(field.InitialValue(), 5);
  field.SetRangeLo(-9);
  field.SetRangeHi(-3);
  EXPECT_EQ(field.InitialValue(), -9);
  field.SetValue(-42);
  EXPECT_EQ(field.Text(), U"-42");
  // A value wider than the picture is shown whole, never cut.
  field.SetValue(123456);
  EXPECT_EQ(field.Text(), U"123456");
}

TEST_F(NumericField, CalculatorStyleTyping) {
  field.SetValue(12);
  Focus();
  EXPECT_TRUE(field.AllSelected());
  Type(U"0");  // replaces the selected value; a leading zero is not stored
  EXPECT_EQ(field.Text(), U"  0");
  Type(U"7");
  EXPECT_EQ(field.Text(), U"  7");
  Type(U"89");
  EXPECT_EQ(field.Text(), U"789");
  EXPECT_EQ(beeps, 0);
  Type(U"1");
  EXPECT_EQ(beeps, 1);
  Type(U" a");
  EXPECT_EQ(beeps, 3);
  EXPECT_EQ(field.Text(), U"789");
  EXPECT_TRUE(field.Modified());

  field.KeyDown(vkBack, 0);
  EXPECT_EQ(field.Text(), U" 78");
  field.KeyDown(vkLeft, 0);  // moves nothing
  field.KeyDown(vkDelete, 0);
  EXPECT_EQ(field.Text(), U"  7");
  field.KeyDown(vkHome, ssShift);  // selects the whole number
  EXPECT_TRUE(field.AllSelected());
  field.KeyDown(vkDelete, 0);
  EXPECT_EQ(field.Text(), U"  0");
}

TEST_F(NumericField, StrayKeyOverASelectionKeepsTheValue) {
  field.SetValue(345);
  Focus();
  Type(U"x");
  EXPECT_EQ(field.Text(), U"345");
  EXPECT_EQ(beeps, 1);
}

TEST_F(NumericField, MinusFlagTakesAPositionAndGoesLast) {
  field.SetValue(-5);
  field.FocusIn(TEntryFieldModel::FocusSource::Mouse);
  EXPECT_TRUE(field.Minus());
  EXPECT_EQ(field.Digits(), "5");
  Type(U"6");
  EXPECT_EQ(field.Text(), U"-56");
  Type(U"7");
  EXPECT_EQ(beeps, 1);
  field.KeyDown(vkBack, 0);
  field.KeyDown(vkBack, 0);
  EXPECT_EQ(field.Text(), U" -0");
  field.KeyDown(vkBack, 0);
  EXPECT_EQ(field.Text(), U"  0");
}

TEST_F(NumericField, SinglePositionReplacesItsDigit) {
  field.SetPictureMask(U"9");
  field.FocusIn(TEntryFieldModel::FocusSource::Mouse);
  Type(U"48");
  EXPECT_EQ(field.Text(), U"8");
  EXPECT_EQ(beeps, 0);
}

TEST_F(NumericField, PasteEntersWhatFitsSilently) {
  Focus();
  clipboard = U"1x2345";
  field.KeyDown('V', ssCtrl);
  EXPECT_EQ(field.Text(), U"123");
  EXPECT_EQ(beeps, 0);
  field.DoubleClick(0);
  field.KeyDown('C', ssCtrl);
  EXPECT_EQ(clipboard, U"123");
  field.MouseDown(0, false);
  EXPECT_FALSE(field.HasSelection());
  field.KeyDown(vkBack, 0);
  field.KeyDown(vkBack, 0);
  field.DoubleClick(0);
  field.KeyDown('X', ssCtrl);  // the number without its padding
  EXPECT_EQ(clipboard, U"1");
  EXPECT_EQ(field.Text(), U"  0");
}

TEST_F(NumericField, ValidationOnLeaving) {
  field.SetRangeLo(10);
  field.SetRangeHi(500);
  field.SetValue(10);
  Focus();
  Type(U"7");
  EXPECT_EQ(field.FocusOut(true), kErrRange);
  field.FocusIn(TEntryFieldModel::FocusSource::Mouse);
  Type(U"5");
  EXPECT_EQ(field.FocusOut(true), 0);
  EXPECT_EQ(field.Value(), 75);
  EXPECT_EQ(field.Text(), U" 75");
  EXPECT_THROW(field.SetStringValue(U"12a"), std::invalid_argument);
  field.SetStringValue(U" 99 ");
  EXPECT_EQ(field.Value(), 99);

}

TEST_F(NumericField, RestoreBringsBackTheNumber) {
  field.SetValue(42);
  Focus();
  Type(U"9");
  field.KeyDown('Z', ssCtrl);
  EXPECT_EQ(field.Text(), U" 42");
  EXPECT_TRUE(field.AllSelected());
  Type(U"1");
  EXPECT_EQ(field.Text(), U"  1");
}

TEST(WholeNumbers, Parse) {
  std::int64_t n = 0;
  EXPECT_TRUE(ParseWholeNumber(U" -12 ", n));
  EXPECT_EQ(n, -12);
  EXPECT_FALSE(ParseWholeNumber(U"", n));
  EXPECT_FALSE(ParseWholeNumber(U"1 2", n));
  EXPECT_FALSE(ParseWholeNumber(U"99999999999999999999", n));
}

}  // namespace
}  // namespace snpp
