#include "radar/exchange_runner.h"

#include <string>
#include <string_view>

#include "radar/runner_figures.h"
#include "text/feed_text.h"

namespace korvex {

namespace {

// The page is walked with a cursor over the fetched text; positions are 1-based as in
// the rest of the feed readers, so that "keep from p + k" reads the same everywhere.
class PageCursor {
 public:
  explicit PageCursor(std::string_view page) : rest_(page) {}

  // Keeps the text from (position of `marker`) + k; an absent marker counts as
  // position 0, so with k = 3 it still drops two characters.
  void advance(std::string_view marker, size_t k) {
    const size_t found = rest_.find(marker);
    const size_t position = found == std::string_view::npos ? 0 : found + 1;
    const size_t keepFrom = position + k;
    rest_ = keepFrom > rest_.size() ? std::string_view{} : rest_.substr(keepFrom - 1);
  }

  // The text before the next "<"; nothing when there is no "<".
  std::string_view cut() const {
    const size_t lt = rest_.find('<');
    return lt == std::string_view::npos ? std::string_view{} : rest_.substr(0, lt);
  }

 private:
  std::string_view rest_;
};

void appendField(std::string& figures, std::string_view field) {
  field = trimBlanks(field);
  figures += field.empty() ? std::string_view{"0"} : field;
  figures += ">>";
}

}  // namespace

std::string runnerFiguresFromPage(std::string_view page) {
  PageCursor cursor(page);
  cursor.advance("GlobalHeadingText", 1);
  cursor.advance(">", 1);
  cursor.advance("selected", 1);
  cursor.advance(">", 1);
  cursor.advance("Total matched on this event", 1);
  cursor.advance("GlobalBoldedText", 1);
  cursor.advance(">", 3);
  const std::string eventTotal = ReplaceAll(cursor.cut(), ",", "");
  cursor.advance("GlobalBoldedText", 1);
  cursor.advance(">", 3);
  const std::string runnerAmount = ReplaceAll(cursor.cut(), ",", "");
  cursor.advance("GlobalBoldedText", 1);
  cursor.advance(">", 1);
  const std::string_view runnerPrice = cursor.cut();

  std::string figures;
  appendField(figures, eventTotal);
  appendField(figures, runnerAmount);
  appendField(figures, runnerPrice);
  return figures;
}

RunnerRead ReadExchangeRunner(HttpClient& client, std::string_view address) {
  client.closeConnection();
  FetchedAnswer page = Fetch(client, address, Deadline::Brief);
  // A page that broke off could cut an amount short and fake a signal: read nothing.
  if (page.failure) page.body.clear();
  return {runnerFiguresFromPage(page.body), std::move(page.failure)};
}

}  // namespace korvex
