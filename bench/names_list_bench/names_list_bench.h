#pragma once
// What both halves of the names-list bench share: the names.txt they load
// (the same names in both), the clock, and the line each prints for the runner.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace snpp::bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// `count` entries "Name N, 555xxxx", written in the order a hand-edited
// file may have (not sorted), as the program's loader reads them.
inline void WriteNamesFile(const std::string& path, int count) {
  std::ofstream out(path, std::ios::binary);
  unsigned seed = 1861;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    std::string name(1, static_cast<char>('A' + (seed >> 16) % 26));
    for (int k = 0; k < 7; ++k) {
      seed = seed * 1103515245u + 12345u;
      name += static_cast<char>('a' + (seed >> 16) % 26);
    }
    out << name << ' ' << i << ", " << 5550000 + (seed >> 8) % 10000 << "\r\n";
  }
}

// One line per size: "<face> <names> up <ms> select <ms> deselect <ms>".
inline void PrintFigures(const char* face, int names, double up, double select, double deselect) {
  std::printf("%s %d up %.1f select %.1f deselect %.1f\n", face, names, up, select, deselect);
  std::fflush(stdout);
}

}  // namespace snpp::bench
