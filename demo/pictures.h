#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "sample_world.h"

namespace korvex::demo {

struct Picture {
  std::string bytes;
  std::string contentType;
};

// Player pictures and the service's logo, drawn in code and kept once drawn. Like the real
// service, some ".png" pictures are JPEG inside, and some players have none.
class PictureStore {
 public:
  explicit PictureStore(const SampleWorld& world) : world_(world) {}

  // The picture named "<id>.png", or nothing when the service has none for that name.
  std::optional<Picture> playerPicture(std::string_view id);
  Picture logo();

 private:
  const SampleWorld& world_;
  std::mutex mutex_;
  std::map<int, std::optional<Picture>> players_;
  std::optional<Picture> logo_;
};

}  // namespace korvex::demo
