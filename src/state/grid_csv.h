#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/grid_model.h"
#include "text/result.h"

namespace korvex {

// What a grid shows of one cell as plain CP1251 text: a text or number cell its text, an
// image or check-box cell its hint (empty when it has none), since a picture has no text.
std::string_view cellAsText(const GridModel& grid, int col, int row);

// A spreadsheet reads a cell that starts with "=", "+", "-", "@", a tab or a carriage
// return as a formula, and a name from the service can start so. Such a text gets a
// leading apostrophe, which spreadsheets show as the text it is; a plain number (an
// optional sign, digits, at most one "." or "," between digits) stays a number. Every
// export and copy of cells goes through this.
std::string spreadsheetSafe(std::string_view text);

// The columns the window shows of a grid, left to right as the grid declares them.
std::vector<int> visibleColumns(const GridModel& grid);

// RFC 4180 in UTF-8: the captions of `columns`, then one line per entry of `rows`, each
// line ending CR LF, every cell spreadsheet-safe. Exports and the window's "Export CSV…" both write
// this.
std::string gridCsv(const GridModel& grid, const std::vector<int>& columns,
                    const std::vector<int>& rows);
// The grid as korvex-cli exports it: its visible columns, every row in its order.
std::string gridCsv(const GridModel& grid);

// The same cells as tab-separated UTF-8 lines with a caption line, for the clipboard:
// spreadsheets paste it into cells, so they are made safe as an export's are. Tabs and
// line breaks inside a cell become blanks.
std::string gridTabText(const GridModel& grid, const std::vector<int>& columns,
                        const std::vector<int>& rows);

// A column of a table as a window shows it: its caption and each row's text, in CP1251.
// A view's own columns beside a grid's are exported and copied through this.
struct TableColumn {
  std::string caption;
  std::function<std::string_view(int row)> text;
};
std::string tableCsv(const std::vector<TableColumn>& columns, const std::vector<int>& rows);
std::string tableTabText(const std::vector<TableColumn>& columns, const std::vector<int>& rows);

// Replaces `file` with the CSV whole or not at all.
Result<void> writeCsvFile(const std::filesystem::path& file, std::string_view csv);

}  // namespace korvex
