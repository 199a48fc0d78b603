#include "cli/history_json.h"

#include <span>
#include <string_view>

#include "text/cp1251.h"

namespace korvex::cli {

namespace {

using history::HistoryStore;
using history::ListKind;

// {"at": ..., name: value, ...}
Json entryJson(history::Stamp at, std::span<const std::string_view> names,
               const std::vector<std::string>& values) {
  Json entry = Json::object();
  entry["at"] = history::formatStamp(at);
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i)
    entry[std::string(names[i])] = cp1251ToUtf8(values[i]);
  return entry;
}

}  // namespace

Json historyJson(HistoryStore* store, const std::string& id) {
  Json answer = Json::object();
  answer["id"] = id;
  std::optional<HistoryStore::Reader> reader;
  if (store != nullptr) {
    store->waitUntilCommitted();
    reader.emplace(store->read());
  }
  const std::string storedId = utf8ToCp1251(id);
  for (ListKind list : {ListKind::Line, ListKind::Live, ListKind::Radar}) {
    Json observations = Json::array();
    if (reader) {
      for (const history::Observation& seen : reader->observations(list, storedId))
        observations.push_back(entryJson(seen.at, history::valueNames(list), seen.values));
    }
    answer[std::string(history::listName(list))] = std::move(observations);
  }
  return answer;
}

Json signalsJson(HistoryStore* store) {
  Json signals = Json::array();
  if (store != nullptr) {
    store->waitUntilCommitted();
    for (const history::Signal& signal : store->read().storedSignals())
      signals.push_back(entryJson(signal.at, history::signalValueNames(), signal.values));
  }
  return Json{{"signals", std::move(signals)}};
}

}  // namespace korvex::cli
