#include "app/user_list.h"

#include "service/list_request.h"

namespace korvex {

std::string fetchUserList(Context& ctx, std::string_view menu) {
  return fetchListAnswer(ctx.IdHTTP1, listAddress(ctx.addresses.service, ctx.form.CurrentLogin,
                                                  ctx.form.CurrentPassword, menu));
}

}  // namespace korvex
