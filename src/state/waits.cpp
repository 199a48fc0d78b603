#include "state/waits.h"

namespace korvex {

Task<> showMessage(Context& ctx, std::string text) {
  Platform& platform = ctx.platform;
  Resumption closed(ctx.loop, [&platform, text = std::move(text)](std::function<void()> done) {
    platform.showMessage(text, std::move(done));
  });
  co_await closed;
}

Task<FetchedAnswer> fetchAnswer(const Context& ctx, HttpClient& client, std::string address) {
  auto fetch = [&client, address = std::move(address)] { return Fetch(client, address); };
  co_return co_await onRequestThread(ctx, std::move(fetch));
}

}  // namespace korvex
