#include "win32/screens_windows.h"

#include "win32/dialog_ids.h"
#include "win32/main_window_ids.h"
#include "win32/program_windows.h"

namespace snpp::win32::screens {
namespace {

// The controls of each window under their names in the layout table.
constexpr ControlName kMainNames[] = {
    {IDC_MESSAGEPANEL, "messagePanel"},
    {IDC_BEVEL3, "Bevel3"},
    {IDC_LABEL2, "Label2"},
    {IDC_IDEDITFIELD, "idEditField"},
    {IDC_SELECTINGPANEL, "selectingPanel"},
    {IDC_LABEL1, "Label1"},
    {IDC_LENGTHLABEL, "lengthLabel"},
    {IDC_CLEARBUTTON, "clearButton"},
    {IDC_MESSAGEMEMO, "messageMemo"},
    {IDC_STANDARDMESSAGESLABEL, "standardMessagesLabel"},
    {IDC_PICKBUTTON1 + 0, "pickButton1"},
    {IDC_PICKBUTTON1 + 1, "pickButton2"},
    {IDC_PICKBUTTON1 + 2, "pickButton3"},
    {IDC_PICKBUTTON1 + 3, "pickButton4"},
    {IDC_PICKBUTTON1 + 4, "pickButton5"},
    {IDC_PICKBUTTON1 + 5, "pickButton6"},
    {IDC_PICKBUTTON1 + 6, "pickButton7"},
    {IDC_PICKBUTTON1 + 7, "pickButton8"},
    {IDC_BEVEL1, "Bevel1"},
    {IDC_SENDBUTTON, "sendButton"},
    {IDC_CANCELSENDBUTTON, "cancelSendButton"},
    {IDC_LABEL3, "Label3"},
    {IDC_MESSAGESTATUSLABEL, "messageStatusLabel"},
    {IDC_BEVEL2, "Bevel2"},
    {IDC_LABEL4, "Label4"},
    {IDC_NAMESLISTBOX, "namesListbox"},
    {IDC_ADDBUTTON, "AddButton"},
    {IDC_DELETEBUTTON, "deleteButton"},
    {IDC_EDITNAMEBUTTON, "editNameButton"},
    {IDC_CHECKALLBUTTON, "checkAllButton"},
    {IDC_UNCHECKALLBUTTON, "uncheckAllButton"},
    {IDC_INSTRUCTIONSBUTTON, "instructionsButton"},
    {IDC_SENDINGMEMO, "sendingMemo"},
    {IDC_STATUSBAR1, "StatusBar1"},
};

constexpr ControlName kConfigNames[] = {
    {IDC_CONFIG_BEVEL1, "Bevel1"},
    {IDC_CONFIG_SERVER_IP_LABEL, "serverIPlabel"},
    {IDC_CONFIG_SERVER_IP_COMBO, "serverIPComboBox"},
    {IDC_CONFIG_PORT_LABEL, "portLabel"},
    {IDC_CONFIG_SERVER_PORT_EDIT, "serverPortEdit"},
    {IDC_CONFIG_DEFAULT_LABEL, "defaultLabel"},
    {IDC_CONFIG_MSG_SEND_LABEL, "msgSendLabel"},
    {IDC_CONFIG_TIMEOUT_EDIT, "timeoutEdit"},
    {IDC_CONFIG_LABEL10, "Label10"},
    {IDC_CONFIG_LABEL5, "Label5"},
    {IDC_CONFIG_NUMBER_LABEL + 0, "Label1"},
    {IDC_CONFIG_NUMBER_LABEL + 1, "Label2"},
    {IDC_CONFIG_NUMBER_LABEL + 2, "Label3"},
    {IDC_CONFIG_NUMBER_LABEL + 3, "Label4"},
    {IDC_CONFIG_NUMBER_LABEL + 4, "Label6"},
    {IDC_CONFIG_NUMBER_LABEL + 5, "Label7"},
    {IDC_CONFIG_NUMBER_LABEL + 6, "Label8"},
    {IDC_CONFIG_NUMBER_LABEL + 7, "Label9"},
    {IDC_CONFIG_MESSAGE_EDIT + 0, "message1Edit"},
    {IDC_CONFIG_MESSAGE_EDIT + 1, "message2Edit"},
    {IDC_CONFIG_MESSAGE_EDIT + 2, "message3Edit"},
    {IDC_CONFIG_MESSAGE_EDIT + 3, "message4Edit"},
    {IDC_CONFIG_MESSAGE_EDIT + 4, "message5Edit"},
    {IDC_CONFIG_MESSAGE_EDIT + 5, "message6Edit"},
    {IDC_CONFIG_MESSAGE_EDIT + 6, "message7Edit"},
    {IDC_CONFIG_MESSAGE_EDIT + 7, "message8Edit"},
    {IDOK, "OKButton"},
    {IDCANCEL, "cancelbutton"},
};

constexpr ControlName kAddNameNames[] = {
    {IDC_ADD_NAME_LABEL1, "Label1"},   {IDC_ADD_NAME_LABEL2, "Label2"}, {IDC_ADD_NAME_NAME_EDIT, "nameEdit"},
    {IDC_ADD_NAME_PAGER_ID_EDIT, "pagerIDEdit"}, {IDOK, "okButton"},    {IDCANCEL, "cancelButton"},
};

constexpr ControlName kAboutNames[] = {
    {IDC_ABOUT_LABEL1, "Label1"},        {IDC_ABOUT_LABEL11, "Label11"},
    {IDC_ABOUT_COMPANY_NAME, "aboutCompanyNameLabel"},
    {IDC_ABOUT_BEVEL1, "Bevel1"},        {IDC_ABOUT_LABEL3, "Label3"},
    {IDC_ABOUT_PHONE, "aboutPhoneLabel"}, {IDC_ABOUT_LABEL14, "Label14"},
    {IDC_ABOUT_FAX, "aboutFaxLabel"},    {IDC_ABOUT_LABEL5, "Label5"},
    {IDC_ABOUT_EMAIL, "aboutEmailLabel"}, {IDC_ABOUT_LABEL9, "Label9"},
    {IDC_ABOUT_WEB, "aboutWebLabel"},    {IDOK, "okButton"},
    {IDC_ABOUT_SERVER_LABEL, "serverLabel"},
};

constexpr ControlName kInstructionsNames[] = {{IDC_INFO_MEMO1, "Memo1"}, {IDOK, "okButton"}};
constexpr ControlName kTroubleNames[] = {{IDC_INFO_MEMO1, "Memo1"}, {IDCANCEL, "exitButton"}};

// Shows a secondary window without blocking (its every-showing steps run),
// takes it and hides it again.
bool Take(const ShotTaker& shots, DialogWindow& dialog, const char* name, std::span<const ControlName> names) {
  dialog.Show();
  shots.ReportLayout(dialog.Window(), name, names);
  const bool ok = shots.Take(dialog.Window(), name);
  dialog.Close(IDCANCEL);
  return ok;
}

// A left click in the names list at layout point (x, row's middle), as the
// mouse gives it: x 8 lands on the row's box, further right on its text.
void ClickRow(HWND list, int row, int x) {
  const double scale = WindowScale(list);
  const LPARAM at = MAKELPARAM(Scaled(x, scale), Scaled(row * 16 + 8, scale));
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

// The main window as the user meets it: a standard message picked and one
// name selected; then with three names checked after a send.
bool TakeMain(const ShotTaker& shots, Tmainform& form) {
  HWND window = form.Window();
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  PumpMessages(200);
  form.pickButtonClick(2);
  HWND list = form.Control(IDC_NAMESLISTBOX);
  ClickRow(list, 1, 60);
  SetFocus(form.Control(IDC_IDEDITFIELD));
  shots.ReportLayout(window, "main", kMainNames);
  bool ok = shots.Take(window, "main");
  ClickRow(list, 0, 8);
  ClickRow(list, 2, 8);
  ClickRow(list, 3, 60);
  SetWindowTextA(form.Control(IDC_MESSAGESTATUSLABEL), "SUCCESS");
  ok &= shots.Take(window, "main-several");
  return ok;
}

}  // namespace

bool ShowEveryWindow(const ShotTaker& shots) {
  ProgramWindows program(GetModuleHandleA(nullptr));
  bool ok = TakeMain(shots, *program.mainform);
  ok &= Take(shots, *program.configForm, "config", kConfigNames);
  program.addNameForm->SetNameText("Grace");
  program.addNameForm->SetPagerIDText("555-0107");
  ok &= Take(shots, *program.addNameForm, "add-name", kAddNameNames);
  ok &= Take(shots, *program.aboutform, "about", kAboutNames);
  ok &= Take(shots, *program.instructionsForm, "instructions", kInstructionsNames);
  ok &= Take(shots, *program.troubleForm, "trouble", kTroubleNames);
  // Closed as the user closes it, so that it keeps to its own rules on the
  // way out (the sample list is saved into the scratch folder).
  SendMessageA(program.mainform->Window(), WM_CLOSE, 0, 0);
  return ok;
}

}  // namespace snpp::win32::screens
