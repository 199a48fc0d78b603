#pragma once

#include <string>
#include <string_view>

namespace korvex::demo {

// Builds the service's tagged text: "<name>value</name>", records nested by open/close.
// Text is UTF-8 here; the server converts whole answers to CP1251 on the way out.
class FeedWriter {
 public:
  FeedWriter& tag(std::string_view name, std::string_view value);
  FeedWriter& tag(std::string_view name, int value);
  FeedWriter& open(std::string_view name);
  FeedWriter& close(std::string_view name);
  FeedWriter& raw(std::string_view text);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// "1.85" for (1.849, 2).
std::string formatFixed(double value, int decimals);
// "1,234,567.89": two decimals with thousands separators, as the exchange shows money.
std::string formatMoney(double value);
// Bookmaker odds for a win chance, with the bookmaker's margin, kept within 1.01..25.
std::string formatOdds(double winChance, double margin);
// "07" for 7.
std::string twoDigits(int value);

}  // namespace korvex::demo
