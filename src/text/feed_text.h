#pragma once

#include <string>
#include <string_view>

namespace korvex {

// `text` without the bytes <= 0x20 (blanks, tabs, line breaks) at either end.
std::string_view trimBlanks(std::string_view text);

// Replaces occurrences one at a time, each time searching again from the start, so
// occurrences formed by a replacement and its neighbours are replaced as well.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// Calls reader(block) for each <match> block of a whole list answer (list form).
template <typename Reader>
void ScanMatchBlocks(std::string_view answer, Reader&& reader);

// Calls reader(block) for each <match> block inside a record value (nested form).
template <typename Reader>
void scanNestedMatchBlocks(std::string_view list, Reader&& reader);

}  // namespace korvex

#include "text/feed_text_scan.h"
