#include "net/http_client.h"

#include <ctime>

#include "net/curl_transfer.h"
#include "net/file_replace.h"
#include "text/feed_number.h"

namespace korvex {
namespace {

struct SlistCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistCleanup>;

HeaderList fixedHeaders() {
  // Setting Accept ourselves also keeps libcurl's own "Accept: */*" off the request.
  curl_slist* list = nullptr;
  for (const char* header : {"Accept: text/html, */*", "Content-Type: text/html"}) {
    curl_slist* longer = curl_slist_append(list, header);
    if (longer == nullptr) {
      curl_slist_free_all(list);
      throw FetchError("out of memory for the request headers");
    }
    list = longer;
  }
  return HeaderList(list);
}

std::chrono::milliseconds deadlineOf(Deadline deadline, const HttpLimits& limits) {
  return deadline == Deadline::List ? limits.listDeadline : limits.briefDeadline;
}

curl::Exchange exchangeFor(CURL* easy, const BodySink* sink, const HttpLimits& limits,
                           Deadline deadline) {
  curl::Exchange exchange;
  exchange.easy = easy;
  exchange.sink = sink;
  exchange.maxBodyBytes = limits.maxBodyBytes;
  exchange.stallTimeout = limits.stallTimeout;
  exchange.deadline = deadlineOf(deadline, limits);
  exchange.cancelled = limits.cancelled;
  return exchange;
}

// "120 s", or "1500 ms" for a deadline a test has shortened.
std::string durationForUser(std::chrono::milliseconds duration) {
  if (duration.count() % 1000 == 0) return std::to_string(duration.count() / 1000) + " s";
  return std::to_string(duration.count()) + " ms";
}

FetchError::Kind failureKind(CURLcode code, const curl::Exchange& exchange) {
  using Kind = FetchError::Kind;
  if (exchange.wasCancelled) return Kind::Cancelled;
  if (exchange.overdue) return Kind::Overdue;
  if (exchange.stalled) return Kind::Stalled;
  if (exchange.tooLarge) return Kind::TooLarge;
  // A length that is no number at all libcurl refuses itself, before anything sees it.
  if (exchange.badLength ||
      (code == CURLE_WEIRD_SERVER_REPLY &&
       std::string_view(exchange.errorText).find("Content-Length") != std::string_view::npos))
    return Kind::BadLength;
  if (exchange.headersTooLong) return Kind::HeadersTooLong;
  // libcurl reports a header line longer than it keeps as being out of memory; a real
  // shortage of memory while the header block is still coming is not to be told apart.
  if (code == CURLE_OUT_OF_MEMORY && !exchange.headerEnded) return Kind::HeaderLineTooLong;
  if (code == CURLE_COULDNT_CONNECT) return Kind::Refused;
  if (code == CURLE_COULDNT_RESOLVE_HOST) return Kind::UnknownHost;
  if (code == CURLE_PARTIAL_FILE || exchange.bodyBytes > 0) return Kind::BrokeOff;
  return Kind::Failed;
}

// The technical account of a failure, kept as the error's what(); the log-in shows it.
std::string failureText(CURLcode code, const curl::Exchange& exchange) {
  using Kind = FetchError::Kind;
  switch (failureKind(code, exchange)) {
    case Kind::Cancelled:
      return "cancelled";
    case Kind::Overdue:
      // Told to the user as it stands: it names the deadline that applied.
      return "no whole answer within " + durationForUser(exchange.deadline);
    case Kind::Stalled:
      return "no data received for " + std::to_string(exchange.stallTimeout.count()) + " ms";
    case Kind::TooLarge:
      return "answer larger than " + std::to_string(exchange.maxBodyBytes) + " bytes";
    case Kind::BadLength:
      return "unreadable Content-Length";
    case Kind::HeaderLineTooLong:
      return "a header line was too long";
    case Kind::HeadersTooLong:
      return "header block too long";
    default:
      break;
  }
  // Before libcurl's own words, which speak of bytes "remaining" when the header never ended.
  if (code == CURLE_PARTIAL_FILE && !exchange.headerEnded)
    return "the answer ended inside its header block";
  if (exchange.errorText[0] != '\0') return exchange.errorText;
  return curl_easy_strerror(code);
}

// "812 bytes", "45.3 kB", "1.2 MB": a size as a status bar says it.
std::string sizeForUser(std::size_t bytes) {
  if (bytes < 1000) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
  if (bytes < 1000 * 1000) return fixedDecimal(static_cast<double>(bytes) / 1e3, 1) + " kB";
  return fixedDecimal(static_cast<double>(bytes) / 1e6, 1) + " MB";
}

bool containsHttpScheme(std::string_view address) {
  std::string lower(address);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower.find("http://") != std::string::npos;
}

}  // namespace

std::string reasonForUser(const FetchError& error) {
  using Kind = FetchError::Kind;
  switch (error.kind()) {
    case Kind::Refused:
      return "connection refused";
    case Kind::UnknownHost:
      return "unknown host";
    case Kind::Status:
      return "HTTP " + std::to_string(error.status());
    case Kind::BrokeOff:
      return "the answer broke off after " + sizeForUser(error.received());
    case Kind::Stalled:
      return error.received() == 0 ? "no answer in time"
                                   : "the answer stalled after " + sizeForUser(error.received());
    case Kind::TooLarge:
      return "the answer was too large";
    case Kind::BadLength:
      return "the answer's length was unreadable";
    case Kind::HeaderLineTooLong:
      return "a header line was too long";
    case Kind::HeadersTooLong:
      return "the answer's header was too long";
    case Kind::Cancelled:
      return "cancelled";
    case Kind::Overdue:
    case Kind::Failed:
      break;
  }
  return error.what();
}

// libcurl's handles are made when the first request needs them, and the connection again
// after each close: what libcurl cannot make then fails that request, told as any request
// failure, rather than the client's construction or a close.
struct HttpClient::Impl {
  curl::Easy easy;
  curl::Multi connection;
  HeaderList headers;
  // Ours rather than libcurl's, whose jar has no bound.
  CookieJar cookies;

  CURL* handle(const HttpLimits& limits) {
    if (easy) return easy.get();
    headers = fixedHeaders();
    curl::Easy made = curl::newEasy();
    curl::applyCommonOptions(made.get(), limits);
    curl_easy_setopt(made.get(), CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    curl_easy_setopt(made.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(made.get(), CURLOPT_PROXY, "");  // the clients never go through a proxy
    easy = std::move(made);
    return easy.get();
  }
};

HttpClient::HttpClient(HttpLimits limits) : impl_(std::make_unique<Impl>()), limits_(limits) {}

HttpClient::~HttpClient() = default;

long HttpClient::get(std::string_view address, std::string& body, Deadline deadline) {
  return get(
      address, [&body](std::string_view piece) { body.append(piece); }, deadline);
}

long HttpClient::get(std::string_view address, const BodySink& sink, Deadline deadline) {
  CURL* easy = impl_->handle(limits_);
  const CookieOrigin origin = curl::aimAt(easy, address);
  const std::string cookies = impl_->cookies.headerFor(origin, std::time(nullptr));
  curl_easy_setopt(easy, CURLOPT_COOKIE, cookies.empty() ? nullptr : cookies.c_str());
  // Cookies count from every answer, a failed one too.
  const std::function<void(std::string_view)> takeCookies = [&](std::string_view line) {
    if (const auto value = curl::headerValue(line, "Set-Cookie"))
      impl_->cookies.take(*value, origin, std::time(nullptr));
  };
  curl::Exchange exchange = exchangeFor(easy, &sink, limits_, deadline);
  exchange.headerLine = &takeCookies;
  if (!impl_->connection) impl_->connection = curl::newMulti();
  const CURLcode result = curl::run(impl_->connection.get(), exchange);
  if (exchange.sinkFailure) std::rethrow_exception(exchange.sinkFailure);
  if (result != CURLE_OK)
    throw FetchError(failureText(result, exchange), failureKind(result, exchange), 0,
                     exchange.bodyBytes);
  const long status = curl::status(easy);
  if (status < 200 || status > 299)
    throw FetchError("HTTP status " + std::to_string(status), FetchError::Kind::Status, status);
  return status;
}

void HttpClient::closeConnection() noexcept {
  // The connection lives in the multi handle: dropping it closes the connection, and
  // leaves the cookies and the easy handle's settings as they were.
  impl_->connection.reset();
}

FetchedAnswer Fetch(HttpClient& client, std::string_view address, Deadline deadline) {
  FetchedAnswer answer;
  try {
    client.get(address, answer.body, deadline);
  } catch (const FetchError& error) {
    answer.failure = error;
  }
  return answer;
}

UrlProbe probeUrl(std::string_view address, const HttpLimits& limits) {
  UrlProbe probe;
  try {
    const std::string full =
        containsHttpScheme(address) ? std::string(address) : "http://" + std::string(address);
    curl::Easy easy = curl::newEasy();
    curl::Multi connection = curl::newMulti();
    curl::applyCommonOptions(easy.get(), limits);
    curl_easy_setopt(easy.get(), CURLOPT_USERAGENT, "InetURL:/1.0");
    // Unlike the clients, the probe takes the system's proxy settings: libcurl reads them
    // from the environment when no proxy is set here.
    curl::aimAt(easy.get(), full);
    curl::Exchange exchange = exchangeFor(easy.get(), nullptr, limits, Deadline::Brief);
    exchange.headersOnly = true;
    const CURLcode result = curl::run(connection.get(), exchange);
    // How the transfer ends does not matter once a status has arrived.
    probe.status = curl::status(easy.get());
    probe.answered = probe.status != 0;
    if (!probe.answered) probe.error = failureText(result, exchange);
    probe.cancelled = exchange.wasCancelled;
  } catch (const std::exception& error) {
    probe.error = error.what();
  } catch (...) {
    probe.error = "the probe failed";
  }
  return probe;
}

bool UrlExists(std::string_view address, const HttpLimits& limits) {
  const UrlProbe probe = probeUrl(address, limits);
  return probe.answered && (probe.status == 200 || probe.status == 302);
}

void DownloadPicture(HttpClient& client, std::string_view address,
                     const std::filesystem::path& file, std::string_view fallbackAddress,
                     const HttpLimits& probeLimits) {
  const std::string_view chosen = UrlExists(address, probeLimits) ? address : fallbackAddress;
  client.closeConnection();
  const FetchedAnswer answer = Fetch(client, chosen, Deadline::Brief);
  // A failed download leaves the file as it was, and so does a failed write: a card
  // shows the picture it has, or the placeholder, and no one waits for a face.
  if (answer.failure) return;
  // Even an empty answer replaces the picture: an older file could show another
  // player's face, where an empty one shows the placeholder.
  static_cast<void>(replaceFile(file, answer.body, 0644));
}

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendEscaped(std::string& out, unsigned char byte) {
  out += '%';
  out += kHex[byte >> 4];
  out += kHex[byte & 0x0F];
}

bool isUnreserved(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

template <typename KeepAsIs>
std::string percentEncode(std::string_view text, KeepAsIs keepAsIs) {
  std::string encoded;
  encoded.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (keepAsIs(byte))
      encoded += c;
    else
      appendEscaped(encoded, byte);
  }
  return encoded;
}

}  // namespace

std::string encodeRequestTarget(std::string_view address) {
  return percentEncode(address, [](unsigned char byte) { return byte > 0x20 && byte < 0x7F; });
}

std::string encodeQueryValue(std::string_view value) {
  return percentEncode(value, isUnreserved);
}

}  // namespace korvex
