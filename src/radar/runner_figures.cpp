#include "radar/runner_figures.h"

#include <charconv>
#include <cmath>

#include "text/feed_number.h"

namespace korvex {

namespace {
constexpr std::string_view kSeparator = ">>";

// Takes the text up to the next separator and moves past it; the rest when there is none.
std::string nextField(std::string_view& rest) {
  const size_t end = rest.find(kSeparator);
  std::string field(rest.substr(0, end));
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + kSeparator.size());
  return field;
}
}  // namespace

RunnerFields splitRunnerFigures(std::string_view figures) {
  RunnerFields fields;
  fields.eventTotal = nextField(figures);
  fields.runnerAmount = nextField(figures);
  fields.runnerPrice = nextField(figures);
  return fields;
}

long double parseExchangeAmount(std::string_view text) {
  long double value = 0;
  const char* const end = text.data() + text.size();
  // from_chars never consults the locale, unlike strtold and the stream operators.
  const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (text.empty() || error != std::errc{} || stop != end || !std::isfinite(value)) return 0;
  return value;
}

RunnerShare computeRunnerShare(const RunnerFields& fields) {
  const long double total = parseExchangeAmount(fields.eventTotal);
  const long double amount = parseExchangeAmount(fields.runnerAmount);
  RunnerShare share;
  share.money = roundHalfEven(amount);
  if (total != 0) share.percent = roundHalfEven(amount / total * 100);
  return share;
}

}  // namespace korvex
