#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvex::test {

// How the loopback server answers one request.
struct Reply {
  enum class Framing { ContentLength, Chunked, UntilClose };
  int status = 200;
  std::string reason;  // empty: a standard phrase for the status
  std::vector<std::pair<std::string, std::string>> headers;  // Set-Cookie, Location, ...
  std::string body;
  Framing framing = Framing::ContentLength;
  std::optional<std::size_t> dropAfter;  // close the connection after this many body bytes
  // Send the head and this many bytes of the body as it goes on the wire, then call
  // `paused` on the server's thread and send the rest once it returns.
  std::optional<std::size_t> pauseAfter;
  std::function<void()> paused;
  // The body leaves at this many bytes a second, as over a real link; 0: as fast as the
  // connection takes it.
  std::size_t bytesPerSecond = 0;
  // Sent as it stands in place of a rendered answer, for framings no honest server uses;
  // the connection then closes, unless a drip follows.
  std::optional<std::string> wire;
  // After `wire`, one more `drip` every `dripEvery` for as long as the client stays: a
  // server slow on purpose, never silent long enough to look stalled.
  std::string drip;
  std::chrono::milliseconds dripEvery{0};
  bool stall = false;     // read the request, then never answer
  bool hangUp = false;    // read the request, then close without answering
  bool keepAlive = true;  // honour keep-alive after a complete answer
  // The service goes away with this answer: once it is sent the server stops, and every
  // later connect is refused, as if the process had died.
  bool stopServer = false;
};

struct RecordedRequest {
  std::string requestLine;                                   // e.g. "GET /x?y=1 HTTP/1.1"
  std::string target;                                        // e.g. "/x?y=1"
  std::vector<std::pair<std::string, std::string>> headers;  // in the order received
  int connectionId = 0;                               // requests on one TCP connection share an id
  std::string header(const std::string& name) const;  // case-insensitive, "" if absent
  bool hasHeader(const std::string& name) const;
  // The query as a standard server decodes it (PHP, Python's parse_qs): split at "&", then
  // at the first "=", "+" read as a blank and %XX as its byte.
  std::map<std::string, std::string> queryValues() const;
};

// A real HTTP/1.1 server on 127.0.0.1 and a free port, run on its own thread.
// Routes match the full target first, then the path without the query; anything else
// gets the fallback handler or a 404.
class TestServer {
 public:
  TestServer();
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  std::string base() const;  // "http://127.0.0.1:PORT"
  int port() const;

  void route(const std::string& target, Reply reply);
  void clearRoutes();
  void fallback(std::function<Reply(const RecordedRequest&)> handler);
  std::vector<RecordedRequest> requests() const;
  std::vector<std::string> targets() const;  // the targets of requests(), in order
  void clearRequests();
  // Stops listening and closes every connection: later connects are refused.
  void stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace korvex::test
