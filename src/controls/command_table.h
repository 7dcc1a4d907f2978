#pragma once
// Key-to-command tables and the processor that walks them for the entry
// fields of one window.

#include <cstdint>
#include <string>
#include <vector>

#include "command_table_codes.h"

namespace snpp {

struct TCommandRecord {
  std::uint8_t Key1 = 0;
  std::uint8_t Shift1 = 0;
  std::uint8_t Key2 = 0;  // 0: one-key command
  std::uint8_t Shift2 = 0;
  TCommand Command = ccNone;

  // The four key bytes as one number, first key in the low byte.
  std::uint32_t PackedKeys() const;
  static TCommandRecord FromPacked(std::uint32_t keys, TCommand command);
  friend bool operator==(const TCommandRecord&, const TCommandRecord&) = default;
};

class TCommandTable {
 public:
  TCommandTable() = default;
  TCommandTable(std::string name, bool active, std::vector<TCommandRecord> records);

  const std::string& TableName() const { return name_; }
  void SetTableName(std::string name) { name_ = std::move(name); }
  bool IsActive() const { return active_; }
  void SetActive(bool active) { active_ = active; }

  const std::vector<TCommandRecord>& Records() const { return records_; }
  std::vector<TCommandRecord>& Records() { return records_; }
  // Index of the record with these packed keys, or -1.
  int IndexOfKeys(std::uint32_t keys) const;

 private:
  std::string name_;
  bool active_ = false;
  std::vector<TCommandRecord> records_;
};

// The three tables every processor starts with.
TCommandTable DefaultCommandTable();
TCommandTable WordStarCommandTable();
TCommandTable GridCommandTable();
// The built-in contents for one of those names (compared without case);
// false for any other name.
bool BuiltInCommandTable(const std::string& name, TCommandTable& out);

// The stored form of a processor's tables: for the built-in names only the
// differences from the built-in records, for other names every record.
struct TStoredCommandPair {
  std::uint32_t Keys = 0;
  TCommand Command = ccNone;
  friend bool operator==(const TStoredCommandPair&, const TStoredCommandPair&) = default;
};
struct TStoredCommandTable {
  std::string Name;
  bool Active = false;
  std::vector<TStoredCommandPair> Pairs;
  friend bool operator==(const TStoredCommandTable&, const TStoredCommandTable&) = default;
};
using TStoredTableList = std::vector<TStoredCommandTable>;

class TCommandProcessor {
 public:
  // Starts with "Default" (active), "WordStar" and "Grid" (inactive).
  TCommandProcessor();

  // Key (virtual-key code) and shift state (ssShift | ssCtrl | ssAlt)
  // to a command code; see the codes 252..255 in command_table_codes.h.
  TCommand Translate(std::uint8_t key, std::uint8_t shift);
  void Reset();
  bool SequencePending() const { return state_ == State::WaitSecond; }

  std::vector<TCommandTable>& Tables() { return tables_; }
  const std::vector<TCommandTable>& Tables() const { return tables_; }
  // Case-insensitive; nullptr when there is no such table.
  TCommandTable* FindTable(const std::string& name);
  TCommandTable& AddTable(TCommandTable table);

  TStoredTableList TableList() const;
  void SetTableList(const TStoredTableList& list);

 private:
  enum class State { Idle, WaitSecond, CtrlChar };

  TCommand TranslateIdle(std::uint8_t key, std::uint8_t shift);
  TCommand TranslateSecond(std::uint8_t key, std::uint8_t shift);

  std::vector<TCommandTable> tables_;
  State state_ = State::Idle;
  std::uint8_t pendingKey_ = 0;
  std::uint8_t pendingShift_ = 0;
};

bool SameTextNoCase(const std::string& a, const std::string& b);

}  // namespace snpp
