// Contents of the three tables every processor starts with.

#include "command_table.h"
#include "entry_field_messages.h"

namespace snpp {
namespace {

constexpr std::uint8_t S = ssShift, C = ssCtrl, A = ssAlt, CS = ssCtrl | ssShift;

TCommandRecord One(std::uint8_t key, std::uint8_t shift, TCommand cmd) {
  return {key, shift, 0, 0, cmd};
}
// Two-key sequence whose second key may come with or without Ctrl.
TCommandRecord Two(std::uint8_t key1, std::uint8_t shift1, std::uint8_t key2, TCommand cmd) {
  return {key1, shift1, key2, ssNoneOrCtrl, cmd};
}
std::uint8_t Letter(char c) { return static_cast<std::uint8_t>(c); }

}  // namespace

TCommandTable DefaultCommandTable() {
  std::vector<TCommandRecord> r = {
      One(vkLeft, 0, ccLeft),          One(vkRight, 0, ccRight),
      One(vkLeft, C, ccWordLeft),      One(vkRight, C, ccWordRight),
      One(vkHome, 0, ccHome),          One(vkEnd, 0, ccEnd),
      One(vkDelete, 0, ccDel),         One(vkBack, 0, ccBack),
      One(vkBack, S, ccBack),          One(vkPrior, C, ccTopOfPage),
      One(vkNext, C, ccBotOfPage),     One(vkInsert, 0, ccIns),
      One(Letter('Z'), C, ccUndo),     One(vkBack, A, ccRestore),
      One(vkUp, 0, ccUp),              One(vkDown, 0, ccDown),
      One(vkReturn, C, ccNewLine),     One(vkLeft, S, ccExtendLeft),
      One(vkRight, S, ccExtendRight),  One(vkHome, S, ccExtendHome),
      One(vkEnd, S, ccExtendEnd),      One(vkLeft, CS, ccExtWordLeft),
      One(vkRight, CS, ccExtWordRight), One(vkPrior, S, ccExtendPgUp),
      One(vkNext, S, ccExtendPgDn),    One(vkUp, S, ccExtendUp),
      One(vkDown, S, ccExtendDown),    One(vkHome, CS, ccExtFirstPage),
      One(vkEnd, CS, ccExtLastPage),   One(vkPrior, CS, ccExtTopOfPage),
      One(vkNext, CS, ccExtBotOfPage), One(vkDelete, S, ccCut),
      One(Letter('X'), C, ccCut),      One(vkInsert, C, ccCopy),
      One(Letter('C'), C, ccCopy),     One(vkInsert, S, ccPaste),
      One(Letter('V'), C, ccPaste),    One(vkPrior, 0, ccPrevPage),
      One(vkNext, 0, ccNextPage),      One(vkHome, C, ccFirstPage),
      One(vkEnd, C, ccLastPage),       One(vkTab, 0, ccTab),
      One(vkTab, C, ccTab),            One(Letter('Z'), CS, ccRedo),
  };
  for (int i = 0; i < 10; ++i)
    r.push_back(One(static_cast<std::uint8_t>('0' + i), C, static_cast<TCommand>(ccGotoMarker0 + i)));
  for (int i = 0; i < 10; ++i)
    r.push_back(One(static_cast<std::uint8_t>('0' + i), CS, static_cast<TCommand>(ccSetMarker0 + i)));
  return TCommandTable(EntryMessage(kMsgTableDefault), true, std::move(r));
}

TCommandTable WordStarCommandTable() {
  std::vector<TCommandRecord> r = {
      One(Letter('S'), C, ccLeft),      One(Letter('D'), C, ccRight),
      One(Letter('E'), C, ccUp),        One(Letter('X'), C, ccDown),
      One(Letter('A'), C, ccWordLeft),  One(Letter('F'), C, ccWordRight),
      One(Letter('R'), C, ccPrevPage),  One(Letter('C'), C, ccNextPage),
      One(Letter('G'), C, ccDel),       One(Letter('H'), C, ccBack),
      One(Letter('T'), C, ccDelWord),   One(Letter('Y'), C, ccDelLine),
      One(Letter('V'), C, ccIns),       One(Letter('P'), C, ccCtrlChar),
      Two(Letter('Q'), C, Letter('S'), ccHome),
      Two(Letter('Q'), C, Letter('D'), ccEnd),
      Two(Letter('Q'), C, Letter('R'), ccFirstPage),
      Two(Letter('Q'), C, Letter('C'), ccLastPage),
      Two(Letter('Q'), C, Letter('Y'), ccDelEol),
      Two(Letter('Q'), C, Letter('L'), ccRestore),
  };
  for (int i = 0; i < 10; ++i)
    r.push_back(Two(Letter('Q'), C, static_cast<std::uint8_t>('0' + i),
                    static_cast<TCommand>(ccGotoMarker0 + i)));
  for (int i = 0; i < 10; ++i)
    r.push_back(Two(Letter('K'), C, static_cast<std::uint8_t>('0' + i),
                    static_cast<TCommand>(ccSetMarker0 + i)));
  return TCommandTable(EntryMessage(kMsgTableWordStar), false, std::move(r));
}

TCommandTable GridCommandTable() {
  std::vector<TCommandRecord> r = {
      One(vkLeft, 0, ccLeft),            One(vkRight, 0, ccRight),
      One(vkUp, 0, ccUp),                One(vkDown, 0, ccDown),
      One(vkHome, 0, ccHome),            One(vkEnd, 0, ccEnd),
      One(vkPrior, 0, ccPrevPage),       One(vkNext, 0, ccNextPage),
      One(vkLeft, C, ccPageLeft),        One(vkRight, C, ccPageRight),
      One(vkHome, C, ccTopLeftCell),     One(vkEnd, C, ccBotRightCell),
      One(vkPrior, C, ccTopOfPage),      One(vkNext, C, ccBotOfPage),
      One(vkUp, C, ccScrollUp),          One(vkDown, C, ccScrollDown),
      One(vkTab, 0, ccTab),              One(vkReturn, 0, ccTab),
      One(vkF2, 0, ccTableEdit),         One(vkDelete, 0, ccDel),
      One(vkBack, 0, ccBack),            One(vkInsert, 0, ccIns),
      One(vkLeft, S, ccExtendLeft),      One(vkRight, S, ccExtendRight),
      One(vkUp, S, ccExtendUp),          One(vkDown, S, ccExtendDown),
      One(vkHome, S, ccExtendHome),      One(vkEnd, S, ccExtendEnd),
      One(vkPrior, S, ccExtendPgUp),     One(vkNext, S, ccExtendPgDn),
      One(vkHome, CS, ccExtFirstPage),   One(vkEnd, CS, ccExtLastPage),
      One(vkPrior, CS, ccExtTopOfPage),  One(vkNext, CS, ccExtBotOfPage),
      One(Letter('X'), C, ccCut),        One(Letter('C'), C, ccCopy),
      One(Letter('V'), C, ccPaste),      One(Letter('Z'), C, ccUndo),
  };
  return TCommandTable(EntryMessage(kMsgTableGrid), false, std::move(r));
}

bool BuiltInCommandTable(const std::string& name, TCommandTable& out) {
  for (auto make : {DefaultCommandTable, WordStarCommandTable, GridCommandTable}) {
    TCommandTable t = make();
    if (SameTextNoCase(t.TableName(), name)) {
      out = std::move(t);
      return true;
    }
  }
  return false;
}

}  // namespace snpp
