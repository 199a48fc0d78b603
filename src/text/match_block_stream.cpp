#include "text/match_block_stream.h"

#include <algorithm>

#include "text/feed_text.h"

namespace korvex {

using detail::kMatchClose;
using detail::kMatchOpen;

void MatchBlockStream::feed(std::string_view piece) {
  // An unfinished tail takes on only as much of the piece as finishes it, in steps that
  // at least double it, so that the rest of a large piece is read where it lies: a piece
  // read in two parts reads the same blocks as the whole.
  while (!pending_.empty() && !piece.empty()) {
    const std::size_t joined = std::min(piece.size(), std::max(pending_.size(), kFirstJoin));
    pending_.append(piece.substr(0, joined));
    pending_.erase(0, readComplete(pending_));
    piece.remove_prefix(joined);
  }
  if (!piece.empty()) pending_.assign(piece.substr(readComplete(piece)));
}

void MatchBlockStream::finish() {
  ScanMatchBlocks(pending_, reader_);
  pending_.clear();
  openPending_ = false;
  closeFrom_ = 0;
}

// A tag found whole in the text is also the first one in the longer answer: a tag cut
// by the end of the text starts later than any tag found before that end.
std::size_t MatchBlockStream::readComplete(std::string_view text) {
  std::size_t position = 0;
  for (;;) {
    const std::size_t open = openPending_ ? 0 : detail::findTag(text, kMatchOpen, position);
    if (open == std::string_view::npos) {
      // Junk up to the last bytes, which may be the start of an opening tag.
      const std::size_t keep = std::min(text.size() - position, kMatchOpen.size() - 1);
      return text.size() - keep;
    }
    const std::size_t close =
        detail::findTag(text, kMatchClose, std::max(open + kMatchOpen.size(), closeFrom_));
    if (close == std::string_view::npos) {
      // The bytes before the opening tag are done with; the search for its closing tag
      // resumes where a tag cut by the end of this text could begin.
      openPending_ = true;
      const std::size_t searched = text.size() - std::min(text.size(), kMatchClose.size() - 1);
      closeFrom_ = std::max(open + kMatchOpen.size(), searched) - open;
      return open;
    }
    reader_(detail::matchValueAt(text, open, close));
    openPending_ = false;
    closeFrom_ = 0;
    // Past the whole closing tag: the whole-answer walk resumes inside it, at "atch>",
    // where neither tag can begin.
    position = close + kMatchClose.size();
  }
}

}  // namespace korvex
