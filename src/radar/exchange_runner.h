#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/http_client.h"

namespace korvex {

struct RunnerRead {
  std::string figures;  // "EventTotal>>RunnerAmount>>RunnerPrice>>"
  std::optional<FetchError> failure;
};

// Reads one exchange runner page. A page that could not be read whole reads as no
// figures, and the failure says why.
RunnerRead ReadExchangeRunner(HttpClient& client, std::string_view address);

}  // namespace korvex
