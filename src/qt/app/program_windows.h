#pragma once

#include <memory>

class Tmainform;
class TAboutform;
class TaddNameForm;
class TconfigForm;
class TinstructionsForm;
class TtroubleForm;

// Every window of the program, created once at start-up, hidden, main
// window first, and kept until the end.
struct ProgramWindows {
  ProgramWindows();
  ~ProgramWindows();
  std::unique_ptr<Tmainform> mainform;
  std::unique_ptr<TAboutform> aboutform;
  std::unique_ptr<TaddNameForm> addNameForm;
  std::unique_ptr<TconfigForm> configForm;
  std::unique_ptr<TinstructionsForm> instructionsForm;
  std::unique_ptr<TtroubleForm> troubleForm;
};
