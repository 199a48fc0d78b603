#include "text/feed_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "support/feed_reference.h"
#include "support/feed_samples.h"
#include "text/match_block_stream.h"
#include "text/tag_selector.h"

namespace korvex {
namespace {

using Blocks = std::vector<std::string>;

using test::extractReference;
using test::from1;
using test::pos1;

// --- Literal, copy-based transcriptions of the block walks (see support/feed_reference.h). ---

Blocks listScanReference(const std::string& answer) {
  Blocks blocks;
  std::string copy = answer;
  for (;;) {
    const std::size_t p = pos1("<match>", copy);
    if (p == 0) break;
    copy = from1(copy, static_cast<long>(p));
    const std::string block = extractReference(copy, "match");
    const std::size_t q = pos1("</match>", copy);
    copy = from1(copy, static_cast<long>(q) + 3);
    blocks.push_back(block);
  }
  return blocks;
}

Blocks nestedScanReference(const std::string& list) {
  Blocks blocks;
  std::string copy = list;
  for (;;) {
    const std::size_t p = pos1("<match>", copy);
    if (p == 0) break;
    const std::string block = extractReference(copy, "match");
    copy = from1(copy, static_cast<long>(p) + 3);
    blocks.push_back(block);
  }
  return blocks;
}

// Gives up (nullopt) on rewrites that run away, which the reference cannot finish.
std::optional<std::string> replaceReference(std::string text, const std::string& find,
                                            const std::string& replacement) {
  if (find.empty()) return text;
  for (int step = 0; step < 5000 && text.size() < 5000; ++step) {
    const std::size_t at = text.find(find);
    if (at == std::string::npos) return text;
    text = text.substr(0, at) + replacement + text.substr(at + find.size());
  }
  return std::nullopt;
}

// --- The implementation under test, collected. ---

Blocks listScan(std::string_view answer) {
  Blocks blocks;
  ScanMatchBlocks(answer, [&](std::string_view block) { blocks.emplace_back(block); });
  return blocks;
}

Blocks nestedScan(std::string_view list) {
  Blocks blocks;
  scanNestedMatchBlocks(list, [&](std::string_view block) { blocks.emplace_back(block); });
  return blocks;
}

std::string randomText(std::mt19937& rng, const std::vector<std::string>& pieces, int maxPieces) {
  std::string text;
  const int count = std::uniform_int_distribution<int>(0, maxPieces)(rng);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  for (int i = 0; i < count; ++i) text += pieces[pick(rng)];
  return text;
}

TEST(ReplaceAll, PlainReplacements) {
  EXPECT_EQ(ReplaceAll("1,234,567", ",", ""), "1234567");
  EXPECT_EQ(ReplaceAll("Spain>>Madrid>>M.", ">>", ". "), "Spain. Madrid. M.");
  EXPECT_EQ(ReplaceAll("a<br>b<br>", "<br>", " or "), "a or b or ");
  EXPECT_EQ(ReplaceAll("", "x", "y"), "");
  EXPECT_EQ(ReplaceAll("abc", "", "y"), "abc");
}

TEST(ReplaceAll, ReplacesOccurrencesThatReplacementsCreate) {
  EXPECT_EQ(ReplaceAll("abb", "ab", "a"), "a");
  EXPECT_EQ(ReplaceAll(",,,,", ",,", ","), ",");
  EXPECT_EQ(ReplaceAll("aab", "ab", "ba"), "baa");
  // Quadratically many swaps, still within the work bound.
  EXPECT_EQ(ReplaceAll(std::string(40, 'a') + std::string(40, 'b'), "ab", "ba"),
            std::string(40, 'b') + std::string(40, 'a'));
}

TEST(ReplaceAll, ReplacementContainingFindIsOnePass) {
  EXPECT_EQ(ReplaceAll("a.b.", ".", ".."), "a..b..");
  EXPECT_EQ(ReplaceAll("M.", "M.", "xM.y"), "xM.y");
}

TEST(ReplaceAll, RunawayGrowthFallsBackToOnePass) {
  // Every "a" doubles the "b"s behind it: re-searching would need 2^100 bytes.
  const std::string text = std::string(100, 'a') + "b";
  EXPECT_EQ(ReplaceAll(text, "ab", "bba"), std::string(99, 'a') + "bba");
}

TEST(ReplaceAll, MatchesTheReferenceOnRandomText) {
  std::mt19937 rng(11);
  const std::vector<std::string> letters = {"a", "b", "c"};
  int compared = 0;
  for (int i = 0; i < 100000; ++i) {
    const std::string text = randomText(rng, letters, 12);
    std::string find = randomText(rng, letters, 3);
    const std::string replacement = randomText(rng, letters, 4);
    if (find.empty()) find = "a";
    if (replacement.find(find) != std::string::npos) continue;
    const std::optional<std::string> expected = replaceReference(text, find, replacement);
    if (!expected) continue;
    ++compared;
    ASSERT_EQ(ReplaceAll(text, find, replacement), *expected)
        << text << " / " << find << " -> " << replacement;
  }
  // Most pairs must actually be compared, or the test proves little.
  EXPECT_GT(compared, 50000);
}

TEST(ScanMatchBlocks, BothFormsSkipJunkAndTrimBlocks) {
  const std::string text =
      "junk <id>0</id>\n<match> <id>1</id> </match> between "
      "<match>\n<id>2</id>\n</match> tail";
  const Blocks expected = {"<id>1</id>", "<id>2</id>"};
  EXPECT_EQ(listScan(text), expected);
  EXPECT_EQ(nestedScan(text), expected);
}

TEST(ScanMatchBlocks, NoBlocks) {
  for (const char* text : {"", "no blocks", "<matc>", "</match>", "<Match>x</Match>"}) {
    EXPECT_TRUE(listScan(text).empty()) << text;
    EXPECT_TRUE(nestedScan(text).empty()) << text;
  }
}

TEST(ScanMatchBlocks, LastBlockWithoutClosingTagYieldsOneEmptyBlock) {
  const std::string text = "<match>1</match><match>2";
  const Blocks expected = {"1", ""};
  EXPECT_EQ(listScan(text), expected);
  EXPECT_EQ(nestedScan(text), expected);
}

TEST(ScanMatchBlocks, UnclosedBlockRunsIntoTheNextOne) {
  const std::string text = "<match>1<match>2</match><match>3</match>";
  EXPECT_EQ(listScan(text), (Blocks{"1<match>2", "3"}));
  EXPECT_EQ(nestedScan(text), (Blocks{"1<match>2", "2", "3"}));
}

TEST(ScanMatchBlocks, ListFormResumesInsideTheClosingTag) {
  // The cut keeps "atch>" of the closing tag, so "<m" before it cannot rebuild a tag,
  // while the nested form keeps "tch>" of the opening tag.
  EXPECT_EQ(listScan("<match>a</match>"), Blocks{"a"});
  EXPECT_EQ(nestedScan("<match><match>a</match>"), (Blocks{"<match>a", "a"}));
}

TEST(ScanMatchBlocks, ManyUnclosedBlocks) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "<match><id>1</id>";
  const Blocks list = listScan(text);
  ASSERT_EQ(list.size(), 100000u);
  EXPECT_EQ(list.front(), "");
  EXPECT_EQ(list.back(), "");

  // One closing tag at the end: every nested block runs to it, so keep views only.
  text += "</match>";
  std::size_t count = 0;
  std::string_view first;
  std::string_view last;
  scanNestedMatchBlocks(text, [&](std::string_view block) {
    if (count++ == 0) first = block;
    last = block;
  });
  EXPECT_EQ(count, 100000u);
  EXPECT_EQ(first.size(), text.size() - 15);
  EXPECT_EQ(last, "<id>1</id>");
  EXPECT_EQ(listScan(text).size(), 1u);
}

TEST(ScanMatchBlocks, BothFormsMatchTheReferenceOnBrokenText) {
  std::mt19937 rng(3);
  const std::vector<std::string> pieces = {"<match>", "</match>", "<m",         "atch>", "tch>",
                                           "x",       " ",        "<id>1</id>", "</m",   "<ma"};
  for (int i = 0; i < 30000; ++i) {
    const std::string text = randomText(rng, pieces, 14);
    ASSERT_EQ(listScan(text), listScanReference(text)) << text;
    ASSERT_EQ(nestedScan(text), nestedScanReference(text)) << text;
  }
}

// Long texts put the tags and their near misses at every offset of the wide steps the
// search takes, and near the end of the text, where it falls back to a plain one.
TEST(ScanMatchBlocks, BothFormsMatchTheReferenceOnLongText) {
  std::mt19937 rng(4);
  const std::vector<std::string> pieces = {
      "<match>",    "</match>", "<mitch>", "</mitch>", "<match ", "</matc",          "<<match>>",
      "<id>1</id>", " ",        "x",       "<",        "\xFF",    "0123456789abcdef"};
  for (int i = 0; i < 20000; ++i) {
    const std::string text = randomText(rng, pieces, 40);
    ASSERT_EQ(listScan(text), listScanReference(text)) << text;
    ASSERT_EQ(nestedScan(text), nestedScanReference(text)) << text;
  }
}

TEST(ScanMatchBlocks, TagSearchIsFind) {
  std::mt19937 rng(6);
  const std::vector<std::string> bytes = {"<", ">", "/", "a", "b"};
  for (int i = 0; i < 30000; ++i) {
    const std::string text = randomText(rng, bytes, 120);
    std::string tag = randomText(rng, bytes, 9);
    const std::size_t from = std::uniform_int_distribution<std::size_t>(0, text.size() + 1)(rng);
    ASSERT_EQ(detail::findTag(text, tag, from), std::string_view(text).find(tag, from))
        << tag << " from " << from << " in " << text;
  }
}

// Whatever the pieces an answer arrives in, the stream reads the blocks of the whole.
TEST(MatchBlockStream, AnyCutOfTheAnswerReadsTheBlocksOfTheWhole) {
  std::mt19937 rng(5);
  const std::vector<std::string> pieces = {
      "<match>", "</match>", "<m", "atch>", "</mat", "ch>", "x", " ", "<id>1</id>", "<ma", ">"};
  // Short texts in short pieces, and long ones in pieces that run past an unfinished
  // block by more than the stream takes in one step.
  struct Cuts {
    int texts, maxPieces;
    std::size_t longestCut;
  };
  for (const Cuts cuts : {Cuts{20000, 14, 9}, Cuts{300, 6000, 20000}}) {
    for (int i = 0; i < cuts.texts; ++i) {
      const std::string text = randomText(rng, pieces, cuts.maxPieces);
      Blocks streamed;
      MatchBlockStream stream([&](std::string_view block) { streamed.emplace_back(block); });
      std::size_t at = 0;
      while (at < text.size()) {
        const std::size_t length =
            std::uniform_int_distribution<std::size_t>(1, cuts.longestCut)(rng);
        stream.feed(std::string_view(text).substr(at, length));
        at += length;
      }
      stream.finish();
      ASSERT_EQ(streamed, listScanReference(text)) << text;
    }
  }
}

TEST(MatchBlockStream, ReadsABlockAsSoonAsItsClosingTagIsIn) {
  Blocks read;
  MatchBlockStream stream([&](std::string_view block) { read.emplace_back(block); });
  stream.feed("junk<match> 1 </mat");
  EXPECT_TRUE(read.empty());
  stream.feed("ch><ma");
  EXPECT_EQ(read, Blocks{"1"});
  stream.feed("tch>2");
  EXPECT_EQ(read, Blocks{"1"}) << "a block still open may yet be closed";
  stream.finish();
  EXPECT_EQ(read, (Blocks{"1", ""}));
}

TEST(ScanMatchBlocks, ReadsEveryTagOfALineFeed) {
  const std::string feed = test::makeLineFeed(50, 1);
  int blocks = 0;
  TagSelector tags{std::span<const std::string_view>(test::kLineTags)};
  TagSelector odds{std::span<const std::string_view>(test::kLiveKfTags)};
  ScanMatchBlocks(feed, [&](std::string_view block) {
    ++blocks;
    tags.read(block);
    for (std::size_t i = 0; i < tags.size(); ++i)
      EXPECT_FALSE(tags[i].empty()) << test::kLineTags[i];
    odds.read(tags[1]);  // LIVE_KF
    for (std::size_t i = 0; i < odds.size(); ++i)
      EXPECT_FALSE(odds[i].empty()) << test::kLiveKfTags[i];
  });
  EXPECT_EQ(blocks, 50);
  EXPECT_EQ(test::makeLineFeed(50, 1), feed);
}

}  // namespace
}  // namespace korvex
