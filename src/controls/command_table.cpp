#include "command_table.h"

#include <algorithm>
#include <cctype>

#include "entry_field_messages.h"

namespace snpp {

std::uint32_t TCommandRecord::PackedKeys() const {
  return std::uint32_t{Key1} | std::uint32_t{Shift1} << 8 |
         std::uint32_t{Key2} << 16 | std::uint32_t{Shift2} << 24;
}

TCommandRecord TCommandRecord::FromPacked(std::uint32_t keys, TCommand command) {
  return {static_cast<std::uint8_t>(keys), static_cast<std::uint8_t>(keys >> 8),
          static_cast<std::uint8_t>(keys >> 16), static_cast<std::uint8_t>(keys >> 24),
          command};
}

TCommandTable::TCommandTable(std::string name, bool active,
                             std::vector<TCommandRecord> records)
    : name_(std::move(name)), active_(active), records_(std::move(records)) {}

int TCommandTable::IndexOfKeys(std::uint32_t keys) const {
  for (std::size_t i = 0; i < records_.size(); ++i)
    if (records_[i].PackedKeys() == keys) return static_cast<int>(i);
  return -1;
}

bool SameTextNoCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

TCommandProcessor::TCommandProcessor() {
  tables_.push_back(DefaultCommandTable());
  tables_.push_back(WordStarCommandTable());
  tables_.push_back(GridCommandTable());
}

void TCommandProcessor::Reset() { state_ = State::Idle; }

TCommand TCommandProcessor::Translate(std::uint8_t key, std::uint8_t shift) {
  // Modifier keys never disturb a pending sequence.
  if (IsModifierKey(key)) return state_ == State::WaitSecond ? ccPartial : ccNoCmd;
  shift &= ssShift | ssCtrl | ssAlt;
  switch (state_) {
    case State::Idle: return TranslateIdle(key, shift);
    case State::WaitSecond: return TranslateSecond(key, shift);
    case State::CtrlChar: state_ = State::Idle; return ccNoCmd;
  }
  return ccNoCmd;
}

TCommand TCommandProcessor::TranslateIdle(std::uint8_t key, std::uint8_t shift) {
  for (const TCommandTable& table : tables_) {
    if (!table.IsActive()) continue;
    for (const TCommandRecord& r : table.Records()) {
      if (r.Key1 != key || r.Shift1 != shift) continue;
      if (r.Key2 != 0) {
        state_ = State::WaitSecond;
        pendingKey_ = key;
        pendingShift_ = shift;
        return ccPartial;
      }
      if (r.Command == ccCtrlChar) state_ = State::CtrlChar;
      return r.Command;
    }
  }
  return ccNoCmd;
}

TCommand TCommandProcessor::TranslateSecond(std::uint8_t key, std::uint8_t shift) {
  state_ = State::Idle;
  for (const TCommandTable& table : tables_) {
    if (!table.IsActive()) continue;
    for (const TCommandRecord& r : table.Records()) {
      if (r.Key1 != pendingKey_ || r.Shift1 != pendingShift_ || r.Key2 != key) continue;
      const bool shiftOk = r.Shift2 == ssNoneOrCtrl ? (shift == 0 || shift == ssCtrl)
                                                    : r.Shift2 == shift;
      if (!shiftOk) continue;
      if (r.Command == ccCtrlChar) state_ = State::CtrlChar;
      return r.Command;
    }
  }
  return ccIgnore;
}

TCommandTable* TCommandProcessor::FindTable(const std::string& name) {
  for (TCommandTable& t : tables_)
    if (SameTextNoCase(t.TableName(), name)) return &t;
  return nullptr;
}

TCommandTable& TCommandProcessor::AddTable(TCommandTable table) {
  tables_.push_back(std::move(table));
  return tables_.back();
}

}  // namespace snpp
