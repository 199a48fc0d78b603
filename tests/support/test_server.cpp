#include "support/test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace korvex::test {
namespace {

// Every wait is this short so that stop() never waits long for a thread to notice.
constexpr int kPollMs = 20;
constexpr std::size_t kMaxHeadBytes = 64 * 1024;
// Small chunks, so that even a short chunked body crosses several chunk boundaries.
constexpr std::size_t kChunkBytes = 16;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// Waits until `fd` is ready for `events`; false once the server stops or the socket fails.
bool waitFor(int fd, short events, const std::atomic<bool>& stopping) {
  while (!stopping) {
    pollfd entry{fd, events, 0};
    const int ready = poll(&entry, 1, kPollMs);
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
  return false;
}

bool sendAll(int fd, std::string_view data, const std::atomic<bool>& stopping, int flags = 0) {
  while (!data.empty()) {
    if (!waitFor(fd, POLLOUT, stopping)) return false;
    const ssize_t sent = send(fd, data.data(), data.size(), MSG_NOSIGNAL | flags);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

// Sends `data` at `bytesPerSecond` (0: at once), counted from `start`, `sentBefore` bytes
// of the body having gone already.
bool sendPaced(int fd, std::string_view data, const std::atomic<bool>& stopping,
               std::size_t bytesPerSecond, std::chrono::steady_clock::time_point start,
               std::size_t sentBefore) {
  if (bytesPerSecond == 0) return sendAll(fd, data, stopping);
  constexpr std::size_t kSlice = 64 * 1024;
  for (std::size_t at = 0; at < data.size(); at += kSlice) {
    const std::size_t due = sentBefore + at;
    std::this_thread::sleep_until(start +
                                  std::chrono::microseconds(due * 1'000'000 / bytesPerSecond));
    if (stopping || !sendAll(fd, data.substr(at, kSlice), stopping)) return false;
  }
  return true;
}

// Reads more bytes into `buffer`; false at end of stream, on error or on stop.
bool receiveMore(int fd, std::string& buffer, const std::atomic<bool>& stopping) {
  char chunk[4096];
  for (;;) {
    if (!waitFor(fd, POLLIN, stopping)) return false;
    const ssize_t got = recv(fd, chunk, sizeof chunk, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    buffer.append(chunk, static_cast<std::size_t>(got));
    return true;
  }
}

// Sends `piece` every `every` until the client hangs up or the server stops.
void dripUntilTheClientLeaves(int fd, const std::string& piece, std::chrono::milliseconds every,
                              const std::atomic<bool>& stopping) {
  for (;;) {
    const auto due = std::chrono::steady_clock::now() + every;
    while (std::chrono::steady_clock::now() < due) {
      if (stopping) return;
      pollfd entry{fd, POLLIN, 0};
      if (poll(&entry, 1, kPollMs) > 0) {
        char ignored[512];
        if (recv(fd, ignored, sizeof ignored, 0) <= 0) return;
      }
    }
    if (!sendAll(fd, piece, stopping)) return;
  }
}

std::string trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

RecordedRequest parseHead(std::string_view head, int connectionId) {
  RecordedRequest request;
  request.connectionId = connectionId;
  std::size_t lineEnd = head.find("\r\n");
  request.requestLine = std::string(head.substr(0, lineEnd));
  const std::size_t firstSpace = request.requestLine.find(' ');
  const std::size_t lastSpace = request.requestLine.rfind(' ');
  if (firstSpace != std::string::npos && lastSpace > firstSpace)
    request.target = request.requestLine.substr(firstSpace + 1, lastSpace - firstSpace - 1);
  while (lineEnd != std::string_view::npos) {
    const std::size_t start = lineEnd + 2;
    lineEnd = head.find("\r\n", start);
    const std::string_view line = head.substr(start, lineEnd - start);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    request.headers.emplace_back(std::string(line.substr(0, colon)), trim(line.substr(colon + 1)));
  }
  return request;
}

std::string standardReason(int status) {
  static const std::map<int, std::string> reasons = {{200, "OK"},
                                                     {201, "Created"},
                                                     {204, "No Content"},
                                                     {301, "Moved Permanently"},
                                                     {302, "Found"},
                                                     {304, "Not Modified"},
                                                     {400, "Bad Request"},
                                                     {403, "Forbidden"},
                                                     {404, "Not Found"},
                                                     {500, "Internal Server Error"},
                                                     {503, "Service Unavailable"}};
  const auto found = reasons.find(status);
  return found == reasons.end() ? "Status" : found->second;
}

bool hasNoBody(int status) {
  return status < 200 || status == 204 || status == 304;
}

std::string renderHead(const Reply& reply, bool keepOpen) {
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " +
                     (reply.reason.empty() ? standardReason(reply.status) : reply.reason) + "\r\n";
  for (const auto& [name, value] : reply.headers) head += name + ": " + value + "\r\n";
  if (!hasNoBody(reply.status)) {
    if (reply.framing == Reply::Framing::ContentLength)
      head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    if (reply.framing == Reply::Framing::Chunked) head += "Transfer-Encoding: chunked\r\n";
  }
  if (!keepOpen) head += "Connection: close\r\n";
  return head + "\r\n";
}

// The body as it goes on the wire, cut off after `dropAfter` body bytes when that is set.
// Unframed, it is a view of the reply's own body: a benchmark's answer of megabytes is
// sent without a copy. Chunked, it is built in `wire`.
std::string_view wireBody(const Reply& reply, std::string& wire) {
  if (hasNoBody(reply.status)) return {};
  const std::size_t limit =
      std::min(reply.dropAfter.value_or(reply.body.size()), reply.body.size());
  if (reply.framing != Reply::Framing::Chunked)
    return std::string_view(reply.body).substr(0, limit);
  for (std::size_t at = 0; at < reply.body.size(); at += kChunkBytes) {
    const std::size_t length = std::min(kChunkBytes, reply.body.size() - at);
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", length);
    wire += size;
    if (at + length > limit) return wire.append(reply.body, at, limit - at);
    wire.append(reply.body, at, length).append("\r\n");
  }
  return wire.append("0\r\n\r\n");
}

std::string pathOf(const std::string& target) {
  return target.substr(0, target.find('?'));
}

}  // namespace

std::string RecordedRequest::header(const std::string& name) const {
  for (const auto& [key, value] : headers)
    if (equalsIgnoringCase(key, name)) return value;
  return {};
}

std::map<std::string, std::string> RecordedRequest::queryValues() const {
  auto decode = [](std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '+') {
        bytes += ' ';
      } else if (text[i] == '%' && i + 2 < text.size() &&
                 std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                 std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
        bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
        i += 2;
      } else {
        bytes += text[i];
      }
    }
    return bytes;
  };
  std::map<std::string, std::string> values;
  const std::size_t question = target.find('?');
  if (question == std::string::npos) return values;
  std::string_view query = std::string_view(target).substr(question + 1);
  query = query.substr(0, query.find('#'));
  while (!query.empty()) {
    const std::string_view pair = query.substr(0, query.find('&'));
    query.remove_prefix(std::min(pair.size() + 1, query.size()));
    const std::size_t equals = pair.find('=');
    values[decode(pair.substr(0, equals))] =
        equals == std::string_view::npos ? "" : decode(pair.substr(equals + 1));
  }
  return values;
}

bool RecordedRequest::hasHeader(const std::string& name) const {
  return std::any_of(headers.begin(), headers.end(),
                     [&](const auto& entry) { return equalsIgnoringCase(entry.first, name); });
}

struct TestServer::Impl {
  int listener = -1;
  int port = 0;
  std::atomic<bool> stopping{false};
  std::atomic<bool> dying{false};  // a reply that stops the server is on its way out
  bool joined = false;             // only touched by stop(), on the owner's thread
  std::thread acceptor;

  mutable std::mutex mutex;  // guards everything below
  std::map<std::string, std::shared_ptr<const Reply>> routes;
  std::function<Reply(const RecordedRequest&)> fallback;
  std::vector<RecordedRequest> requests;
  std::vector<std::thread> connections;
  int lastConnectionId = 0;

  void acceptLoop();
  void serve(int fd, int connectionId);
  std::shared_ptr<const Reply> replyFor(const RecordedRequest& request);
  void waitForStopOrHangUp(int fd);
  void refuseNewConnections();
};

void TestServer::Impl::acceptLoop() {
  while (waitFor(listener, POLLIN, stopping)) {
    // Not inherited by the programs a test starts while this server runs.
    const int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    // EINVAL: the listener was shut down by a reply that stops the server.
    if (fd < 0 && errno == EINVAL) return;
    if (fd < 0) continue;
    // As a web server does: the tail of a paced slice leaves at once instead of waiting
    // for the client's delayed acknowledgement.
    const int noDelay = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    std::lock_guard lock(mutex);
    connections.emplace_back(&Impl::serve, this, fd, ++lastConnectionId);
  }
}

std::shared_ptr<const Reply> TestServer::Impl::replyFor(const RecordedRequest& request) {
  std::function<Reply(const RecordedRequest&)> handler;
  {
    std::lock_guard lock(mutex);
    requests.push_back(request);
    if (auto exact = routes.find(request.target); exact != routes.end()) return exact->second;
    if (auto byPath = routes.find(pathOf(request.target)); byPath != routes.end())
      return byPath->second;
    handler = fallback;
  }
  // Outside the lock: a handler may look at the server itself.
  if (handler) return std::make_shared<const Reply>(handler(request));
  return std::make_shared<const Reply>(
      Reply{.status = 404, .body = "<html><body>Not Found</body></html>"});
}

void TestServer::Impl::waitForStopOrHangUp(int fd) {
  std::string ignored;
  while (receiveMore(fd, ignored, stopping)) ignored.clear();
}

// The listening socket stays open (stop() closes it) but no longer listens, so a connect
// is refused at once rather than left waiting in the backlog.
void TestServer::Impl::refuseNewConnections() {
  dying = true;
  shutdown(listener, SHUT_RDWR);
}

void TestServer::Impl::serve(int fd, int connectionId) {
  std::string buffer;
  while (!stopping) {
    std::size_t headEnd;
    while ((headEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
      if (buffer.size() > kMaxHeadBytes || !receiveMore(fd, buffer, stopping)) {
        close(fd);
        return;
      }
    }
    RecordedRequest request = parseHead(std::string_view(buffer).substr(0, headEnd), connectionId);
    buffer.erase(0, headEnd + 4);
    // A GET has no body; should one come anyway, it must not be read as the next request.
    const std::size_t bodyLength =
        std::strtoul(request.header("Content-Length").c_str(), nullptr, 10);
    while (buffer.size() < bodyLength && receiveMore(fd, buffer, stopping)) {
    }
    buffer.erase(0, std::min(bodyLength, buffer.size()));

    // Requests that reach a dying server on an older connection are never seen.
    if (dying) break;
    const bool clientCloses = equalsIgnoringCase(request.header("Connection"), "close");
    // Shared with the routes: a route set meanwhile does not change an answer under way.
    const std::shared_ptr<const Reply> found = replyFor(request);
    const Reply& reply = *found;
    if (reply.stall) {
      waitForStopOrHangUp(fd);
      break;
    }
    if (reply.hangUp) break;
    if (reply.wire) {
      if (sendAll(fd, *reply.wire, stopping) && !reply.drip.empty())
        dripUntilTheClientLeaves(fd, reply.drip, reply.dripEvery, stopping);
      break;
    }
    const bool keepOpen = reply.keepAlive && !clientCloses && !reply.dropAfter &&
                          !reply.stopServer && reply.framing != Reply::Framing::UntilClose;
    // Refused before the answer is out, so the client's next request cannot slip in.
    if (reply.stopServer) refuseNewConnections();
    std::string chunked;
    const std::string_view body = wireBody(reply, chunked);
    const std::size_t pauseAt = std::min(body.size(), reply.pauseAfter.value_or(body.size()));
    // The head waits for the first part of the body, so that both leave in one segment.
    const auto start = std::chrono::steady_clock::now();
    bool sent = sendAll(fd, renderHead(reply, keepOpen), stopping, pauseAt > 0 ? MSG_MORE : 0) &&
                sendPaced(fd, body.substr(0, pauseAt), stopping, reply.bytesPerSecond, start, 0);
    if (sent && pauseAt < body.size()) {
      reply.paused();
      sent = sendPaced(fd, body.substr(pauseAt), stopping, reply.bytesPerSecond, start, pauseAt);
    }
    if (reply.stopServer) stopping = true;
    if (!sent || !keepOpen) break;
  }
  // Half-close first so that the client reads every byte sent before the end of stream.
  shutdown(fd, SHUT_WR);
  close(fd);
}

TestServer::TestServer() : impl_(std::make_unique<Impl>()) {
  impl_->listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (impl_->listener < 0) throw std::runtime_error("test server: socket failed");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (bind(impl_->listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(impl_->listener, 64) != 0 ||
      getsockname(impl_->listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    close(impl_->listener);
    throw std::runtime_error("test server: cannot listen on 127.0.0.1");
  }
  impl_->port = ntohs(address.sin_port);
  impl_->acceptor = std::thread(&Impl::acceptLoop, impl_.get());
}

TestServer::~TestServer() {
  stop();
}

std::string TestServer::base() const {
  return "http://127.0.0.1:" + std::to_string(port());
}

int TestServer::port() const {
  return impl_->port;
}

void TestServer::route(const std::string& target, Reply reply) {
  std::lock_guard lock(impl_->mutex);
  impl_->routes[target] = std::make_shared<const Reply>(std::move(reply));
}

void TestServer::clearRoutes() {
  std::lock_guard lock(impl_->mutex);
  impl_->routes.clear();
}

void TestServer::fallback(std::function<Reply(const RecordedRequest&)> handler) {
  std::lock_guard lock(impl_->mutex);
  impl_->fallback = std::move(handler);
}

std::vector<RecordedRequest> TestServer::requests() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->requests;
}

std::vector<std::string> TestServer::targets() const {
  std::vector<std::string> result;
  for (const RecordedRequest& request : requests()) result.push_back(request.target);
  return result;
}

void TestServer::clearRequests() {
  std::lock_guard lock(impl_->mutex);
  impl_->requests.clear();
}

void TestServer::stop() {
  if (impl_->joined) return;
  impl_->joined = true;
  impl_->stopping = true;
  impl_->acceptor.join();
  close(impl_->listener);
  // The acceptor has ended, so no connection thread starts any more.
  std::vector<std::thread> connections;
  {
    std::lock_guard lock(impl_->mutex);
    connections.swap(impl_->connections);
  }
  for (std::thread& connection : connections) connection.join();
}

}  // namespace korvex::test
