#include "controls/command_table.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace snpp {
namespace {

constexpr std::uint8_t S = ssShift, C = ssCtrl, A = ssAlt, CS = ssCtrl | ssShift;

TEST(CommandCodes, NumberedInDeclaredOrder) {
  EXPECT_EQ(ccBack, 1);
  EXPECT_EQ(ccDel, 10);
  EXPECT_EQ(ccHome, 42);
  EXPECT_EQ(ccIns, 44);
  EXPECT_EQ(ccLeft, 46);
  EXPECT_EQ(ccPaste, 51);
  EXPECT_EQ(ccRestore, 54);
  EXPECT_EQ(ccRight, 55);
  EXPECT_EQ(ccUndo, 72);
  EXPECT_EQ(ccWordRight, 75);
}

TEST(CommandTables, BuiltInTablesHaveTheirSizesAndRoles) {
  TCommandProcessor p;
  ASSERT_EQ(p.Tables().size(), 3u);
  EXPECT_EQ(p.Tables()[0].TableName(), "Default");
  EXPECT_TRUE(p.Tables()[0].IsActive());
  EXPECT_EQ(p.Tables()[0].Records().size(), 64u);
  EXPECT_EQ(p.Tables()[1].TableName(), "WordStar");
  EXPECT_FALSE(p.Tables()[1].IsActive());
  EXPECT_EQ(p.Tables()[1].Records().size(), 40u);
  EXPECT_EQ(p.Tables()[2].TableName(), "Grid");
  EXPECT_FALSE(p.Tables()[2].IsActive());
  EXPECT_EQ(p.Tables()[2].Records().size(), 38u);
  // No table holds one key twice: a second record could never match.
  for (const auto& t : p.Tables())
    for (std::size_t i = 0; i < t.Records().size(); ++i)
      EXPECT_EQ(t.IndexOfKeys(t.Records()[i].PackedKeys()), static_cast<int>(i)) << t.TableName() << i;
}

TEST(CommandTables, EveryDefaultKeyTranslates) {
  std::vector<std::tuple<std::uint8_t, std::uint8_t, TCommand>> keys = {
      {vkLeft, 0, ccLeft}, {vkRight, 0, ccRight}, {vkLeft, C, ccWordLeft},
      {vkRight, C, ccWordRight}, {vkHome, 0, ccHome}, {vkEnd, 0, ccEnd},
      {vkDelete, 0, ccDel}, {vkBack, 0, ccBack}, {vkBack, S, ccBack},
      {vkPrior, C, ccTopOfPage}, {vkNext, C, ccBotOfPage}, {vkInsert, 0, ccIns},
      {'Z', C, ccUndo}, {vkBack, A, ccRestore}, {vkUp, 0, ccUp}, {vkDown, 0, ccDown},
      {vkReturn, C, ccNewLine}, {vkLeft, S, ccExtendLeft}, {vkRight, S, ccExtendRight},
      {vkHome, S, ccExtendHome}, {vkEnd, S, ccExtendEnd}, {vkLeft, CS, ccExtWordLeft},
      {vkRight, CS, ccExtWordRight}, {vkPrior, S, ccExtendPgUp}, {vkNext, S, ccExtendPgDn},
      {vkUp, S, ccExtendUp}, {vkDown, S, ccExtendDown}, {vkHome, CS, ccExtFirstPage},
      {vkEnd, CS, ccExtLastPage}, {vkPrior, CS, ccExtTopOfPage}, {vkNext, CS, ccExtBotOfPage},
      {vkDelete, S, ccCut}, {'X', C, ccCut}, {vkInsert, C, ccCopy}, {'C', C, ccCopy},
      {vkInsert, S, ccPaste}, {'V', C, ccPaste}, {vkPrior, 0, ccPrevPage},
      {vkNext, 0, ccNextPage}, {vkHome, C, ccFirstPage}, {vkEnd, C, ccLastPage},
      {vkTab, 0, ccTab}, {vkTab, C, ccTab}, {'Z', CS, ccRedo}};
  for (int i = 0; i < 10; ++i) {
    keys.emplace_back('0' + i, C, ccGotoMarker0 + i);
    keys.emplace_back('0' + i, CS, ccSetMarker0 + i);
  }
  ASSERT_EQ(keys.size(), 64u);
  TCommandProcessor p;
  for (const auto& [key, shift, command] : keys)
    EXPECT_EQ(p.Translate(key, shift), command) << int(key) << "/" << int(shift);
  // Every record of the table was exercised.
  std::size_t hits = 0;
  for (const auto& r : p.Tables()[0].Records())
    for (const auto& [key, shift, command] : keys)
      if (r.Key1 == key && r.Shift1 == shift && r.Command == command && r.Key2 == 0) ++hits;
  EXPECT_EQ(hits, 64u);
}

TEST(CommandTables, UnmatchedKeysAndModifiersLeaveTheCharacter) {
  TCommandProcessor p;
  EXPECT_EQ(p.Translate(vkLeft, A), ccNoCmd);     // Alt+Left has no record
  EXPECT_EQ(p.Translate('A', 0), ccNoCmd);
  EXPECT_EQ(p.Translate(vkReturn, 0), ccNoCmd);
  EXPECT_EQ(p.Translate(vkEscape, 0), ccNoCmd);
  for (std::uint8_t m : {vkShift, vkControl, vkMenu, vkCapital, vkNumlock, vkScroll})
    EXPECT_EQ(p.Translate(m, 0), ccNoCmd);
  // Only "Default" active: Ctrl+Q, Ctrl+S are two plain misses.
  EXPECT_EQ(p.Translate('Q', C), ccNoCmd);
  EXPECT_EQ(p.Translate('S', C), ccNoCmd);
  EXPECT_FALSE(p.SequencePending());
}

TEST(CommandTables, WordStarTwoKeySequences) {
  TCommandProcessor p;
  p.FindTable("wordstar")->SetActive(true);
  EXPECT_EQ(p.Translate('Q', C), ccPartial);
  EXPECT_EQ(p.Translate('S', 0), ccHome);
  EXPECT_FALSE(p.SequencePending());

  // The second key may come with Ctrl held; the Ctrl key itself is taken.
  EXPECT_EQ(p.Translate('Q', C), ccPartial);
  EXPECT_EQ(p.Translate(vkControl, C), ccPartial);
  EXPECT_TRUE(p.SequencePending());
  EXPECT_EQ(p.Translate('S', C), ccHome);

  EXPECT_EQ(p.Translate('K', C), ccPartial);
  EXPECT_EQ(p.Translate('3', 0), ccSetMarker3);
  EXPECT_EQ(p.Translate('Q', C), ccPartial);
  EXPECT_EQ(p.Translate('3', C), ccGotoMarker3);

  // A wrong second key or modifier ends the sequence with nothing to do.
  EXPECT_EQ(p.Translate('Q', C), ccPartial);
  EXPECT_EQ(p.Translate('S', S), ccIgnore);
  EXPECT_EQ(p.Translate('S', 0), ccNoCmd);
  EXPECT_EQ(p.Translate('Q', C), ccPartial);
  EXPECT_EQ(p.Translate('Z', 0), ccIgnore);

  // Default comes first, so its Ctrl+X (cut) shadows WordStar's.
  EXPECT_EQ(p.Translate('X', C), ccCut);
  EXPECT_EQ(p.Translate('S', C), ccLeft);

  EXPECT_EQ(p.Translate('Q', C), ccPartial);
  p.Reset();
  EXPECT_FALSE(p.SequencePending());
  EXPECT_EQ(p.Translate('S', 0), ccNoCmd);
}

TEST(CommandTables, CtrlCharPassesTheNextKey) {
  TCommandProcessor p;
  p.FindTable("WordStar")->SetActive(true);
  EXPECT_EQ(p.Translate('P', C), ccCtrlChar);
  EXPECT_EQ(p.Translate(vkControl, C), ccNoCmd);
  EXPECT_EQ(p.Translate(vkLeft, 0), ccNoCmd);  // taken as a character
  EXPECT_EQ(p.Translate(vkLeft, 0), ccLeft);
}

TEST(CommandTables, InactiveTablesAreNotConsulted) {
  TCommandProcessor p;
  p.FindTable("Default")->SetActive(false);
  EXPECT_EQ(p.Translate(vkLeft, 0), ccNoCmd);
  p.FindTable("GRID")->SetActive(true);
  EXPECT_EQ(p.Translate(vkF2, 0), ccTableEdit);
  EXPECT_EQ(p.FindTable("nothing"), nullptr);
  p.AddTable(TCommandTable("Mine", true, {{'M', C, 0, 0, 300}}));
  EXPECT_EQ(p.Translate('M', C), 300);
}

TEST(TableList, BuiltInTablesAreStoredAsDifferences) {
  TCommandProcessor p;
  const TStoredTableList stored = p.TableList();
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0], (TStoredCommandTable{"Default", true, {}}));
  EXPECT_EQ(stored[1], (TStoredCommandTable{"WordStar", false, {}}));
  EXPECT_EQ(stored[2], (TStoredCommandTable{"Grid", false, {}}));

  const std::uint32_t ins = vkInsert;
  const std::uint32_t f5 = vkF1 + 4;
  TCommandProcessor q;
  q.SetTableList({{"Default", true, {{ins, ccNone}}}});
  ASSERT_EQ(q.Tables().size(), 1u);  // reading discards the old tables
  EXPECT_EQ(q.Tables()[0].Records().size(), 63u);
  EXPECT_EQ(q.Translate(vkInsert, 0), ccNoCmd);

  q.SetTableList({{"DEFAULT", true, {{ins, ccPaste}, {f5, ccRestore}}}});
  EXPECT_EQ(q.Translate(vkInsert, 0), ccPaste);
  EXPECT_EQ(q.Translate(vkF1 + 4, 0), ccRestore);
  EXPECT_EQ(q.Tables()[0].Records().size(), 65u);
  // Writing gives back the same differences.
  EXPECT_EQ(q.TableList()[0].Pairs, (std::vector<TStoredCommandPair>{{ins, ccPaste}, {f5, ccRestore}}));

  // Deleting a key that has no record is a no-op, not a new record.
  q.SetTableList({{"Grid", true, {{f5, ccNone}}}});
  EXPECT_EQ(q.Tables()[0].Records().size(), 38u);
}

TEST(TableList, OtherTablesAreStoredWhole) {
  TCommandProcessor p;
  p.AddTable(TCommandTable("Mine", false, {{'Q', C, 'X', ssNoneOrCtrl, 400}, {vkF2, 0, 0, 0, ccCopy}}));
  p.FindTable("default")->Records().erase(p.FindTable("default")->Records().begin());
  const TStoredTableList stored = p.TableList();
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(stored[0].Pairs, (std::vector<TStoredCommandPair>{{vkLeft, ccNone}}));
  const std::uint32_t packed = 'Q' | C << 8 | 'X' << 16 | 128u << 24;
  EXPECT_EQ(stored[3].Pairs, (std::vector<TStoredCommandPair>{{packed, 400}, {vkF2, ccCopy}}));

  TCommandProcessor q;
  q.SetTableList(stored);
  EXPECT_EQ(q.TableList(), stored);
  q.FindTable("mine")->SetActive(true);
  EXPECT_EQ(q.Translate(vkLeft, 0), ccNoCmd);
  EXPECT_EQ(q.Translate('Q', C), ccPartial);
  EXPECT_EQ(q.Translate('X', C), 400);
}

}  // namespace
}  // namespace snpp
