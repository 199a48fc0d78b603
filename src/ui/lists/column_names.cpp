#include "ui/lists/column_names.h"

#include <cctype>
#include <string_view>

#include "ui/platform/qt_text.h"

namespace korvex::ui {

namespace {

// A caption of two letters or more is a word; "", "1", "%", "$", "U" and "S1" are not.
bool isWord(std::string_view caption) {
  int letters = 0;
  for (const char c : caption)
    if (std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0xC0)
      ++letters;
  return letters >= 2;
}

}  // namespace

QString columnName(const GridModel& grid, int col) {
  const ColumnDef& def = grid.column(col);
  if (!def.name.empty()) return QString::fromLatin1(def.name);
  if (!def.headerHint.empty()) return fromCp1251(def.headerHint);
  if (!def.header.empty()) return fromCp1251(def.header);
  return QStringLiteral("Column %1").arg(col + 1);
}

bool inColumnMenu(const GridModel& grid, int col) {
  return grid.column(col).inMenu;
}

std::string copyCaption(const GridModel& grid, int col) {
  const std::string& caption = grid.column(col).header;
  if (isWord(caption)) return caption;
  return columnName(grid, col).toStdString();  // the names are plain ASCII
}

}  // namespace korvex::ui
