#pragma once

// The libcurl plumbing under http_client.cpp: handles, the options both request kinds
// share, and a transfer loop that watches for a silent server with millisecond precision.

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

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
// encodeRequestTarget.
void aimAt(CURL* easy, std::string_view address);

// What one transfer sees while it runs.
struct Exchange {
  CURL* easy = nullptr;
  const BodySink* sink = nullptr;  // where a 2xx body goes; other bodies are read and dropped
  bool headersOnly = false;        // stop at the first body byte: only the status matters
  std::size_t maxBodyBytes = 0;
  std::chrono::milliseconds stallTimeout{0};
  std::size_t bodyBytes = 0;
  bool tooLarge = false;
  bool stalled = false;
  const std::atomic<bool>* cancelled = nullptr;
  bool wasCancelled = false;
  std::exception_ptr sinkFailure;  // what the sink threw; it cannot cross libcurl's C frames
  std::chrono::steady_clock::time_point lastByte;
  char errorText[CURL_ERROR_SIZE] = {};
};

// Runs one request on `multi` until it ends, or until the server has sent nothing for the
// stall timeout. Returns libcurl's result; Exchange tells why a transfer was cut short.
CURLcode run(CURLM* multi, Exchange& exchange);

// The status of the last answer on `easy`, 0 when none arrived.
long status(CURL* easy);

}  // namespace korvex::curl
