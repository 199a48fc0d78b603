#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/http_client.h"

namespace korvex {

// Reads one exchange runner page into "EventTotal>>RunnerAmount>>RunnerPrice>>".
// A page that could not be read whole reads as no figures; `failure`, when given, says why.
std::string ReadExchangeRunner(HttpClient& client, std::string_view address,
                               std::optional<FetchError>* failure = nullptr);

}  // namespace korvex
