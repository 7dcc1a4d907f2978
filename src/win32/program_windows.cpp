#include "win32/program_windows.h"

#include <chrono>
#include <exception>
#include <stdexcept>
#include <utility>

#include "win32/dialog_window.h"

namespace snpp::win32 {
namespace {

template <class Form, class... More>
void Make(std::unique_ptr<Form>& form, std::unique_ptr<Form> made, HINSTANCE instance, HWND owner,
          More&&... more) {
  if (!made->Create(instance, owner, std::forward<More>(more)...)) {
    throw std::runtime_error("Unable to create a window");
  }
  form = std::move(made);
}

}  // namespace

ProgramWindows::ProgramWindows(HINSTANCE instance) {
  // An error a handler lets escape is shown, and the program goes on.
  loop.OnException = [](std::exception_ptr error) { net::Win32EventLoop::ShowErrorBox(std::move(error)); };
  // Tab, arrows, mnemonics, Enter and Esc in whichever window has them.
  loop.OnMessage = [this](void* message) {
    MSG& msg = *static_cast<MSG*>(message);
    return mainform->TranslateDialogKeys(msg) || RouteDialogMessage(&msg);
  };
  // While a window is shown modally, the loop's own calls (a connection's
  // deferred close) and errors go on as they do outside it.
  SetModalTurn([this] {
    loop.RunOnce(std::chrono::milliseconds(1000));
    return !loop.QuitRequested();
  });
  mainform = std::make_unique<Tmainform>(instance, loop);
  CreateDialogs(instance);
  Connect();
}

// The other windows go before the main window that owns them.
ProgramWindows::~ProgramWindows() {
  SetModalTurn(nullptr);
  troubleForm.reset();
  instructionsForm.reset();
  configForm.reset();
  addNameForm.reset();
  aboutform.reset();
  loop.OnMessage = nullptr;
  mainform.reset();
}

void ProgramWindows::CreateDialogs(HINSTANCE instance) {
  HWND owner = mainform->Window();
  // The About box names the server the main window pages through.
  Make(aboutform, std::make_unique<TAboutform>(), instance, owner, CurrentPagingServer().host);
  Make(addNameForm, std::make_unique<TaddNameForm>(), instance, owner);
  Make(configForm, std::make_unique<TconfigForm>(mainform->standardMessages), instance, owner);
  Make(instructionsForm, std::make_unique<TinstructionsForm>(), instance, owner);
  Make(troubleForm, std::make_unique<TtroubleForm>(), instance, owner);
}

void ProgramWindows::Connect() {
  aboutform->SetTroubleForm(troubleForm.get());
  mainform->ShowConfigForm = [this] { configForm->ShowModal(); };
  mainform->ShowAboutForm = [this] { aboutform->ShowModal(); };
  mainform->ShowInstructionsForm = [this] { instructionsForm->Show(); };
  mainform->AskForNameDialog = [this](std::string& name, std::string& id) {
    addNameForm->SetNameText(name);
    addNameForm->SetPagerIDText(id);
    if (addNameForm->ShowModal() != IDOK) return false;
    name = addNameForm->NameText();
    id = addNameForm->PagerIDText();
    return true;
  };
}

int ProgramWindows::Run() {
  ShowWindow(mainform->Window(), SW_SHOWNORMAL);
  UpdateWindow(mainform->Window());
  return loop.Run();
}

}  // namespace snpp::win32
