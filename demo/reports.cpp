#include "reports.h"

namespace korvex::demo {

void RequestJournal::recordRequest(std::string_view target) {
  std::lock_guard lock(mutex_);
  requests_.emplace_back(target);
}

void RequestJournal::recordReport(std::string_view target) {
  std::lock_guard lock(mutex_);
  reports_.emplace_back(target);
}

std::string RequestJournal::requests() const {
  std::lock_guard lock(mutex_);
  return lines(requests_);
}

std::string RequestJournal::reports() const {
  std::lock_guard lock(mutex_);
  return lines(reports_);
}

std::string RequestJournal::lines(const std::vector<std::string>& targets) {
  std::string text;
  for (const std::string& target : targets) text += target + "\n";
  return text;
}

}  // namespace korvex::demo
