#include "entry_field_menu.h"

#include "entry_field_messages.h"

namespace snpp {

std::vector<TFieldMenuItem> FieldMenuItems(const TEntryFieldModel& m) {
  const auto item = [](TFieldMenuAction a, std::uint32_t msg, bool enabled) {
    return TFieldMenuItem{a, EntryMessage(msg), enabled};
  };
  const TFieldMenuItem separator{TFieldMenuAction::Separator, {}, true};
  return {
      item(TFieldMenuAction::Restore, kMsgRestore, m.CanRestore()),
      separator,
      item(TFieldMenuAction::Cut, kMsgCut, m.CanCopy()),
      item(TFieldMenuAction::Copy, kMsgCopy, m.CanCopy()),
      item(TFieldMenuAction::Paste, kMsgPaste, m.CanPaste()),
      item(TFieldMenuAction::Delete, kMsgDelete, m.CanCopy()),
      separator,
      item(TFieldMenuAction::SelectAll, kMsgSelectAll, m.CanSelectAll()),
  };
}

void RunFieldMenuAction(TEntryFieldModel& m, TFieldMenuAction action) {
  switch (action) {
    case TFieldMenuAction::Restore: m.ExecuteCommand(ccRestore); break;
    case TFieldMenuAction::Cut: m.ExecuteCommand(ccCut); break;
    case TFieldMenuAction::Copy: m.ExecuteCommand(ccCopy); break;
    case TFieldMenuAction::Paste: m.ExecuteCommand(ccPaste); break;
    case TFieldMenuAction::Delete: m.DeleteSelectionCommand(); break;
    case TFieldMenuAction::SelectAll: m.SelectAll(); break;
    case TFieldMenuAction::Separator: break;
  }
}

bool ClaimErrorReport(TEntryFieldModel& model) {
  TEntryController& c = model.Controller();
  if (c.ErrorPending()) return false;
  c.SetErrorPending(true);
  return true;
}

void DeliverErrorReport(TEntryFieldModel& model, std::uint16_t code,
                        const std::function<void(const std::string&)>& showBox) {
  TEntryController& c = model.Controller();
  const std::string text = c.ErrorText(code);
  if (model.OnError)
    model.OnError(&model, code, text);
  else if (c.OnError)
    c.OnError(&model, code, text);
  else if (showBox)
    showBox(text);
  c.SetErrorPending(false);
}

}  // namespace snpp
