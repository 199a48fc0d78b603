#include "text/tag_selector.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/feed_reference.h"
#include "support/feed_samples.h"

namespace korvex {
namespace {

using test::extractReference;
using test::tagValue;

TEST(TagSelector, TrimsBlanksAndControlBytesButKeepsInnerOnes) {
  EXPECT_EQ(tagValue("<id> \t\r\n 42 7\n</id>", "id"), "42 7");
  EXPECT_EQ(tagValue("<id></id>", "id"), "");
  EXPECT_EQ(tagValue("<id>  \n </id>", "id"), "");
  // Bytes above 0x7F are text (CP1251), not blanks.
  EXPECT_EQ(tagValue("<n>\xE0\xA0</n>", "n"), "\xE0\xA0");
}

TEST(TagSelector, ReadsTheFirstElementOfEachExactName) {
  const std::string text =
      "<id_home>9</id_home><id> 7 </id><LIVE_KF><u>1.8</u></LIVE_KF><u>2.0</u>"
      "</kf1><kf1>open<kf2></kf2><ID>x</ID><<x>>y</x>";
  TagSelector tags{"id", "id_home", "LIVE_KF", "u", "kf1", "kf2", "ID", "x", "missing"};
  tags.read(text);
  EXPECT_EQ(tags[0], "7") << "not the prefix of id_home";
  EXPECT_EQ(tags[1], "9");
  EXPECT_EQ(tags[2], "<u>1.8</u>");
  EXPECT_EQ(tags[3], "1.8") << "the first element wins, even inside a sub-record";
  EXPECT_EQ(tags[4], "") << "no closing tag after the opening one";
  EXPECT_EQ(tags[5], "");
  EXPECT_EQ(tags[6], "x") << "names are case-sensitive";
  EXPECT_EQ(tags[7], ">y");
  EXPECT_EQ(tags[8], "");
  EXPECT_EQ(tags[9], "") << "past the list";

  TagSelector lines{"u", "id"};
  lines.read(tags[2]);
  EXPECT_EQ(lines[0], "1.8");
  EXPECT_EQ(lines[1], "") << "only what stands inside the sub-record";

  EXPECT_EQ(tagValue("<id>1</id><id>2</id>", "id"), "1");
  // A record ends at the first closing tag of its name, even one that belongs deeper.
  EXPECT_EQ(tagValue("<r><r>x</r>y</r>", "r"), "<r>x");
  EXPECT_EQ(tagValue("</id><id>1", "id"), "");
  EXPECT_EQ(tagValue("", "id"), "");
  const std::string longName(200, 'n');
  EXPECT_EQ(tagValue("<" + longName + "> v </" + longName + ">", longName), "v");
}

TEST(TagSelector, ValuesPointIntoTheRecord) {
  const std::string text = "<a> b </a>";
  EXPECT_EQ(tagValue(text, "a").data(), text.data() + 4);
}

// Random soups of tag fragments, with names that are prefixes of one another, nested
// and unclosed elements, stray brackets and blanks: every name must read as the reference
// does, in the whole text and in every sub-record.
TEST(TagSelector, MatchesTheReferenceOnRandomText) {
  // Two names alike in their first eight bytes, and one of exactly eight.
  const std::vector<std::string> names{"a", "ab",       "s1",         "bfpr",      "match",
                                       "",  "typeliga", "longname_1", "longname_2"};
  const std::vector<std::string> pieces{"<", ">", "</", "/", " ", "\r\n", "x", "12", "\xC0"};
  std::mt19937 random(99);
  std::uniform_int_distribution<size_t> pickName(0, names.size() - 1);
  std::uniform_int_distribution<size_t> pickPiece(0, pieces.size() + 2);
  // Listed twice, and with names never met, to show that neither changes what is read.
  TagSelector selector{"a",        "ab",         "s1",         "bfpr", "match", "",
                       "typeliga", "longname_1", "longname_2", "ab",   "zz",    "longname_3"};
  TagSelector inner = selector;
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
    selector.read(text);
    for (std::size_t i = 0; i < names.size(); ++i) {
      ASSERT_EQ(selector[i], extractReference(text, names[i]))
          << "name \"" << names[i] << "\" in \"" << text << "\"";
    }
    EXPECT_EQ(selector[9], selector[1]);
    EXPECT_EQ(selector[10], "");
    EXPECT_EQ(selector[99], "");
    for (std::size_t record = 0; record < names.size(); ++record) {
      inner.read(selector[record]);
      const std::string value = extractReference(text, names[record]);
      for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(inner[i], extractReference(value, names[i]))
            << "name \"" << names[i] << "\" in record \"" << names[record] << "\" of \"" << text
            << "\"";
    }
  }
}

// The walk reads 64 bytes at a time and looks at a name's eight first bytes at once: long
// records of blank-padded tags put every tag, its name and its closing tag across those
// bounds, with names of seven, eight and nine bytes alike in their first seven.
TEST(TagSelector, MatchesTheReferenceAcrossWordAndBlockBounds) {
  const std::vector<std::string> names{"abcdefg", "abcdefgh", "abcdefghi", "abcdefghj",
                                       "a",       "LIVE_KF",  "u",         ""};
  std::mt19937 random(7);
  std::uniform_int_distribution<size_t> pickName(0, names.size() - 1);
  std::uniform_int_distribution<int> pickKind(0, 5);
  std::uniform_int_distribution<size_t> pickPad(0, 70);
  TagSelector selector{"abcdefg", "abcdefgh", "abcdefghi", "abcdefghj", "a", "LIVE_KF", "u", ""};
  TagSelector inner = selector;
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
    selector.read(text);
    for (std::size_t i = 0; i < names.size(); ++i)
      ASSERT_EQ(selector[i], extractReference(text, names[i]))
          << names[i] << " in \"" << text << "\"";
    for (const std::size_t record : {std::size_t{5}, std::size_t{1}}) {
      inner.read(selector[record]);
      for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(inner[i], extractReference(extractReference(text, names[record]), names[i]))
            << names[i] << " in " << names[record];
    }
  }
}

// A record of more than 64 KiB with thousands of names, long ones alike in their first
// eight bytes among them; a selector reused on a small record afterwards forgets them all.
TEST(TagSelector, ReadsLargeRecordsAndForgetsThem) {
  const auto nameOf = [](int i) { return (i % 2 ? "name" : "long_name_") + std::to_string(i); };
  std::string text;
  for (int i = 0; i < 6000; ++i)
    text += "<" + nameOf(i) + "> " + std::to_string(i * 7) + " </" + nameOf(i) + ">";
  ASSERT_GT(text.size(), 65536u);
  std::vector<std::string> listed;
  for (int i = 0; i < 6000; i += 131) listed.push_back(nameOf(i));
  listed.push_back("name6001");
  const std::vector<std::string_view> views(listed.begin(), listed.end());
  TagSelector tags(views);
  tags.read(text);
  for (std::size_t i = 0; i + 1 < listed.size(); ++i)
    ASSERT_EQ(tags[i], std::to_string(static_cast<int>(i) * 131 * 7)) << listed[i];
  EXPECT_EQ(tags[listed.size() - 1], "");
  const std::string small = "<" + nameOf(131) + ">x</" + nameOf(131) + ">";
  tags.read(small);
  EXPECT_EQ(tags[1], "x");
  EXPECT_EQ(tags[0], "");
  EXPECT_EQ(tags[2], "");
}

}  // namespace
}  // namespace korvex

namespace korvex {
namespace {

TEST(ExtractTag, ReadsOneValueAndNeverFails) {
  EXPECT_EQ(ExtractTag("<id> 42 </id><id>7</id>", "id"), "42");
  EXPECT_EQ(ExtractTag("<stat><id>1</id></stat>", "stat"), "<id>1</id>");
  EXPECT_EQ(ExtractTag("<id></id>", "id"), "");
  EXPECT_EQ(ExtractTag("<id>1", "id"), "");
  EXPECT_EQ(ExtractTag("", "id"), "");
  EXPECT_EQ(ExtractTag("<a<b>1</a<b>", "a<b"), "");
  EXPECT_EQ(ExtractTag("<id>1</id>", ""), "");
}

}  // namespace
}  // namespace korvex
