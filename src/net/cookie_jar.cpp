#include "net/cookie_jar.h"

#include <curl/curl.h>

#include <algorithm>
#include <optional>

namespace korvex {
namespace {

// However far off a service dates a cookie, it lives at most this long.
constexpr std::time_t kLongestLife = std::time_t{400} * 24 * 60 * 60;
constexpr std::size_t kLongestPath = 1024;
constexpr std::string_view kHeaderName = "Cookie: ";

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = lower(c);
  return result;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return lower(x) == lower(y); });
}

// A control byte in a name or a value would end up in the Cookie header of every later
// request; such a cookie is refused whole.
bool hasControlByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t') || byte == 0x7F;
  });
}

bool isIpAddress(std::string_view host) {
  return host.starts_with('[') || host.find_first_not_of("0123456789.") == std::string_view::npos;
}

bool domainMatches(std::string_view host, std::string_view domain) {
  if (host == domain) return true;
  return host.size() > domain.size() && host.ends_with(domain) &&
         host[host.size() - domain.size() - 1] == '.' && !isIpAddress(host);
}

bool pathMatches(std::string_view requestPath, std::string_view cookiePath) {
  if (!requestPath.starts_with(cookiePath)) return false;
  return requestPath.size() == cookiePath.size() || cookiePath.ends_with('/') ||
         requestPath[cookiePath.size()] == '/';
}

// Where a cookie without a Path applies: the request's "folder".
std::string defaultPath(std::string_view requestPath) {
  const std::size_t lastSlash = requestPath.rfind('/');
  if (!requestPath.starts_with('/') || lastSlash == 0) return "/";
  return std::string(requestPath.substr(0, lastSlash));
}

std::optional<long long> parseMaxAge(std::string_view text) {
  const bool negative = text.starts_with('-');
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  if (negative) return 0;
  long long seconds = 0;
  for (const char digit : digits) {
    seconds = seconds * 10 + (digit - '0');
    if (seconds > kLongestLife) return kLongestLife;
  }
  return seconds;
}

}  // namespace

void CookieJar::take(std::string_view setCookie, const CookieOrigin& origin, std::time_t now) {
  const std::string_view pair = setCookie.substr(0, setCookie.find(';'));
  std::string_view attributes = setCookie.substr(pair.size());
  const std::size_t equals = pair.find('=');
  if (equals == std::string_view::npos) return;
  Cookie cookie;
  cookie.name = trim(pair.substr(0, equals));
  cookie.value = trim(pair.substr(equals + 1));
  if (cookie.name.empty() || cookie.name.size() + cookie.value.size() > kCookieBytes ||
      hasControlByte(cookie.name) || hasControlByte(cookie.value))
    return;

  std::optional<long long> maxAge;
  std::optional<std::time_t> expires;
  std::optional<std::string> domain;
  while (!attributes.empty()) {
    attributes.remove_prefix(1);  // the ';'
    const std::string_view attribute = attributes.substr(0, attributes.find(';'));
    attributes.remove_prefix(attribute.size());
    const std::size_t split = attribute.find('=');
    const std::string_view key = trim(attribute.substr(0, split));
    const std::string_view value =
        split == std::string_view::npos ? std::string_view{} : trim(attribute.substr(split + 1));
    if (equalsIgnoringCase(key, "max-age")) {
      if (const auto seconds = parseMaxAge(value)) maxAge = seconds;
    } else if (equalsIgnoringCase(key, "expires")) {
      const std::time_t at = curl_getdate(std::string(value).c_str(), nullptr);
      if (at != -1) expires = std::min(at, now + kLongestLife);
    } else if (equalsIgnoringCase(key, "domain")) {
      std::string_view name = value;
      if (name.starts_with('.')) name.remove_prefix(1);
      if (!name.empty()) domain = lowered(name);
    } else if (equalsIgnoringCase(key, "path")) {
      if (value.starts_with('/') && value.size() <= kLongestPath) cookie.path = value;
    } else if (equalsIgnoringCase(key, "secure")) {
      cookie.secure = true;
    }
  }
  if (cookie.secure && !origin.secure) return;
  if (cookie.path.empty()) cookie.path = defaultPath(origin.path);
  if (domain && *domain != origin.host) {
    // Without a list of public suffixes, a bare name ("com") is refused as a domain.
    if (!domainMatches(origin.host, *domain) || domain->find('.') == std::string::npos) return;
  }
  cookie.hostOnly = !domain;

  bool expired = false;
  if (maxAge) {
    expired = *maxAge <= 0;
    cookie.expires = now + *maxAge;
  } else if (expires) {
    expired = *expires <= now;
    cookie.expires = *expires;
  }
  store(domain.value_or(origin.host), std::move(cookie), expired);
}

void CookieJar::store(const std::string& domain, Cookie cookie, bool expired) {
  const auto found = byDomain_.find(domain);
  if (found == byDomain_.end() && expired) return;
  std::vector<Cookie>& cookies = found != byDomain_.end() ? found->second : byDomain_[domain];
  const auto same = std::find_if(cookies.begin(), cookies.end(), [&](const Cookie& held) {
    return held.name == cookie.name && held.path == cookie.path;
  });
  if (expired) {
    if (same != cookies.end()) cookies.erase(same);
    if (cookies.empty()) byDomain_.erase(domain);
    return;
  }
  cookie.lastSet = ++sequence_;
  if (same != cookies.end()) {
    cookie.created = same->created;
    *same = std::move(cookie);
    return;
  }
  cookie.created = cookie.lastSet;
  if (cookies.size() >= kPerHost) {
    cookies.erase(
        std::min_element(cookies.begin(), cookies.end(),
                         [](const auto& a, const auto& b) { return a.lastSet < b.lastSet; }));
  }
  cookies.push_back(std::move(cookie));
}

std::string CookieJar::headerFor(const CookieOrigin& origin, std::time_t now) {
  std::vector<const Cookie*> sent;
  for (auto domain = byDomain_.begin(); domain != byDomain_.end();) {
    std::vector<Cookie>& cookies = domain->second;
    std::erase_if(cookies, [now](const Cookie& c) { return c.expires != 0 && c.expires <= now; });
    if (cookies.empty()) {
      domain = byDomain_.erase(domain);
      continue;
    }
    for (const Cookie& cookie : cookies) {
      const bool hostFits = cookie.hostOnly ? origin.host == domain->first
                                            : domainMatches(origin.host, domain->first);
      if (hostFits && pathMatches(origin.path, cookie.path) && (!cookie.secure || origin.secure))
        sent.push_back(&cookie);
    }
    ++domain;
  }
  // The more specific path first, then the earlier cookie, as servers expect.
  std::sort(sent.begin(), sent.end(), [](const Cookie* a, const Cookie* b) {
    if (a->path.size() != b->path.size()) return a->path.size() > b->path.size();
    return a->created < b->created;
  });
  std::string header;
  const std::size_t room = kHeaderBytes - kHeaderName.size();
  for (const Cookie* cookie : sent) {
    const std::size_t separator = header.empty() ? 0 : 2;
    if (header.size() + separator + cookie->name.size() + 1 + cookie->value.size() > room)
      continue;  // a smaller one further on may still fit
    if (separator != 0) header += "; ";
    header.append(cookie->name).append("=").append(cookie->value);
  }
  return header;
}

std::size_t CookieJar::size() const {
  std::size_t count = 0;
  for (const auto& [domain, cookies] : byDomain_) count += cookies.size();
  return count;
}

}  // namespace korvex
