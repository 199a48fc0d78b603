#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/feed_text.h"
#include "text/match_block_stream.h"
#include "text/tag_selector.h"

// Both block walks over the same bytes; every block handed out must lie inside them. The
// list form read in pieces, as a transfer hands them out, must read the same blocks.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t blocks = 0;
  std::vector<std::string> whole;
  korvex::TagSelector ids{"id"};
  auto check = [&](std::string_view block) {
    ++blocks;
    if (!block.empty() &&
        (block.data() < text.data() || block.data() + block.size() > text.data() + text.size()))
      __builtin_trap();
    ids.read(block);
    if (ids[0].size() > block.size()) __builtin_trap();
  };
  korvex::ScanMatchBlocks(text, [&](std::string_view block) {
    check(block);
    whole.emplace_back(block);
  });
  korvex::scanNestedMatchBlocks(text, check);
  // Each pass consumes at least one opening tag, so the count is bounded by the size.
  if (blocks > 2 * (size / 7 + 1)) __builtin_trap();

  std::vector<std::string> streamed;
  korvex::MatchBlockStream stream([&](std::string_view block) { streamed.emplace_back(block); });
  const std::size_t piece = size % 23 + 1;
  for (std::size_t at = 0; at < size; at += piece) stream.feed(text.substr(at, piece));
  stream.finish();
  if (streamed != whole) __builtin_trap();
  return 0;
}
