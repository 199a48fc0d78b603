#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "analysis/analysis.h"
#include "line/line_list.h"
#include "live/live_list.h"
#include "radar/radar_list.h"
#include "session/list_links.h"
#include "state/context.h"

namespace {

class SilentPlatform : public korvex::Platform {
 public:
  void showMessage(const std::string&) override { __builtin_trap(); }
  void openUrl(const std::string&) override { __builtin_trap(); }
  void closeMainWindow() override { __builtin_trap(); }
  void processPendingEvents() override {}
};

// One window for the whole run, as in a session that keeps reloading. The service is a
// port nothing listens on, so the analysis's picture downloads fail at once.
struct Window {
  Window() {
    char pattern[] = "/tmp/korvex-answers-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) __builtin_trap();
    workdir = pattern;
  }

  SilentPlatform platform;
  korvex::Form form;
  korvex::HttpClient http1, http2;
  korvex::Addresses addresses{"http://127.0.0.1:1", "http://127.0.0.1:1", "http://127.0.0.1:1"};
  std::filesystem::path workdir;
  korvex::Context ctx{form, platform, http1, http2, addresses, workdir, {}, {}};
};

void expect(bool condition) {
  if (!condition) __builtin_trap();
}

std::string count(const korvex::GridModel& grid) {
  return "Count: " + std::to_string(grid.rowCount());
}

}  // namespace

// One answer, whatever it holds, goes through every reader a service answer meets, into one
// window, in a session's order: the line, the radar, the live list, then an analysis.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Window window;
  korvex::Form& form = window.form;
  const std::string_view answer(reinterpret_cast<const char*>(data), size);

  korvex::fillLineFromAnswer(form, answer);
  expect(form.line.RX.rowCount() == form.line.RG.rowCount());
  expect(form.line.countsoon == count(form.line.RX) && form.line.countsoon2 == count(form.line.RG));

  korvex::fillRadarFromAnswer(form, answer);
  korvex::markLineRowsOnRadar(form);
  korvex::fillLiveFromAnswer(form, answer);
  korvex::linkLiveWithRadar(form);
  expect(form.live.lcount == count(form.live.LG));
  // The same blocks, one row each, whichever list read them.
  expect(form.radar.RB.rowCount() == form.line.RX.rowCount() &&
         form.live.LG.rowCount() == form.line.RX.rowCount());

  korvex::fillAnalysisFromAnswer(window.ctx, korvex::targetOfRow(form, form.line.RX, 0), answer);
  expect(form.analysis.SG.rowCount() == 17 && form.analysis.ScGrid.rowCount() == 3);
  expect(form.analysis.MatchGrid.rowCount() == 1 && form.analysis.KFGrid.rowCount() == 1);
  // No picture could be fetched, so none may show.
  expect(form.analysis.LOGO1.source == "placeholder" &&
         form.analysis.LOGO2.source == "placeholder");
  return 0;
}
