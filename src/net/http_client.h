#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace korvex {

// The one failure that crosses module lines: every request failure is reported this way.
class FetchError : public std::runtime_error {
 public:
  enum class Kind {
    Failed,
    Refused,
    UnknownHost,
    Status,
    BrokeOff,
    Stalled,
    Overdue,
    TooLarge,
    BadLength,
    HeaderLineTooLong,
    HeadersTooLong,
    Cancelled
  };

  explicit FetchError(const std::string& what, Kind kind = Kind::Failed, long status = 0,
                      std::size_t received = 0)
      : std::runtime_error(what), kind_(kind), status_(status), received_(received) {}

  Kind kind() const { return kind_; }
  long status() const { return status_; }             // for Kind::Status
  std::size_t received() const { return received_; }  // body bytes that had arrived

 private:
  Kind kind_;
  long status_;
  std::size_t received_;
};

// Why a request failed, in the words of a status bar: "connection refused", "HTTP 503",
// "the answer broke off after 1.2 MB", "no whole answer within 120 s".
std::string reasonForUser(const FetchError& error);

// Takes a 2xx body piece by piece as it arrives.
using BodySink = std::function<void(std::string_view piece)>;

// Which overall deadline a request runs under: a list or a match detail may be long and
// come slowly; anything else is small.
enum class Deadline { List, Brief };

struct HttpLimits {
  std::chrono::milliseconds connectTimeout{10'000};
  // A transfer that receives nothing for this long fails; tests shorten it.
  std::chrono::milliseconds stallTimeout{30'000};
  // A request not ended this long after it started fails, however steadily the bytes
  // trickle in: a server must not hold the one request thread for as long as it likes.
  std::chrono::milliseconds listDeadline{120'000};
  // Pictures, status probes, exchange pages, reports.
  std::chrono::milliseconds briefDeadline{30'000};
  std::size_t maxBodyBytes = std::size_t{64} << 20;
  // Set from another thread, it ends the transfer under way within a tenth of a second
  // and fails every later one at once: closing the window must not wait for the network.
  const std::atomic<bool>* cancelled = nullptr;
};

// One named client (IdHTTP1, IdHTTP2): its own connection and its own in-memory cookies.
class HttpClient {
 public:
  explicit HttpClient(HttpLimits limits = {});
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // GET. A 2xx body is appended to `body` as it arrives (so a drop leaves the part that
  // arrived); any failure throws FetchError, and only a whole answer is not a failure.
  // Returns the status.
  long get(std::string_view address, std::string& body, Deadline deadline = Deadline::List);
  // GET that hands the body to `sink` as it arrives, so that the caller can work on the
  // first part while the rest is on the way. What the sink throws ends the transfer and
  // is thrown again from here.
  long get(std::string_view address, const BodySink& sink, Deadline deadline = Deadline::List);
  // The next request starts on a fresh connection.
  void closeConnection() noexcept;
  const HttpLimits& limits() const { return limits_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  HttpLimits limits_;
};

// What a GET brought: the 2xx body as far as it arrived (a list still reads what came
// before a break), and the failure, if any.
struct FetchedAnswer {
  std::string body;
  std::optional<FetchError> failure;
};
// Never throws: outside net/ a request's failure is a value, told where it is read.
FetchedAnswer Fetch(HttpClient& client, std::string_view address,
                    Deadline deadline = Deadline::List);

// What a status probe learnt: whether any answer came back, and which status.
struct UrlProbe {
  bool answered = false;  // false: no connection, unknown host, timeout
  long status = 0;
  std::string error;       // why nothing came back
  bool cancelled = false;  // the program was closing: nobody is left to tell
};
// The probe behind UrlExists: "http://" in front when the lower-cased address has none,
// agent "InetURL:/1.0", GET, redirects not followed, the brief deadline. Never throws.
UrlProbe probeUrl(std::string_view address, const HttpLimits& limits = {});

// True exactly when the address answers "200" or "302". Never throws.
bool UrlExists(std::string_view address, const HttpLimits& limits = {});

// Stores the picture at `address` (or at `fallbackAddress` when the probe says the
// picture is missing) into `file`, replacing it (even with an empty answer) only once the
// whole body arrived. The probe and the download each have the brief deadline.
// Never throws.
void DownloadPicture(HttpClient& client, std::string_view address,
                     const std::filesystem::path& file, std::string_view fallbackAddress,
                     const HttpLimits& probeLimits = {});

// Percent-encodes the bytes a request line cannot carry (0x00-0x20, 0x7F-0xFF).
std::string encodeRequestTarget(std::string_view address);
// A value for a query: every byte but A-Z a-z 0-9 - . _ ~ written as %XX, so that "&",
// "#", "%", "+" and blanks reach the service as the user typed them.
std::string encodeQueryValue(std::string_view value);

}  // namespace korvex
