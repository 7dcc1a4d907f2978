#pragma once
// The instructions and trouble-shooting windows: fixed, read-only text and
// an OK button that hides the window. They differ only in their values.
#include <string>

#include "win32/dialog_ids.h"
#include "win32/dialog_window.h"

namespace snpp::win32 {

class TextInfoWindow : public DialogWindow {
 public:
  struct Shape {
    int templateId;
    int clientWidth, clientHeight;
    int screenLeft, screenTop;  // where it opens, not centred
    ControlPlace memo, button;
  };
  TextInfoWindow(const Shape& shape, std::string text) : shape_(shape), text_(std::move(text)) {}
  bool Create(HINSTANCE instance, HWND owner) { return CreateFromTemplate(instance, owner, shape_.templateId); }

  HWND Memo1() const { return Item(IDC_INFO_MEMO1); }

 protected:
  void FormCreate() override;
  // Only the button, Esc and the close box close it: Enter in the text
  // presses no button that is not a default one.
  void Command(int id, int code) override;
  // A read-only field keeps the white of an editable one.
  HBRUSH ControlColour(HWND control, HDC dc) override;

 private:
  Shape shape_;
  std::string text_;
};

// How to address one or several recipients; shown without blocking the main
// window (Show), so the program's loop must route its keys
// (RouteDialogMessage).
class TinstructionsForm : public TextInfoWindow {
 public:
  TinstructionsForm();
  HWND okButton() const { return Item(IDOK); }
  void okButtonClick() { Close(IDOK); }
};

// Advice for connection problems, opened modally from the About box.
class TtroubleForm : public TextInfoWindow {
 public:
  TtroubleForm();
  HWND exitButton() const { return Item(IDCANCEL); }
  void exitButtonClick() { Close(IDCANCEL); }
};

}  // namespace snpp::win32
