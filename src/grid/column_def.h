#pragma once

#include <optional>
#include <string>

#include "grid/colour.h"

namespace korvex {

enum class ColumnKind { Text, Number, CheckBox, Image };
enum class Align { Left, Centre, Right };
// Which picture list an image column draws from.
enum class ImageList { None, Flags, Icons, Gender };

// The pictures of ImageList::Icons by name; a cell or a tab holds the index. The flags are
// indexed by the country table instead.
enum class Icon {
  Blank,
  Stats,
  Line,
  Report,
  Radar,
  Live,
  About,
  Tv,
  RadarMark,  // the blue square with the orange arrow: a line match on the radar
  Forecast,
  HomeResults,
  AwayResults,
  HeadToHead,
  ServeBall,  // beside the serving player on the live list
  Value,
  Count
};
// The pictures of ImageList::Gender.
enum class Gender { Unknown, Men, Women, Count };

constexpr int pictureIndex(Icon icon) {
  return static_cast<int>(icon);
}
constexpr int pictureIndex(Gender gender) {
  return static_cast<int>(gender);
}

struct ColumnDef {
  std::string header;  // CP1251 bytes; may be empty for glyph-only headers
  ColumnKind kind = ColumnKind::Text;
  ImageList images = ImageList::None;
  bool visible = true;
  int width = 64;  // the toolkit's default column width
  Align align = Align::Left;
  bool bold = false;
  bool italic = false;
  bool autoSize = false;
  int fontSize = 14;  // pixels
  std::optional<Colour> textColour;
  std::optional<Colour> background;  // fixed column colour, not a cell colour
  std::optional<Colour> headerColour;
  std::string headerHint;
  int defaultValue = 0;  // value of number, image and check-box cells in new rows
  // Where the column's enum value places it in its table; -1 for a column outside any.
  int place = -1;
  // What the window calls the column where its caption is blank, a glyph or terse; the
  // grids and korvex-cli keep their captions.
  std::string name;
  // Whether the window's column menu offers it: not a column nothing ever writes.
  bool inMenu = true;
};

}  // namespace korvex
