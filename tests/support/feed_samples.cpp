#include "support/feed_samples.h"

#include <random>

#include "text/tag_selector.h"

namespace korvex::test {
namespace {

constexpr std::array<std::string_view, 12> kCountries = {
    "Spain", "France", "USA",    "Russia",     "Argentina", "Czech Republic",
    "Italy", "Europe", "Latvia", "Singapoure", "Kosovo",    "Atlantis"};
constexpr std::array<std::string_view, 12> kPlayers = {"Alcaraz C.",
                                                       "Sinner J.",
                                                       "Medvedev D.",
                                                       "Rublev A.",
                                                       "Ruud C.",
                                                       "Fritz T.",
                                                       "Sabalenka A.",
                                                       "Swiatek I.",
                                                       "Rybakina E.",
                                                       "Gauff C.",
                                                       "\xD1\xE0\xF4\xE8\xED\xE0 \xC4.",
                                                       "\xCA\xE0\xF0\xE0\xF6\xE5\xE2 \xC0."};
constexpr std::array<std::string_view, 6> kTournaments = {
    "Madrid", "Roland Garros", "Wimbledon", "US Open", "Challenger Prague", "ITF M25 Antalya"};
// "Win by the first player" and "Over the total", in Russian.
constexpr std::array<std::string_view, 2> kForecasts = {
    "\xCF\xEE\xE1\xE5\xE4\xE0 \xEF\xE5\xF0\xE2\xEE\xE3\xEE \xE8\xE3\xF0\xEE\xEA\xE0",
    "\xD2\xEE\xF2\xE0\xEB \xE1\xEE\xEB\xFC\xF8\xE5"};

class LineFeedWriter {
 public:
  explicit LineFeedWriter(unsigned seed) : rng_(seed) {}

  std::string write(int blocks) {
    out_ = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<line>\n";
    for (int i = 0; i < blocks; ++i) writeBlock(700000 + i);
    out_ += "</line>\n";
    return std::move(out_);
  }

 private:
  template <std::size_t N>
  std::string_view pick(const std::array<std::string_view, N>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng_)];
  }
  int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  std::string odds() {
    const int hundredths = number(101, 950);
    std::string text = std::to_string(hundredths / 100) + ".";
    if (hundredths % 100 < 10) text += '0';
    return text + std::to_string(hundredths % 100);
  }
  std::string form() {
    std::string text;
    for (int i = 0; i < 5; ++i) text += number(0, 1) ? 'W' : 'L';
    return text;
  }
  // 0..99 as two digits.
  static std::string twoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
  }

  void tag(std::string_view name, std::string_view value) {
    out_ += '<';
    out_ += name;
    out_ += '>';
    out_ += value;
    out_ += "</";
    out_ += name;
    out_ += ">\n";
  }

  void writeBlock(int id) {
    out_ += "<match>\n";
    tag("id", std::to_string(id));
    tag("country", pick(kCountries));
    tag("typeliga", number(0, 1) ? "ATP" : "WTA");
    tag("nameliga", pick(kTournaments));
    tag("polliga", number(0, 1) ? "M." : "W.");
    tag("date", twoDigits(number(1, 28)) + "." + twoDigits(number(1, 12)));
    tag("time", twoDigits(number(0, 23)) + ":" + twoDigits(number(0, 59)));
    tag("home", pick(kPlayers));
    tag("away", pick(kPlayers));
    tag("kf1", odds());
    tag("kf2", odds());
    out_ += "<LIVE_KF>";
    const std::string hand = std::to_string(number(1, 6)) + ".5";
    tag("hand1", "-" + hand);
    tag("kof1", odds());
    tag("hand2", "+" + hand);
    tag("kof2", odds());
    tag("total", std::to_string(number(18, 40)) + ".5");
    tag("u", odds());
    tag("o", odds());
    out_ += "</LIVE_KF>\n";
    tag("forecast", " " + std::string(pick(kForecasts)) + " ");
    tag("precent", std::to_string(number(0, 100)));
    tag("latest1", form());
    tag("latest2", form());
    tag("h2h", std::to_string(number(0, 9)) + "-" + std::to_string(number(0, 9)));
    out_ += "</match>\n";
  }

  std::mt19937 rng_;
  std::string out_;
};

}  // namespace

std::string makeLineFeed(int blocks, unsigned seed) {
  return LineFeedWriter(seed).write(blocks);
}

std::string_view tagValue(std::string_view text, std::string_view name) {
  TagSelector selector{name};
  selector.read(text);
  return selector[0];
}

}  // namespace korvex::test
