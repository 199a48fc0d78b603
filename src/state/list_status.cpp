#include "state/list_status.h"

#include <cstdio>
#include <utility>

namespace korvex {

namespace {

std::string clockTime(const std::tm& now) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.tm_hour, now.tm_min, now.tm_sec);
  return text;
}

}  // namespace

void ListStatus::record(const std::optional<FetchError>& failure, const std::tm& now) {
  ok = !failure;
  error = failure ? reasonForUser(*failure) : "";
  at = clockTime(now);
  ++attempts;
}

void StatusPage::tell(std::string text, bool failed, const std::tm& now) {
  outcomes.push_back({clockTime(now), std::move(text), failed});
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
