#include "service/record_tags.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "service/feed_text.h"

namespace korvex {
namespace {

TEST(RecordTags, ReadsWhatExtractTagReads) {
  const std::string text =
      "<id_home>9</id_home><id> 7 </id><LIVE_KF><u>1.8</u></LIVE_KF><u>2.0</u>"
      "</kf1><kf1>open<kf2></kf2><ID>x</ID><<x>>y</x>";
  const RecordTags tags(text);
  for (const char* name :
       {"id", "id_home", "LIVE_KF", "u", "kf1", "kf2", "ID", "x", "missing", "<x"})
    EXPECT_EQ(tags[name], ExtractTag(text, name)) << name;
  EXPECT_EQ(tags["id"], "7");
  EXPECT_EQ(tags["u"], "1.8") << "the first element wins, even inside a sub-record";
  EXPECT_EQ(tags["kf1"], "") << "no closing tag after the opening one";
  RecordTags lines;
  lines.read(tags, "LIVE_KF");
  EXPECT_EQ(lines["u"], "1.8");
  EXPECT_EQ(lines["id"], "") << "only what stands inside the sub-record";
}

// Random soups of tag fragments, with names that are prefixes of one another, nested
// and unclosed elements, stray brackets and blanks: every name must read as ExtractTag,
// in the whole text and in every sub-record.
TEST(RecordTags, MatchesExtractTagOnRandomText) {
  // Two names alike in their first eight bytes, and one of exactly eight.
  const std::vector<std::string> names{"a", "ab",       "s1",         "bfpr",      "match",
                                       "",  "typeliga", "longname_1", "longname_2"};
  const std::vector<std::string> pieces{"<", ">", "</", "/", " ", "\r\n", "x", "12", "\xC0"};
  std::mt19937 random(99);
  std::uniform_int_distribution<size_t> pickName(0, names.size() - 1);
  std::uniform_int_distribution<size_t> pickPiece(0, pieces.size() + 2);
  RecordTags tags, inner;
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int i = 0; i < round % 40; ++i) {
      const size_t piece = pickPiece(random);
      if (piece == pieces.size())
        text += "<" + names[pickName(random)] + ">";
      else if (piece == pieces.size() + 1)
        text += "</" + names[pickName(random)] + ">";
      else if (piece == pieces.size() + 2)
        text += names[pickName(random)];
      else
        text += pieces[piece];
    }
    tags.read(text);
    for (const std::string& name : names)
      ASSERT_EQ(tags[name], ExtractTag(text, name))
          << "name \"" << name << "\" in \"" << text << "\"";
    for (const std::string& record : names) {
      inner.read(tags, record);
      const std::string_view value = ExtractTag(text, record);
      for (const std::string& name : names)
        ASSERT_EQ(inner[name], ExtractTag(value, name))
            << "name \"" << name << "\" in record \"" << record << "\" of \"" << text << "\"";
    }
  }
}

}  // namespace
}  // namespace korvex
