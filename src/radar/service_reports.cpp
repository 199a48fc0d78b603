#include "radar/service_reports.h"

#include "state/grid_columns.h"
#include "state/waits.h"
#include "text/feed_text.h"

namespace korvex {

namespace {
// The service takes ">>" for a blank in free text.
std::string spaced(std::string_view text) {
  return ReplaceAll(text, " ", ">>");
}
}  // namespace

std::string radarReportAddress(const Context& ctx, int rbRow) {
  const GridModel& rb = ctx.form.radar.RB;
  auto cell = [&](RbColumn col) { return std::string(rb.text(col, rbRow)); };
  using enum RbColumn;
  return ctx.addresses.service + "/bf/bffa2.php?my=" + cell(Id) + "&status=" + cell(Status) +
         "&k1=" + cell(Odds1) + "&pr1=" + cell(Percent1) + "&s1=" + cell(Money1) +
         "&k2=" + cell(Odds2) + "&pr2=" + cell(Percent2) + "&s2=" + cell(Money2);
}

std::string betReportAddress(const Context& ctx, int sbxRow) {
  const GridModel& sbx = ctx.form.radar.SBX;
  auto cell = [&](SbxColumn col) { return std::string(sbx.text(col, sbxRow)); };
  using enum SbxColumn;
  return ctx.addresses.service + "/bf/sb.php?id=" + cell(Id) +
         "&chemp=" + spaced(sbx.cell(Flag, sbxRow).hint) + "&time=" + cell(Time) +
         "&home=" + spaced(cell(Home)) + "&away=" + spaced(cell(Away)) +
         "&bet=" + spaced(cell(Bet)) + "&kf=" + cell(Odds) + "&sport=Tennis&sum=" + cell(Sum) +
         "&status=" + cell(Status);
}

Task<> sendReport(Context& ctx, std::string address) {
  // A report is an action at the service. libcurl sends a request again when a reused
  // connection turns out dead after it went out, which would journal a bet twice; on a
  // fresh connection it never does.
  auto report = [&client = ctx.IdHTTP2, address = std::move(address)] {
    client.closeConnection();
    return Fetch(client, address, Deadline::Brief).failure;
  };
  const auto failure = co_await onRequestThread(ctx, std::move(report));
  if (failure) tell(ctx, "Report failed: " + reasonForUser(*failure), true);
}

}  // namespace korvex
