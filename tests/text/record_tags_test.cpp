#include "text/record_tags.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/feed_text.h"
#include "text/tag_selector.h"

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
// in the whole text and in every sub-record, and the same through a TagSelector.
TEST(RecordTags, MatchesExtractTagOnRandomText) {
  // Two names alike in their first eight bytes, and one of exactly eight.
  const std::vector<std::string> names{"a", "ab",       "s1",         "bfpr",      "match",
                                       "",  "typeliga", "longname_1", "longname_2"};
  const std::vector<std::string> pieces{"<", ">", "</", "/", " ", "\r\n", "x", "12", "\xC0"};
  std::mt19937 random(99);
  std::uniform_int_distribution<size_t> pickName(0, names.size() - 1);
  std::uniform_int_distribution<size_t> pickPiece(0, pieces.size() + 2);
  RecordTags tags, inner;
  // Listed twice, and with names never met, to show that neither changes what is read.
  TagSelector selector{"a",        "ab",         "s1",         "bfpr", "match", "",
                       "typeliga", "longname_1", "longname_2", "ab",   "zz",    "longname_3"};
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
    selector.read(text);
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string& name = names[i];
      ASSERT_EQ(tags[name], ExtractTag(text, name))
          << "name \"" << name << "\" in \"" << text << "\"";
      ASSERT_EQ(selector[i], tags[name]) << "name \"" << name << "\" in \"" << text << "\"";
    }
    EXPECT_EQ(selector[9], selector[1]);
    EXPECT_EQ(selector[10], "");
    EXPECT_EQ(selector[99], "");
    for (const std::string& record : names) {
      inner.read(tags, record);
      const std::string_view value = ExtractTag(text, record);
      for (const std::string& name : names)
        ASSERT_EQ(inner[name], ExtractTag(value, name))
            << "name \"" << name << "\" in record \"" << record << "\" of \"" << text << "\"";
    }
  }
}

// The walk reads 64 bytes at a time and looks at a name's eight first bytes at once: long
// records of blank-padded tags put every tag, its name and its closing tag across those
// bounds, with names of seven, eight and nine bytes alike in their first seven.
TEST(RecordTags, MatchesExtractTagAcrossWordAndBlockBounds) {
  const std::vector<std::string> names{"abcdefg", "abcdefgh", "abcdefghi", "abcdefghj",
                                       "a",       "LIVE_KF",  "u",         ""};
  std::mt19937 random(7);
  std::uniform_int_distribution<size_t> pickName(0, names.size() - 1);
  std::uniform_int_distribution<int> pickKind(0, 5);
  std::uniform_int_distribution<size_t> pickPad(0, 70);
  RecordTags tags, inner;
  TagSelector selector{"abcdefg", "abcdefgh", "abcdefghi", "abcdefghj", "a", "LIVE_KF", "u", ""};
  for (int round = 0; round < 1500; ++round) {
    std::string text;
    for (int i = 0; i < 2 + round % 30; ++i) {
      text.append(pickPad(random), ' ');
      const std::string& name = names[pickName(random)];
      switch (pickKind(random)) {
        case 0:
          text += "<" + name + ">";
          break;
        case 1:
          text += "</" + name + ">";
          break;
        case 2:
          text += "<" + name;
          break;
        case 3:
          text += "</" + name;
          break;
        default:
          text += "<" + name + ">v</" + name + ">";
          break;
      }
    }
    // Cut anywhere, so that the record may end inside a tag.
    text.resize(std::uniform_int_distribution<size_t>(0, text.size())(random));
    tags.read(text);
    selector.read(text);
    for (std::size_t i = 0; i < names.size(); ++i) {
      ASSERT_EQ(tags[names[i]], ExtractTag(text, names[i])) << names[i] << " in \"" << text << "\"";
      ASSERT_EQ(selector[i], tags[names[i]]) << names[i] << " in \"" << text << "\"";
    }
    for (const std::string& record : {std::string("LIVE_KF"), std::string("abcdefgh")}) {
      inner.read(tags, record);
      for (const std::string& name : names)
        ASSERT_EQ(inner[name], ExtractTag(ExtractTag(text, record), name))
            << name << " in " << record;
    }
  }
}

// A record of more than 64 KiB with thousands of names, long ones alike in their first
// eight bytes among them; a reader reused on a small record afterwards forgets them all.
TEST(RecordTags, ReadsLargeRecordsAndForgetsThem) {
  std::string text;
  for (int i = 0; i < 6000; ++i) {
    const std::string name = (i % 2 ? "name" : "long_name_") + std::to_string(i);
    text += "<" + name + "> " + std::to_string(i * 7) + " </" + name + ">";
  }
  ASSERT_GT(text.size(), 65536u);
  RecordTags tags(text);
  for (int i = 0; i < 6000; i += 37) {
    const std::string name = (i % 2 ? "name" : "long_name_") + std::to_string(i);
    ASSERT_EQ(tags[name], std::to_string(i * 7)) << name;
  }
  EXPECT_EQ(tags["name6001"], "");
  tags.read("<name1>x</name1>");
  EXPECT_EQ(tags["name1"], "x");
  EXPECT_EQ(tags["name3"], "");
  EXPECT_EQ(tags["long_name_0"], "");
}

}  // namespace
}  // namespace korvex
