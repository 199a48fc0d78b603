#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "state/context.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"
#include "support/test_server.h"

namespace korvex::test {

// A window state wired to a loopback service, logged in as "L" with password "P".
struct ServiceContext {
  ServiceContext();

  // Serves `body` as the answer to the list request for `menu` ("line", "live", "bf").
  void serveList(const std::string& menu, std::string body);
  // The request target of the list `menu` for the logged-in user.
  static std::string listTarget(const std::string& menu);
  // The radar's figures as live row `row` shows them: odds, %, odds, %, money.
  std::vector<std::string> liveRadarFigures(int row) const;

  TestServer server;
  TempDir workdir;
  Form form;
  RecordingPlatform platform;
  TaskLoop loop{platform};  // turned by platform.finish(); requests run in place
  HttpClient http1;
  HttpClient http2;
  Addresses addresses;
  Context ctx;
};

using Fields = std::initializer_list<std::pair<std::string_view, std::string_view>>;
// "<name>value</name>" for each field, in order, as a record's text.
std::string record(Fields fields);
// The blocks as one list answer, each in a <match> element, with the stray text and line
// breaks a real answer has around and between them.
std::string matchList(const std::vector<std::string>& blocks);

}  // namespace korvex::test
