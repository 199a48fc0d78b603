#include "feed_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace korvex::demo {

FeedWriter& FeedWriter::tag(std::string_view name, std::string_view value) {
  open(name);
  text_ += value;
  return close(name);
}

FeedWriter& FeedWriter::tag(std::string_view name, int value) {
  return tag(name, std::to_string(value));
}

FeedWriter& FeedWriter::open(std::string_view name) {
  text_ += '<';
  text_ += name;
  text_ += '>';
  return *this;
}

FeedWriter& FeedWriter::close(std::string_view name) {
  text_ += "</";
  text_ += name;
  text_ += '>';
  return *this;
}

FeedWriter& FeedWriter::raw(std::string_view text) {
  text_ += text;
  return *this;
}

std::string formatFixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string formatMoney(double value) {
  std::string plain = formatFixed(std::max(value, 0.0), 2);
  std::size_t point = plain.find('.');
  std::string grouped;
  for (std::size_t i = 0; i < point; ++i) {
    if (i > 0 && (point - i) % 3 == 0) grouped += ',';
    grouped += plain[i];
  }
  return grouped + plain.substr(point);
}

std::string formatOdds(double winChance, double margin) {
  double odds = 1.0 / (std::clamp(winChance, 0.01, 0.99) * (1.0 + margin));
  return formatFixed(std::clamp(odds, 1.01, 25.0), 2);
}

std::string twoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace korvex::demo
