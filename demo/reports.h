#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace korvex::demo {

// What the service has been asked and told, as raw request targets in arrival order,
// so that a test or a curious user can see exactly what the client sent.
class RequestJournal {
 public:
  void recordRequest(std::string_view target);
  void recordReport(std::string_view target);
  // One target per line.
  std::string requests() const;
  std::string reports() const;

 private:
  static std::string lines(const std::vector<std::string>& targets);

  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<std::string> reports_;
};

}  // namespace korvex::demo
