#include "net/addresses.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace korvex {
namespace {

// Sets or clears a variable for one test and puts the old value back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Addresses, DefaultsWhenUnsetOrEmpty) {
  ScopedEnv service("KORVEX_SERVICE_BASE", nullptr);
  ScopedEnv exchange("KORVEX_EXCHANGE_BASE", "");
  ScopedEnv vendor("KORVEX_VENDOR_SITE_BASE", nullptr);
  const Addresses addresses = Addresses::fromEnvironment();
  EXPECT_EQ(addresses.service, "http://stats.korvex.net");
  EXPECT_EQ(addresses.exchange, "http://sports.betfair.com");
  EXPECT_EQ(addresses.vendor, "http://www.korvex.net");
}

TEST(Addresses, EnvironmentOverridesEachBaseWithoutATrailingSlash) {
  ScopedEnv service("KORVEX_SERVICE_BASE", "http://127.0.0.1:8080/");
  ScopedEnv exchange("KORVEX_EXCHANGE_BASE", "http://127.0.0.1:8081");
  ScopedEnv vendor("KORVEX_VENDOR_SITE_BASE", "http://127.0.0.1:8082/site/");
  const Addresses addresses = Addresses::fromEnvironment();
  EXPECT_EQ(addresses.service, "http://127.0.0.1:8080");
  EXPECT_EQ(addresses.exchange, "http://127.0.0.1:8081");
  EXPECT_EQ(addresses.vendor, "http://127.0.0.1:8082/site");
}

}  // namespace
}  // namespace korvex
