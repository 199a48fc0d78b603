#include "cli/json_dump.h"

#include <cstdio>

#include "text/cp1251.h"

namespace korvex::cli {

namespace {

// What the window shows in place of a card picture that was never loaded.
constexpr int kPlaceholderWidth = 48;
constexpr int kPlaceholderHeight = 50;

Json colourJson(const std::optional<Colour>& colour) {
  if (!colour) return nullptr;
  const Rgb rgb = toRgb(*colour);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  return text;
}

Json cellJson(const GridModel& grid, int col, int row) {
  const Cell& cell = grid.cell(col, row);
  const ColumnKind kind = grid.column(col).kind;
  const bool showsImage = kind == ColumnKind::Image || kind == ColumnKind::CheckBox;
  return {{"text", cp1251ToUtf8(cell.text)},
          {"image", showsImage ? Json(cell.value) : Json(nullptr)},
          {"color", colourJson(cell.colour)},
          {"hint", cp1251ToUtf8(cell.hint)}};
}

Json gridJson(const GridModel& grid) {
  Json columns = Json::array();
  for (int col = 0; col < grid.columnCount(); ++col)
    columns.push_back(cp1251ToUtf8(grid.column(col).header));
  Json rows = Json::array();
  for (int row = 0; row < grid.rowCount(); ++row) {
    Json cells = Json::array();
    for (int col = 0; col < grid.columnCount(); ++col) cells.push_back(cellJson(grid, col, row));
    rows.push_back(std::move(cells));
  }
  return {{"enabled", grid.enabled()}, {"columns", std::move(columns)}, {"rows", std::move(rows)}};
}

Json pictureJson(const Picture& picture) {
  const bool loaded = picture.source != "placeholder";
  return {{"source", picture.source},
          {"width", loaded ? picture.image.width : kPlaceholderWidth},
          {"height", loaded ? picture.image.height : kPlaceholderHeight}};
}

Json labelsJson(Form& form) {
  Json labels = Json::object();
  for (const auto& [name, text] : form.labels()) labels[name] = cp1251ToUtf8(text->text());
  return labels;
}

Json statusJson(const StatusPage& status) {
  auto outcome = [](const ListStatus& list) {
    return Json{{"ok", list.ok}, {"error", list.error}, {"at", list.at}};
  };
  return {{"line", outcome(status.line)},
          {"radar", outcome(status.radar)},
          {"live", outcome(status.live)},
          {"analysis", outcome(status.analysis)}};
}

}  // namespace

Json dumpState(Form& form, const CliPlatform& platform) {
  Json tabs = Json::array();
  for (const Tab& tab : form.tabs)
    tabs.push_back({{"caption", cp1251ToUtf8(tab.caption)}, {"visible", tab.visible}});
  Json grids = Json::object();
  for (const GridModel* grid : form.grids()) grids[grid->name()] = gridJson(*grid);

  Json state = Json::object();
  state["tabs"] = std::move(tabs);
  state["active_page"] = form.activePage;
  state["sizeable"] = form.sizeable;
  state["timer_on"] = form.timerOn;
  state["closed"] = form.closed;
  state["globals"] = {{"CurrentLogin", cp1251ToUtf8(form.CurrentLogin)},
                      {"CurrentPassword", cp1251ToUtf8(form.CurrentPassword)},
                      {"LiveCountdown", form.LiveCountdown}};
  state["fields"] = {{"loginedit", cp1251ToUtf8(form.about.loginedit)},
                     {"passedit", cp1251ToUtf8(form.about.passedit)},
                     {"zap", form.about.zap}};
  state["labels"] = labelsJson(form);
  state["pictures"] = {{"LOGO1", pictureJson(form.analysis.LOGO1)},
                       {"LOGO2", pictureJson(form.analysis.LOGO2)}};
  state["grids"] = std::move(grids);
  state["status"] = statusJson(form.status);
  state["messages"] = platform.messages;
  state["opened_urls"] = platform.openedUrls;
  return state;
}

Json summarise(Form& form, const CliPlatform& platform) {
  Json rows = Json::object();
  for (const GridModel* grid : form.grids()) rows[grid->name()] = grid->rowCount();
  Json summary = Json::object();
  summary["rows"] = std::move(rows);
  summary["labels"] = labelsJson(form);
  summary["messages"] = platform.messages;
  return summary;
}

std::string toLine(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace korvex::cli
