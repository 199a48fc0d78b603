#include "state/grid_csv.h"

#include <numeric>

#include "net/file_replace.h"
#include "text/cp1251.h"

namespace korvex {

namespace {

// Exports are the user's documents, not secrets: readable as any new file.
constexpr mode_t kExportMode = 0666;

bool isPlainNumber(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  bool digitBefore = false, separatorSeen = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digitBefore = true;
    } else if ((c == '.' || c == ',') && digitBefore && !separatorSeen) {
      separatorSeen = true;
      digitBefore = false;
    } else {
      return false;
    }
  }
  return digitBefore;
}

void appendCsvField(std::string& out, std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += utf8;
    return;
  }
  out += '"';
  for (const char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void appendTabField(std::string& out, std::string_view utf8) {
  for (const char c : utf8) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
}

// One caption line, then one line per row, fields joined by `separator`.
template <typename AppendField>
std::string table(const std::vector<TableColumn>& columns, const std::vector<int>& rows,
                  char separator, std::string_view lineEnd, AppendField appendField) {
  std::string out;
  auto line = [&](auto&& fieldOf) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out += separator;
      appendField(out, cp1251ToUtf8(fieldOf(columns[i])));
    }
    out += lineEnd;
  };
  // The captions are the program's own; the cells may hold anything the service sent.
  line([&](const TableColumn& column) -> std::string_view { return column.caption; });
  for (const int row : rows)
    line([&](const TableColumn& column) { return spreadsheetSafe(column.text(row)); });
  return out;
}

std::vector<TableColumn> gridColumns(const GridModel& grid, const std::vector<int>& columns) {
  std::vector<TableColumn> table;
  table.reserve(columns.size());
  for (const int col : columns)
    table.push_back(
        {grid.column(col).header, [&grid, col](int row) { return cellAsText(grid, col, row); }});
  return table;
}

}  // namespace

std::string spreadsheetSafe(std::string_view text) {
  constexpr std::string_view kFormulaStarts = "=+-@\t\r";
  if (text.empty() || kFormulaStarts.find(text.front()) == std::string_view::npos ||
      isPlainNumber(text)) {
    return std::string(text);
  }
  return "'" + std::string(text);
}

std::string_view cellAsText(const GridModel& grid, int col, int row) {
  const ColumnKind kind = grid.column(col).kind;
  if (kind == ColumnKind::Image || kind == ColumnKind::CheckBox) return grid.cell(col, row).hint;
  return grid.text(col, row);
}

std::vector<int> visibleColumns(const GridModel& grid) {
  std::vector<int> shown;
  for (int col = 0; col < grid.columnCount(); ++col)
    if (grid.column(col).visible) shown.push_back(col);
  return shown;
}

std::string gridCsv(const GridModel& grid, const std::vector<int>& columns,
                    const std::vector<int>& rows) {
  return tableCsv(gridColumns(grid, columns), rows);
}

std::string tableCsv(const std::vector<TableColumn>& columns, const std::vector<int>& rows) {
  return table(columns, rows, ',', "\r\n", appendCsvField);
}

std::string gridCsv(const GridModel& grid) {
  std::vector<int> rows(static_cast<std::size_t>(grid.rowCount()));
  std::iota(rows.begin(), rows.end(), 0);
  return gridCsv(grid, visibleColumns(grid), rows);
}

std::string gridTabText(const GridModel& grid, const std::vector<int>& columns,
                        const std::vector<int>& rows) {
  return tableTabText(gridColumns(grid, columns), rows);
}

std::string tableTabText(const std::vector<TableColumn>& columns, const std::vector<int>& rows) {
  return table(columns, rows, '\t', "\n", appendTabField);
}

Result<void> writeCsvFile(const std::filesystem::path& file, std::string_view csv) {
  return replaceFile(file, csv, kExportMode);
}

}  // namespace korvex
