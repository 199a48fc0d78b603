#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvex::test {

// The tags of one block of the pre-match line list, in the order the line loader
// reads them; "LIVE_KF" is a record that holds kLiveKfTags.
inline constexpr std::array<std::string_view, 17> kLineTags = {
    "country", "LIVE_KF", "id",  "typeliga", "nameliga", "polliga", "date",    "time", "home",
    "away",    "kf1",     "kf2", "forecast", "precent",  "latest1", "latest2", "h2h"};
inline constexpr std::array<std::string_view, 7> kLiveKfTags = {"hand1", "kof1", "hand2", "kof2",
                                                                "total", "u",    "o"};

// A "&menu=line" answer of `blocks` matches, with every tag the loader reads, some
// CP1251 text, and blanks and line breaks around values as the service sends them.
// The same seed gives the same bytes.
std::string makeLineFeed(int blocks, unsigned seed);

// The value of one tag of `text`, read as the loaders read it, for checks that look at a
// value or two.
std::string_view tagValue(std::string_view text, std::string_view name);

}  // namespace korvex::test
