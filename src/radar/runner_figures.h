#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The page walk behind ReadExchangeRunner: "EventTotal>>RunnerAmount>>RunnerPrice>>"
// picked out of one runner page, each field "0" when the page does not give it.
std::string runnerFiguresFromPage(std::string_view page);

// The three fields of a runner reading, split back out of "E>>A>>P>>".
struct RunnerFields {
  std::string eventTotal;
  std::string runnerAmount;
  std::string runnerPrice;
};

// A missing field reads as the empty text.
RunnerFields splitRunnerFigures(std::string_view figures);

// What a radar row shows for one player.
struct RunnerShare {
  int percent = 0;  // the player's share of the money matched on the event
  int money = 0;    // the money matched on the player
};

RunnerShare computeRunnerShare(const RunnerFields& fields);

// An exchange amount as written on the page: "." is the decimal point whatever the
// user's locale (the page's commas are thousands separators and are gone by now).
// The whole text must be one finite number; anything else, including leading or
// trailing junk, reads as 0.
long double parseExchangeAmount(std::string_view text);

}  // namespace korvex
