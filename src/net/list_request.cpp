#include "net/list_request.h"

namespace korvex {

std::string logInAddress(std::string_view serviceBase, std::string_view login,
                         std::string_view password) {
  return std::string(serviceBase) + "/login/kx.php?login=" + encodeQueryValue(login) +
         "&pass=" + encodeQueryValue(password);
}

std::string listAddress(std::string_view serviceBase, std::string_view login,
                        std::string_view password, std::string_view menu) {
  return logInAddress(serviceBase, login, password) + "&menu=" + std::string(menu);
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
