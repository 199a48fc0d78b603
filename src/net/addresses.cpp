#include "net/addresses.h"

#include <cstdlib>

namespace korvex {
namespace {

// Every address is a base followed by a path that starts with "/", so a base given
// with a trailing "/" loses it rather than producing "//".
std::string baseFromEnvironment(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return fallback;
  std::string base = value;
  if (base.ends_with('/')) base.pop_back();
  return base;
}

}  // namespace

Addresses Addresses::fromEnvironment() {
  return Addresses{
      .service = baseFromEnvironment("KORVEX_SERVICE_BASE", "http://stats.korvex.net"),
      .exchange = baseFromEnvironment("KORVEX_EXCHANGE_BASE", "http://sports.betfair.com"),
      .vendor = baseFromEnvironment("KORVEX_VENDOR_SITE_BASE", "http://www.korvex.net"),
  };
}

}  // namespace korvex
