#include "radar/service_reports.h"

#include "text/feed_text.h"

namespace korvex {

namespace {
// The service takes ">>" for a blank in free text.
std::string spaced(std::string_view text) {
  return ReplaceAll(text, " ", ">>");
}
}  // namespace

std::string RadarReportAddress(const Context& ctx, int rbRow) {
  const GridModel& rb = ctx.form.RB;
  auto cell = [&](int col) { return std::string(rb.text(col, rbRow)); };
  return ctx.addresses.service + "/bf/bffa2.php?my=" + cell(0) + "&status=" + cell(15) +
         "&k1=" + cell(9) + "&pr1=" + cell(10) + "&s1=" + cell(11) + "&k2=" + cell(12) +
         "&pr2=" + cell(13) + "&s2=" + cell(14);
}

std::string BetReportAddress(const Context& ctx, int sbxRow) {
  const GridModel& sbx = ctx.form.SBX;
  auto cell = [&](int col) { return std::string(sbx.text(col, sbxRow)); };
  return ctx.addresses.service + "/bf/sb.php?id=" + cell(0) +
         "&chemp=" + spaced(sbx.cell(3, sbxRow).hint) + "&time=" + cell(2) +
         "&home=" + spaced(cell(4)) + "&away=" + spaced(cell(5)) + "&bet=" + spaced(cell(6)) +
         "&kf=" + cell(7) + "&sport=Tennis&sum=" + cell(9) + "&status=" + cell(11);
}

void SendReport(Context& ctx, const std::string& address) {
  // A report is an action at the service. libcurl sends a request again when a reused
  // connection turns out dead after it went out, which would journal a bet twice; on a
  // fresh connection it never does.
  ctx.IdHTTP2.closeConnection();
  std::string ignored;
  try {
    Fetch(ctx.IdHTTP2, address, ignored);
  } catch (const FetchError&) {
  }
}

}  // namespace korvex
