#include "cli/page_hold.h"

#include <cstdio>

namespace snpp::cli {
namespace {

#ifdef _WIN32
void localtime_r(const std::time_t* t, std::tm* tm) { localtime_s(tm, t); }
void gmtime_r(const std::time_t* t, std::tm* tm) { gmtime_s(tm, t); }
#endif

// Reads "D...D" of exactly `digits` digits at `at` into value.
bool Number(std::string_view s, std::size_t at, std::size_t digits, int& value) {
  if (at + digits > s.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

// "HH:MM" or "HH:MM:SS" at the end of s from `at`.
bool ClockTime(std::string_view s, std::size_t at, std::tm& tm) {
  const std::size_t left = s.size() - at;
  if (left != 5 && left != 8) return false;
  if (!Number(s, at, 2, tm.tm_hour) || s[at + 2] != ':' || !Number(s, at + 3, 2, tm.tm_min)) return false;
  tm.tm_sec = 0;
  if (left == 8 && (s[at + 5] != ':' || !Number(s, at + 6, 2, tm.tm_sec))) return false;
  return tm.tm_hour < 24 && tm.tm_min < 60 && tm.tm_sec < 60;
}

}  // namespace

std::optional<std::string> HoldCommand(std::string_view time, std::time_t now, std::string& error) {
  std::tm tm{};
  localtime_r(&now, &tm);
  bool ok;
  const bool clockOnly = time.size() <= 8;
  if (clockOnly) {
    ok = ClockTime(time, 0, tm);
  } else {
    int year = 0, month = 0;
    ok = Number(time, 0, 4, year) && time[4] == '-' && Number(time, 5, 2, month) && time[7] == '-' &&
         Number(time, 8, 2, tm.tm_mday) && time.size() > 10 && (time[10] == ' ' || time[10] == 'T') &&
         ClockTime(time, 11, tm) && month >= 1 && month <= 12 && tm.tm_mday >= 1 && tm.tm_mday <= 31;
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
  }
  if (!ok) {
    error = "--at takes YYYY-MM-DD HH:MM or HH:MM, not '" + std::string(time) + "'";
    return std::nullopt;
  }
  const int mday = tm.tm_mday;
  tm.tm_isdst = -1;
  std::time_t when = std::mktime(&tm);
  if (!clockOnly && tm.tm_mday != mday) when = -1;  // the 31st of a 30-day month
  if (clockOnly && when != -1 && when <= now) {
    ++tm.tm_mday;  // that time today is past: tomorrow's
    tm.tm_isdst = -1;
    when = std::mktime(&tm);
  }
  if (when == -1) {
    error = "--at: there is no such time '" + std::string(time) + "'";
    return std::nullopt;
  }
  if (when <= now) {
    error = "--at: '" + std::string(time) + "' is past";
    return std::nullopt;
  }
  std::tm utc{};
  gmtime_r(&when, &utc);
  char line[40];
  std::snprintf(line, sizeof line, "HOLD %02d%02d%02d%02d%02d%02d +0000\r\n", utc.tm_year % 100, utc.tm_mon + 1,
                utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return line;
}

}  // namespace snpp::cli
