#pragma once

#include <string>
#include <string_view>

namespace korvex {

// The service abbreviates the draw as "M." and "W."; the panel spells it out.
std::string expandDrawNames(std::string_view text);

// A result's "liga": the country, ">>", then the tournament's own ">>"-separated parts.
struct League {
  std::string country;
  std::string tournament;  // parts joined by ". ", draw names spelled out
};
// A value without ">>" names no country we could trust; it is all tournament.
League splitLeague(std::string_view liga);

}  // namespace korvex
