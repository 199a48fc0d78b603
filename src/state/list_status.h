#pragma once

#include <chrono>
#include <ctime>
#include <deque>
#include <optional>
#include <string>

#include "net/http_client.h"

namespace korvex {

// The outcome of the last finished attempt at one list (or the analysis).
struct ListStatus {
  bool ok = false;    // true only when a whole 2xx answer arrived
  std::string error;  // why not, in the user's words; "" when ok
  std::string at;     // local "hh:mm:ss" when the attempt finished; "" before the first
  // How many attempts have finished: the window tells a new outcome from the last one
  // seen even when both came in the same second with the same result.
  unsigned attempts = 0;
  // An attempt ended at `now`, with `failure` when the whole answer did not arrive.
  void record(const std::optional<FetchError>& failure, const std::tm& now);
};

// One thing the program told the user, in the user's words (CP1251, as every text of the
// window's state), at local "hh:mm:ss".
struct Outcome {
  std::string at;
  std::string text;
  bool failed = false;
};

// What the status bar tells: each list's last outcome, what is loading now, and what the
// user's actions came to, newest last.
struct StatusPage {
  static constexpr std::size_t kKeptOutcomes = 50;

  ListStatus line, radar, live, analysis;
  std::deque<Outcome> outcomes;
  // How many outcomes were ever told, forgotten ones included: what is new since a count.
  std::size_t told = 0;
  // Tells an action's outcome; the oldest beyond kKeptOutcomes are forgotten.
  void tell(std::string text, bool failed, const std::tm& now);
  // "the live list" while it loads ("Loading the live list…"), a whole phrase when it
  // starts with a capital ("Checking the exchange for …"), "" when nothing loads.
  std::string loading;
  std::chrono::steady_clock::time_point loadingSince;
};

// Names what is loading for as long as it is in scope.
class LoadingNote {
 public:
  LoadingNote(StatusPage& status, std::string what);
  ~LoadingNote();
  LoadingNote(const LoadingNote&) = delete;
  LoadingNote& operator=(const LoadingNote&) = delete;

 private:
  StatusPage& status_;
  std::string before_;
};

}  // namespace korvex
