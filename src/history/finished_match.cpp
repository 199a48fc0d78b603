#include "history/finished_match.h"

#include <algorithm>
#include <string_view>

namespace korvex::history {

namespace {

std::optional<int> wholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min(value * 10 + (c - '0'), 1000);  // any more is no game count anyway
  }
  return value;
}

enum class SetState { Won1, Won2, Unfinished, Invalid };

SetState readSet(std::string_view cell) {
  const std::size_t colon = cell.find(':');
  if (colon == std::string_view::npos) return SetState::Invalid;
  const auto g1 = wholeNumber(cell.substr(0, colon));
  const auto g2 = wholeNumber(cell.substr(colon + 1));
  if (!g1 || !g2) return SetState::Invalid;
  const int high = std::max(*g1, *g2), low = std::min(*g1, *g2);
  const bool finished = (high == 6 && low <= 4) || (high == 7 && (low == 5 || low == 6));
  if (finished) return *g1 > *g2 ? SetState::Won1 : SetState::Won2;
  if (high <= 6) return SetState::Unfinished;
  return SetState::Invalid;
}

}  // namespace

std::optional<int> matchWinner(std::span<const std::string, 5> sets) {
  // Cells are played from the first; an empty one ends what has been played.
  std::size_t played = 0;
  while (played < sets.size() && !sets[played].empty()) ++played;
  for (std::size_t i = played; i < sets.size(); ++i)
    if (!sets[i].empty()) return std::nullopt;

  // A match is over only with every set finished, so the format is best of five exactly
  // when a fourth or fifth set was played.
  const int needed = played > 3 ? 3 : 2;
  int won[2] = {0, 0};
  for (std::size_t i = 0; i < played; ++i) {
    // A set after the match was decided is no match at all.
    if (won[0] == needed || won[1] == needed) return std::nullopt;
    const SetState state = readSet(sets[i]);
    if (state == SetState::Invalid || state == SetState::Unfinished) return std::nullopt;
    ++won[state == SetState::Won1 ? 0 : 1];
  }
  if (won[0] == needed) return 1;
  if (won[1] == needed) return 2;
  return std::nullopt;
}

}  // namespace korvex::history
