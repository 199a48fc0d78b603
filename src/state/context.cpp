#include "state/context.h"

namespace korvex {

void runRequest(Context& ctx, const std::function<void()>& request) {
  if (ctx.requests != nullptr)
    ctx.requests->run(request);
  else
    request();
}

std::tm localNow(const Context& ctx) {
  if (ctx.localTime) return ctx.localTime();
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

}  // namespace korvex
