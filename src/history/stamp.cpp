#include "history/stamp.h"

#include <cstdio>

namespace korvex::history {

namespace {

struct Parts {
  int year;
  unsigned month, day;
  long long hours, minutes, seconds;
};

Parts partsOf(Stamp stamp) {
  const auto day = std::chrono::floor<std::chrono::days>(stamp);
  const std::chrono::year_month_day date{day};
  const long long inDay = (stamp - day).count();
  return {static_cast<int>(date.year()),
          static_cast<unsigned>(date.month()),
          static_cast<unsigned>(date.day()),
          inDay / 3600,
          inDay / 60 % 60,
          inDay % 60};
}

// `width` digits at `text[at]`, or -1.
int digitsAt(std::string_view text, std::size_t at, std::size_t width) {
  int value = 0;
  for (std::size_t i = at; i < at + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::string formatStamp(Stamp stamp) {
  const Parts p = partsOf(stamp);
  char text[96];  // room for any year an int holds
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02lld:%02lld:%02lldZ", p.year, p.month, p.day,
                p.hours, p.minutes, p.seconds);
  return text;
}

std::string fileStamp(Stamp stamp) {
  const Parts p = partsOf(stamp);
  char text[96];  // room for any year an int holds
  std::snprintf(text, sizeof text, "%04d%02u%02uT%02lld%02lld%02lldZ", p.year, p.month, p.day,
                p.hours, p.minutes, p.seconds);
  return text;
}

std::optional<Stamp> parseStamp(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SSZ
  constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:ddZ";
  if (text.size() != kShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < kShape.size(); ++i)
    if (kShape[i] != 'd' && text[i] != kShape[i]) return std::nullopt;
  const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
  const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2);
  const int second = digitsAt(text, 17, 2);
  if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return std::chrono::sys_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute) +
         std::chrono::seconds(second);
}

}  // namespace korvex::history
