#include "text/feed_text.h"

#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/feed_text_scan.h"

namespace korvex {
namespace {

bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// The ordinary left-to-right replacement: occurrences created by a replacement are
// left alone.
std::string replaceOnePass(std::string_view text, std::string_view find,
                           std::string_view replacement) {
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
    out.append(text.substr(from, at - from));
    out.append(replacement);
    from = at + find.size();
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Thirty-two starts are tested at a time on the tag's first byte and its last before the
// '>': in feed text that pair is rare where the tag is not, so a start that passes is
// nearly always the tag, and one eight-byte load settles it.
std::size_t detail::findTag(std::string_view text, std::string_view tag, std::size_t from) {
#ifdef __SSE2__
  if constexpr (std::endian::native == std::endian::little) {
    if (tag.size() >= 2 && tag.size() <= 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, tag.data(), tag.size());
      const std::uint64_t mask =
          tag.size() == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * tag.size())) - 1;
      const std::size_t second = tag.size() - 2;
      const __m128i firstByte = _mm_set1_epi8(tag[0]);
      const __m128i secondByte = _mm_set1_epi8(tag[second]);
      const char* bytes = text.data();
      const auto starts = [&](std::size_t at) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        const __m128i last = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at + second));
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(first, firstByte), _mm_cmpeq_epi8(last, secondByte))));
      };
      // Every start tested has eight bytes of the text from it; the rest is left to find().
      for (; from <= text.size() && text.size() - from >= 32 + 7; from += 32) {
        auto found = starts(from) | (starts(from + 16) << 16);
        for (; found != 0; found &= found - 1) {
          const std::size_t at = from + static_cast<std::size_t>(std::countr_zero(found));
          std::uint64_t candidate;
          std::memcpy(&candidate, bytes + at, 8);
          if ((candidate & mask) == word) return at;
        }
      }
    }
  }
#endif
  return text.find(tag, from);
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.empty()) return std::string(text);
  // Searching again from the start after every replacement would never end here.
  if (replacement.find(find) != std::string_view::npos) {
    return replaceOnePass(text, find, replacement);
  }
  // Every replacement is re-searched from the start of the text. `out` is a prefix of
  // the current text that holds no occurrence, so the first occurrence is the first
  // one to complete while bytes are moved into `out`; its replacement goes back onto
  // `pending` to be scanned again together with the bytes that follow it.
  //
  // A replacement that does not contain `find` can still feed on itself: with "ab" ->
  // "bba", every "a" doubles the "b"s after it, so the result grows exponentially, and
  // whether every such rule ends at all is not known. The work is therefore bounded;
  // past the bound the text gets the ordinary one-pass replacement. A rewrite whose
  // replacements do not cascade costs at most (text size) * (replacement size + 2), so
  // the bound leaves it eight times that, and the constant lets short texts (tags'
  // values) go through even quadratic cascades such as "ab" -> "ba" exactly.
  const std::size_t budget = 8 * (text.size() + 1) * (replacement.size() + 2) + 65536;
  std::size_t work = 0;
  std::string out;
  out.reserve(text.size());
  std::string pending;  // a stack: its back is the next byte to scan
  std::size_t next = 0;
  while (!pending.empty() || next < text.size()) {
    if (pending.empty()) {
      out.push_back(text[next++]);
    } else {
      out.push_back(pending.back());
      pending.pop_back();
    }
    if (out.back() != find.back() || !std::string_view(out).ends_with(find)) continue;
    out.resize(out.size() - find.size());
    pending.append(replacement.rbegin(), replacement.rend());
    work += find.size() + replacement.size();
    if (work > budget) return replaceOnePass(text, find, replacement);
  }
  return out;
}

}  // namespace korvex
