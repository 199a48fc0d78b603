#include "net/curl_transfer.h"

#include <algorithm>
#include <climits>

namespace korvex::curl {
namespace {

using Clock = std::chrono::steady_clock;

void initLibraryOnce() {
  // A function-local static: the first client to start, on whatever thread, sets libcurl up.
  static const CURLcode started = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (started != CURLE_OK)
    throw FetchError(std::string("libcurl did not start: ") + curl_easy_strerror(started));
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
};

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
  return parts;
}

size_t onHeader(char*, size_t size, size_t count, void* user) {
  static_cast<Exchange*>(user)->lastByte = Clock::now();
  return size * count;
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

void aimAt(CURL* easy, std::string_view address) {
  const SplitAddress parts = split(encodeRequestTarget(address));
  // libcurl would cut the URL at a '#' as a fragment, and a '#' inside a query (say, in a
  // password) would silently lose the rest of the query. The program never asks this
  // client for a fragment, so a '#' here is data: the request line carries it as built.
  // libcurl still gets the path alone, for the host, the port and the cookie rules.
  curl_easy_setopt(easy, CURLOPT_URL, (parts.origin + parts.path).c_str());
  curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, parts.target.c_str());
}

bool cancelNow(Exchange& exchange) {
  exchange.wasCancelled = exchange.cancelled != nullptr && exchange.cancelled->load();
  return exchange.wasCancelled;
}

CURLcode run(CURLM* multi, Exchange& exchange) {
  // How long the loop may sleep before it looks at the cancel flag again.
  constexpr std::chrono::milliseconds kCancelCheck{100};
  exchange.lastByte = Clock::now();
  if (cancelNow(exchange)) return CURLE_ABORTED_BY_CALLBACK;
  Attached attached(multi, exchange);
  if (!attached.added()) return CURLE_FAILED_INIT;
  // Our own loop rather than curl_easy_perform: libcurl's low-speed limit counts whole
  // seconds, and the stall rule wants the time since the last byte, to the millisecond.
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) return CURLE_FAILED_INIT;
    if (running == 0) break;
    if (cancelNow(exchange)) return CURLE_ABORTED_BY_CALLBACK;
    const auto idle = Clock::now() - exchange.lastByte;
    if (idle >= exchange.stallTimeout) {
      exchange.stalled = true;
      return CURLE_OPERATION_TIMEDOUT;
    }
    auto left = std::chrono::ceil<std::chrono::milliseconds>(exchange.stallTimeout - idle);
    if (exchange.cancelled != nullptr) left = std::min(left, kCancelCheck);
    // libcurl shortens the wait by itself when one of its own timers (connect) runs out first.
    curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::min<long long>(left.count(), INT_MAX)),
                    nullptr);
  }
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == exchange.easy)
      return message->data.result;
  }
  return CURLE_FAILED_INIT;
}

long status(CURL* easy) {
  long code = 0;
  if (curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &code) != CURLE_OK) return 0;
  return code;
}

}  // namespace korvex::curl
