#pragma once

// The libcurl plumbing under http_client.cpp: handles, the options both request kinds
// share, and a transfer loop that watches for a silent server with millisecond precision.

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/cookie_jar.h"
#include "net/http_client.h"

namespace korvex::curl {

struct EasyCleanup {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiCleanup {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using Easy = std::unique_ptr<CURL, EasyCleanup>;
// The multi handle owns the connection cache: dropping it closes the kept-alive connection.
using Multi = std::unique_ptr<CURLM, MultiCleanup>;

Easy newEasy();
Multi newMulti();

// GET over HTTP/1.1, redirects left to the caller, connect timeout from `limits`.
void applyCommonOptions(CURL* easy, const HttpLimits& limits);
// Points the handle at `address`, whose request target goes out as built apart from
// encodeRequestTarget. Returns where the request goes, for the cookies.
CookieOrigin aimAt(CURL* easy, std::string_view address);

// What one transfer sees while it runs.
struct Exchange {
  CURL* easy = nullptr;
  const BodySink* sink = nullptr;  // where a 2xx body goes; other bodies are read and dropped
  bool headersOnly = false;        // stop at the first body byte: only the status matters
  std::size_t maxBodyBytes = 0;
  std::chrono::milliseconds stallTimeout{0};
  std::chrono::milliseconds deadline{0};  // from the start to the end of the whole answer
  // Each header line of each answer, without its line end.
  const std::function<void(std::string_view line)>* headerLine = nullptr;
  std::size_t bodyBytes = 0;
  bool tooLarge = false;
  bool stalled = false;
  bool overdue = false;
  // How the answer's header block went: libcurl takes an answer that ends inside it, or
  // whose length overflows, for a whole one, so these are watched here.
  bool headerEnded = false;
  std::size_t headerBytes = 0;
  bool headersTooLong = false;
  bool badLength = false;
  std::optional<std::size_t> announcedLength;
  const std::atomic<bool>* cancelled = nullptr;
  bool wasCancelled = false;
  std::exception_ptr sinkFailure;  // what the sink threw; it cannot cross libcurl's C frames
  std::chrono::steady_clock::time_point lastByte;
  char errorText[CURL_ERROR_SIZE] = {};
};

// Runs one request on `multi` until it ends, until the server has sent nothing for the
// stall timeout, or until the deadline has passed. Returns libcurl's result, and
// CURLE_PARTIAL_FILE for an answer that ended inside its header block; Exchange tells why
// a transfer was cut short.
CURLcode run(CURLM* multi, Exchange& exchange);

// The value of the header `line` ("Name: value") when its name is `name`, case aside.
std::optional<std::string_view> headerValue(std::string_view line, std::string_view name);

// The status of the last answer on `easy`, 0 when none arrived.
long status(CURL* easy);

}  // namespace korvex::curl
