// korvex-cli: drives the same Session as the window, one action per GUI event, and
// prints the window's state as JSON.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_platform.h"
#include "cli/history_json.h"
#include "cli/json_dump.h"
#include "session/session.h"
#include "state/grid_csv.h"
#include "text/cp1251.h"

namespace {

using korvex::Session;
using korvex::cli::Action;
using korvex::cli::CliPlatform;
using korvex::cli::Invocation;

korvex::SessionConfig configFor(const korvex::cli::Invocation& invocation) {
  korvex::SessionConfig config;
  if (invocation.service) config.addresses.service = *invocation.service;
  if (invocation.exchange) config.addresses.exchange = *invocation.exchange;
  if (invocation.vendor) config.addresses.vendor = *invocation.vendor;
  if (invocation.workdir) config.workdir = *invocation.workdir;
  if (invocation.history) config.historyFile = *invocation.history;
  config.clockStart = invocation.clock;
  if (const char* stall = std::getenv(korvex::cli::kStallTimeoutVariable)) {
    if (const auto timeout = korvex::cli::parseStallTimeout(stall))
      config.limits.stallTimeout = *timeout;
    else  // not an argument, so not worth refusing to run: the default still holds
      std::cerr << "korvex-cli: " << timeout.reason() << "; using "
                << config.limits.stallTimeout.count() << " ms\n";
  }
  return config;
}

void openRow(Session& session, const std::string& grid, int row) {
  if (grid == "RX") session.RXCellDblClick(0, row);
  if (grid == "RG") session.RGCellDblClick(0, row);
  if (grid == "LG") session.LGCellDblClick(0, row);
  if (grid == "RB") session.RBCellDblClick(0, row);
}

// Writes one grid as the window's export would; false, with the reason on stderr, when
// the file could not be written.
bool exportGrid(korvex::Form& form, const std::string& name, const std::string& path) {
  for (const korvex::GridModel* grid : form.grids()) {
    if (grid->name() != name) continue;
    const korvex::Result<void> written = korvex::writeCsvFile(path, korvex::gridCsv(*grid));
    if (written) return true;
    std::cerr << "korvex-cli: export " << name << " to " << path << " failed: " << written.reason()
              << '\n';
  }
  return false;
}

// False when the action was an export that failed.
bool run(const Action& action, Session& session, CliPlatform& platform) {
  korvex::Form& form = session.form();
  switch (action.kind) {
    case Action::Kind::TypeLogin:
      form.about.loginedit = korvex::utf8ToCp1251(action.text);
      break;
    case Action::Kind::TypePassword:
      form.about.passedit = korvex::utf8ToCp1251(action.text);
      break;
    case Action::Kind::Remember:
      form.about.zap = action.number != 0;
      break;
    case Action::Kind::Login:
      session.spSkinXFormButton1Click();
      break;
    case Action::Kind::Refresh:
      session.spSkinXFormButton2Click();
      break;
    case Action::Kind::ReloadExchange:
      session.reloadExchange();
      break;
    case Action::Kind::Export:
      return exportGrid(form, action.text, action.path);
    case Action::Kind::Open:
      openRow(session, action.text, action.number);
      break;
    case Action::Kind::CheckExchange:
      session.checkExchange(
          action.text == "LG" ? korvex::RadarLinkedList::Live : korvex::RadarLinkedList::Line,
          action.number);
      break;
    case Action::Kind::Tick:
      // The timer only ticks once a log-in has switched it on.
      for (int i = 0; i < action.number && form.timerOn && !form.closed; ++i) {
        session.Timer1Timer();
        platform.settle(session);
      }
      break;
    case Action::Kind::Dump:
      std::cout << korvex::cli::toLine(korvex::cli::dumpState(form, platform)) << '\n';
      break;
    case Action::Kind::History:
      std::cout << korvex::cli::toLine(
                       korvex::cli::historyJson(session.memory().store(), action.text))
                << '\n';
      break;
    case Action::Kind::Signals:
      std::cout << korvex::cli::toLine(korvex::cli::signalsJson(session.memory().store())) << '\n';
      break;
    case Action::Kind::Summary:
      std::cout << korvex::cli::toLine(korvex::cli::summarise(form, platform)) << '\n';
      break;
  }
  platform.settle(session);
  std::cout.flush();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto invocation =
      korvex::cli::parseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!invocation) {
    std::cerr << "korvex-cli: " << invocation.reason() << '\n' << korvex::cli::kUsage << '\n';
    return 2;
  }
  if (invocation->request == Invocation::Request::Help) {
    std::cout << korvex::cli::kUsage << '\n' << korvex::cli::kHelp;
    return 0;
  }
  if (invocation->request == Invocation::Request::Version) {
    std::cout << "korvex-cli " KORVEX_VERSION "\n";
    return 0;
  }

  CliPlatform platform;
  Session session(platform, configFor(*invocation));
  platform.attach(session.form());
  session.FormCreate();
  if (const std::string& opening = session.memory().openingMessage(); !opening.empty())
    std::cerr << "korvex-cli: " << opening << '\n';
  bool exportsWritten = true;
  for (const Action& action : invocation->actions) {
    // A closed window takes no more input, but its last state can still be printed.
    if (session.form().closed && action.kind != Action::Kind::Dump) continue;
    if (!run(action, session, platform)) exportsWritten = false;
  }
  return exportsWritten ? 0 : 1;
}
