#include "cli/json_dump.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "text/cp1251.h"

namespace korvex::cli {

namespace {

// What the window shows in place of a card picture that was never loaded.
constexpr int kPlaceholderWidth = 48;
constexpr int kPlaceholderHeight = 50;

// Compact JSON written as it goes, byte for byte what toLine() makes of the same document,
// so a dump reads the same whichever way it was made.
class JsonStream {
 public:
  explicit JsonStream(std::ostream& out) : out_(out) { buffer_.reserve(kFlushAt + 4096); }
  ~JsonStream() { flush(); }
  JsonStream(const JsonStream&) = delete;
  JsonStream& operator=(const JsonStream&) = delete;

  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }
  // The next value belongs to `name`.
  void key(std::string_view name) {
    separate();
    utf8(name);
    buffer_ += ':';
    comma_ = false;
  }

  void value(bool on) { scalar(on ? "true" : "false"); }
  void value(int number) { scalar(std::to_string(number)); }
  void null() { scalar("null"); }
  // Text the program holds in CP1251, as every grid cell and label does.
  void cp1251(std::string_view bytes) {
    separate();
    if (isAscii(bytes)) {
      utf8(bytes);
    } else {
      utf8(cp1251ToUtf8(bytes));
    }
    done();
  }
  // Text of unknown make: nlohmann's own writer replaces what is not UTF-8.
  void text(const std::string& any) {
    separate();
    buffer_ += Json(any).dump(-1, ' ', false, Json::error_handler_t::replace);
    done();
  }
  template <typename Strings>
  void texts(const Strings& all) {
    beginArray();
    for (const std::string& one : all) text(one);
    endArray();
  }

 private:
  static constexpr std::size_t kFlushAt = std::size_t{1} << 16;

  static bool isAscii(std::string_view bytes) {
    for (const char c : bytes)
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
  }

  void open(char bracket) {
    separate();
    buffer_ += bracket;
    comma_ = false;
  }
  void close(char bracket) {
    buffer_ += bracket;
    done();
  }
  void scalar(std::string_view literal) {
    separate();
    buffer_ += literal;
    done();
  }
  void separate() {
    if (comma_) buffer_ += ',';
  }
  void done() {
    comma_ = true;
    if (buffer_.size() >= kFlushAt) flush();
  }
  void flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

  // Valid UTF-8, quoted and escaped as nlohmann escapes it with ensure_ascii off: the short
  // escapes where JSON has them, other control characters as lower-case \u00xx.
  void utf8(std::string_view text) {
    buffer_ += '"';
    for (const char c : text) {
      switch (c) {
        case '"':
          buffer_ += "\\\"";
          break;
        case '\\':
          buffer_ += "\\\\";
          break;
        case '\b':
          buffer_ += "\\b";
          break;
        case '\t':
          buffer_ += "\\t";
          break;
        case '\n':
          buffer_ += "\\n";
          break;
        case '\f':
          buffer_ += "\\f";
          break;
        case '\r':
          buffer_ += "\\r";
          break;
        default:
          if (static_cast<unsigned char>(c) <= 0x1F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            buffer_ += escaped;
          } else {
            buffer_ += c;
          }
      }
    }
    buffer_ += '"';
  }

  std::ostream& out_;
  std::string buffer_;
  bool comma_ = false;
};

void writeColour(JsonStream& json, const std::optional<Colour>& colour) {
  if (!colour) return json.null();
  const Rgb rgb = toRgb(*colour);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  json.cp1251(text);
}

void writeCell(JsonStream& json, const GridModel& grid, int col, int row) {
  const Cell& cell = grid.cell(col, row);
  const ColumnKind kind = grid.column(col).kind;
  json.beginObject();
  json.key("text");
  json.cp1251(cell.text);
  json.key("image");
  if (kind == ColumnKind::Image || kind == ColumnKind::CheckBox) {
    json.value(cell.value);
  } else {
    json.null();
  }
  json.key("color");
  writeColour(json, cell.colour);
  json.key("hint");
  json.cp1251(cell.hint);
  json.endObject();
}

void writeGrid(JsonStream& json, const GridModel& grid) {
  json.beginObject();
  json.key("enabled");
  json.value(grid.enabled());
  json.key("columns");
  json.beginArray();
  for (int col = 0; col < grid.columnCount(); ++col) json.cp1251(grid.column(col).header);
  json.endArray();
  json.key("rows");
  json.beginArray();
  for (int row = 0; row < grid.rowCount(); ++row) {
    json.beginArray();
    for (int col = 0; col < grid.columnCount(); ++col) writeCell(json, grid, col, row);
    json.endArray();
  }
  json.endArray();
  json.endObject();
}

void writePicture(JsonStream& json, const Picture& picture) {
  const bool loaded = picture.source != "placeholder";
  json.beginObject();
  json.key("source");
  json.text(picture.source);
  json.key("width");
  json.value(loaded ? picture.image.width : kPlaceholderWidth);
  json.key("height");
  json.value(loaded ? picture.image.height : kPlaceholderHeight);
  json.endObject();
}

void writeOutcome(JsonStream& json, const ListStatus& list) {
  json.beginObject();
  json.key("ok");
  json.value(list.ok);
  json.key("error");
  json.text(list.error);
  json.key("at");
  json.text(list.at);
  json.endObject();
}

void writeState(JsonStream& json, Form& form, const CliPlatform& platform) {
  json.beginObject();
  json.key("tabs");
  json.beginArray();
  for (const Tab& tab : form.tabs) {
    json.beginObject();
    json.key("caption");
    json.cp1251(tab.caption);
    json.key("visible");
    json.value(tab.visible);
    json.endObject();
  }
  json.endArray();
  json.key("active_page");
  json.value(form.activePage);
  json.key("sizeable");
  json.value(form.sizeable);
  json.key("timer_on");
  json.value(form.timerOn);
  json.key("closed");
  json.value(form.closed);

  json.key("globals");
  json.beginObject();
  json.key("CurrentLogin");
  json.cp1251(form.CurrentLogin);
  json.key("CurrentPassword");
  json.cp1251(form.CurrentPassword);
  json.key("LiveCountdown");
  json.value(form.LiveCountdown);
  json.endObject();

  json.key("fields");
  json.beginObject();
  json.key("loginedit");
  json.cp1251(form.about.loginedit);
  json.key("passedit");
  json.cp1251(form.about.passedit);
  json.key("zap");
  json.value(form.about.zap);
  json.endObject();

  json.key("labels");
  json.beginObject();
  for (const auto& [name, label] : form.labels()) {
    json.key(name);
    json.cp1251(label->text());
  }
  json.endObject();

  json.key("pictures");
  json.beginObject();
  json.key("LOGO1");
  writePicture(json, form.analysis.LOGO1);
  json.key("LOGO2");
  writePicture(json, form.analysis.LOGO2);
  json.endObject();

  json.key("grids");
  json.beginObject();
  for (const GridModel* grid : form.grids()) {
    json.key(grid->name());
    writeGrid(json, *grid);
  }
  json.endObject();

  json.key("status");
  json.beginObject();
  json.key("line");
  writeOutcome(json, form.status.line);
  json.key("radar");
  writeOutcome(json, form.status.radar);
  json.key("live");
  writeOutcome(json, form.status.live);
  json.key("analysis");
  writeOutcome(json, form.status.analysis);
  json.endObject();

  json.key("messages");
  json.texts(platform.messages);
  json.key("opened_urls");
  json.texts(platform.openedUrls);
  json.endObject();
}

Json labelsJson(Form& form) {
  Json labels = Json::object();
  for (const auto& [name, text] : form.labels()) labels[name] = cp1251ToUtf8(text->text());
  return labels;
}

}  // namespace

StateDump dumpState(Form& form, const CliPlatform& platform) {
  return {form, platform};
}

std::ostream& operator<<(std::ostream& out, const StateDump& dump) {
  JsonStream json(out);
  writeState(json, dump.form, dump.platform);
  return out;
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
