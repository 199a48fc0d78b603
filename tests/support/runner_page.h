#pragma once

#include <string>

namespace korvex::test {

// An exchange runner page with the markers the reader looks for, in their order.
inline std::string runnerPage(const std::string& total, const std::string& amount,
                              const std::string& price) {
  return "<h1 class=\"GlobalHeadingText\">Market</h1><option selected>Runner</option>"
         "Total matched on this event <b class=\"GlobalBoldedText\">$ " +
         total + "</b> matched <b class=\"GlobalBoldedText\">$ " + amount +
         "</b> price <b class=\"GlobalBoldedText\">" + price + "</b>";
}

}  // namespace korvex::test
