// Where every control of the main window sits, in pixels of a 100 % screen.
// A width or height of 0 marks a label that sizes itself to its text.
#include <array>

#include "win32/main_window.h"
#include "win32/main_window_ids.h"

namespace snpp::win32 {
namespace {

constexpr std::array<ControlPlace, 34> kPlaces{{
    {IDC_MESSAGEPANEL, 0, 0, 529, 21},
    {IDC_BEVEL3, 4, 24, 245, 145},
    {IDC_LABEL2, 8, 26, 0, 0},
    {IDC_IDEDITFIELD, 8, 40, 77, 21},
    {IDC_SELECTINGPANEL, 120, 28, 125, 33},
    {IDC_LABEL1, 8, 70, 0, 0},
    {IDC_LENGTHLABEL, 72, 70, 0, 0},
    {IDC_CLEARBUTTON, 144, 64, 101, 21},
    {IDC_MESSAGEMEMO, 8, 84, 237, 61},
    {IDC_STANDARDMESSAGESLABEL, 12, 149, 0, 0},
    {IDC_PICKBUTTON1 + 0, 113, 146, 13, 21},
    {IDC_PICKBUTTON1 + 1, 130, 146, 13, 21},
    {IDC_PICKBUTTON1 + 2, 147, 146, 13, 21},
    {IDC_PICKBUTTON1 + 3, 164, 146, 13, 21},
    {IDC_PICKBUTTON1 + 4, 181, 146, 13, 21},
    {IDC_PICKBUTTON1 + 5, 198, 146, 13, 21},
    {IDC_PICKBUTTON1 + 6, 215, 146, 13, 21},
    {IDC_PICKBUTTON1 + 7, 232, 146, 13, 21},
    {IDC_BEVEL1, 4, 176, 245, 51},
    {IDC_SENDBUTTON, 8, 180, 113, 25},
    {IDC_CANCELSENDBUTTON, 132, 180, 113, 25},
    {IDC_LABEL3, 8, 208, 0, 0},
    {IDC_MESSAGESTATUSLABEL, 92, 208, 153, 13},
    {IDC_BEVEL2, 256, 24, 269, 203},
    {IDC_LABEL4, 260, 28, 0, 0},
    {IDC_NAMESLISTBOX, 260, 42, 185, 179},
    {IDC_ADDBUTTON, 448, 44, 73, 21},
    {IDC_DELETEBUTTON, 448, 68, 73, 21},
    {IDC_EDITNAMEBUTTON, 448, 92, 73, 21},
    {IDC_CHECKALLBUTTON, 448, 132, 73, 21},
    {IDC_UNCHECKALLBUTTON, 448, 156, 73, 21},
    {IDC_INSTRUCTIONSBUTTON, 448, 198, 73, 21},
    {IDC_SENDINGMEMO, 4, 248, 521, 93},
    // Along the bottom edge, inside the client area.
    {IDC_STATUSBAR1, 0, 341, 529, 19},
}};

constexpr std::array<ControlPlace, 1> kMessagePanel{{{IDC_MESSAGELABEL, 4, 4, 0, 0}}};
constexpr std::array<ControlPlace, 2> kSelectingPanel{{
    {IDC_LABEL6, 6, 4, 0, 0},
    {IDC_LABEL7, 8, 16, 0, 0},
}};

constexpr std::array<int, 21> kTabOrder{
    IDC_IDEDITFIELD,     IDC_MESSAGEMEMO,      IDC_SENDBUTTON,       IDC_CANCELSENDBUTTON,
    IDC_CLEARBUTTON,     IDC_ADDBUTTON,        IDC_DELETEBUTTON,     IDC_EDITNAMEBUTTON,
    IDC_PICKBUTTON1 + 0, IDC_PICKBUTTON1 + 1,  IDC_PICKBUTTON1 + 2,  IDC_PICKBUTTON1 + 3,
    IDC_PICKBUTTON1 + 4, IDC_PICKBUTTON1 + 5,  IDC_PICKBUTTON1 + 6,  IDC_PICKBUTTON1 + 7,
    IDC_NAMESLISTBOX,    IDC_UNCHECKALLBUTTON, IDC_CHECKALLBUTTON,   IDC_SENDINGMEMO,
    IDC_INSTRUCTIONSBUTTON,
};

}  // namespace

std::span<const ControlPlace> MainWindowPlaces() { return kPlaces; }
std::span<const ControlPlace> MessagePanelPlaces() { return kMessagePanel; }
std::span<const ControlPlace> SelectingPanelPlaces() { return kSelectingPanel; }
std::span<const int> MainWindowTabOrder() { return kTabOrder; }

}  // namespace snpp::win32
