#pragma once
// Option bits of the entry fields and of their controller.

#include <cstdint>

namespace snpp {

using TEntryFieldOptions = std::uint32_t;

enum : TEntryFieldOptions {
  // Controller-wide entry options.
  efoAutoSelect = 1u << 0,     // select all on keyboard entry
  efoBeepOnError = 1u << 1,    // beep on rejected input
  efoInsertPushes = 1u << 2,   // inserting into a full field drops its last character
  // Per-field options.
  efoCaretToEnd = 1u << 8,     // caret at the end on entry
  efoTrimBlanks = 1u << 9,     // blanks trimmed on leaving
  efoSoftValidation = 1u << 10,  // a failed check only marks the field
  efoForceInsert = 1u << 11,
  efoForceOvertype = 1u << 12,
};

constexpr TEntryFieldOptions kDefaultEntryOptions = efoAutoSelect | efoBeepOnError | efoInsertPushes;
constexpr TEntryFieldOptions kDefaultFieldOptions = efoCaretToEnd | efoTrimBlanks;

}  // namespace snpp
