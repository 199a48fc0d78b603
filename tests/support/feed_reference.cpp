#include "support/feed_reference.h"

namespace korvex::test {

namespace {

std::string trimReference(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.erase(0, 1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.pop_back();
  return text;
}

}  // namespace

std::size_t pos1(const std::string& needle, const std::string& hay) {
  if (needle.empty()) return 0;
  const std::size_t at = hay.find(needle);
  return at == std::string::npos ? 0 : at + 1;
}

std::string from1(const std::string& text, long k) {
  if (k < 1) k = 1;
  if (static_cast<std::size_t>(k) > text.size()) return "";
  return text.substr(static_cast<std::size_t>(k) - 1);
}

std::string extractReference(const std::string& text, const std::string& name) {
  const std::string open = "<" + name + ">";
  const std::size_t p = pos1(open, text);
  if (p == 0) return "";
  const std::string rest = from1(text, static_cast<long>(p + open.size()));
  const std::size_t q = pos1("</" + name + ">", rest);
  if (q == 0) return "";
  return trimReference(rest.substr(0, q - 1));
}

}  // namespace korvex::test
