#include "state/list_status.h"

#include <utility>

#include "state/clock_text.h"

namespace korvex {

void ListStatus::record(const std::optional<FetchError>& failure, const std::tm& now) {
  ok = !failure;
  error = failure ? reasonForUser(*failure) : "";
  at = clockText(now, WithSeconds::Yes);
  ++attempts;
}

void StatusPage::tell(std::string text, bool failed, const std::tm& now) {
  outcomes.push_back({clockText(now, WithSeconds::Yes), std::move(text), failed});
  ++told;
  if (outcomes.size() > kKeptOutcomes) outcomes.pop_front();
}

LoadingNote::LoadingNote(StatusPage& status, std::string what)
    : status_(status), before_(std::exchange(status.loading, std::move(what))) {
  status_.loadingSince = std::chrono::steady_clock::now();
}

LoadingNote::~LoadingNote() {
  status_.loading = std::move(before_);
}

}  // namespace korvex
