#include "text/picked_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvex {
namespace {

std::vector<std::vector<std::string>> unpacked(std::string_view packed) {
  std::vector<std::vector<std::string>> blocks;
  forEachPicked(packed, [&](const PickedBlock& block) {
    auto& values = blocks.emplace_back();
    for (std::size_t i = 0; i < block.size(); ++i) values.emplace_back(block[i]);
    EXPECT_EQ(block[block.size()], "") << "past the end reads empty";
  });
  return blocks;
}

// Values come back byte for byte whatever they hold: empty ones, bytes that look like the
// packing's own counts and sizes, CP1251 text, and blocks of differing lengths in a row.
TEST(PickedValues, BlocksComeBackAsPacked) {
  const std::string binary("\x00\x01\xFF\x20\x00", 5);
  const std::string longValue(70'000, 'x');
  std::string packed;
  const std::vector<std::string_view> first = {"", binary, "\xCF\xF0\xE8\xE2\xE5\xF2", ""};
  const std::vector<std::string_view> second = {longValue};
  packValues(packed, first);
  packValues(packed, second);
  packValues(packed, {});

  const std::vector<std::vector<std::string>> expected = {
      {"", binary, "\xCF\xF0\xE8\xE2\xE5\xF2", ""}, {longValue}, {}};
  EXPECT_EQ(unpacked(packed), expected);
}

TEST(PickedValues, ABlockKeepsAtMostItsLimitOfValues) {
  std::vector<std::string> many;
  for (std::size_t i = 0; i < PickedBlock::kMostPicked + 5; ++i) many.push_back(std::to_string(i));
  const std::vector<std::string_view> views(many.begin(), many.end());
  std::string packed;
  packValues(packed, views);
  packValues(packed, std::vector<std::string_view>{"next"});

  const auto blocks = unpacked(packed);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].size(), PickedBlock::kMostPicked);
  EXPECT_EQ(blocks[0].back(), std::to_string(PickedBlock::kMostPicked - 1));
  EXPECT_EQ(blocks[1], std::vector<std::string>{"next"});
}

}  // namespace
}  // namespace korvex
