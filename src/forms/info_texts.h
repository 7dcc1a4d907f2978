#pragma once
// The fixed texts of the information windows, shared by both front ends so
// that each exists once. The paging service's contact values come from the
// build (snpp/build_config.h).

#include <array>
#include <string>
#include <string_view>

namespace snpp::info_texts {

// The About box's own words; the contact lines are replaced at creation.
inline constexpr char kAboutCaption[] = "About";
inline constexpr char kAboutTitle[] = "Windows SNPP Client";
inline constexpr char kAboutMaker[] = "software by:  Brevik LLC";
inline constexpr char kTroubleButton[] = "Having trouble ?";
inline constexpr char kServerPlaceholder[] = "<server>";

inline constexpr char kInstructionsCaption[] = "Instructions";
// Blanks at line ends and doubled blanks are part of the text.
inline constexpr std::array<std::string_view, 10> kInstructionsLines = {
    "--> To Send to ONE Recipient:",
    "Simply select one of the recipients in your Names list by clicking on that name.",
    "You do not need to put a check by the name.",
    "When you select a name, the corresponding pager ID will automatically be",
    "placed in the 'Pager Number' field.",
    "",
    "--> To Send to MULTIPLE Recipients:",
    "In the Names list, check the recipients you wish to send to by clicking the ",
    "check box to the left of each recipient.  When using this method, the Pager",
    "Number field will be disabled (not used).",
};

inline constexpr char kTroubleCaption[] = "Trouble-shooting";
inline constexpr std::array<std::string_view, 13> kTroubleLines = {
    "If you are having problems with the SNPP Client connecting to your paging",
    "service or sending messages to a particular pager, please contact the paging",
    "service, or whoever is running the Internet paging server that you are trying to",
    "send messages through.  Brevik LLC is NOT a paging service and does",
    "not run a paging server for you to connect to and send messages through.",
    "",
    "For specific questions or problems regarding the SNPP Client software itself, ",
    "contact Brevik LLC.  Contact information is shown in the About screen.",
    "",
    "NOTE: This software uses the SNPP protocol to connect to a paging system. ",
    "This protocol typically uses tcp/ip port 444. Therefore, to use the software",
    "successfully, you must be able to connect to port 444 on the paging server.",
    "If a firewall is in place, it should allow connections on that port number.",
};

// The lines as one text, each pair parted by `breakText`.
template <std::size_t N>
std::string JoinLines(const std::array<std::string_view, N>& lines, std::string_view breakText) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) text += breakText;
    text += lines[i];
  }
  return text;
}

}  // namespace snpp::info_texts
