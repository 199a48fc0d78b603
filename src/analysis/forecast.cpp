#include "analysis/forecast.h"

#include <array>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "state/grid_columns.h"
#include "text/feed_number.h"
#include "text/feed_text.h"
#include "text/tag_selector.h"

namespace korvex {

namespace {

struct Situation {
  const char* caption;
  const char* winTag;
  const char* lossTag;
};

constexpr std::array<Situation, 17> kSituations{{
    {"All Match", "win", "loss"},
    {"Score 2:0", "win20", "loss20"},
    {"Score 2:1", "win21", "loss21"},
    {"Stage 1/4 final", "win14", "loss14"},
    {"Stage 1/2 final", "win12", "loss12"},
    {"Stage Final", "win_final", "loss_final"},
    {"ITF Matches", "win_itf", "loss_itf"},
    {"Chalenger Matches", "win_ch", "loss_ch"},
    {"ATP(WTA) Matches", "win_atp", "loss_atp"},
    {"Clay", "win_clay", "loss_clay"},
    {"Hard", "win_hard", "loss_hard"},
    {"Grass", "win_grass", "loss_grass"},
    {"Set 1", "win_set1", "loss_set1"},
    {"Set 2", "win_set2", "loss_set2"},
    {"Set 3", "win_set3", "loss_set3"},
    {"Set 4", "win_set4", "loss_set4"},
    {"Set 5", "win_set5", "loss_set5"},
}};

// Set scores in the order of ScGrid's columns 1 to 14, player 1's games first.
constexpr std::array<const char*, 14> kSetScores{"60", "61", "62", "63", "64", "75", "76",
                                                 "67", "57", "46", "36", "26", "16", "06"};

int saturated(long long v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// A forecast part with alternatives ("2:1<br>1:2") is bracketed so the list stays readable.
std::string setPart(std::string_view value) {
  if (value.find("<br>") == std::string_view::npos) return std::string(value);
  return "(" + std::string(value) + ")";
}

}  // namespace

int percentOf(long long part, long long total) {
  const long double quotient = static_cast<long double>(part) / static_cast<long double>(total);
  const long double percent = quotient * 100.0L;
  return roundHalfEven(percent);
}

void prepareForecastGrids(Form& form) {
  form.analysis.ScGrid.setRowCount(3);
  form.analysis.SG.setRowCount(static_cast<int>(kSituations.size()));
  for (int r = 0; r < static_cast<int>(kSituations.size()); ++r)
    form.analysis.SG.setText(SgColumn::Param, r, kSituations[static_cast<size_t>(r)].caption);
  for (int r = 0; r < 3; ++r)
    form.analysis.ScGrid.setText(ScColumn::Set, r, "Set " + std::to_string(r + 1));
}

void fillPlayerCounts(GridModel& SG, std::string_view counts, SgColumn firstColumn) {
  // Each situation's wins and losses, in turn.
  std::array<std::string_view, 2 * kSituations.size()> names;
  for (std::size_t i = 0; i < kSituations.size(); ++i) {
    names[2 * i] = kSituations[i].winTag;
    names[2 * i + 1] = kSituations[i].lossTag;
  }
  TagSelector tags{std::span<const std::string_view>(names)};
  tags.read(counts);
  for (int r = 0; r < static_cast<int>(kSituations.size()); ++r) {
    const auto at = 2 * static_cast<std::size_t>(r);
    const long long wins = wholeNumberOrZero(tags[at]);
    const long long losses = wholeNumberOrZero(tags[at + 1]);
    const long long total = wins + losses;
    if (total == 0) continue;  // no matches in this situation: the row keeps its zeros
    SG.setValue(firstColumn, r, percentOf(wins, total));
    SG.setValue(columnAfter(firstColumn, 1), r, percentOf(losses, total));
    SG.setValue(columnAfter(firstColumn, 2), r, saturated(total));
  }
}

void fillCombinedColumns(GridModel& SG) {
  for (int r = 0; r < SG.rowCount(); ++r) {
    using enum SgColumn;
    const long long sum = static_cast<long long>(SG.value(Win1, r)) + SG.value(Loss2, r);
    const int combined = roundHalfEven(static_cast<long double>(sum) / 2);
    SG.setValue(Chance1, r, combined);
    const long long matches = static_cast<long long>(SG.value(Count1, r)) + SG.value(Count2, r);
    if (matches != 0) SG.setValue(Chance2, r, saturated(100LL - combined));
    const int chance1 = SG.value(Chance1, r);
    const int chance2 = SG.value(Chance2, r);
    if (chance1 > chance2) SG.setColour(Chance1, r, colours::Green);
    if (chance2 > chance1) SG.setColour(Chance2, r, colours::Green);
  }
}

void fillSetScores(GridModel& ScGrid, std::string_view scores) {
  // "s" with the set and its score, set by set.
  std::vector<std::string> tags;
  for (int r = 0; r < 3; ++r) {
    for (const char* score : kSetScores) tags.push_back("s" + std::to_string(r + 1) + score);
  }
  const std::vector<std::string_view> names(tags.begin(), tags.end());
  TagSelector values(names);
  values.read(scores);
  for (int r = 0; r < 3; ++r) {
    for (std::size_t i = 0; i < kSetScores.size(); ++i) {
      ScGrid.setText(columnAfter(ScColumn::FirstScore, static_cast<int>(i)), r,
                     values[static_cast<std::size_t>(r) * kSetScores.size() + i]);
    }
  }
}

void fillForecastLabels(Form& form, std::string_view forecast) {
  // The score, the three sets' parts, then each player's figure.
  TagSelector tags{"score_forecast", "sco1", "sco2", "sco3", "wt1", "wt2"};
  tags.read(forecast);
  form.analysis.scor = tags[0];
  std::string sets;
  if (const std::string_view first = tags[1]; !first.empty()) sets = setPart(first);
  for (std::size_t more = 2; more <= 3; ++more) {
    if (!tags[more].empty()) sets += ", " + setPart(tags[more]);
  }
  form.analysis.sets = ReplaceAll(sets, "<br>", " or ");
  form.analysis.wt1 = tags[4];
  form.analysis.wt2 = tags[5];
}

}  // namespace korvex
