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

std::optional<FetchError> fetchListBlocks(HttpClient& client, std::string_view address,
                                          const MatchBlockStream::Reader& reader,
                                          const std::function<void()>& pieceRead) {
  MatchBlockStream blocks(reader);
  std::optional<FetchError> failure;
  try {
    client.get(
        address,
        [&](std::string_view piece) {
          blocks.feed(piece);
          if (pieceRead) pieceRead();
        },
        Deadline::List);
  } catch (const FetchError& error) {
    failure = error;  // what arrived is the list
  }
  blocks.finish();
  return failure;
}

namespace {

// The values of every block of the answer, packed and pushed as each piece of it is read;
// returns the request's failure if there was one.
std::optional<FetchError> pushPickedBlocks(HttpClient& client, std::string_view address,
                                           const BlockPicker& pick, PieceRelay& relay) {
  std::string packed;
  const auto handOver = [&] {
    if (packed.empty()) return;
    relay.push(packed);
    packed.clear();
  };
  const auto failure = fetchListBlocks(
      client, address, [&](std::string_view block) { pick(block, packed); }, handOver);
  handOver();
  return failure;
}

}  // namespace

void relayPickedBlocks(HttpClient& client, std::string_view address, const BlockPicker& pick,
                       PieceRelay& relay) {
  std::optional<FetchError> failure;
  try {
    failure = pushPickedBlocks(client, address, pick, relay);
  } catch (...) {
    // Whatever else went wrong still ends the answer, or the reader would wait for ever.
    relay.close(std::nullopt, std::current_exception());
    return;
  }
  relay.close(std::move(failure));
}

}  // namespace korvex
