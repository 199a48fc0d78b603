#include "service/list_request.h"

namespace korvex {

std::string listAddress(std::string_view serviceBase, std::string_view login,
                        std::string_view password, std::string_view menu) {
  std::string address;
  address.reserve(serviceBase.size() + login.size() + password.size() + menu.size() + 40);
  address.append(serviceBase)
      .append("/login/kx.php?login=")
      .append(login)
      .append("&pass=")
      .append(password)
      .append("&menu=")
      .append(menu);
  return address;
}

void fetchListBlocks(HttpClient& client, std::string_view address,
                     const MatchBlockStream::Reader& reader) {
  MatchBlockStream blocks(reader);
  try {
    client.get(address, [&blocks](std::string_view piece) { blocks.feed(piece); });
  } catch (...) {
    // What arrived is the list.
  }
  blocks.finish();
}

}  // namespace korvex
