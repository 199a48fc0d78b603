#include "analysis/player_cards.h"

#include <iterator>
#include <string>
#include <utility>

#include "analysis/league_text.h"
#include "state/grid_columns.h"
#include "state/picture.h"
#include "state/waits.h"
#include "text/country_flags.h"
#include "text/tag_selector.h"

namespace korvex {

namespace {

void setName(Label& label, std::string_view fullName, std::string_view shortName) {
  label = fullName;
  // "," is what the service sends for a player it has no full name for.
  if (label == ",") label = shortName;
}

struct CardPicture {
  std::optional<Image> image;
  std::string whyNot;
};

CardPicture loadCardPicture(const std::filesystem::path& file) {
  CardPicture picture;
  picture.image = loadPictureFile(file, &picture.whyNot);
  return picture;
}

bool showPicture(Picture& card, std::optional<Image>& image, const std::string& file) {
  if (!image) return false;
  card.source = file;
  card.image = std::move(*image);
  return true;
}

}  // namespace

void fillCardTexts(Form& form, std::string_view stat) {
  AnalysisPage& page = form.analysis;
  // Each player's full name and the short one it falls back to, then the labels below.
  TagSelector card{"bigname1", "home",  "bigname2",  "away",      "country1", "country2",
                   "hand1",    "hand2", "birthday1", "birthday2", "rank1",    "rank2"};
  card.read(stat);
  setName(page.Name1, card[0], card[1]);
  setName(page.Name2, card[2], card[3]);
  Label* const labels[] = {&page.Country1, &page.Country2, &page.Hand1, &page.Hand2,
                           &page.Birth1,   &page.Birth2,   &page.Rank1, &page.Rank2};
  for (std::size_t i = 0; i < std::size(labels); ++i) *labels[i] = card[4 + i];
}

Task<> loadCardPictures(Context& ctx, std::string_view stat) {
  const std::string pictures = ctx.addresses.service + "/kx/img/";
  std::string logo = pictures + "kx_logo.jpg";
  TagSelector players{"id_home", "id_away"};
  players.read(stat);
  std::string home = pictures + std::string(players[0]) + ".png";
  std::string away = pictures + std::string(players[1]) + ".png";
  const auto download = [&](std::string address, const char* file) {
    auto store = [&client = ctx.IdHTTP1, address = std::move(address), logo,
                  path = ctx.workdir / file, limits = ctx.probeLimits] {
      DownloadPicture(client, address, path, logo, limits);
    };
    return onRequestThread(ctx, std::move(store));
  };
  auto first = download(std::move(home), "1.jpg");
  co_await first;
  auto second = download(std::move(away), "2.jpg");
  co_await second;
  // Decoded beside the window, not on its thread: a large picture takes its time there.
  auto decode = [workdir = ctx.workdir] {
    return std::pair(loadCardPicture(workdir / "1.jpg"), loadCardPicture(workdir / "2.jpg"));
  };
  auto [picture1, picture2] = co_await onRequestThread(ctx, std::move(decode));
  const bool firstShown = showPicture(ctx.form.analysis.LOGO1, picture1.image, "1.jpg");
  if (firstShown && showPicture(ctx.form.analysis.LOGO2, picture2.image, "2.jpg")) co_return;
  // The card keeps what it showed either way; a refused size is worth a word, since a
  // missing face says nothing of why the service's picture is not there.
  const CardPicture& refused = firstShown ? picture2 : picture1;
  if (refused.whyNot == kPictureTooLarge) tell(ctx, "Player picture too large: not shown", true);
}

void fillOddsBox(GridModel& KFGrid, std::string_view stat, const AnalysisTarget& target) {
  KFGrid.setRowCount(1);
  using enum KfColumn;
  TagSelector odds{"kf1", "kf2"};
  odds.read(stat);
  KFGrid.setText(Win1, 0, odds[0]);
  KFGrid.setText(Win2, 0, odds[1]);
  if (KFGrid.text(Win1, 0) == "-") KFGrid.setText(Win1, 0, target.odds1);
  if (KFGrid.text(Win2, 0) == "-") KFGrid.setText(Win2, 0, target.odds2);
}

void fillMatchHeader(GridModel& MatchGrid, std::string_view stat) {
  MatchGrid.setRowCount(1);
  using enum MatchColumn;
  TagSelector match{"id", "date", "time", "country", "liga"};
  match.read(stat);
  MatchGrid.setText(Id, 0, match[0]);
  MatchGrid.setText(Date, 0, match[1]);
  MatchGrid.setText(Time, 0, match[2]);
  const std::string_view country = match[3];
  MatchGrid.setValue(Flag, 0, CountryFlagIndex(country));
  MatchGrid.setText(Tournament, 0, std::string(country) + ". " + expandDrawNames(match[4]));
  MatchGrid.setText(Status, 0, "SOON");
  MatchGrid.setColour(Status, 0, colours::Blue);
}

}  // namespace korvex
