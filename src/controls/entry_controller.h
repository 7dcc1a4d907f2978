#pragma once
// The per-window controller shared by every entry field of one window: its
// key tables, entry options, the insert mode carried from field to field
// and the flag that keeps a validation error from being reported twice.

#include <cstdint>
#include <functional>
#include <string>

#include "command_table.h"
#include "entry_field_options.h"

namespace snpp {

class TEntryFieldModel;

// Sender, code, text.
using TDataErrorEvent = std::function<void(TEntryFieldModel*, std::uint16_t, const std::string&)>;

class TEntryController {
 public:
  TEntryController() = default;
  TEntryController(const TEntryController&) = delete;
  TEntryController& operator=(const TEntryController&) = delete;

  TEntryFieldOptions EntryOptions() const { return entryOptions_; }
  void SetEntryOptions(TEntryFieldOptions v) { entryOptions_ = v & (efoAutoSelect | efoBeepOnError | efoInsertPushes); }

  TCommandProcessor& EntryCommands() { return commands_; }
  const TCommandProcessor& EntryCommands() const { return commands_; }

  int Epoch() const { return epoch_; }
  // Values outside 1600..3999 are ignored.
  void SetEpoch(int v) {
    if (v >= 1600 && v < 4000) epoch_ = v;
  }

  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool v) { insertMode_ = v; }

  bool ErrorPending() const { return errorPending_; }
  void SetErrorPending(bool v) { errorPending_ = v; }

  // Text of the application's own validation codes (32768 and above).
  const std::string& LastMessage() const { return lastMessage_; }
  void SetLastMessage(std::string v) { lastMessage_ = std::move(v); }
  std::string ErrorText(std::uint16_t code) const;

  TDataErrorEvent OnError;

 private:
  // The defaults are the settings of every window of the program.
  TEntryFieldOptions entryOptions_ = kDefaultEntryOptions;
  TCommandProcessor commands_;
  int epoch_ = 2000;
  bool insertMode_ = true;
  bool errorPending_ = false;
  std::string lastMessage_;
};

}  // namespace snpp
