#include "cli/arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "state/form.h"

namespace korvex::cli {

namespace {

constexpr std::array kOpenableGrids{"RX", "RG", "LG", "RB"};
constexpr std::array kRadarLinkedGrids{"LG", "RX"};

std::optional<int> wholeNumber(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < 0) return std::nullopt;
  return value;
}

// Any grid the window holds can be exported; the names come from the state itself.
bool isGridName(const std::string& name) {
  static Form form;
  for (const GridModel* grid : form.grids())
    if (grid->name() == name) return true;
  return false;
}

class Reader {
 public:
  explicit Reader(const std::vector<std::string>& args) : args_(args) {}
  bool done() const { return next_ >= args_.size(); }
  const std::string& peek() const { return args_[next_]; }
  std::optional<std::string> take() {
    if (done()) return std::nullopt;
    return args_[next_++];
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
};

Result<Action> readAction(const std::string& name, Reader& in) {
  using Kind = Action::Kind;
  auto missing = [&](const char* what) { return Failure{name + " needs " + what}; };
  if (name == "type-login" || name == "type-password") {
    auto text = in.take();
    if (!text) return missing("a TEXT");
    return Action{name == "type-login" ? Kind::TypeLogin : Kind::TypePassword, *text};
  }
  if (name == "remember") {
    auto state = in.take();
    if (!state || (*state != "on" && *state != "off")) return missing("on or off");
    return Action{Kind::Remember, {}, *state == "on" ? 1 : 0};
  }
  // GRID ROW, GRID one of `grids`.
  auto gridRow = [&](Kind kind, const auto& grids, const char* choices) -> Result<Action> {
    auto grid = in.take();
    auto row = in.take();
    if (!grid || !row) return missing("GRID ROW");
    if (std::find(grids.begin(), grids.end(), *grid) == grids.end())
      return Failure{name + ": GRID must be " + choices + ", not " + *grid};
    auto index = wholeNumber(*row);
    if (!index) return missing("a ROW that is a whole number from 0");
    return Action{kind, *grid, *index};
  };
  if (name == "open") return gridRow(Kind::Open, kOpenableGrids, "RX, RG, LG or RB");
  if (name == "check-exchange") return gridRow(Kind::CheckExchange, kRadarLinkedGrids, "LG or RX");
  if (name == "export") {
    auto grid = in.take();
    auto path = in.take();
    if (!grid || !path) return missing("GRID PATH");
    if (!isGridName(*grid)) return Failure{"export: no grid is called " + *grid};
    return Action{Kind::Export, *grid, 0, *path};
  }
  if (name == "history") {
    auto id = in.take();
    if (!id) return missing("an ID");
    return Action{Kind::History, *id};
  }
  if (name == "tick") {
    // The count is optional, so only a number after "tick" is taken as one.
    int count = 1;
    if (!in.done()) {
      if (auto n = wholeNumber(in.peek())) {
        count = *n;
        in.take();
      }
    }
    return Action{Kind::Tick, {}, count};
  }
  static const std::array<std::pair<const char*, Kind>, 6> kPlain{
      {{"login", Kind::Login},
       {"refresh", Kind::Refresh},
       {"reload-exchange", Kind::ReloadExchange},
       {"signals", Kind::Signals},
       {"dump", Kind::Dump},
       {"summary", Kind::Summary}}};
  for (const auto& [word, kind] : kPlain)
    if (name == word) return Action{kind};
  return Failure{"unknown action " + name};
}

}  // namespace

Result<Invocation> parseArguments(const std::vector<std::string>& args) {
  Invocation invocation;
  Reader in(args);
  std::optional<std::string> clock;
  const std::array<std::pair<const char*, std::optional<std::string>*>, 6> options{
      {{"--service", &invocation.service},
       {"--exchange", &invocation.exchange},
       {"--vendor", &invocation.vendor},
       {"--workdir", &invocation.workdir},
       {"--history", &invocation.history},
       {"--clock", &clock}}};
  while (!in.done() && in.peek().starts_with("--")) {
    const std::string option = *in.take();
    if (option == "--help" || option == "--version") {
      invocation.request =
          option == "--help" ? Invocation::Request::Help : Invocation::Request::Version;
      return invocation;
    }
    auto known = std::find_if(options.begin(), options.end(),
                              [&](const auto& entry) { return option == entry.first; });
    if (known == options.end()) return Failure{"unknown option " + option};
    auto value = in.take();
    if (!value) return Failure{option + " needs a value"};
    *known->second = *value;
  }
  if (clock) {
    invocation.clock = history::parseStamp(*clock);
    if (!invocation.clock)
      return Failure{"--clock needs a time as YYYY-MM-DDTHH:MM:SSZ, not " + *clock};
  }
  while (!in.done()) {
    const std::string name = *in.take();
    auto action = readAction(name, in);
    if (!action) return Failure{action.reason()};
    invocation.actions.push_back(std::move(*action));
  }
  if (invocation.actions.empty()) return Failure{"no ACTION given"};
  return invocation;
}

Result<std::chrono::milliseconds> parseStallTimeout(std::string_view text) {
  constexpr long long kOneDayMs = 24LL * 60 * 60 * 1000;
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, failed] = std::from_chars(text.data(), end, value);
  if (text.empty() || failed != std::errc() || stop != end || value < 1 || value > kOneDayMs)
    return Failure{std::string(kStallTimeoutVariable) +
                   " must be a whole number of milliseconds from 1 to " +
                   std::to_string(kOneDayMs) + ", not \"" + std::string(text) + "\""};
  return std::chrono::milliseconds(value);
}

}  // namespace korvex::cli
