#include "win32/config_dialog.h"

#include <array>
#include <cstdint>
#include <limits>

#include "directory/standard_messages.h"
#include "forms/window_limits.h"
#include "win32/button_images.h"
#include "win32/centred_edit.h"
#include "win32/entry_field_window.h"

namespace snpp::win32 {
namespace {

constexpr ControlPlace kPlaces[] = {
    {IDC_CONFIG_BEVEL1, 12, 12, 273, 85},
    {IDC_CONFIG_SERVER_IP_LABEL, 24, 24, 0, 0},
    {IDC_CONFIG_SERVER_IP_COMBO, 120, 20, 157, 21},
    {IDC_CONFIG_PORT_LABEL, 24, 48, 0, 0},
    {IDC_CONFIG_SERVER_PORT_EDIT, 120, 44, 29, 21},
    {IDC_CONFIG_DEFAULT_LABEL, 152, 48, 0, 0},
    {IDC_CONFIG_MSG_SEND_LABEL, 24, 72, 0, 0},
    {IDC_CONFIG_TIMEOUT_EDIT, 120, 68, 25, 21},
    {IDC_CONFIG_LABEL10, 148, 72, 0, 0},
    {IDC_CONFIG_LABEL5, 12, 106, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 0, 4, 128, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 1, 4, 148, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 2, 4, 168, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 3, 4, 188, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 4, 4, 208, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 5, 4, 228, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 6, 4, 248, 0, 0},
    {IDC_CONFIG_NUMBER_LABEL + 7, 4, 268, 0, 0},
    {IDC_CONFIG_MESSAGE_EDIT + 0, 16, 124, 269, 21},
    {IDC_CONFIG_MESSAGE_EDIT + 1, 16, 144, 269, 21},
    {IDC_CONFIG_MESSAGE_EDIT + 2, 16, 164, 269, 21},
    {IDC_CONFIG_MESSAGE_EDIT + 3, 16, 184, 269, 21},
    {IDC_CONFIG_MESSAGE_EDIT + 4, 16, 204, 269, 21},
    {IDC_CONFIG_MESSAGE_EDIT + 5, 16, 224, 269, 21},
    {IDC_CONFIG_MESSAGE_EDIT + 6, 16, 244, 269, 21},
    {IDC_CONFIG_MESSAGE_EDIT + 7, 16, 264, 269, 21},
    {IDOK, 124, 292, 75, 25},
    {IDCANCEL, 208, 292, 75, 25},
};

// Disabled on every opening, in this order.
constexpr int kServerGroup[] = {IDC_CONFIG_SERVER_IP_COMBO, IDC_CONFIG_SERVER_PORT_EDIT, IDC_CONFIG_SERVER_IP_LABEL,
                                IDC_CONFIG_PORT_LABEL,      IDC_CONFIG_DEFAULT_LABEL,    IDC_CONFIG_MSG_SEND_LABEL,
                                IDC_CONFIG_TIMEOUT_EDIT};

// A drop-down box takes its height from its font; its selection field is
// made as much taller or shorter as the layout's height needs.
void FitComboHeight(HWND combo, int height) {
  // What the box adds around the field differs between systems, and the
  // height it reports need not be the one set: measure and correct.
  LRESULT item = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; item > 0 && attempt < 3; ++attempt) {
    RECT rect{};
    GetWindowRect(combo, &rect);
    const int missing = height - (rect.bottom - rect.top);
    if (missing == 0) return;
    item += missing;
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  }
}

void SetupNumericField(HWND window, TEntryController& controller, const char* picture) {
  EntryFieldWindow* field = EntryFieldWindow::From(window);
  if (!field) return;
  field->SetController(&controller);
  field->SetupNumeric(picture, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

}  // namespace

bool TconfigForm::Create(HINSTANCE instance, HWND owner) {
  RegisterEntryFieldClasses(instance);
  return CreateFromTemplate(instance, owner, IDD_CONFIG);
}

void TconfigForm::FormCreate() {
  Layout(kPlaces, 296, 320);
  SetButtonImage(Item(IDOK), ButtonImage::Tick, true);
  SetButtonImage(Item(IDCANCEL), ButtonImage::Cross);
  SendMessageA(Window(), DM_SETDEFID, IDOK, 0);
  SetupNumericField(Item(IDC_CONFIG_SERVER_PORT_EDIT), EntryController1, "999");
  SetupNumericField(Item(IDC_CONFIG_TIMEOUT_EDIT), EntryController1, "99");
  SendMessageA(Item(IDC_CONFIG_SERVER_IP_COMBO), CB_LIMITTEXT, forms::kServerIPLimit, 0);
  FitComboHeight(Item(IDC_CONFIG_SERVER_IP_COMBO), Scaled(21, Scale()));
  for (int n = 1; n <= forms::kStandardMessageCount; ++n) {
    SendMessageA(messageEdit(n), EM_LIMITTEXT, forms::kStandardMessageLimit, 0);
    CentreTextVertically(messageEdit(n));
  }
}

// Nothing typed last time survives: the server group is switched off again
// and every message field shows the messages held now.
void TconfigForm::FormShow() {
  for (int id : kServerGroup) EnableWindow(Item(id), FALSE);
  for (int n = 1; n <= forms::kStandardMessageCount; ++n) SetMessageText(n, messages_.Message(n));
}

std::string TconfigForm::MessageText(int n) const { return WindowTextBytes(messageEdit(n)); }

void TconfigForm::SetMessageText(int n, std::string_view text) {
  SetLimitedText(messageEdit(n), forms::kStandardMessageLimit, text);
}

void TconfigForm::OKButtonClick() {
  StandardMessages::Texts texts;
  for (int n = 1; n <= forms::kStandardMessageCount; ++n) texts[static_cast<std::size_t>(n - 1)] = MessageText(n);
  messages_.Write(texts);  // throws on failure: the dialog stays open with what was typed
  Close(IDOK);
}

void TconfigForm::Command(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == IDOK) OKButtonClick();
  if (id == IDCANCEL) cancelbuttonClick();
}

}  // namespace snpp::win32
