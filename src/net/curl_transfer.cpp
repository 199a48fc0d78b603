#include "net/curl_transfer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace korvex::curl {
namespace {

using Clock = std::chrono::steady_clock;

void initLibraryOnce() {
  // A function-local static: the first client to start, on whatever thread, sets libcurl up.
  static const CURLcode started = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (started != CURLE_OK)
    throw FetchError(std::string("libcurl did not start: ") + curl_easy_strerror(started));
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSchemeChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '-' || c == '.';
}

// Where the authority ends and the request target begins.
struct SplitAddress {
  std::string origin;  // scheme://host[:port]
  std::string path;    // the target up to '?' or '#': what the cookie rules look at
  std::string target;  // what goes on the request line
  std::string host;    // lower case, without the port; an IPv6 address keeps its brackets
  bool secure = false;
};

void findHost(SplitAddress& parts) {
  const std::size_t schemeEnd = parts.origin.find("://");
  std::string_view authority = std::string_view(parts.origin).substr(schemeEnd + 3);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
    authority.remove_prefix(at + 1);
  std::size_t end = authority.find(':');
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    end = close == std::string_view::npos ? close : close + 1;
  }
  parts.host = authority.substr(0, end);
  for (char& c : parts.host) c = lower(c);
  std::string scheme = parts.origin.substr(0, schemeEnd);
  for (char& c : scheme) c = lower(c);
  parts.secure = scheme == "https";
}

SplitAddress split(const std::string& address) {
  const std::size_t schemeEnd = address.find("://");
  const bool hasScheme = schemeEnd != std::string::npos && schemeEnd > 0 &&
                         std::all_of(address.begin(), address.begin() + schemeEnd, isSchemeChar);
  const std::size_t authorityStart = hasScheme ? schemeEnd + 3 : 0;
  const std::size_t targetStart =
      std::min(address.find_first_of("/?#", authorityStart), address.size());
  SplitAddress parts;
  parts.origin = (hasScheme ? "" : "http://") + address.substr(0, targetStart);
  parts.target = address.substr(targetStart);
  if (parts.target.empty() || parts.target.front() != '/') parts.target.insert(0, "/");
  parts.path = parts.target.substr(0, parts.target.find_first_of("?#"));
  findHost(parts);
  return parts;
}

// More than any honest service sends; libcurl's own bound is higher and its failure reads
// as a broken connection.
constexpr std::size_t kMaxHeaderBytes = std::size_t{256} << 10;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A Content-Length is digits only; a list of them ("5, 5") or a repeated header must agree.
// Returns false for anything else, and SIZE_MAX for a number too large to hold.
bool readLength(std::string_view value, std::size_t& length) {
  bool first = true;
  while (first || !value.empty()) {
    const std::size_t comma = value.find(',');
    const std::string_view item = trimmed(value.substr(0, comma));
    value = comma == std::string_view::npos ? std::string_view{} : value.substr(comma + 1);
    if (item.empty() || item.find_first_not_of("0123456789") != std::string_view::npos)
      return false;
    std::size_t number = 0;
    for (const char digit : item) {
      const auto next = static_cast<std::size_t>(digit - '0');
      number = number > (SIZE_MAX - next) / 10 ? SIZE_MAX : number * 10 + next;
    }
    if (!first && number != length) return false;
    length = number;
    first = false;
  }
  return true;
}

// Checks the announced length; false ends the transfer.
bool acceptLength(Exchange& exchange, std::string_view value) {
  std::size_t length = 0;
  if (!readLength(value, length) ||
      (exchange.announcedLength && *exchange.announcedLength != length)) {
    exchange.badLength = true;
    return false;
  }
  exchange.announcedLength = length;
  // Known too large before the first byte: no need to wait for the limit to be reached.
  if (length > exchange.maxBodyBytes) {
    exchange.tooLarge = true;
    return false;
  }
  return true;
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
  Exchange& exchange = *static_cast<Exchange*>(user);
  const size_t length = size * count;
  exchange.lastByte = Clock::now();
  exchange.headerBytes += length;
  if (exchange.headerBytes > kMaxHeaderBytes) {
    exchange.headersTooLong = true;
    return 0;
  }
  std::string_view line(data, length);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.starts_with("HTTP/")) {
    // A new answer begins: the final one after any "100 Continue" or "102 Processing".
    exchange.headerEnded = false;
    exchange.announcedLength.reset();
    return length;
  }
  if (line.empty()) {
    exchange.headerEnded = true;
    return length;
  }
  if (exchange.headersOnly) return length;
  if (const auto value = headerValue(line, "Content-Length");
      value && !acceptLength(exchange, *value))
    return 0;
  if (exchange.headerLine != nullptr) (*exchange.headerLine)(line);
  return length;
}

size_t onBody(char* data, size_t size, size_t count, void* user) {
  Exchange& exchange = *static_cast<Exchange*>(user);
  const size_t length = size * count;
  exchange.lastByte = Clock::now();
  if (exchange.headersOnly) return 0;  // a short count makes libcurl end the transfer here
  exchange.bodyBytes += length;
  if (exchange.bodyBytes > exchange.maxBodyBytes) {
    exchange.tooLarge = true;
    return 0;
  }
  const long code = status(exchange.easy);
  if (exchange.sink == nullptr || code < 200 || code > 299) return length;
  try {
    (*exchange.sink)(std::string_view(data, length));
  } catch (...) {
    exchange.sinkFailure = std::current_exception();
    return 0;
  }
  return length;
}

void setCallbacks(CURL* easy, Exchange* exchange) {
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, exchange ? onHeader : nullptr);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, exchange);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, exchange ? onBody : nullptr);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, exchange);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, exchange ? exchange->errorText : nullptr);
}

// Takes the handle off the multi handle however the transfer ended. Removing it before the
// answer is complete makes libcurl close that connection rather than reuse it half-read.
class Attached {
 public:
  Attached(CURLM* multi, Exchange& exchange) : multi_(multi), easy_(exchange.easy) {
    setCallbacks(easy_, &exchange);
    added_ = curl_multi_add_handle(multi_, easy_) == CURLM_OK;
  }
  ~Attached() {
    if (added_) curl_multi_remove_handle(multi_, easy_);
    setCallbacks(easy_, nullptr);
  }
  Attached(const Attached&) = delete;
  Attached& operator=(const Attached&) = delete;
  bool added() const { return added_; }

 private:
  CURLM* multi_;
  CURL* easy_;
  bool added_ = false;
};

}  // namespace

Easy newEasy() {
  initLibraryOnce();
  Easy easy(curl_easy_init());
  if (!easy) throw FetchError("libcurl could not create a handle");
  return easy;
}

Multi newMulti() {
  initLibraryOnce();
  Multi multi(curl_multi_init());
  if (!multi) throw FetchError("libcurl could not create a connection cache");
  return multi;
}

void applyCommonOptions(CURL* easy, const HttpLimits& limits) {
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(limits.connectTimeout.count()));
  // The request line comes from aimAt; this keeps libcurl from folding "/../" in the path
  // that it matches cookies against.
  curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
}

CookieOrigin aimAt(CURL* easy, std::string_view address) {
  const SplitAddress parts = split(encodeRequestTarget(address));
  // libcurl would cut the URL at a '#' as a fragment, and a '#' inside a query (say, in a
  // password) would silently lose the rest of the query. The program never asks this
  // client for a fragment, so a '#' here is data: the request line carries it as built.
  // libcurl still gets the path alone, for the host, the port and the cookie rules.
  curl_easy_setopt(easy, CURLOPT_URL, (parts.origin + parts.path).c_str());
  curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, parts.target.c_str());
  return CookieOrigin{parts.host, parts.path, parts.secure};
}

bool cancelNow(Exchange& exchange) {
  exchange.wasCancelled = exchange.cancelled != nullptr && exchange.cancelled->load();
  return exchange.wasCancelled;
}

CURLcode run(CURLM* multi, Exchange& exchange) {
  // How long the loop may sleep before it looks at the cancel flag again.
  constexpr std::chrono::milliseconds kCancelCheck{100};
  const auto started = Clock::now();
  exchange.lastByte = started;
  if (cancelNow(exchange)) return CURLE_ABORTED_BY_CALLBACK;
  Attached attached(multi, exchange);
  if (!attached.added()) return CURLE_FAILED_INIT;
  // Our own loop rather than curl_easy_perform: libcurl's low-speed limit counts whole
  // seconds, and the stall rule wants the time since the last byte, to the millisecond.
  // The deadline is what ends a server that sends a byte just often enough never to stall.
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) return CURLE_FAILED_INIT;
    if (running == 0) break;
    if (cancelNow(exchange)) return CURLE_ABORTED_BY_CALLBACK;
    const auto now = Clock::now();
    if (now - started >= exchange.deadline) {
      exchange.overdue = true;
      return CURLE_OPERATION_TIMEDOUT;
    }
    const auto idle = now - exchange.lastByte;
    if (idle >= exchange.stallTimeout) {
      exchange.stalled = true;
      return CURLE_OPERATION_TIMEDOUT;
    }
    auto left = std::chrono::ceil<std::chrono::milliseconds>(
        std::min(exchange.stallTimeout - idle, exchange.deadline - (now - started)));
    if (exchange.cancelled != nullptr) left = std::min(left, kCancelCheck);
    // libcurl shortens the wait by itself when one of its own timers (connect) runs out first.
    curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::min<long long>(left.count(), INT_MAX)),
                    nullptr);
  }
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
    if (message->msg != CURLMSG_DONE || message->easy_handle != exchange.easy) continue;
    // An answer that stops before the blank line closing its header block ("HTTP/1.1 200
    // OK", then nothing) is not an empty answer but a cut one.
    if (message->data.result == CURLE_OK && !exchange.headersOnly && !exchange.headerEnded)
      return CURLE_PARTIAL_FILE;
    return message->data.result;
  }
  return CURLE_FAILED_INIT;
}

std::optional<std::string_view> headerValue(std::string_view line, std::string_view name) {
  if (line.size() <= name.size() || line[name.size()] != ':') return std::nullopt;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (lower(line[i]) != lower(name[i])) return std::nullopt;
  return trimmed(line.substr(name.size() + 1));
}

long status(CURL* easy) {
  long code = 0;
  if (curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK) return 0;
  return code;
}

}  // namespace korvex::curl
