#include "login/login.h"

#include <optional>
#include <stdexcept>

#include "login/credentials.h"
#include "net/list_request.h"
#include "state/waits.h"

namespace korvex {

namespace {

constexpr const char* kVersionMarkerPath = "/refresh/korvex4.3.txt";
constexpr const char* kRejection = "Autorization Fail...";
// "Обновите программу с сайта!" and "Скачать" in CP1251.
constexpr const char* kUpdateLine2 =
    "\xCE\xE1\xED\xEE\xE2\xE8\xF2\xE5 \xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xF3 \xF1 "
    "\xF1\xE0\xE9\xF2\xE0!";
constexpr const char* kDownloadAnchor = "\xD1\xEA\xE0\xF7\xE0\xF2\xFC";

Task<> showUnreachable(Context& ctx, const std::string& reason, bool cancelled) {
  // Closing the window cancels the request: nobody is left to read a message.
  if (cancelled) co_return;
  tell(ctx, "Log-in failed: " + reason, true);
  co_await showMessage(ctx, std::string(kCannotReachService) + "\n" + reason);
}

// The service no longer admits this version: send the user to the download page and end.
Task<> demandUpdate(Context& ctx) {
  const std::string& vendor = ctx.addresses.vendor;
  co_await showMessage(ctx, "Update Programm from " + hostOf(vendor) + "\r" + kUpdateLine2);
  ctx.platform.openUrl(vendor + "/index.php?option=com_content&view=article&id=6&Itemid=9#" +
                       kDownloadAnchor);
  ctx.platform.closeMainWindow();
}

}  // namespace

std::string hostOf(std::string_view address) {
  if (const auto scheme = address.find("://"); scheme != std::string_view::npos)
    address.remove_prefix(scheme + 3);
  address = address.substr(0, address.find_first_of("/?#"));
  if (const auto at = address.rfind('@'); at != std::string_view::npos)
    address.remove_prefix(at + 1);
  if (address.starts_with('[')) return std::string(address.substr(0, address.find(']') + 1));
  return std::string(address.substr(0, address.find(':')));
}

Task<bool> admitLogIn(Context& ctx) {
  Form& form = ctx.form;

  // Only a status other than 200 or 302 says this version is no longer admitted. No
  // answer at all says nothing about the version, so it must not close the program.
  // What is loading ends before any message box: the user reads the box, nothing loads.
  std::optional<LoadingNote> loading(std::in_place, ctx.form.status, "the log-in");
  auto probeMarker = [address = ctx.addresses.service + kVersionMarkerPath,
                      limits = ctx.probeLimits] { return probeUrl(address, limits); };
  const UrlProbe probe = co_await onRequestThread(ctx, std::move(probeMarker));
  if (!probe.answered || (probe.status != 200 && probe.status != 302)) loading.reset();
  if (!probe.answered) {
    co_await showUnreachable(ctx, probe.error, probe.cancelled);
    co_return false;
  }
  if (probe.status != 200 && probe.status != 302) {
    co_await demandUpdate(ctx);
    co_return false;
  }

  form.CurrentLogin = form.about.loginedit;
  form.CurrentPassword = form.about.passedit;

  const FetchedAnswer answer = co_await fetchAnswer(
      ctx, ctx.IdHTTP1,
      logInAddress(ctx.addresses.service, form.CurrentLogin, form.CurrentPassword));
  loading.reset();
  if (answer.failure) {
    // A request that failed, even after part of an answer arrived, admitted nobody.
    co_await showUnreachable(ctx, answer.failure->what(),
                             answer.failure->kind() == FetchError::Kind::Cancelled);
    co_return false;
  }
  if (answer.body.find("utorization") != std::string::npos) {
    tell(ctx, "Log-in refused", true);
    co_await showMessage(ctx, kRejection);
    co_return false;
  }

  if (form.about.zap) {
    const Result<void> saved = SaveCredentials(form, ctx.workdir);
    if (!saved) {
      co_await showMessage(ctx, saved.reason());
      co_return false;
    }
  } else {
    forgetCredentials(ctx.workdir);
  }
  tell(ctx, "Logged in as " + form.CurrentLogin);
  co_return true;
}

}  // namespace korvex
