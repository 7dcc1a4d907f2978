#pragma once
// What an entry field's right-click menu offers, when each item is enabled
// and what it does, and how a validation failure on leaving is reported.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "entry_field_model.h"

namespace snpp {

enum class TFieldMenuAction { Separator, Restore, Cut, Copy, Paste, Delete, SelectAll };

struct TFieldMenuItem {
  TFieldMenuAction action;
  std::string text;  // with its mnemonic; empty for a separator
  bool enabled;
};

// In menu order, separators included.
std::vector<TFieldMenuItem> FieldMenuItems(const TEntryFieldModel& model);
void RunFieldMenuAction(TEntryFieldModel& model, TFieldMenuAction action);

// A failed validation on leaving is reported once per window at a time:
// true when this failure gets the report (the controller then holds it as
// pending until DeliverErrorReport).
bool ClaimErrorReport(TEntryFieldModel& model);
// Hands the report to the field's OnError, else the controller's, else
// `showBox` with the text; then frees the controller for the next one.
void DeliverErrorReport(TEntryFieldModel& model, std::uint16_t code,
                        const std::function<void(const std::string&)>& showBox);

}  // namespace snpp
