#include "cli/printable.h"

namespace snpp::cli {

std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) c = '?';
  }
  return out;
}

}  // namespace snpp::cli
