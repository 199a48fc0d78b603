#include "exchange_pages.h"

#include <algorithm>
#include <cmath>

#include "feed_writer.h"
#include "match_lists.h"
#include "match_prices.h"
#include "random.h"

namespace korvex::demo {
namespace {

// A small deterministic wobble in [-limit, limit] for one selection at one read.
double wobble(const std::string& selectionId, int read, double limit) {
  Random random(seedFor(selectionId, static_cast<std::uint64_t>(read)));
  return (random.unit() * 2.0 - 1.0) * limit;
}

std::string pageUrl(const Market& market, const Runner& runner) {
  return "/betting/LoadRunnerInfoAction.do?marketId=" + market.marketId +
         "&amp;selectionId=" + runner.selectionId;
}

// A table row whose figure stands in a bolded element, `lead` right after its ">".
std::string figureRow(const std::string& label, const std::string& lead,
                      const std::string& figure) {
  return "<tr><td class=\"label\">" + label + "</td><td><span class=\"GlobalBoldedText\">" + lead +
         figure + "</span></td></tr>\n";
}

// Only the order of the markers matters to a reader: the heading, the selected tab, the
// event total and then the bolded figures, each amount two characters after its ">".
std::string renderPage(const SampleWorld& world, const Match& match, const Market& market, int side,
                       const RunnerFigures& figures) {
  const Tournament& tournament = world.tournamentOf(match);
  std::string names[2] = {world.homeOf(match).shortName, world.awayOf(match).shortName};
  std::string event = names[0] + " v " + names[1];
  std::string page =
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\" />\n";
  page += "<title>Runner Information - " + event + "</title>\n";
  page +=
      "<link rel=\"stylesheet\" type=\"text/css\" href=\"/betting/css/runnerinfo.css\" />\n"
      "</head>\n<body class=\"popup\">\n"
      "<div id=\"header\"><span class=\"GlobalHeadingText\">Runner Information</span></div>\n"
      "<ul class=\"tabs\">\n";
  for (int i = 0; i < 2; ++i) {
    std::string selected = i == side ? " class=\"selected\"" : "";
    page += "<li><a href=\"" + pageUrl(market, market.runners[i]) + "\"" + selected + ">" +
            names[i] + "</a></li>\n";
  }
  page += "</ul>\n<div class=\"content\">\n<table class=\"runnerInfo\" cellspacing=\"0\">\n";
  page += "<tr><td class=\"label\">Event</td><td>Tennis / " + tournament.type + " " +
          tournament.name + " / " + event + "</td></tr>\n";
  page += "<tr><td class=\"label\">Market</td><td>Match Odds (" + market.marketId + ")</td></tr>\n";
  page += figureRow("Total matched on this event", ": ", formatMoney(figures.eventTotal));
  page += figureRow("Matched on " + names[side], ": ", formatMoney(figures.runnerAmount));
  page += figureRow("Last price matched", "", formatFixed(figures.price, 2));
  page +=
      "</table>\n<p class=\"note\">Amounts in GBP. Figures are updated every few seconds.</p>\n"
      "</div>\n</body>\n</html>\n";
  return page;
}

}  // namespace

RunnerFigures runnerFigures(const Market& market, int side, int read, double price) {
  const Runner& runner = market.runners[side];
  RunnerFigures figures;
  figures.eventTotal = market.eventTotal * (1.0 + 0.004 * read);
  // The first read shows what the radar list shows; later reads move on from there.
  double share =
      runner.share + runner.drift * read + (read > 0 ? wobble(runner.selectionId, read, 0.4) : 0.0);
  figures.runnerAmount = figures.eventTotal * std::max(share, 0.0) / 100.0;
  double tick = read > 0 ? std::round(wobble(runner.selectionId, -read, 2.4)) / 100.0 : 0.0;
  figures.price = std::max(price + tick, 1.01);
  return figures;
}

double exchangePrice(const SampleWorld& world, const Match& match, int side, int minute) {
  double chance = marketChance(world, match, minute);
  if (side == 1) chance = 1.0 - chance;
  return std::round(100.0 / std::clamp(chance, 0.04, 0.96)) / 100.0;
}

std::optional<std::string> ExchangePages::runnerPage(std::string_view marketId,
                                                     std::string_view selectionId, int minute) {
  std::optional<Match> match = findMarketMatch(world_, marketId);
  if (!match || !announced(*match, minute)) return std::nullopt;
  Market market = marketOf(*match, minute);
  for (int side = 0; side < 2; ++side) {
    if (market.runners[side].selectionId != selectionId) continue;
    int read = 0;
    {
      std::lock_guard lock(mutex_);
      read = reads_[market.runners[side].selectionId]++;
    }
    double price = exchangePrice(world_, *match, side, minute);
    return renderPage(world_, *match, market, side, runnerFigures(market, side, read, price));
  }
  return std::nullopt;
}

}  // namespace korvex::demo
