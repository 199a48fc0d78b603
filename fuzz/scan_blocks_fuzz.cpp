#include <cstddef>
#include <cstdint>
#include <string_view>

#include "service/feed_text.h"

// Both block walks over the same bytes; every block handed out must lie inside them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t blocks = 0;
  auto check = [&](std::string_view block) {
    ++blocks;
    if (!block.empty() && (block.data() < text.data() ||
                           block.data() + block.size() > text.data() + text.size()))
      __builtin_trap();
    korvex::ExtractTag(block, "id");
  };
  korvex::ScanMatchBlocks(text, check);
  korvex::ScanNestedMatchBlocks(text, check);
  // Each pass consumes at least one opening tag, so the count is bounded by the size.
  if (blocks > 2 * (size / 7 + 1)) __builtin_trap();
  return 0;
}
