#pragma once

// The block loops declared in text/feed_text.h; include that header, not this one.

#include <cstddef>
#include <string_view>

namespace korvex {
namespace detail {

inline constexpr std::string_view kMatchOpen = "<match>";
inline constexpr std::string_view kMatchClose = "</match>";

// text.find(tag, from). Quicker on feed text for a tag of two to eight bytes: there some
// other tag opens every few bytes, and a search that stops at each '<' gains little over
// a byte-by-byte one.
std::size_t findTag(std::string_view text, std::string_view tag, std::size_t from);

// The first "</match>" at or after a position that only ever grows. A closing tag
// found once stays the answer until the position passes it, and a search that found
// none settles every later one too, so the text is searched at most once over.
class NextMatchClose {
 public:
  explicit NextMatchClose(std::string_view text) : text_(text) {}

  std::size_t from(std::size_t position) {
    if (!searched_ || (found_ != std::string_view::npos && found_ < position)) {
      found_ = findTag(text_, kMatchClose, position);
      searched_ = true;
    }
    return found_;
  }

 private:
  std::string_view text_;
  std::size_t found_ = std::string_view::npos;
  bool searched_ = false;
};

// The trimmed value of the "<match>" element whose opening tag stands at `open`, or
// the empty text when no closing tag follows it.
inline std::string_view matchValueAt(std::string_view text, std::size_t open, std::size_t close) {
  if (close == std::string_view::npos) return {};
  const std::size_t begin = open + kMatchOpen.size();
  return trimBlanks(text.substr(begin, close - begin));
}

}  // namespace detail

// The loop keeps a read position instead of cutting a copy of the answer. Past a
// closing tag it resumes at that tag's "atch>", past a block without one at the
// opening tag's "atch>", so no consumed tag can be found again.
template <typename Reader>
void ScanMatchBlocks(std::string_view answer, Reader&& reader) {
  detail::NextMatchClose closes(answer);
  std::size_t position = 0;
  for (;;) {
    const std::size_t open = detail::findTag(answer, detail::kMatchOpen, position);
    if (open == std::string_view::npos) return;
    const std::size_t close = closes.from(open + detail::kMatchOpen.size());
    const std::string_view block = detail::matchValueAt(answer, open, close);
    position = close == std::string_view::npos ? open + 2 : close + 3;
    reader(block);
  }
}

// Unlike the list form, this one resumes just inside the opening tag ("tch>"), so a
// block that lacks its closing tag is read merged with the next one and the next one
// is then read again on its own.
template <typename Reader>
void scanNestedMatchBlocks(std::string_view list, Reader&& reader) {
  detail::NextMatchClose closes(list);
  std::size_t position = 0;
  for (;;) {
    const std::size_t open = detail::findTag(list, detail::kMatchOpen, position);
    if (open == std::string_view::npos) return;
    const std::size_t close = closes.from(open + detail::kMatchOpen.size());
    const std::string_view block = detail::matchValueAt(list, open, close);
    position = open + 3;
    reader(block);
  }
}

}  // namespace korvex
