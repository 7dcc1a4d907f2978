#pragma once
// The check list as a Win32 control: a superclass of the system LISTBOX
// whose items, states, order and decisions live in CheckListModel; the
// window turns mouse, keys and painting into calls on the model and raises
// the events.
//
// Window class kCheckListClass. A dialog template gives it
//   CONTROL "", id, "TCheckList", kCheckListStyle | WS_TABSTOP, x, y, w, h,
//           WS_EX_CLIENTEDGE
// (kCheckListStyle: child, visible, vertical scroll bar, fixed owner-drawn
// rows holding no data, notifications, no integral height). The list box
// keeps only the count of rows (LB_SETCOUNT), its scrolling and selection:
// the texts and their order are the model's, so a list of 100,000 names
// costs the list box nothing per name. A style missing from that set is
// added at creation, and LBS_SORT and LBS_HASSTRINGS are taken away, so a
// plain WS_CHILD works too.
//
// Parents need not cooperate: the list paints its rows itself (WM_PAINT,
// WM_PRINTCLIENT), from the model, so the list box's own owner-draw requests
// to the parent may go unanswered. A parent that passes its WM_DRAWITEM and
// WM_MEASUREITEM to ForwardOwnerDraw first lets those requests be answered at
// once instead of at the next paint.
//
// The user's actions arrive as OnClick, OnDblClick and OnStateChange, not as
// LBN_ notifications. LB_ADDSTRING, LB_INSERTSTRING (which places the text at
// its sorted place too), LB_DELETESTRING, LB_RESETCONTENT and LB_SETCURSEL
// sent from outside go through the model like the methods below;
// LB_GETTEXT and LB_GETTEXTLEN read the model's texts.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <functional>
#include <string>

#include "controls/check_list_model.h"
#include "controls/check_list_state.h"
#include "forms/check_list_events.h"
#include "win32/check_list_painter.h"

namespace snpp {
class TEntryController;
}

namespace snpp::win32 {

inline constexpr char kCheckListClass[] = "TCheckList";
inline constexpr DWORD kCheckListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA |
                                         LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

bool RegisterCheckListClass(HINSTANCE instance);  // idempotent

class CheckListWindow : private forms::CheckListSteps {
 public:
  using NotifyEvent = std::function<void(CheckListWindow*)>;
  using StateChangeEvent =
      std::function<void(CheckListWindow*, int index, TCheckBoxState oldState, TCheckBoxState newState)>;

  static CheckListWindow* From(HWND window);  // nullptr if not a check list
  HWND Window() const { return window_; }

  // Items: AddItem returns the sorted place the text landed at (unchecked),
  // -1 if it could not be added; DeleteItem ignores a bad index and says
  // whether it removed one; ItemText throws std::out_of_range for a bad one.
  int AddItem(std::string text);
  bool DeleteItem(int index);
  void ClearItems();
  int ItemCount() const { return model_.Count(); }
  const std::string& ItemText(int index) const { return model_.Item(index); }

  // The current item, -1 for none. Setting it brings the item into view and,
  // like the program's own assignments, raises no OnClick.
  int ItemIndex() const { return model_.ItemIndex(); }
  void SetItemIndex(int index);

  // Every write inside the list raises OnStateChange, changed or not.
  TCheckBoxState ItemState(int index) const { return model_.ItemState(index); }
  void SetItemState(int index, TCheckBoxState state);
  int StateCount(TCheckBoxState state) const { return model_.StateCount(state); }

  // An assistive tool's press on a whole row, on its box or its text.
  void PressItem(int index, bool onBox);
  // Changes to many items at once (loading a file, checking every name):
  // between the two calls the list box and the screen are left alone, and
  // EndUpdate brings both up to date with one repaint. Calls nest; the
  // events are raised as usual.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  class UpdateScope {
   public:
    explicit UpdateScope(CheckListWindow* list) : list_(list) {
      if (list_) list_->BeginUpdate();
    }
    ~UpdateScope() {
      if (list_) list_->EndUpdate();
    }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

   private:
    CheckListWindow* list_;
  };

  void SetSorted(bool sorted);
  void SetBoxClickOnly(bool v) { model_.SetBoxClickOnly(v); }
  void SetWantDblClicks(bool v) { wantDblClicks_ = v; }
  void SetItemHeight(int height);  // layout pixels; the window's scale applies

  // The window's shared entry-field controller; kept for the window's fields,
  // none of the list's own rules depend on it.
  TEntryController* Controller() const { return controller_; }
  void SetController(TEntryController* controller) { controller_ = controller; }

  const CheckListModel& Model() const override { return model_; }
  int TopIndex() const override;
  // Rows in client pixels: where row `index` is, scrolled into view or not,
  // and the item at height `y` (-1 for none).
  RECT RowRect(int index) const;
  int ItemAt(int y) const;

  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  StateChangeEvent OnStateChange;

  // Used by the window procedure and ForwardOwnerDraw only.
  explicit CheckListWindow(HWND window) : window_(window) {}
  static LRESULT Dispatch(CheckListWindow* list, UINT msg, WPARAM wParam, LPARAM lParam);
  void DrawItem(const DRAWITEMSTRUCT& item);
  UINT RowHeight() const;  // device pixels

 private:
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam);
  void Refill();
  bool SyncCount();
  void InvalidateFrom(int index);
  LRESULT CopyText(int index, char* buffer) const;
  // The steps of a user's action; their order is forms::PressAt and the rest.
  void CycleState(int index) override;
  void TakeFocus() override { SetFocus(window_); }
  void StartTracking() override;
  bool Destroyed() const override { return destroyed_; }
  void SelectByUser(int index) override;
  void MoveCurrent(int index);
  void SyncSelection();
  int FullRows() const;
  void EnsureVisible(int index);
  void ApplyRowHeight();
  POINT ToLayout(int x, int y) const;
  void LeftPress(int x, int y);
  void FollowPointer(int y);
  void RaiseClick() override;
  void InvalidateRow(int index) override;
  CheckListRowPaint RowPaint(int index) const;
  void PaintRows(HDC dc, const RECT& area);

  HWND window_;
  CheckListModel model_;
  TEntryController* controller_ = nullptr;
  double scale_ = 1;  // device pixels per layout pixel
  bool wantDblClicks_ = true;
  bool tracking_ = false;  // a press on an item is held; its release clicks
  int depth_ = 0;          // window procedure calls under way
  int updating_ = 0;       // BeginUpdate calls not yet ended
  bool revealCurrent_ = false;  // the current item moved during an update
  bool destroyed_ = false;
};

// Answers WM_DRAWITEM and WM_MEASUREITEM meant for a check list child of
// `parent`; false (result untouched) for anything else.
bool ForwardOwnerDraw(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace snpp::win32
