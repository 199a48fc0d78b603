#include "demo_server.h"

#include <httplib.h>
#include <sys/socket.h>

#include <atomic>
#include <charconv>

#include "demo_clock.h"
#include "exchange_pages.h"
#include "feeds.h"
#include "pictures.h"
#include "random.h"
#include "reports.h"
#include "sample_world.h"
#include "text/cp1251.h"
#include "vendor_site.h"

namespace korvex::demo {
namespace {

constexpr const char* kHost = "127.0.0.1";
constexpr const char* kDemoLogin = "demo";
constexpr const char* kDemoPassword = "demo";
constexpr const char* kServiceText = "text/html; charset=windows-1251";

// The service and the vendor site speak Windows-1251; the sample data is written in UTF-8.
void sendPage(httplib::Response& response, const std::string& utf8) {
  response.set_content(utf8ToCp1251(utf8), kServiceText);
}

void sendPlain(httplib::Response& response, const std::string& text) {
  response.set_content(text, "text/plain");
}

void sendNotFound(httplib::Response& response) {
  response.status = 404;
  response.set_content("<html><body><h1>404 Not Found</h1></body></html>", "text/html");
}

std::string newSessionCookie(int number) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuv";
  Random random(seedFor("session", static_cast<std::uint64_t>(number)));
  std::string id;
  for (int i = 0; i < 26; ++i) id += kDigits[random.next() % 32];
  return "PHPSESSID=" + id + "; path=/";
}

}  // namespace

struct DemoServer::Impl {
  explicit Impl(DemoOptions options)
      : clock(options.manualClock), exchange(world), pictures(world) {}

  void addServiceRoutes();
  void addExchangeRoutes();
  void addDemoRoutes();
  void logIn(const httplib::Request& request, httplib::Response& response);

  const SampleWorld& world = SampleWorld::instance();
  DemoClock clock;
  ExchangePages exchange;
  PictureStore pictures;
  RequestJournal journal;
  std::atomic<int> sessions{0};
  httplib::Server server;
};

void DemoServer::Impl::logIn(const httplib::Request& request, httplib::Response& response) {
  if (request.get_param_value("login") != kDemoLogin ||
      request.get_param_value("pass") != kDemoPassword) {
    sendPage(response, "Autorization Fail...");
    return;
  }
  // A PHP session, started on the first request that comes without one.
  if (request.get_header_value("Cookie").find("PHPSESSID=") == std::string::npos) {
    response.set_header("Set-Cookie", newSessionCookie(++sessions));
  }
  std::string menu = request.get_param_value("menu");
  if (menu.empty()) {
    sendPage(response, "Welcome, demo! Your subscription is active until 31.12.2024.");
  } else if (menu == "line") {
    sendPage(response, lineFeed(world, clock.minutes()));
  } else if (menu == "live") {
    sendPage(response, liveFeed(world, clock.minutes()));
  } else if (menu == "bf") {
    sendPage(response, radarFeed(world, clock.minutes()));
  } else {
    sendPage(response, "");
  }
}

void DemoServer::Impl::addServiceRoutes() {
  server.Get("/refresh/korvex4.3.txt", [](const httplib::Request&, httplib::Response& response) {
    sendPlain(response, "ok");
  });
  server.Get("/login/kx.php", [this](const httplib::Request& request, httplib::Response& response) {
    logIn(request, response);
  });
  server.Get("/kx/match.php", [this](const httplib::Request& request, httplib::Response& response) {
    sendPage(response, matchDetail(world, request.get_param_value("id"), clock.minutes()));
  });
  server.Get("/kx/img/kx_logo.jpg", [this](const httplib::Request&, httplib::Response& response) {
    Picture logo = pictures.logo();
    response.set_content(logo.bytes, logo.contentType);
  });
  server.Get(R"(/kx/img/([^/]*)\.png)",
             [this](const httplib::Request& request, httplib::Response& response) {
               std::optional<Picture> picture = pictures.playerPicture(request.matches[1].str());
               if (!picture) return sendNotFound(response);
               response.set_content(picture->bytes, picture->contentType);
             });
  auto report = [this](const httplib::Request& request, httplib::Response& response) {
    journal.recordReport(request.target);
    sendPlain(response, "ok");
  };
  server.Get("/bf/bffa2.php", report);
  server.Get("/bf/sb.php", report);
  server.Get("/", [](const httplib::Request&, httplib::Response& response) {
    sendPage(response, vendorHomePage());
  });
  server.Get("/index.php", [](const httplib::Request&, httplib::Response& response) {
    sendPage(response, vendorDownloadPage());
  });
}

void DemoServer::Impl::addExchangeRoutes() {
  server.Get("/betting/LoadRunnerInfoAction.do",
             [this](const httplib::Request& request, httplib::Response& response) {
               std::optional<std::string> page =
                   exchange.runnerPage(request.get_param_value("marketId"),
                                       request.get_param_value("selectionId"), clock.minutes());
               if (!page) return sendNotFound(response);
               sendPage(response, *page);
             });
}

void DemoServer::Impl::addDemoRoutes() {
  server.Get("/demo/requests", [this](const httplib::Request&, httplib::Response& response) {
    sendPlain(response, journal.requests());
  });
  server.Get("/demo/reports", [this](const httplib::Request&, httplib::Response& response) {
    sendPlain(response, journal.reports());
  });
  server.Get("/demo/advance", [this](const httplib::Request& request, httplib::Response& response) {
    std::string text = request.get_param_value("minutes");
    int minutes = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), minutes);
    if (error != std::errc() || end != text.data() + text.size() || minutes < 0 ||
        minutes > 100000) {
      response.status = 400;
      return sendPlain(response, "minutes must be a whole number from 0 to 100000\n");
    }
    if (!clock.advance(minutes)) {
      response.status = 400;
      return sendPlain(response,
                       "the demo clock stops at minute " + std::to_string(kLastMinute) + "\n");
    }
    sendPlain(response, "minute " + std::to_string(clock.minutes()) + "\n");
  });
}

DemoServer::DemoServer(DemoOptions options) : impl_(std::make_unique<Impl>(options)) {
  // Small answers go out at once rather than waiting on the client's delayed ACK, and an
  // idle kept-alive connection is let go soon, so that stopping never waits long on one.
  impl_->server.set_tcp_nodelay(true);
  impl_->server.set_keep_alive_max_count(100);
  impl_->server.set_keep_alive_timeout(2);
  // The library's default also shares the port with any other listener (SO_REUSEPORT);
  // a second demo service on a taken port must fail instead.
  impl_->server.set_socket_options([](int socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  impl_->server.set_pre_routing_handler(
      [this](const httplib::Request& request, httplib::Response&) {
        impl_->journal.recordRequest(request.target);
        return httplib::Server::HandlerResponse::Unhandled;
      });
  impl_->addServiceRoutes();
  impl_->addExchangeRoutes();
  impl_->addDemoRoutes();
}

DemoServer::~DemoServer() {
  stop();
}

int DemoServer::bind(int port) {
  if (port == 0) return impl_->server.bind_to_any_port(kHost);
  return impl_->server.bind_to_port(kHost, port) ? port : -1;
}

bool DemoServer::run() {
  return impl_->server.listen_after_bind();
}

void DemoServer::stop() {
  impl_->server.stop();
}

}  // namespace korvex::demo
