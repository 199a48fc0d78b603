#include "state/user_list.h"

#include "net/list_request.h"

namespace korvex {

void fetchUserListBlocks(Context& ctx, std::string_view menu,
                         const MatchBlockStream::Reader& reader) {
  fetchListBlocks(
      ctx.IdHTTP1,
      listAddress(ctx.addresses.service, ctx.form.CurrentLogin, ctx.form.CurrentPassword, menu),
      reader);
}

}  // namespace korvex
