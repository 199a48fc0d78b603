#include "demo_calendar.h"

#include <chrono>

#include "feed_writer.h"

namespace korvex::demo {
namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kFirstMinuteOfDay = 14 * 60;  // minute 0 is 14:00

// Whole days and the minute of the day, counted from midnight before minute 0; a minute
// before that midnight belongs to the day before, not to a negative time of day.
int dayOf(int minute) {
  int sinceMidnight = minute + kFirstMinuteOfDay;
  return sinceMidnight >= 0 ? sinceMidnight / kMinutesPerDay
                            : -((-sinceMidnight + kMinutesPerDay - 1) / kMinutesPerDay);
}

}  // namespace

std::string dateText(int minute) {
  using namespace std::chrono;
  year_month_day day{sys_days{2024y / June / 14} + days{dayOf(minute)}};
  return twoDigits(static_cast<int>(static_cast<unsigned>(day.day()))) + "." +
         twoDigits(static_cast<int>(static_cast<unsigned>(day.month()))) + "." +
         twoDigits(static_cast<int>(day.year()) % 100);
}

std::string timeText(int minute) {
  int ofDay = minute + kFirstMinuteOfDay - dayOf(minute) * kMinutesPerDay;
  return twoDigits(ofDay / 60) + ":" + twoDigits(ofDay % 60);
}

}  // namespace korvex::demo
