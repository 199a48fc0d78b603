#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace korvex {
namespace {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string utf8 = cp1251ToUtf8(all);
  EXPECT_EQ(utf8ToCp1251(utf8), all);
}

TEST(Cp1251, DecodesCyrillicAndPunctuation) {
  EXPECT_EQ(cp1251ToUtf8("\xC7\xE0\xEF\xEE\xEC\xED\xE8\xF2\xFC"), "Запомнить");
  EXPECT_EQ(cp1251ToUtf8("\xA8\xB8\x88\x96\xB9"), "Ёё€–№");
  EXPECT_EQ(cp1251ToUtf8("plain ASCII"), "plain ASCII");
}

TEST(Cp1251, EncodesTheProgramsOwnTexts) {
  EXPECT_EQ(utf8ToCp1251("Запомнить"), "\xC7\xE0\xEF\xEE\xEC\xED\xE8\xF2\xFC");
  const std::string update = utf8ToCp1251("Обновите программу с сайта!");
  EXPECT_EQ(update.size(), 27u);
  EXPECT_EQ(update.substr(0, 4), "\xCE\xE1\xED\xEE");
  EXPECT_EQ(cp1251ToUtf8(update), "Обновите программу с сайта!");
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToCp1251("€"), "\x88");
  EXPECT_EQ(utf8ToCp1251("a中b"), "a?b");
  EXPECT_EQ(utf8ToCp1251("é😀"), "??");
}

TEST(Cp1251, MalformedUtf8BecomesQuestionMarks) {
  EXPECT_EQ(utf8ToCp1251("\x80"), "?");                 // stray continuation byte
  EXPECT_EQ(utf8ToCp1251("\xFF!"), "?!");               // never a lead byte
  EXPECT_EQ(utf8ToCp1251("\xC0\xAF"), "??");            // overlong '/'
  EXPECT_EQ(utf8ToCp1251("\xE0\x80\xAF"), "???");       // overlong, three bytes
  EXPECT_EQ(utf8ToCp1251("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(utf8ToCp1251("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
  EXPECT_EQ(utf8ToCp1251("\xD0"), "?");                 // truncated at the end
  EXPECT_EQ(utf8ToCp1251("\xE4\xB8"), "?");
  EXPECT_EQ(utf8ToCp1251("\xD0!\xD0\x90"), "?!\xC0");  // interrupted, then resumed
}

}  // namespace
}  // namespace korvex
