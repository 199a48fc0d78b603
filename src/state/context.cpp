#include "state/context.h"

namespace korvex {

std::tm localNow(const Context& ctx) {
  if (ctx.localTime) return ctx.localTime();
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

void tell(Context& ctx, std::string text, bool failed) {
  ctx.form.status.tell(std::move(text), failed, localNow(ctx));
}

}  // namespace korvex
