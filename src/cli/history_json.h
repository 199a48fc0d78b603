#pragma once

#include <string>

#include "cli/json_dump.h"
#include "history/history_store.h"

namespace korvex::cli {

// The `history ID` line: the match's stored observations of each list, oldest first.
// `id` is UTF-8, as typed. Both wait until whatever earlier actions recorded is committed,
// so the answer holds it. Without a store (no --history) the lists are empty.
Json historyJson(history::HistoryStore* store, const std::string& id);
// The `signals` line: every stored signal, oldest first.
Json signalsJson(history::HistoryStore* store);

}  // namespace korvex::cli
