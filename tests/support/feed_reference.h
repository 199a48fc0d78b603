#pragma once

#include <cstddef>
#include <string>

namespace korvex::test {

// Literal, copy-based transcriptions of the feed rules, with 1-based positions: what the
// program's fast readers are held to.

// Position of the first occurrence, 1-based; 0 when absent or when `needle` is empty.
std::size_t pos1(const std::string& needle, const std::string& hay);
// The text from 1-based position k on.
std::string from1(const std::string& text, long k);
// The value of the first `name` element of `text`, trimmed of bytes <= 0x20, or empty.
std::string extractReference(const std::string& text, const std::string& name);

}  // namespace korvex::test
