#include "analysis/player_cards.h"

#include <string>
#include <utility>

#include "analysis/league_text.h"
#include "state/grid_columns.h"
#include "state/picture.h"
#include "state/waits.h"
#include "text/country_flags.h"
#include "text/feed_text.h"

namespace korvex {

namespace {

void setName(Label& label, std::string_view stat, const char* fullTag, const char* shortTag) {
  label = ExtractTag(stat, fullTag);
  // "," is what the service sends for a player it has no full name for.
  if (label == ",") label = ExtractTag(stat, shortTag);
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
  setName(form.analysis.Name1, stat, "bigname1", "home");
  setName(form.analysis.Name2, stat, "bigname2", "away");
  form.analysis.Country1 = ExtractTag(stat, "country1");
  form.analysis.Country2 = ExtractTag(stat, "country2");
  form.analysis.Hand1 = ExtractTag(stat, "hand1");
  form.analysis.Hand2 = ExtractTag(stat, "hand2");
  form.analysis.Birth1 = ExtractTag(stat, "birthday1");
  form.analysis.Birth2 = ExtractTag(stat, "birthday2");
  form.analysis.Rank1 = ExtractTag(stat, "rank1");
  form.analysis.Rank2 = ExtractTag(stat, "rank2");
}

Task<> loadCardPictures(Context& ctx, std::string_view stat) {
  const std::string pictures = ctx.addresses.service + "/kx/img/";
  std::string logo = pictures + "kx_logo.jpg";
  std::string home = pictures + std::string(ExtractTag(stat, "id_home")) + ".png";
  std::string away = pictures + std::string(ExtractTag(stat, "id_away")) + ".png";
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
  KFGrid.setText(Win1, 0, ExtractTag(stat, "kf1"));
  KFGrid.setText(Win2, 0, ExtractTag(stat, "kf2"));
  if (KFGrid.text(Win1, 0) == "-") KFGrid.setText(Win1, 0, target.odds1);
  if (KFGrid.text(Win2, 0) == "-") KFGrid.setText(Win2, 0, target.odds2);
}

void fillMatchHeader(GridModel& MatchGrid, std::string_view stat) {
  MatchGrid.setRowCount(1);
  using enum MatchColumn;
  MatchGrid.setText(Id, 0, ExtractTag(stat, "id"));
  MatchGrid.setText(Date, 0, ExtractTag(stat, "date"));
  MatchGrid.setText(Time, 0, ExtractTag(stat, "time"));
  const std::string_view country = ExtractTag(stat, "country");
  MatchGrid.setValue(Flag, 0, CountryFlagIndex(country));
  MatchGrid.setText(Tournament, 0,
                    std::string(country) + ". " + expandDrawNames(ExtractTag(stat, "liga")));
  MatchGrid.setText(Status, 0, "SOON");
  MatchGrid.setColour(Status, 0, colours::Blue);
}

}  // namespace korvex
