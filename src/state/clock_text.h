#pragma once

#include <cstdio>
#include <ctime>
#include <string>

namespace korvex {

enum class WithSeconds : bool { No, Yes };

// A local time of day as the window and the journal write it: "hh:mm" or "hh:mm:ss",
// the same on every machine whatever its locale.
inline std::string clockText(const std::tm& at, WithSeconds seconds) {
  char text[16];
  if (seconds == WithSeconds::Yes)
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", at.tm_hour, at.tm_min, at.tm_sec);
  else
    std::snprintf(text, sizeof text, "%02d:%02d", at.tm_hour, at.tm_min);
  return text;
}

}  // namespace korvex
