#include "analysis/league_text.h"

#include "text/feed_text.h"

namespace korvex {

std::string expandDrawNames(std::string_view text) {
  return ReplaceAll(ReplaceAll(text, "M.", "Men."), "W.", "Women.");
}

League splitLeague(std::string_view liga) {
  constexpr std::string_view kSeparator = ">>";
  const size_t cut = liga.find(kSeparator);
  if (cut == std::string_view::npos) return {"", expandDrawNames(liga)};
  const std::string parts = ReplaceAll(liga.substr(cut + kSeparator.size()), kSeparator, ". ");
  return {std::string(liga.substr(0, cut)), expandDrawNames(parts)};
}

}  // namespace korvex
