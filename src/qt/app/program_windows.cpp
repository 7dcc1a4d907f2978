#include "qt/app/program_windows.h"

#include "qt/app/main_form.h"
#include "qt/dialogs/about_form.h"
#include "qt/dialogs/add_name_form.h"
#include "qt/dialogs/config_form.h"
#include "qt/dialogs/instructions_form.h"
#include "qt/dialogs/trouble_form.h"

ProgramWindows::ProgramWindows() {
  mainform = std::make_unique<Tmainform>();
  aboutform = std::make_unique<TAboutform>(mainform.get());
  addNameForm = std::make_unique<TaddNameForm>(mainform.get());
  configForm = std::make_unique<TconfigForm>(mainform->standardMessages, mainform.get());
  instructionsForm = std::make_unique<TinstructionsForm>(mainform.get());
  troubleForm = std::make_unique<TtroubleForm>(mainform.get());

  mainform->setAboutForm(aboutform.get());
  mainform->setInstructionsForm(instructionsForm.get());
  mainform->setAddNameForm(addNameForm.get());
  mainform->setConfigForm(configForm.get());
  aboutform->setTroubleForm(troubleForm.get());
}

// The child windows go before the main window that parents them.
ProgramWindows::~ProgramWindows() {
  troubleForm.reset();
  instructionsForm.reset();
  configForm.reset();
  addNameForm.reset();
  aboutform.reset();
  mainform.reset();
}
