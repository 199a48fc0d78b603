#include "support/service_context.h"

#include "state/grid_columns.h"

namespace korvex::test {

ServiceContext::ServiceContext()
    : addresses{.service = server.base(), .exchange = server.base(), .vendor = server.base()},
      ctx{.form = form,
          .platform = platform,
          .IdHTTP1 = http1,
          .IdHTTP2 = http2,
          .addresses = addresses,
          .workdir = workdir.path(),
          .loop = &loop} {
  form.CurrentLogin = "L";
  form.CurrentPassword = "P";
}

std::string ServiceContext::listTarget(const std::string& menu) {
  return "/login/kx.php?login=L&pass=P&menu=" + menu;
}

void ServiceContext::serveList(const std::string& menu, std::string body) {
  server.route(listTarget(menu), Reply{.body = std::move(body)});
}

std::string record(Fields fields) {
  std::string text;
  for (const auto& [name, value] : fields) {
    text.append("<").append(name).append(">").append(value);
    text.append("</").append(name).append(">");
  }
  return text;
}

std::string matchList(const std::vector<std::string>& blocks) {
  std::string list = "<list>\r\n";
  for (const std::string& block : blocks)
    list.append("<match>\r\n").append(block).append("\r\n</match>\r\n");
  return list.append("</list>");
}

std::vector<std::string> ServiceContext::liveRadarFigures(int row) const {
  std::vector<std::string> texts;
  for (int col = columnIndex(LgColumn::RadarOdds1); col <= columnIndex(LgColumn::RadarMoney); ++col)
    texts.emplace_back(form.live.LG.text(col, row));
  return texts;
}

}  // namespace korvex::test
