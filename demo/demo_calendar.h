#pragma once

#include <string>

namespace korvex::demo {

// Minute 0 of the demo clock is 14 June 2024, 14:00, the afternoon the sample data was
// drawn on; every date and start time the service sends is read off this calendar, so a
// match keeps its date however long the demo runs.
std::string dateText(int minute);  // "14.06.24"
std::string timeText(int minute);  // "14:05"

}  // namespace korvex::demo
