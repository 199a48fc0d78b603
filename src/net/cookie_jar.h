#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

// Where a request goes, as far as the cookie rules look at it.
struct CookieOrigin {
  std::string host;  // lower case, without the port
  std::string path;  // the request target up to '?' or '#'
  bool secure = false;
};

// The cookies of one client, in memory for the run, by the usual rules (domain, path,
// expiry, Secure). A service that sets new cookies on every answer must not make the jar,
// and with it every request, grow for as long as the window stays open: each host keeps
// at most kPerHost cookies, the one set longest ago leaving first, a cookie larger than
// kCookieBytes is refused, and the Cookie header stays within kHeaderBytes.
class CookieJar {
 public:
  static constexpr std::size_t kPerHost = 50;
  static constexpr std::size_t kCookieBytes = 4096;  // name and value together
  static constexpr std::size_t kHeaderBytes = 8192;  // the whole "Cookie: ..." line

  // One Set-Cookie value that came from `origin`; a cookie the rules refuse is dropped.
  void take(std::string_view setCookie, const CookieOrigin& origin, std::time_t now);
  // The Cookie header's value for a request to `origin`; "" when no cookie goes.
  std::string headerFor(const CookieOrigin& origin, std::time_t now);
  std::size_t size() const;

 private:
  struct Cookie {
    std::string name, value, path;
    bool hostOnly = true;
    bool secure = false;
    std::time_t expires = 0;  // 0: for the run
    std::uint64_t created = 0;
    std::uint64_t lastSet = 0;  // what "oldest" means when a host is full
  };
  void store(const std::string& domain, Cookie cookie, bool expired);

  std::map<std::string, std::vector<Cookie>> byDomain_;
  std::uint64_t sequence_ = 0;
};

}  // namespace korvex
